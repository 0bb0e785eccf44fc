#include "CCliTexts.h"

#include "CInstalledData.h"
#include "CResourceStrings.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace {

// Where CCliTool::UseOwnProgramFolder keeps the settings of a program folder of its own.
QString OwnSettingsFile(const QString& folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("settings/Quorvel/Velmora.conf"));
}

bool LoadFile(const QString& path)
{
    auto strings = std::make_shared<CResourceStrings>();
    if (path.isEmpty() || !strings->Load(path))
        return false;
    CVelmoraWrap::SetResourceStrings(strings);
    return true;
}

} // namespace

QString CCliTexts::Text(int id, const QStringList& values)
{
    const QString text = CVelmoraWrap::LoadString(id);
    return CVelmoraWrap::FillArgs(text.isEmpty() ? QStringLiteral("Message %1").arg(id) : text, values);
}

QString CCliTexts::LanguageFile(const QString& languageName)
{
    return CInstalledData::LanguageFile(CInstalledData::LanguageCodeOf(languageName));
}

void CCliTexts::LoadBeforeStart(const QString& programFolderOption)
{
    QString folder;
    QString language;
    const QString own = programFolderOption.isEmpty() ? QString() : OwnSettingsFile(programFolderOption);
    if (!own.isEmpty() && QFileInfo(own).isFile()) {
        // Read the file itself: the process keeps the account's settings until a command runs.
        const QSettings settings(own, QSettings::IniFormat);
        folder = QDir(programFolderOption).absolutePath();
        language = settings.value(QStringLiteral("Initial Language")).toString();
    } else if (own.isEmpty() && CVelmoraWrap::SettingsStoreExists()) {
        CVelmoraWrap::GetRegistryValue(QStringLiteral("Velmora App Path"), folder);
        CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), language);
    }
    if (!folder.isEmpty() && !language.isEmpty() && LoadFile(QDir(folder).filePath(LanguageFile(language))))
        return;
    LoadFile(QDir(CInstalledData::Dir()).filePath(CInstalledData::LanguageFile(CInstalledData::English)));
}

void CCliTexts::EnsureLoaded(const QString& programFolderOption)
{
    if (CVelmoraWrap::LoadString(CliMsg::NotStarted).isEmpty())
        LoadBeforeStart(programFolderOption);
}
