#pragma once

#include <QString>

class CAlderErgoQuickNotesRecSet;
class CAlderErgoShortcutsRecSet;
class CAlderErgoStylesRecSet;
class CPersonalizeRecSet;

// The ergonomic groups of Alder phones between the codeplug and the fleet: ring styles, shortcut keys,
// quick notes and the personalised menu. Reads add the unit's rows; writes put the unit's rows back
// into the items they came from, keeping every bit the columns do not hold. Each answers a library
// result (success, or the code of the call that failed).
class CAlderGroups
{
public:
    enum : int
    {
        StyleCount = 11,   // styles 0..10
        SettingCount = 26, // settings 0..25 of a style; their items are CodeplugItem::StyleItem
    };

    static int ReadStyles(const QString& imei, CAlderErgoStylesRecSet& styles);
    static int ReadShortcuts(const QString& imei, CAlderErgoShortcutsRecSet& shortcuts);
    static int ReadQuickNotes(const QString& imei, CAlderErgoQuickNotesRecSet& notes);
    static int ReadPersonalize(const QString& imei, CPersonalizeRecSet& personalize);

    // The recordsets hold the unit's rows (opened for its IMEI, styles and shortcuts by number).
    static int WriteStyles(CAlderErgoStylesRecSet& styles);
    static int WriteShortcuts(CAlderErgoShortcutsRecSet& shortcuts);
    static int WriteQuickNotes(CAlderErgoQuickNotesRecSet& notes);
    static int WritePersonalize(CPersonalizeRecSet& personalize);
};
