#pragma once

#include "CUnitNamList.h"
#include "CUnitSheetPage.h"

#include <QHash>

class CVelmoraGridWnd;
class QComboBox;
class QPushButton;

// The pages of the per-NAM lists (private calls, talkgroups, talkgroup scan, status messages): one
// class, told by the list's kind which table, grid, buttons and checks it has. It shows the
// CUnitNamList of the unit and hands the user's requests to it.
class CUnitNamListPage : public CUnitSheetPage
{
    Q_OBJECT

public:
    // Control ids.
    enum : int
    {
        NamCombo = 1158,
        GridControl = 1155,
        MoveUp = 1029,
        MoveDown = 1032,
        Clear = 1019,
        CopyUserInfo = 1025,
        AutoFill = 1027,
        PhoneBookTransfer = 1262,
        MarkAll = 1892,
        UnmarkAll = 1893,
    };

    CUnitNamListPage(const CNamListKind& kind, const CUnitSheetUnit& unit, bool hebrew,
                     QWidget* parent = nullptr);
    ~CUnitNamListPage() override;

    CUnitNamList& List() { return m_list; }
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QComboBox* NamBox() const { return m_nam; }
    QPushButton* Button(int controlId) const { return m_buttons.value(controlId); }

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    void OnSheetClosed(bool accepted) override;
    bool WriteBackForDialog() override;
    void ReloadFromTwin() override;

    // The NAM chosen in the selector (an index of its entries).
    void OnNamChosen(int index);

private:
    // What the Copy button copies: the copy dialog's mode of this list (0: none).
    int CopyMode() const;
    QPushButton* AddButton(int controlId, int textId);
    void OnMove(bool up);
    void OnClear();
    // Shows a refused check or write-back and puts the current cell on the cell to correct.
    void ShowRefusal(const CNamListResult& result);
    void FillNamBox();

    CUnitNamList m_list;
    bool m_hebrew = false;
    CVelmoraGridWnd* m_grid = nullptr;
    QComboBox* m_nam = nullptr;
    QHash<int, QPushButton*> m_buttons;
    bool m_fillingNamBox = false;
};
