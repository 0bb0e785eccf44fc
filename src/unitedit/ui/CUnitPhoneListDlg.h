#pragma once

#include "CUnitPhoneList.h"
#include "CUnitSheetPage.h"

#include <QHash>

class CUnitListReloadFlags;
class CVelmoraGridWnd;
class QLabel;
class QPushButton;
struct CGridSettings;

// The phone list page of the unit property sheet: the unit's speed-dial phone book in a PHONE_LIST
// grid, a row per speed-dial number, with move, clear and sort buttons. CUnitPhoneList loads, checks
// and saves it through the "_tmp" twin; the page shows it. Phone-book transfer (Alder units) opens its
// dialog on the sheet's lists; copy user info and auto fill stay disabled until their dialogs exist.
class CUnitPhoneListDlg : public CUnitSheetPage
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = CUnitPhoneList::DialogId,
        EntryCountLabel = 1156,
    };

    // reloadFlags: the sheet's, or nullptr outside a sheet.
    CUnitPhoneListDlg(const CUnitSheetUnit& unit, bool hebrew, CUnitListReloadFlags* reloadFlags,
                      QWidget* parent = nullptr);
    ~CUnitPhoneListDlg() override;

    CUnitPhoneList& List() { return m_list; }
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QPushButton* Button(int controlId) const { return m_buttons.value(controlId); }
    QLabel* EntryCount() const { return m_count; }

    // The page's buttons, also for tests.
    void PressButton(int controlId);
    // The grid asks for a sort (1 by name, 2 by number).
    void OnSortRequest(int request);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    void OnSheetClosed(bool accepted) override;
    bool WriteBackForDialog() override;
    void ReloadFromTwin() override;

    static CGridSettings GridSettingsOf(const CUnitSheetUnit& unit, bool hebrew);

private:
    void BuildControls(bool hebrew);
    QPushButton* AddButton(int controlId, int textId, int bitmapId);
    void Move(bool up);
    void UpdateCount();
    void ShowErrorOf(const CVelmoraError& error);

    CUnitPhoneList m_list;
    CUnitListReloadFlags* m_reloadFlags = nullptr;
    CVelmoraGridWnd* m_grid = nullptr;
    QLabel* m_count = nullptr;
    QHash<int, QPushButton*> m_buttons;
};
