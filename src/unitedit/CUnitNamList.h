#pragma once

#include "CGridCheckResult.h"
#include "CGridSettings.h"
#include "CNamListKind.h"
#include "CPrivateIdForm.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QList>
#include <memory>

class CUnitListTwin;
class CVelmoraGridModel;

// How a check or write-back of the grid went: the message, and the cell to put right (grid numbers).
struct CNamListResult
{
    CVelmoraError error;
    int row = -1;
    int col = -1;
    // The list says 1498 after the error: the scan and status lists' failed write-back.
    bool saysNotSaved = false;
    explicit operator bool() const { return !error.Stops(); }
};

// One per-NAM list of a unit as its page edits it, without widgets: the NAM selector, the rows of the
// current NAM in a list grid's model (columns: 1 name or text, 2 id, 3 program flag "1"/"0"), loaded
// from and written back to the list's "_tmp" twin per NAM, the row checks, clear, move, sorts and mark
// all, and saving inside the sheet's transaction. The other NAMs' rows wait in the twin, so switching
// NAMs keeps every edit until the sheet's OK or Cancel.
class CUnitNamList
{
public:
    enum : int
    {
        NameColumn = 1,
        IdColumn = 2,
        ProgramColumn = 3,
        MsgOutOfRange = 1645, // "%1" to "%2"
        MsgNoRowsSelected = 1602,
        MsgNoRowToMove = 1646,
        MsgNamNotLoaded = 1497,
        MsgListNotSaved = 1498,
        MsgPageNotSaved = 1487,
        NamCaptionBase = 1707, // "NAM 1", "NAM 2", "NAM 3"
    };

    CUnitNamList(const CNamListKind& kind, const CUnitSheetUnit& unit);
    ~CUnitNamList();

    const CNamListKind& Kind() const { return m_kind; }
    const CUnitSheetUnit& Unit() const { return m_unit; }

    // The NAMs the selector offers: those with a capacity for this list, then no more than the phone's
    // NAMs (one NAM: the first entry only; two: not the third).
    static QList<int> NamEntries(const CNamListKind& kind, const CModelProfile::ListCapacities& capacities,
                                 int namCount);
    QList<int> NamEntries() const;
    int CurrentNam() const { return m_nam; }
    int Capacity() const { return Capacity(m_nam); }
    int Capacity(int nam) const;
    // The grid settings' capacities of the unit's model.
    CGridSettings::Capacities GridCapacities() const;

    // The model of the grid that shows the rows (owned by the grid); set before Open. The grid then
    // refuses an id as its cell is left, with the message the write-back would give.
    void SetModel(CVelmoraGridModel* model);
    CVelmoraGridModel* Model() const { return m_model; }

    // Copies the unit's rows into the twin, reads the unit's cross-fleet ids and loads the first
    // NAM of the selector.
    CVelmoraError Open();
    bool IsOpen() const;
    // The private ids' display and reading (cross-fleet) of the current NAM.
    const CPrivateIdForm& IdForm() const { return m_idForm; }

    // The check of a typed cell: ids in range (private ids as the cross-fleet setting reads them).
    CGridCheckResult CheckCell(int col, const QString& text) const;
    // Checks every row with an id: the range (1645 with the bounds) or, for private ids, the
    // cross-fleet reading (1854); a private id that passes is shown in its short form.
    CNamListResult CheckRows();
    // Checks, then replaces the current NAM's rows in the twin with the grid's rows that have an id.
    CNamListResult WriteBack();
    // Writes the current NAM back, then shows nam's rows. A failed write-back keeps the NAM;
    // a failed load says 1497.
    CNamListResult SelectNam(int nam);
    // Reloads the current NAM's rows from the twin.
    CVelmoraError Reload();

    // Empties the rows (grid numbers): no name, no id, not programmed. None: 1602.
    CVelmoraError Clear(const QList<int>& rows);
    // Moves the first of the rows one up or down; row gets the row it went to. None: 1646.
    CVelmoraError Move(const QList<int>& rows, bool up, int* row = nullptr);
    // Sorts by column 1 or 2 (the kind's sort buttons).
    void Sort(int col);
    // Sets (or clears) the program flag of every row with an id.
    void MarkAll(bool mark);

    // The page's part of the sheet's save, inside its transaction: write-back and commit. changed
    // tells whether the unit's stored rows differ afterwards.
    CNamListResult Save(bool& changed);
    // Empties the twin (OK and Cancel of the sheet).
    CVelmoraError Close();

private:
    CVelmoraError ReadCrossFleet();
    CVelmoraError Load();
    CNamListResult CheckRow(int row, CPrivateIdForm::Id* id);
    // A private id loaded while cross-fleet is off, with the name of its entry.
    struct HiddenId
    {
        CPrivateIdForm::Id id;
        QString name;
    };
    void KeepHiddenParts(QList<HiddenId>& hidden, int row, CPrivateIdForm::Id& id) const;

    const CNamListKind& m_kind;
    CUnitSheetUnit m_unit;
    std::unique_ptr<CUnitListTwin> m_twin;
    CVelmoraGridModel* m_model = nullptr;
    int m_nam = 1;
    bool m_crossFleet = false;
    int m_currentNamSelection = 1;
    std::array<int, CModelProfile::NamSlots> m_ownUrban{};
    std::array<int, CModelProfile::NamSlots> m_ownFleet{};
    CPrivateIdForm m_idForm;
    QList<HiddenId> m_hiddenIds; // the current NAM's, cross-fleet off
};
