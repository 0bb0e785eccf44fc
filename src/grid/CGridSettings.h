#pragma once

#include <QFont>
#include <QString>
#include <array>

// What a list grid needs from the application: the list capacities of the model being edited, the
// choice lists, the fonts, the Enter-key setting and the reading direction. Dialogs fill it from
// the application object before they create a grid.
struct CGridSettings
{
    // Row capacities of the lists; the NAM-dependent ones are indexed by NAM - 1.
    struct Capacities
    {
        int phoneBook = 0;
        std::array<int, 3> privateList{};
        std::array<int, 3> talkgroups{};
        std::array<int, 3> scanList{};
        std::array<int, 3> statusMessages{};
        int consolidated = 250;
    };

    // Where Enter moves the current cell after ending an edit.
    enum EnterKeyAction
    {
        EnterStays = 0,
        EnterMovesUp = 1,
        EnterMovesDown = 2,
        EnterMovesLeft = 3,
        EnterMovesRight = 4, // like Tab: wraps to the next row and may append one
    };

    Capacities capacities;
    QString callListTypeChoices; // "text\tvalue\n" lines: the number types 0..9
    QString modelChoices;        // "text\tvalue\n" lines: the model list
    QFont gridFont;
    QFont gridFont2;
    bool hasFonts = false; // false: the view's own font
    int enterKeyAction = EnterStays;
    bool rightToLeft = false;
};
