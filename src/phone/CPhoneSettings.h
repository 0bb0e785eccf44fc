#pragma once

#include "CAppSettings.h"

#include <QString>

// The application-wide settings a phone operation reads (cable ports, folders, carrier), with where
// its codeplug backups go. Taken from the application object in the program; tests fill it themselves.
struct CPhoneSettings : CAppSettings
{
    // "Codeplug Backup Path" read again now (the options dialog may have changed it since start-up).
    QString CurrentBackupSetting() const;
    // Where programming keeps the phone's previous codeplug: the setting, or the program folder when
    // it is empty.
    QString BackupFolderForWrite() const;
    // Where recovery looks for a phone's backup: the same folder programming used, joined to the
    // phone's backup name with a separator.
    QString BackupFileFor(const QString& backupName) const;

    // The running application's settings (defaults when there is no application object).
    static CPhoneSettings FromApp();
};
