#include "CCliTexts.h"

#include "CInstalledData.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

// Where CCliTool::UseOwnProgramFolder keeps the settings of a program folder of its own.
QString OwnSettingsFile(const QString& folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("settings/Quorvel/Velmora.conf"));
}

} // namespace

QString CCliTexts::Text(int id, const QStringList& values)
{
    const QString text = CVelmoraWrap::LoadString(id);
    return CVelmoraWrap::FillArgs(text.isEmpty() ? QStringLiteral("Message %1").arg(id) : text, values);
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
    CInstalledData::LoadLanguageTable(folder, language);
}

void CCliTexts::EnsureLoaded(const QString& programFolderOption)
{
    if (CVelmoraWrap::LoadString(CliMsg::NotStarted).isEmpty())
        LoadBeforeStart(programFolderOption);
}
