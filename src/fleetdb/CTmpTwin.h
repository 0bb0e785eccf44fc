#pragma once

#include <QSqlDatabase>
#include <QString>

// Editing one unit's list in the table's "_tmp" twin: copy the unit's rows there, edit the copy, then
// either commit (replace the unit's rows with the copy) or throw the copy away. Only the tables that
// have a twin are accepted.
class CTmpTwin
{
public:
    static bool HasTwin(const QString& table);

    // Replaces the unit's rows in the twin with a copy of its rows in the table.
    static bool CopyToTwin(const QSqlDatabase& db, const QString& table, const QString& imei,
                           QString* error = nullptr);
    // Replaces the unit's rows in the table with its rows in the twin, in one transaction.
    static bool CommitFromTwin(const QSqlDatabase& db, const QString& table, const QString& imei,
                               QString* error = nullptr);
    // Empties the twin (every unit).
    static bool ClearTwin(const QSqlDatabase& db, const QString& table, QString* error = nullptr);
};
