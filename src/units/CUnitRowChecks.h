#pragma once

#include "CGridCheckResult.h"
#include "CVelmoraError.h"

#include <QStringList>

class CModelRules;

// What the row checks found: passed, or the column that failed and its message.
struct CUnitRowCheckResult
{
    bool ok = true;
    int column = 0; // grid column of the failed check
    CGridCheckResult message;
};

// The checks a units row passes before it is stored, in their order, stopping at the first failure:
// user name, IMEI length, model, private id (by the cross-fleet flag), IP address. The phone, fax
// and online cells accept anything their cell controls let through, an empty text included.
class CUnitRowChecks
{
public:
    enum : int
    {
        ImeiMinLength = 15
    };

    // cells: the 33 cell texts of the row. On success the IP cell holds its normalised form and the
    // SIM version field gets the one of the row's model, for a new row or a stored unit without one
    // (a stored unit keeps the SIM kind read from its phone).
    // ipEditable false (a stored unit, whose address cell is read-only): an address the user cannot
    // change does not hold the row back.
    // stored: the cells of the unit as stored, for a stored unit. A private id left as it was stored,
    // under the same cross-fleet flag, is not checked again: a SIM phone reports its identity as
    // urban*fleet*member whether or not its model calls across fleets, and editing another cell of
    // that unit must not be refused for it.
    static CUnitRowCheckResult Run(QStringList& cells, const CModelRules* rules, bool ipEditable = true,
                                   const QStringList* stored = nullptr);

    // The SIM version a model's units start with: 1 for a phone without a SIM, 2 for the q700 family,
    // 3 for the Alder platform (its phone class).
    static int SimVersionOfModel(int modelType, const CModelRules* rules);
};
