#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>

// Editing one unit's list in the table's "_tmp" twin: copy the unit's rows there, edit the copy, then
// either commit (replace the unit's rows with the copy) or throw the copy away. Only the tables that
// have a twin are accepted. Each gives the database's text of what failed.
class CTmpTwin
{
public:
    static bool HasTwin(const QString& table);

    // Replaces the unit's rows in the twin with a copy of its rows in the table.
    static CVelmoraError CopyToTwin(const QSqlDatabase& db, const QString& table, const QString& imei);
    // Replaces the unit's rows in the table with its rows in the twin, in one transaction.
    static CVelmoraError CommitFromTwin(const QSqlDatabase& db, const QString& table, const QString& imei);
    // Empties the twin (every unit).
    static CVelmoraError ClearTwin(const QSqlDatabase& db, const QString& table);
};
