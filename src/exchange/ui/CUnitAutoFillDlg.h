#pragma once

#include "CUnitAutoFill.h"

#include <QDialog>
#include <QHash>

class CGridSettings;
class CUnitPropertySheet;
class CVelmoraGridWnd;
class QLabel;
class QPushButton;

// The auto fill dialog of a list page: the other units of the fleet the list can take, checked in the
// grid, added to the page's twin with Add. Select all checks every row.
class CUnitAutoFillDlg : public QDialog
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 116,
        GridControl = 1232,
        AddButton = 1027,
        SelectAllButton = 1028,
        CloseButton = 2,
        ColImei = 1,
        ColMark = 2,
        ColName = 3,
        ColPrivateId = 4,
        ColNumber = 5,
    };

    CUnitAutoFillDlg(CUnitAutoFill fill, const CGridSettings& settings, QWidget* parent = nullptr);

    // Fills the grid with the units the list can take; false after the database's message.
    bool Load();
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QPushButton* Button(int id) const { return m_buttons.value(id); }
    // Entries added since the dialog opened.
    int Added() const { return m_added; }
    // The buttons' work, also for tests.
    void PressButton(int controlId);

    // The Auto fill button of a list page of the sheet: the page's rows go to its twin, the dialog
    // adds to it, and the page shows the twin again when anything was added. True then.
    static bool RunFromSheet(CUnitPropertySheet& sheet, int page, QWidget* parent);

private:
    void AddSelected();

    CUnitAutoFill m_fill;
    CVelmoraGridWnd* m_grid = nullptr;
    QHash<int, QPushButton*> m_buttons;
    int m_added = 0;
};
