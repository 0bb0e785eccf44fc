#pragma once

#include <QSqlDatabase>
#include <QString>

// What the SIM information page shows of a unit: NAM 1 number, private identity, IP address, IMEI.
struct CUnitSimInfo
{
    bool found = false;
    QString phoneNumber;
    QString privateId;
    QString ipAddress;
    QString imei;

    // In the Hebrew interface (language code 3) the identity reads right to left: its parts reversed.
    static CUnitSimInfo Load(const QSqlDatabase& fleet, const QString& imei, int languageCode);
    // "a*b*c" shown as "c*b*a"; a text without "*" as it is.
    static QString ReversedIdentity(const QString& identity);
};
