#pragma once

#include "CVelmoraError.h"

#include <QString>
#include <QStringList>

// The answer of a cell or row check: passed, or failed with a message (id and placeholder
// values) or silently.
struct CGridCheckResult
{
    bool ok = true;
    int messageId = 0; // 0 with ok false: the check failed without a message
    QStringList args;

    static CGridCheckResult Pass() { return {}; }
    static CGridCheckResult Fail(int id, const QStringList& values = {}) { return {false, id, values}; }
    static CGridCheckResult FailSilently() { return {false, 0, {}}; }

    // The message text in the running language, placeholders filled.
    QString Text() const;
    // The message as an error value to show: by its id, or as its text when it has placeholders to
    // fill; none for a pass or a silent failure.
    CVelmoraError Error() const;
};
