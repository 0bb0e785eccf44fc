#pragma once

#include "CPhoneTextCodec.h"
#include "CVelmoraError.h"

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

    // Style names and quick notes are in the unit's code page (codec).
    static int ReadStyles(const QString& imei, CAlderErgoStylesRecSet& styles, const CPhoneTextCodec& codec);
    static int ReadShortcuts(const QString& imei, CAlderErgoShortcutsRecSet& shortcuts);
    static int ReadQuickNotes(const QString& imei, CAlderErgoQuickNotesRecSet& notes,
                              const CPhoneTextCodec& codec);
    static int ReadPersonalize(const QString& imei, CPersonalizeRecSet& personalize);

    // The recordsets hold the unit's rows (opened for its IMEI, styles and shortcuts by number).
    // A text the code page cannot hold is not written (AGENT_INVALID_REQUEST); CheckTexts first names it.
    static int WriteStyles(CAlderErgoStylesRecSet& styles, const CPhoneTextCodec& codec);
    static int WriteShortcuts(CAlderErgoShortcutsRecSet& shortcuts);
    static int WriteQuickNotes(CAlderErgoQuickNotesRecSet& notes, const CPhoneTextCodec& codec);
    // Passes, or the message naming the first character of a style name or quick note the code page
    // cannot hold. Either recordset may be null (not written).
    static CVelmoraError CheckTexts(CAlderErgoStylesRecSet* styles, CAlderErgoQuickNotesRecSet* notes,
                                    const CPhoneTextCodec& codec);
    static int WritePersonalize(CPersonalizeRecSet& personalize);
};
