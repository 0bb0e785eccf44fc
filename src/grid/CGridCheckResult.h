#pragma once

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
};
