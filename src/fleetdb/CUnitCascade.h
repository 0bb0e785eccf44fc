#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Keeps a unit's rows together across the fleet tables: when its IMEI changes every child row follows
// it, and when it is deleted every row of it goes. Each runs in one transaction: all or nothing.
class CUnitCascade
{
public:
    // Tables whose rows follow an IMEI change, in the order they are updated (unit_details itself is
    // the caller's: the units grid stores it).
    static const QStringList& ImeiChangeTables();
    // Tables a unit is deleted from, in order, unit_details first.
    static const QStringList& DeleteTables();

    // On a database error the database's text is shown and nothing is changed.
    static bool ChangeImei(const QSqlDatabase& db, const QString& oldImei, const QString& newImei);
    static bool DeleteUnit(const QSqlDatabase& db, const QString& imei);
    static bool DeleteUnits(const QSqlDatabase& db, const QStringList& imeis);
    // Same, without a message: the error text goes to *error.
    static bool DeleteUnitsQuietly(const QSqlDatabase& db, const QStringList& imeis, QString* error);
};
