#include "CDesktopRegistration.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char* const EntryPath = "applications/velmora.desktop";
const char* const TypesPath = "mime/packages/velmora.xml";

bool ReadAll(const QString& path, QByteArray& data, QString& why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    data = file.readAll();
    return true;
}

// Written beside the old file and renamed over it: the desktop never reads half a file.
bool WriteAll(const QString& path, const QByteArray& data, QString& why)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        why = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// The shipped entry with its Exec line replaced.
bool EntryFor(const QByteArray& shipped, const QString& exec, QByteArray& entry, QString& why)
{
    QList<QByteArray> lines = shipped.split('\n');
    bool replaced = false;
    for (QByteArray& line : lines) {
        if (line.startsWith("Exec=")) {
            line = "Exec=" + exec.toUtf8();
            replaced = true;
        }
    }
    if (!replaced) {
        why = QStringLiteral("the shipped desktop entry has no Exec line");
        return false;
    }
    entry = lines.join('\n');
    return true;
}

} // namespace

CDesktopRegistration::CDesktopRegistration(const QString& shareRoot) : m_shareRoot(QDir::cleanPath(shareRoot))
{
}

bool CDesktopRegistration::InstalledSystemWide(const QString& executable,
                                               const QStringList& systemDataDirs) const
{
    const QDir root(m_shareRoot);
    if (!QFileInfo::exists(root.filePath(QLatin1String(EntryPath))) ||
        !QFileInfo::exists(root.filePath(QLatin1String(TypesPath))))
        return false;
    const QString canonicalRoot = QFileInfo(m_shareRoot).canonicalFilePath();
    bool read = false;
    for (const QString& dir : systemDataDirs)
        read = read || (!dir.isEmpty() && QFileInfo(dir).canonicalFilePath() == canonicalRoot);
    if (!read)
        return false;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("velmora"));
    return !found.isEmpty() &&
           QFileInfo(found).canonicalFilePath() == QFileInfo(executable).canonicalFilePath();
}

QString CDesktopRegistration::ExecLine(const QString& program)
{
    if (!QDir::isAbsolutePath(program) || program.contains(QLatin1Char('\n')) ||
        program.contains(QLatin1Char('\r')))
        return QString();
    // Inside the quotes ", `, $ and \ take a backslash; % is doubled so it is no field code.
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    QString value = QLatin1Char('"') + quoted + QStringLiteral("\" %F");
    // The entry's own string escapes come on top: every backslash is written twice.
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return value;
}

bool CDesktopRegistration::WriteForUser(const QString& executable, const QString& dataHome,
                                        QString& why) const
{
    const QString exec = ExecLine(executable);
    if (exec.isEmpty()) {
        why = QStringLiteral("%1 cannot be named in a desktop entry").arg(executable);
        return false;
    }
    const QDir root(m_shareRoot);
    const QDir home(dataHome);
    QByteArray shipped, entry, types;
    if (!ReadAll(root.filePath(QLatin1String(EntryPath)), shipped, why) ||
        !EntryFor(shipped, exec, entry, why) || !ReadAll(root.filePath(QLatin1String(TypesPath)), types, why))
        return false;
    // Icons first and the entry last: a desktop that sees the entry finds everything it names.
    const QString icons = root.filePath(QStringLiteral("icons/hicolor"));
    QDirIterator it(icons, {QStringLiteral("velmora.png"), QStringLiteral("application-x-velmora-*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    int iconCount = 0;
    while (it.hasNext()) {
        const QString source = it.next();
        QByteArray icon;
        const QString target =
            home.filePath(QStringLiteral("icons/hicolor/") + QDir(icons).relativeFilePath(source));
        if (!ReadAll(source, icon, why) || !WriteAll(target, icon, why))
            return false;
        ++iconCount;
    }
    if (iconCount == 0) {
        why = QStringLiteral("no icons in %1").arg(icons);
        return false;
    }
    return WriteAll(home.filePath(QLatin1String(TypesPath)), types, why) &&
           WriteAll(home.filePath(QLatin1String(EntryPath)), entry, why);
}

QStringList CDesktopRegistration::RefreshDesktopCaches(const QString& dataHome)
{
    const std::pair<QString, QString> tools[] = {
        {QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime")},
        {QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications")},
    };
    QStringList started;
    for (const auto& [name, folder] : tools) {
        const QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty())
            continue;
        // Detached, with no shell and nothing on the terminal: the tools may outlive this process.
        QProcess tool;
        tool.setProgram(path);
        tool.setArguments({folder});
        tool.setStandardInputFile(QProcess::nullDevice());
        tool.setStandardOutputFile(QProcess::nullDevice());
        tool.setStandardErrorFile(QProcess::nullDevice());
        if (tool.startDetached())
            started << name;
    }
    return started;
}
