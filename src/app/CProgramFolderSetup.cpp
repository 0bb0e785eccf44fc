#include "CProgramFolderSetup.h"

#include "CDesktopRegistration.h"
#include "CInstalledData.h"
#include "CVelmoraWrap.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <unistd.h>

QString CProgramFolderSetup::InstalledDataDir()
{
    return CInstalledData::Dir();
}

QString CProgramFolderSetup::DefaultProgramFolder()
{
    return CInstalledData::DefaultProgramFolder();
}

namespace {

// Copies source to target unless target is there: the copy is made under a name of its own and then
// linked in, so two programs starting for the first time at once never meet a half-copied file, and the
// one that comes second keeps the first one's file.
bool CopyIn(const QString& source, const QString& target)
{
    QTemporaryFile temp(target + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        return false;
    const QString tempPath = temp.fileName();
    temp.close();
    QFile::remove(tempPath);
    if (!QFile::copy(source, tempPath))
        return false;
    // Installed files may be read-only; the program folder is the user's to change.
    QFile::setPermissions(tempPath,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const bool linked =
        ::link(QFile::encodeName(tempPath).constData(), QFile::encodeName(target).constData()) == 0;
    const bool there = linked || errno == EEXIST;
    QFile::remove(tempPath);
    return there;
}

} // namespace

bool CProgramFolderSetup::FillProgramFolder(const QString& folder, const QString& dataDir, QString& why)
{
    const QDir data(dataDir);
    if (!data.exists(QStringLiteral("VelmoraRes.lang"))) {
        why = QStringLiteral("no installed data in %1").arg(dataDir);
        return false;
    }
    if (!QDir().mkpath(folder)) {
        why = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    QDirIterator it(data.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(folder).filePath(data.relativeFilePath(source));
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).path());
        if (!CopyIn(source, target)) {
            why = QStringLiteral("cannot copy %1 to %2").arg(source, target);
            return false;
        }
    }
    QDir().mkpath(folder + QStringLiteral("/Backup"));
    QDir().mkpath(folder + QStringLiteral("/phones"));
    return true;
}

bool CProgramFolderSetup::RefreshLanguageFiles(const QString& folder, const QString& dataDir, QString& why)
{
    for (const int language : {CInstalledData::English, CInstalledData::French, CInstalledData::Hebrew}) {
        const QString name = CInstalledData::LanguageFile(language);
        const QFileInfo installed(QDir(dataDir).filePath(name));
        const QFileInfo own(QDir(folder).filePath(name));
        if (!installed.exists() || !own.exists() || installed.lastModified() <= own.lastModified())
            continue;
        QFile source(installed.filePath());
        QFile current(own.filePath());
        if (!source.open(QIODevice::ReadOnly) || !current.open(QIODevice::ReadOnly)) {
            why = QStringLiteral("cannot read %1 or %2").arg(installed.filePath(), own.filePath());
            return false;
        }
        const QByteArray text = source.readAll();
        if (text == current.readAll())
            continue;
        // Written beside the old file and renamed over it: a start killed midway leaves a whole file.
        QSaveFile target(own.filePath());
        if (!target.open(QIODevice::WriteOnly) || target.write(text) != text.size() || !target.commit()) {
            why = QStringLiteral("cannot update %1: %2").arg(own.filePath(), target.errorString());
            return false;
        }
    }
    return true;
}

void CProgramFolderSetup::WriteDefaultSettings(const QString& folder)
{
    const QString sep = QStringLiteral("/");
    const std::pair<const char*, QString> defaults[] = {
        {"Velmora App Path", folder},
        {"Last PIM File", QString()},
        {"Initial Language", QStringLiteral("English")},
        {"Quick Comm", QStringLiteral("0")},
        {"USB Port", QStringLiteral("-1")},
        {"COM Port", QStringLiteral("1")},
        {"Codeplug Backup Path", folder + sep + QStringLiteral("Backup") + sep},
        {"Strip Extra Space", QStringLiteral("1")},
        {"Auto Split", QStringLiteral("1")},
        {"Add Index", QStringLiteral("1")},
        {"Break Between Words", QStringLiteral("1")},
        {"Phonebook Split", QStringLiteral("50")},
        {"Datebook Split", QStringLiteral("50")},
        {"Show Msg", QStringLiteral("1")},
        {"Modem Name", QString()},
        {"Modem ID", QString()},
        {"Phone Bench Folder", folder + sep + QStringLiteral("phones")},
        // The unit property sheet: every page shown, the full connection.
        {"List Pages Off", QStringLiteral("0")},
        {"Connection Mode", QStringLiteral("0")},
        // Last, so a store that exists always has the rest.
        {"Setup Flag", QStringLiteral("1")},
    };
    // One write: a program starting beside this one sees the whole store or none.
    QList<QPair<QString, QString>> values;
    for (const auto& [name, value] : defaults)
        values.append({QString::fromLatin1(name), value});
    CVelmoraWrap::SetRegistryValues(values);
}

QString CProgramFolderSetup::WindowProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/velmora");
    const QFileInfo window(beside);
    return window.isFile() && window.isExecutable() ? beside : QCoreApplication::applicationFilePath();
}

bool CProgramFolderSetup::RegisterFileTypes(const QString& executable, QString& why)
{
    const CDesktopRegistration desktop(InstalledDataDir() + QStringLiteral("/.."));
    QStringList systemDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    systemDirs.removeAll(dataHome);
    if (desktop.InstalledSystemWide(executable, systemDirs))
        return true;
    if (!desktop.WriteForUser(executable, dataHome, why))
        return false;
    CDesktopRegistration::RefreshDesktopCaches(dataHome);
    return true;
}

bool CProgramFolderSetup::RunIfFirstStart(QString& why)
{
    if (CVelmoraWrap::SettingsStoreExists())
        return true;
    const QString folder = DefaultProgramFolder();
    if (!FillProgramFolder(folder, InstalledDataDir(), why))
        return false;
    WriteDefaultSettings(folder);
    // Without the desktop's file types the program still works: a failure here does not stop it.
    QString typesWhy;
    if (!RegisterFileTypes(WindowProgram(), typesWhy))
        qWarning("velmora: file types not registered: %s", qPrintable(typesWhy));
    return true;
}
