#pragma once

#include "CConsolNameIndex.h"
#include "CPhoneTextCodec.h"
#include "CPrivateIdForm.h"
#include "CUnitListTwin.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QDateTime>
#include <QList>
#include <functional>

class CVelmoraGridModel;

// What the consolidated call list page edits: the unit's rows of unit_consolid_call_list, worked on
// in the table's "_tmp" twin and committed with the sheet's save. The rows live in a CONSOL_CALL_LIST
// grid model: columns 1 name, 2 number, 3 number type, 4 name index (assigned, read-only), 5..13 the
// record's other fields (hidden), and a hidden column 14 that carries the name's language through
// edits. Entries with the same name share a name index (CConsolNameIndex).
class CUnitConsolCallList
{
public:
    enum : int
    {
        DialogId = 106,
        GridControl = 1209,
        Capacity = 250,
        // Buttons.
        MoveUp = 1029,
        MoveDown = 1032,
        ClearRows = 1019,
        SortByName = 1148, // radio buttons: the sort re-applied after every load
        SortByNumber = 1143,
        SortByType = 1145,
        CopyUserInfo = 1025,
        AutoFill = 1027,
        PhoneBookTransfer = 1262,
        PhoneIcon = 1203,
        OtherIcon = 1197,
    };
    enum : int
    {
        ColName = 1,
        ColNumber = 2,
        ColType = 3,
        ColNameIndex = 4,
        ColTonNP = 5,
        ColCapability = 6,
        ColExtnRec = 7,
        ColLanguage = 8,
        ColVoiceTag = 9,
        ColTimeStamp = 10,
        ColSyncStatus = 11,
        ColTempId = 12,
        ColReserved = 13,
        ColNameLang = 14, // not one of the list type's columns: kept hidden by Attach
        ColumnCount = 14,
    };
    enum : int
    {
        // What an empty hidden cell is saved as.
        DefaultTonNP = 129,
        DefaultCapability = 144,
        DefaultExtnRec = 0,
        DefaultLanguage = 255,
        SyncComplete = 128, // sync status of an entry with a name and a number
    };
    enum : int
    {
        MsgNoNumber = 1777,
        MsgNoType = 1778,
        MsgTypeUnset = 1741,
        MsgDuplicate = 1652, // a unique index refused the list
        MsgSaveFailed = 1487,
        MsgNoMoveRow = 1646,
        MsgNoClearRow = 1602,
        MsgNoFreeIndex = 7610, // every name index is in use
        NoLanguage = -1,       // a phone-book language entry id that cannot be written
    };

    // hebrewInterface: the program runs in Hebrew (the names' code page when the unit has no language).
    explicit CUnitConsolCallList(const CUnitSheetUnit& unit, bool hebrewInterface = false);

    const CUnitSheetUnit& Unit() const { return m_unit; }
    int TabIconId() const { return m_unit.phoneClass >= 2 ? PhoneIcon : OtherIcon; }
    // The private ids as the unit's cross-fleet setting reads them (read by Open).
    const CPrivateIdForm& IdForm() const { return m_idForm; }
    // The clock of the time stamps written on save (tests set one).
    void SetClock(std::function<QDateTime()> nowUtc) { m_nowUtc = std::move(nowUtc); }

    // The grid the rows are in (owned by the grid's view): sized to 14 columns, 14 hidden; its row
    // check is this list's, and its cells refuse as they are left a number its row's type refuses
    // and a name the entry's code page cannot hold.
    void Attach(CVelmoraGridModel* grid);
    CVelmoraGridModel* Grid() const { return m_grid; }

    // Reads the unit's cross-fleet ids, copies its rows into the twin and loads the grid.
    CVelmoraError Open();
    bool IsOpen() const { return m_twin.IsOpen(); }
    // Fills the grid again from the twin (after a dialog rewrote it): 250 rows, the records whose
    // name index is not 0 in record order, then the chosen sort.
    CVelmoraError Reload();

    // The sort button chosen (SortByName, SortByNumber, SortByType, or 0 for none), applied now and
    // after every load.
    void SetSort(int button);
    int SortButton() const { return m_sortButton; }

    // Whether a grid row is empty: no name, no number, no type (or -1).
    bool IsEmptyRow(int row) const;
    // The row check: an empty row passes; else 1777 without a number, 1778 without a type, 1741 for
    // a type of -1; then the number check of its type.
    CVelmoraError CheckRow(int row) const;
    CVelmoraError CheckNumber(int type, const QString& number) const;
    // The check of a typed name of a row: every character in the entry's code page (its language,
    // else the unit's).
    CVelmoraError CheckName(int row, const QString& name) const;
    // Checks a row and, when it passes, puts its name index in column 4 (7610 when none is free).
    CVelmoraError CheckAndIndexRow(int row);
    // The name index row would get among the other rows of the grid.
    int NameIndexFor(int row) const;
    // The grid's rows with a name index or a number, as the name-index rule sees them, in row
    // order; exceptRow is left out (0: none).
    QList<CConsolIndexEntry> IndexEntries(int exceptRow = 0) const;

    // Moves the first selected row up or down by one (newRow: where it went). None: 1646.
    CVelmoraError Move(const QList<int>& selectedRows, bool up, int& newRow);
    // Empties every column of the selected rows. None: 1602.
    CVelmoraError Clear(const QList<int>& selectedRows);

    // Checks and indexes every row, then replaces the unit's twin rows with the rows that have a
    // number (record number = grid row), with the time stamp of now. Stops at the first row that
    // fails (failedRow, 0-based grid row index).
    CUnitListWriteResult WriteBack();
    // Write-back, then the unit's rows of the table from the twin, inside the sheet's transaction;
    // a unique index that refuses the rows gives 1652. changed: the stored rows differ.
    CVelmoraError Save(bool& changed);
    // The grid row (1-based) whose check stopped the last write-back, or 0.
    int LastFailedRow() const { return m_lastFailedRow; }
    // Empties the twin (OK and Cancel); failure is 1487.
    CVelmoraError Close();

    // The twin, for the dialogs that read or rewrite the page's rows (phone-book transfer, auto fill).
    CUnitListTwin& Twin() { return m_twin; }

    // A database error text that says a unique index refused a row.
    static bool IsUniqueViolation(const CVelmoraError& error);

private:
    CVelmoraError ReadCrossFleet();
    CVelmoraError LoadGrid();
    int TypeOf(int row) const;
    void SwapRows(int a, int b);

    CUnitSheetUnit m_unit;
    CUnitListTwin m_twin;
    CPrivateIdForm m_idForm;
    bool m_hebrewInterface = false;
    CPhoneTextCodec::CodePage m_unitPage = CPhoneTextCodec::Latin;
    CVelmoraGridModel* m_grid = nullptr;
    int m_sortButton = 0;
    int m_lastFailedRow = 0;
    std::function<QDateTime()> m_nowUtc;
};
