#pragma once

#include "CUnitBasicSettings.h"
#include "CUnitSheetPage.h"

#include <QHash>

class CEditSpin;
class CFilterEdit;
class CUnitPropertySheet;
class QCheckBox;

// The Basic page of the unit property sheet: the unit's basic phone settings as check boxes and the
// emergency talkgroup (0..255, checked when the edit or the page is left). CUnitBasicSettings decides
// values and enabling; the page shows them.
class CUnitBasicPage : public CUnitSheetPage
{
    Q_OBJECT

public:
    enum : int
    {
        DialogId = 114,
    };

    explicit CUnitBasicPage(const CUnitSheetUnit& unit, QWidget* parent = nullptr);

    const CUnitBasicSettings& Settings() const { return m_settings; }
    QCheckBox* Check(int controlId) const { return m_checks.value(controlId); }
    CFilterEdit* EmergencyEdit() const { return m_emergency; }
    CEditSpin* EmergencySpin() const { return m_spin; }

    bool OnInitDialog() override;
    bool OnKillActive() override;
    CVelmoraError Save(bool& changed) override;
    bool ChangedOnLoad() const override { return m_settings.RecordCreated(); }

private:
    void BuildControls();
    void ShowValues();
    void OnChecked(int controlId, bool checked);
    // The emergency talkgroup edit is left: false (after message 1645) keeps the focus in it.
    bool CheckEmergencyEdit();

    CUnitBasicSettings m_settings;
    QHash<int, QCheckBox*> m_checks;
    CFilterEdit* m_emergency = nullptr;
    CEditSpin* m_spin = nullptr;
};
