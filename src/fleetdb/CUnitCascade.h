#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Keeps a unit's rows together across the fleet tables: when its IMEI changes every child row follows
// it, and when it is deleted every row of it goes. Each runs in one transaction: all or nothing. The
// tables come from the schema's roles.
class CUnitCascade
{
public:
    // Tables whose rows follow an IMEI change (unit_details itself is the caller's: the units grid
    // stores it).
    static QStringList ImeiChangeTables();
    // Tables a unit is deleted from, unit_details first.
    static QStringList DeleteTables();

    // On a database error nothing is changed and the database's text comes back.
    static CVelmoraError ChangeImei(const QSqlDatabase& db, const QString& oldImei, const QString& newImei);
    static CVelmoraError DeleteUnit(const QSqlDatabase& db, const QString& imei);
    static CVelmoraError DeleteUnits(const QSqlDatabase& db, const QStringList& imeis);
};
