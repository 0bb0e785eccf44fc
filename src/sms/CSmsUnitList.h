#pragma once

#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>

// The units a message can go to: each unit's user name and its first NAM's phone number, read from a
// fleet, and the recipients text made of the units the user ticked.
class CSmsUnitList
{
public:
    struct Unit
    {
        QString name;
        QString number;
        bool checked = false;
    };

    // The fleet's units, sorted on the user name.
    static QList<Unit> Read(const QSqlDatabase& db, CVelmoraError& error);
    // "n1;n2;" of the ticked units that have a number.
    static QString Recipients(const QList<Unit>& units);
    // How many ticked units have a number.
    static int CheckedNumbers(const QList<Unit>& units);
    // Ticks every unit, or only the first freeSlots units with a number when there are more.
    static void SelectAll(QList<Unit>& units, int freeSlots);
};
