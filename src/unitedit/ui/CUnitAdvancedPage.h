#pragma once

#include "CUnitAdvancedSettings.h"
#include "CUnitSheetPage.h"

#include <QHash>

class CFilterEdit;
class QCheckBox;
class QComboBox;

// The Advanced page of the unit property sheet: power, talkgroup and line settings, ring tones, the
// two timers (0..71582, checked when an edit or the page is left), ISO, silent audio, net mode, the
// phone's language and baud rate. CUnitAdvancedSettings decides values, lists and enabling; the page
// shows them.
class CUnitAdvancedPage : public CUnitSheetPage
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 115,
    };

    explicit CUnitAdvancedPage(const CUnitSheetUnit& unit, QWidget* parent = nullptr);

    const CUnitAdvancedSettings& Settings() const { return m_settings; }
    QComboBox* Combo(int controlId) const { return m_combos.value(controlId); }
    CFilterEdit* Edit(int controlId) const { return m_edits.value(controlId); }
    QCheckBox* Check(int controlId) const { return m_checks.value(controlId); }

    bool OnInitDialog() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    bool ChangedOnLoad() const override { return m_settings.RecordCreated(); }

private:
    void BuildControls();
    void ShowValues();
    // A timer edit is left: false (after message 1645) keeps the focus in it.
    bool CheckEdit(int editId);

    CUnitAdvancedSettings m_settings;
    QHash<int, QComboBox*> m_combos;
    QHash<int, CFilterEdit*> m_edits;
    QHash<int, QCheckBox*> m_checks;
};
