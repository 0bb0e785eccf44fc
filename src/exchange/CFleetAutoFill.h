#pragma once

#include "CAutoFillEntry.h"
#include "CExchangeCapacities.h"
#include "CVelmoraError.h"

#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <functional>

class CModelRules;

// Fills every unit's lists with every other unit of the fleet, in the stored tables: an Alder unit
// (phone class 3) gets each other unit's NAM1 number and private id in its consolidated call list;
// any other unit gets the private id in its NAM1 private-call list and the number in its phone list.
// Entries already there are not added again; each entry takes the first free location. A full list
// takes nothing more and its unit is named in the report. The whole run is one transaction: a failure
// or a cancel leaves the fleet as it was.
class CFleetAutoFill
{
public:
    // Targets done of the total; false stops the run (and undoes it).
    using Progress = std::function<bool(int done, int total)>;

    struct Report
    {
        CVelmoraError error; // a database failure or Cancelled; nothing was changed then
        int units = 0;
        int added = 0;         // entries added over the fleet
        QStringList fullUnits; // "name (IMEI)" of the units whose lists ran full, in fleet order
        QStringList fullImeis;
    };

    CFleetAutoFill(const QSqlDatabase& db, const CModelRules& rules);

    Report Run(const Progress& progress = {});

private:
    struct Unit
    {
        CAutoFillEntry entry;
        QString userName;
        int modelType = 0;
        int releaseId = 0;
        int subReleaseId = 0;
    };
    struct ModelInfo
    {
        bool known = false;
        int phoneClass = 1;
        int phoneBook = 0;
        int privateList = 0; // NAM 1
        int consolidated = 0;
        int language = 0;
    };

    CVelmoraError LoadUnits(QList<Unit>& units) const;
    const ModelInfo& InfoOf(const Unit& unit);
    // Adds every other unit to one list of the target; a full list sets full and ends the adds.
    CVelmoraError Fill(const Unit& target, CExchangeKind kind, int capacity, int language,
                       const QList<Unit>& units, int& added, bool& full);

    QSqlDatabase m_db;
    const CModelRules& m_rules;
    CExchangeCapacities m_capacities;   // each model's rules read once
    QHash<QString, ModelInfo> m_models; // by model, release and sub-release
};
