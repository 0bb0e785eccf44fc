#pragma once

#include "CModelProfile.h"
#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>

class CModelRules;

// What the unit property sheet is opened with: the stored unit's identity, model and versions, and
// the model profile the catalogue answered for it (owned by the sheet that edits the unit).
struct CUnitOpenInfo
{
    QString imei;
    qint64 recNum = 0;
    int modelType = 0;
    int releaseId = 0;
    int subReleaseId = 0;
    int structureVersion = 0; // as stored (hexadecimal places)
    int simVersion = 0;
    bool crossFleet = false;    // as stored
    bool rowCrossFleet = false; // as the row shows it
    int phoneClass = 1;
    QString modelKey; // sub-model key or model number
    int phoneBookLangEntryId = 0;
    CModelProfile profile;
    // What setting the profile up reported; the unit opens all the same, with what could be set.
    CVelmoraError profileError;

    // The structure version as the settings pages count it (0x16 is 16).
    int StructureNumber() const;
    // Whether the unit's phone and private lock-outs move together, under the given code control.
    bool LockoutsLinked(bool codeControl) const;
};

// Prepares the opening of a stored unit: reads its record, refuses one without a record number
// (1634) or IMEI (program error -260), sets the unit's model profile up and reads the model's
// phone-book language entry id.
class CUnitOpener
{
public:
    // rowCrossFleet: the row's cross-fleet cell. An error when the unit cannot be opened; the caller
    // shows it, or else info.profileError.
    static CVelmoraError Prepare(const QSqlDatabase& db, const QString& imei, bool rowCrossFleet,
                                 const CModelRules* rules, CUnitOpenInfo& info);
};
