#pragma once

#include <QList>
#include <QString>

// The fixed rows of the ergonomic settings list of Alder phones: row 0 is the heading, column 1 the
// caption and column 2 the value. Rows 1 to 26 are the settings of one ring style (in the order of
// the style columns), 27 to 46 the twenty shortcuts, 47 to 56 the quick notes, 58 the SMS status
// report and 60 to 62 the soft keys and the power-up application; 57 and 59 are never shown.
// The value cells are texts, check boxes ("1" / "0") or choice lists of "text<TAB>value" lines whose
// values are what the fleet stores.
class CAlderErgoRows
{
public:
    enum : int
    {
        RowCount = 62,
        FirstStyleRow = 1, // the style name
        LastStyleRow = 26,
        FirstShortcutRow = 27,
        LastShortcutRow = 46,
        FirstNoteRow = 47,
        LastNoteRow = 56,
        StatusReportRow = 58,
        LeftKeyRow = 60,
        RightKeyRow = 61,
        PowerUpRow = 62,

        StyleSettings = 26, // rows 1..26
        StyleCount = 11,    // styles 0..10
        MaxStyle = 10,
        ShortcutCount = 20,
        NoteCount = 10,

        StyleNameLength = 16, // characters the phone keeps
        NoteLength = 64,
        ShortcutLength = 10,
    };

    enum class Kind
    {
        Unused, // rows 57 and 59
        Text,
        Check,
        Choice,
    };
    // The choice lists of the value cells.
    enum class List
    {
        None,
        V1,        // ringer, mail and java-or-data volume
        V2,        // keypad volume
        H,         // headset
        R,         // ring style
        T,         // ring type
        T3,        // ring type without "vibrate then ring"
        CallAlert, // the call-alert ring style: its one tone
        B,         // back-light (milliseconds; 4026531839 always on)
        D,         // display
        F1,        // call filter, phone calls
        F2,        // call filter, notifications
        A,         // auto answer
        M,         // shortcut targets (the phone's menu item ids; 4294967295 none)
        P,         // soft keys
        P0,        // power-up application (P with "none" first)
    };

    struct Entry
    {
        int stringId;     // language text; 0 for the literal text below
        const char* text; // literal display text (numbers, "MO SMS")
        quint32 value;
    };

    // The literal name of the MO SMS quick notes (a section and a shortcut target).
    static QString MoSmsText() { return QStringLiteral("MO SMS"); }
    // The value of "no shortcut", also what an empty shortcut is stored as.
    static QString NoShortcut() { return QStringLiteral("4294967295"); }

    // The caption text id of a row (0 for the unused rows).
    static int CaptionId(int row);
    static Kind KindOf(int row);
    static List ListOf(int row);
    // Characters a text row takes (0 for other rows).
    static int MaxLength(int row);
    static QList<Entry> Entries(List list);
    // The choice list of a list as the grid's combo boxes take it, texts in the running language.
    static QString ChoiceList(List list);
    static QString EntryText(const Entry& entry);
    // The text of a stored value in a list, or an empty string when the list lacks it.
    static QString TextOfValue(List list, quint32 value);

    // The rows a carrier's "HideStyleRows" value hides: row numbers each followed by "#" (commas are
    // taken as well); anything that is no row number 1..62 is passed over.
    static QList<int> ParseHiddenRows(const QString& value);
};
