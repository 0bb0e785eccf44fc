#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>

class CModelRules;

// What the phone information page shows of a unit: its codeplug versions, last change, IMEI and model.
struct CUnitPhoneInfo
{
    bool found = false; // the fleet has the unit
    QString structureVersion;
    QString defaultVersion;
    QString lastModified;
    QString imei;
    QString modelNumber;
    QString modelDescription;
    CVelmoraError error; // for the page to show: the model of the unit is not in the catalogue

    // From the unit's row of the fleet; a unit whose model is not in the catalogue has the error -245.
    static CUnitPhoneInfo Load(const QSqlDatabase& fleet, const QString& imei, const CModelRules& rules);
    // "%2.2X" of a codeplug version; empty for 32484, which marks a version never read.
    static QString VersionText(int version);
};
