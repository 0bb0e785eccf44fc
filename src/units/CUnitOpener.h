#pragma once

#include <QSqlDatabase>
#include <QString>

class CModelRules;

// What the unit property sheet is opened with: the stored unit's identity, model and versions, and
// what the model rules answered for it.
struct CUnitOpenInfo
{
    QString imei;
    qint64 recNum = 0;
    int modelType = 0;
    int releaseId = 0;
    int subReleaseId = 0;
    int structureVersion = 0;
    int simVersion = 0;
    bool crossFleet = false;    // as stored
    bool rowCrossFleet = false; // as the row shows it
    int phoneClass = 1;
    QString modelKey; // sub-model key or model number
    int phoneBookLangEntryId = 0;
};

// Prepares the opening of a stored unit: reads its record, refuses one without a record number
// (1634) or IMEI (program error -260), sets the model rules up for its model and reads the model's
// phone-book language entry id.
class CUnitOpener
{
public:
    // rowCrossFleet: the row's cross-fleet cell. False after the message when the unit cannot be opened.
    static bool Prepare(const QSqlDatabase& db, const QString& imei, bool rowCrossFleet, CModelRules* rules,
                        CUnitOpenInfo& info);
};
