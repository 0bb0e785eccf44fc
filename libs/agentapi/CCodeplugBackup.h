#pragma once

#include "CCodeplug.h"

#include <QDateTime>
#include <QString>

// A codeplug backup file (".dbf"): the codeplug a phone held before it was programmed, with the
// identity of that phone.
class CCodeplugBackup
{
public:
    QString imei;
    char subRelease = 0;
    int modelType = 0;
    QDateTime saved;
    CCodeplug codeplug;

    QByteArray FileContents() const;
    // AGENT_SUCCESS; AGENT_BACKUP_UNREADABLE for a missing, unreadable, damaged or foreign file;
    // AGENT_PHONE_FORMAT for a backup of a newer format. Never half-loads.
    static int Load(const QString& path, CCodeplugBackup& backup, QString* why = nullptr);
};
