#pragma once

#include "CUnitConsolCallList.h"
#include "CUnitSheetPage.h"

#include <QHash>
#include <functional>

class CUnitListReloadFlags;
class CVelmoraGridWnd;
class QAbstractButton;
class QLabel;
class QPushButton;
class QRadioButton;
struct CGridSettings;

// The consolidated call list page of the unit property sheet (Alder phones): the unit's entries in a
// CONSOL_CALL_LIST grid of 250 rows, with move, clear and sort, and the number-type combo. The logic
// (CUnitConsolCallList) loads, checks, indexes and saves through the "_tmp" twin; the page shows it.
// The phone-book transfer button opens what the sheet installs with SetTransferOpener.
class CUnitConsolCallListDlg : public CUnitSheetPage
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = CUnitConsolCallList::DialogId,
        EntryCountLabel = 1210,
        SortGroup = 1146,
    };

    // Opens the phone-book transfer on the page's twins (the page has written its grid back first);
    // true when the dialog ended with OK and rewrote them.
    using TransferOpener = std::function<bool(CUnitConsolCallListDlg& page)>;

    // reloadFlags: the sheet's, or nullptr outside a sheet.
    CUnitConsolCallListDlg(const CUnitSheetUnit& unit, bool hebrew, CUnitListReloadFlags* reloadFlags,
                           QWidget* parent = nullptr);
    ~CUnitConsolCallListDlg() override;

    CUnitConsolCallList& List() { return m_list; }
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QAbstractButton* Button(int controlId) const { return m_buttons.value(controlId); }
    QLabel* EntryCount() const { return m_count; }

    // Button 1262: enabled (Alder units) once an opener is set. After an OK of the dialog the page
    // reloads its grid and flags the phone list and private list pages for a reload.
    void SetTransferOpener(TransferOpener opener);

    // The page's buttons, also for tests (a sort button also checks its radio button).
    void PressButton(int controlId);
    // The Delete key of the grid: clears the selected entries.
    void OnDeleteKey();

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    void OnSheetClosed(bool accepted) override;

    static CGridSettings GridSettingsOf(const CUnitSheetUnit& unit, bool hebrew);

private:
    void BuildControls(bool hebrew);
    // Column widths before the user saved any.
    void ApplyDefaultWidths();
    QPushButton* AddButton(int controlId, int textId, int bitmapId);
    QRadioButton* AddSort(int controlId, int textId);
    void Move(bool up);
    void OpenTransfer();
    void UpdateCount();
    void ShowErrorOf(const CVelmoraError& error);

    CUnitConsolCallList m_list;
    CUnitListReloadFlags* m_reloadFlags = nullptr;
    CVelmoraGridWnd* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QHash<int, QAbstractButton*> m_buttons;
    TransferOpener m_transferOpener;
};
