#pragma once

#include "CAlderErgoFields.h"
#include "CUnitSheetPage.h"

#include <QHash>

class CEditSpin;
class CVelmoraGridWnd;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The ergonomic settings page of Alder units: one ALDER_ERGO_LIST grid of fixed rows (a caption and
// a value cell each), a section chooser that decides which rows are shown, the style number of the
// styles section and the personalised menu's order. CAlderErgoFields holds the unit's ergonomic image
// and the rules; the page shows them. Copy user info opens a dialog of its own and stays disabled
// until it exists.
class CUnitAlderErgoFieldsDlg : public CUnitSheetPage
{
    Q_OBJECT

public:
    using F = CAlderErgoFields;

    CUnitAlderErgoFieldsDlg(const CUnitSheetUnit& unit, const CAlderErgoSwitches& switches, bool hebrew,
                            QWidget* parent = nullptr);
    ~CUnitAlderErgoFieldsDlg() override;

    CAlderErgoFields& Fields() { return m_fields; }
    CVelmoraGridWnd* Grid() const { return m_grid; }
    QComboBox* SectionChooser() const { return m_sections; }
    QLineEdit* StyleNumber() const { return m_styleNumber; }
    CEditSpin* StyleSpin() const { return m_spin; }
    QListWidget* MenuList() const { return m_menu; }
    QLabel* StyleNote() const { return m_note; }
    QPushButton* Button(int controlId) const { return m_buttons.value(controlId); }
    // A control of the page by its id.
    QWidget* Control(int controlId) const;

    // Shows a section (F::Section), storing the visible cells first; false when the chooser does not
    // offer it or the cell in edit refuses to be left.
    bool ShowSection(int section);
    // The page's buttons, also for tests.
    void PressButton(int controlId);

    bool OnInitDialog() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    void SaveCommitted() override { m_fields.SaveCommitted(); }

private:
    void BuildControls(bool hebrew);
    QPushButton* AddButton(int controlId, int textId);
    void BuildRows();
    void FillVisibleRows();
    void FillMenu(int selected);
    void UpdateControls();
    void StoreVisible();
    void OnSectionChosen(int index);
    void OnStyleNumberEdited(const QString& text);
    void MoveMenu(bool up);
    void MoveShortcut(bool up);

    CAlderErgoFields m_fields;
    CVelmoraGridWnd* m_grid = nullptr;
    QComboBox* m_sections = nullptr;
    QLabel* m_styleLabel = nullptr;
    QLineEdit* m_styleNumber = nullptr;
    CEditSpin* m_spin = nullptr;
    QLabel* m_note = nullptr;
    QWidget* m_side = nullptr; // the menu list and the buttons
    QLabel* m_menuLabel = nullptr;
    QListWidget* m_menu = nullptr;
    QHash<int, QPushButton*> m_buttons;
    bool m_filling = false;
    bool m_loadFailed = false; // the defaults are shown and not saved
    bool m_rowsFilled = false; // the grid holds a section's cells
};
