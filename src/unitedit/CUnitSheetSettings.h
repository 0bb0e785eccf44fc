#pragma once

#include <QString>

// The program settings the unit property sheet reads besides the application's: whether the list
// pages of Alder units are left out ("List Pages Off", "0" or "1") and the main frame's connection
// mode ("Connection Mode"; 2 leaves out the consolidated call list and ergonomic pages). A missing or
// unreadable value keeps its default.
struct CUnitSheetSettings
{
    bool listPagesOff = false;
    int connectionMode = 0;

    static QString ListPagesOffName() { return QStringLiteral("List Pages Off"); }
    static QString ConnectionModeName() { return QStringLiteral("Connection Mode"); }
    // The values of the settings store.
    static CUnitSheetSettings FromStore();
};
