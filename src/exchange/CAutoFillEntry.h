#pragma once

#include "CExchangeList.h"
#include "CExchangePlacement.h"

#include <QList>

#include <QString>

// What one unit contributes to another unit's lists when lists are filled from the fleet: its user
// name cut to what a phone entry holds, its NAM1 number and its private id.
struct CAutoFillEntry
{
    QString imei;
    QString name;   // the unit's user name, first 11 characters
    QString number; // NAM1 phone number; empty: no phone entry
    CExchangePrivateId privateId;
    bool hasPrivateId = false;

    bool HasNumber() const { return !number.isEmpty(); }
    // The private id as a consolidated number; empty without one.
    QString PrivateIdText() const { return hasPrivateId ? privateId.Text() : QString(); }

    // The entry of a unit from its unit_details values: a display private id holding "*" is
    // urban*fleet*member; else the member is the NAM1 private id with urban and fleet 0 (no id when
    // that is 0). A damaged display id gives no private entry rather than a wrong one.
    // What the unit adds to a list of the kind: its number (phone book), its private id (private list),
    // or both (consolidated: number type 0 and 1); nothing it has not got.
    QList<CExchangeEntry> Entries(CExchangeKind kind, int language) const;

    static CAutoFillEntry FromUnit(const QString& imei, const QString& userName, const QString& nam1Number,
                                   const QString& displayPrivateId, int nam1PrivateId);
};
