#include "CPhoneSettings.h"

#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

#include <QDir>

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

CFleetSettings CPhoneSettings::Fleet() const
{
    CFleetSettings fleet = CFleetSettings::ForProgramFolder(programFolder, carrierId);
    if (!templatePath.isEmpty())
        fleet.templatePath = templatePath;
    return fleet;
}

CPhoneSettings CPhoneSettings::FromApp()
{
    CPhoneSettings settings;
    const CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return settings;
    settings.comPort = app->ComPort();
    settings.quickComm = app->QuickComm();
    settings.usbPort = app->UsbPort();
    settings.programFolder = app->ProgramFolder();
    settings.templatePath = app->FleetTemplatePath();
    settings.backupFolder = app->BackupFolder();
    settings.carrierId = app->CarrierId();
    settings.languageCode = app->LanguageCode();
    return settings;
}
