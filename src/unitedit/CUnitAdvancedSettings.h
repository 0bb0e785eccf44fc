#pragma once

#include "CUnitErgoRecord.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QHash>
#include <QList>
#include <QString>

// The Advanced page of the unit property sheet without its widgets: its combo boxes (entries and
// selection), the two timer edits and the check boxes as values with enabled flags, worked out from
// the model's ergonomic field flags, its catalogue row (languages, plus series) and the carrier's
// net-mode switch. Controls are named by their control ids. Load reads the unit's settings record
// (making it when missing); Check and Save run when the page is left and when the sheet applies it.
class CUnitAdvancedSettings
{
public:
    // Control ids.
    enum Control : int
    {
        PowerMode = 1162,           // combo, item index
        TalkgroupType = 1163,       // combo, item index
        ActiveLine = 1164,          // combo, item index
        Line1RingTone = 1167,       // combo "1".."9", item index
        Line2RingTone = 1168,       // combo "1".."9", item index
        BaudRate = 1165,            // combo of rates, see BaudEntries
        Language = 1871,            // combo, item data is the language code
        AutoPowerDownTimer = 1135,  // edit with spin
        CallAlertStackTimer = 1136, // edit
        Iso = 1113,                 // check
        SilentAudio = 1240,         // check
        NetMode = 1112,             // check
    };
    enum : int
    {
        TimerMin = 0,
        TimerMax = 71582,
        TimerMaxLength = 5, // characters each timer edit takes
        RingToneCount = 9,
        BaseBaudRateCount = 5,  // 1200 .. 19200
        PlusBaudRateCount = 8,  // up to 115200
        AutomaticBaudIndex = 8, // the automatic entry of a plus-series model
        NonPlusModelType = 92,  // a plus-series model that keeps the base rates
        StrAutomaticBaud = 1396,
        MsgOutOfRange = 1645, // "%1" to "%2"
    };

    explicit CUnitAdvancedSettings(const CUnitSheetUnit& unit);

    // Control ids by kind, in the page's order.
    static const QList<int>& ComboIds();
    static const QList<int>& EditIds();
    static const QList<int>& CheckIds();

    // Reads the unit's record (adding it, committed at once, when missing), fills the controls and
    // works out which are enabled. Before it every combo selects entry 0 and the baud combo entry 8.
    CVelmoraError Load();
    bool IsLoaded() const { return m_record.IsLoaded(); }
    // The unit had no record and Load made one: the fleet changed, even if the sheet is cancelled.
    bool RecordCreated() const { return m_record.WasCreated(); }

    // Any control id above; an unknown id is disabled.
    bool IsEnabled(int controlId) const;

    // Combos: the entries, and the selected index (-1: nothing selected, shown empty).
    CSheetComboEntries Entries(int comboId) const;
    int Selection(int comboId) const;
    // Selects entry index (-1 or an index past the entries selects nothing).
    void SetSelection(int comboId, int index);

    // Check boxes.
    bool IsChecked(int checkId) const;
    void SetChecked(int checkId, bool checked);

    // Timer edits, as typed.
    QString Text(int editId) const;
    void SetText(int editId, const QString& text);
    // Message 1645 with "0" and "71582" when the edit is enabled and does not hold a number 0..71582.
    CVelmoraError CheckEdit(int editId) const;
    // What must hold before the page may be left or saved (both timers).
    CVelmoraError Check() const;

    // Writes the page's columns into the unit's record, in the caller's transaction; refuses (with
    // Check's error, writing nothing) when the page does not pass. changed (when given) tells whether
    // a stored value changed. A page that was never loaded writes nothing.
    CVelmoraError Save(bool* changed = nullptr);

    const CUnitSheetUnit& Unit() const { return m_unit; }

    // --- The rules behind the lists ---
    // One entry per known code of supportedLang ("0,1,255"): item data the code, caption its language
    // name; unknown codes and codes above 255 are left out.
    static CSheetComboEntries LanguageEntries(const QString& supportedLang);
    // Caption string id of a language code, or 0 for a code the list leaves out.
    static int LanguageStringId(int code);
    // "1200" .. "19200"; a plus-series model other than model type 92 also gets "38400", "57600",
    // "115200" and the automatic entry (item data 0).
    static CSheetComboEntries BaudEntries(bool plusSeries, int modelType);
    // The entry a stored rate selects: 8 (automatic) when autoBaud, else by the rate's first two digits
    // (12, 24, 48, 96, 19, 38, 57, 11), else 8.
    static int BaudIndexFor(int baudRate, bool autoBaud);
    // The rate of entries 0..7; any other selection stores rate 0 with the automatic flag.
    static int BaudRateAt(int index);

private:
    struct ComboBox
    {
        CSheetComboEntries entries;
        int selection = 0;
        bool enabled = false;
    };
    struct EditBox
    {
        QString text;
        bool enabled = false;
        int stored = 0;
    };
    struct CheckBox
    {
        bool checked = false;
        bool enabled = false;
    };
    void BuildLists();
    void Fill();
    void ApplyEnableRules();

    CUnitSheetUnit m_unit;
    CUnitErgoRecord m_record;
    QHash<int, ComboBox> m_combos;
    QHash<int, EditBox> m_edits;
    QHash<int, CheckBox> m_checks;
};
