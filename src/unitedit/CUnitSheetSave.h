#pragma once

#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <functional>

// Saving the unit property sheet as one unit of work: every page's save runs inside one transaction
// on the fleet database, and the first page that refuses, or a database error, takes every change of
// the save back, so a unit is never left half saved.
class CUnitSheetSave
{
public:
    // One page's save: success, or why the page refused.
    using Step = std::function<CVelmoraError()>;

    struct Result
    {
        CVelmoraError error; // success when every step ran and the changes were committed
        int failedStep = -1; // the step that refused, or -1 (also when the commit failed)
        explicit operator bool() const { return !error.Stops(); }
    };

    static Result Run(const QSqlDatabase& db, const QList<Step>& steps);
};
