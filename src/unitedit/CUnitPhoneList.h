#pragma once

#include "CPhoneTextCodec.h"
#include "CUnitListTwin.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QList>

class CVelmoraGridModel;

// What the phone list page edits: the unit's speed-dial phone book (unit_phone_details), a row per
// speed-dial number, worked on in the table's "_tmp" twin and committed with the sheet's save. The
// rows live in a PHONE_LIST grid model that the page shows (tests use the model alone): column 1 the
// name, 2 the number, 3 the program flag ("1" or "0").
class CUnitPhoneList
{
public:
    enum : int
    {
        DialogId = 103,
        GridControl = 1155,
        // Buttons.
        MoveUp = 1029,
        MoveDown = 1032,
        ClearRows = 1019,
        SortByName = 1148,
        SortByNumber = 1143,
        CopyUserInfo = 1025,
        AutoFill = 1027,
        PhoneBookTransfer = 1262,
        // Tab icons.
        PhoneIcon = 1203,
        OtherIcon = 1197,
        // The grid's sort requests.
        SortRequestName = 1,
        SortRequestNumber = 2,
    };
    enum : int
    {
        ColName = 1,
        ColNumber = 2,
        ColProgram = 3,
    };
    enum : int
    {
        MsgBadNumber = 1847,  // empty number or a character outside the dial string
        MsgNoMoveRow = 1646,  // move without a selected row
        MsgNoClearRow = 1602, // clear without a selected row
        MsgSaveFailed = 1487, // the page's save or clean-up failed
        NoLanguage = -1,      // a phone-book language entry id that cannot be written
    };

    // hebrewInterface: the program runs in Hebrew (the names' code page when the unit has no language).
    explicit CUnitPhoneList(const CUnitSheetUnit& unit, bool hebrewInterface = false);

    const CUnitSheetUnit& Unit() const { return m_unit; }
    // The model's phone-book capacity: the grid's row count.
    int Capacity() const { return m_unit.profile.capacities.phoneBook; }
    int TabIconId() const { return m_unit.phoneClass >= 2 ? PhoneIcon : OtherIcon; }
    // Phone-book transfer is for the Alder family only.
    bool TransferShown() const { return m_unit.IsAlder(); }
    // The code page the unit's names go to the phone in.
    const CPhoneTextCodec& Codec() const { return m_codec; }

    // The grid the rows are in; it is sized and filled by Open and Reload, and its name cells refuse
    // characters outside the unit's code page as they are typed.
    void Attach(CVelmoraGridModel* grid);
    CVelmoraGridModel* Grid() const { return m_grid; }

    // Copies the unit's rows into the twin and fills the grid from it.
    CVelmoraError Open();
    bool IsOpen() const { return m_twin.IsOpen(); }
    // Fills the grid again from the twin (after a dialog rewrote it), capacity rows.
    CVelmoraError Reload();

    // The check of grid row `row` (its number); rows without name and number pass.
    CVelmoraError CheckRow(int row) const;
    static CVelmoraError CheckNumber(const QString& number);

    // Moves the first selected row up or down by one (the selection follows: newRow); the first row
    // up and the last row down stay. No selected row: 1646.
    CVelmoraError Move(const QList<int>& selectedRows, bool up, int& newRow);
    // Empties every selected row. None selected: 1602.
    CVelmoraError Clear(const QList<int>& selectedRows);
    // Sorts by name (1148) or number (1143), empty rows last.
    void Sort(int column);
    // A sort the grid asks for (1 by name, 2 by number); false for another request.
    bool HandleSortRequest(int request);

    // Replaces the unit's twin rows with the grid's non-empty rows, each at its speed-dial number.
    // Stops at the first row that fails its check (failedRow).
    CUnitListWriteResult WriteBack();
    // Write-back, then the unit's rows of the table from the twin; inside the sheet's transaction.
    // changed: whether the stored phone book differs from what it was.
    CVelmoraError Save(bool& changed);
    // The grid row whose check stopped the last write-back, or 0.
    int LastFailedRow() const { return m_lastFailedRow; }
    // Empties the twin (OK and Cancel); failure is 1487 for the page to show.
    CVelmoraError Close();

    // The twin, for the dialogs that read or rewrite the page's rows.
    CUnitListTwin& Twin() { return m_twin; }

private:
    CVelmoraError LoadGrid();
    void SwapRows(int a, int b);
    bool RowCounts(int row) const;

    CUnitSheetUnit m_unit;
    bool m_hebrewInterface = false;
    CPhoneTextCodec m_codec;
    CUnitListTwin m_twin;
    CVelmoraGridModel* m_grid = nullptr;
    int m_lastFailedRow = 0;
};
