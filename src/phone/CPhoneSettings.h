#pragma once

#include "CFleetSettings.h"

#include <QString>

// The application-wide settings a phone operation needs: cable ports, folders and carrier. Taken from
// the application object in the program; tests fill it themselves.
struct CPhoneSettings
{
    int comPort = 1;
    int quickComm = 0;
    int usbPort = 0;
    QString programFolder;
    QString templatePath; // the fleet template the scratch database is copied from
    QString backupFolder; // "Codeplug Backup Path" as start-up read it
    int carrierId = 1;
    int languageCode = 2; // English 2, French 1, Hebrew 3

    // The port arguments as the library takes them: the COM port's low byte, and 0 for no USB port.
    int ComPortArg() const { return comPort & 0xFF; }
    int UsbPortArg() const { return usbPort < 0 ? 0 : usbPort; }

    // "Codeplug Backup Path" read again now (the options dialog may have changed it since start-up).
    QString CurrentBackupSetting() const;
    // Where programming keeps the phone's previous codeplug: the setting, or the program folder when
    // it is empty.
    QString BackupFolderForWrite() const;
    // Where recovery looks for a phone's backup: the same folder programming used, joined to the
    // phone's backup name with a separator.
    QString BackupFileFor(const QString& backupName) const;

    CFleetSettings Fleet() const;

    // The running application's settings (defaults when there is no application object).
    static CPhoneSettings FromApp();
};
