#include "CPhoneSettings.h"

#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

QString CPhoneSettings::CurrentBackupSetting() const
{
    QString folder;
    if (!CVelmoraWrap::GetRegistryValue(QStringLiteral("Codeplug Backup Path"), folder))
        folder = backupFolder;
    return folder.trimmed();
}

QString CPhoneSettings::BackupFolderForWrite() const
{
    const QString folder = CurrentBackupSetting();
    return folder.isEmpty() ? programFolder : folder;
}

QString CPhoneSettings::BackupFileFor(const QString& backupName) const
{
    QString folder = BackupFolderForWrite();
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + backupName + QStringLiteral(".dbf");
}

CPhoneSettings CPhoneSettings::FromApp()
{
    CPhoneSettings settings;
    if (const CVelmoraApp* app = CVelmoraApp::Instance())
        static_cast<CAppSettings&>(settings) = app->Settings();
    return settings;
}
