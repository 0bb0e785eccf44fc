#include "CUnitSheetSave.h"

#include "CTransaction.h"

CUnitSheetSave::Result CUnitSheetSave::Run(const QSqlDatabase& db, const QList<Step>& steps)
{
    Result result;
    CTransaction transaction(db);
    if (!transaction.IsActive()) {
        result.error = CVelmoraError::Text(transaction.LastError());
        return result;
    }
    for (int i = 0; i < steps.size(); ++i) {
        CVelmoraError error = steps[i] ? steps[i]() : CVelmoraError();
        if (error.Stops()) {
            // The guard takes back what the earlier pages wrote.
            transaction.Rollback();
            result.error = error;
            result.failedStep = i;
            return result;
        }
    }
    if (!transaction.Commit())
        result.error = CVelmoraError::Text(transaction.LastError());
    return result;
}
