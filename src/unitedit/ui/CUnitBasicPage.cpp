#include "CUnitBasicPage.h"

#include "CEditSpin.h"
#include "CFilterEdit.h"
#include "CUnitEditIcons.h"
#include "CUnitSheetLayout.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

using B = CUnitBasicSettings;

// Caption of each check box.
int CaptionOf(int controlId)
{
    switch (controlId) {
    case B::AutoRadioLock:
        return UnitEditText::BasicAutoRadioLock;
    case B::ResetPasscode:
        return UnitEditText::BasicResetPasscode;
    case B::OneMinuteBeep:
        return UnitEditText::BasicOneMinuteBeep;
    case B::Vadk:
        return UnitEditText::BasicVadk;
    case B::GroupCallTone:
        return UnitEditText::BasicGroupCallTone;
    case B::PhoneOnlyMode:
        return UnitEditText::BasicPhoneOnlyMode;
    case B::TalkPermit:
        return UnitEditText::BasicTalkPermit;
    case B::PttId:
        return UnitEditText::BasicPttId;
    case B::AutoDisplayTimer:
        return UnitEditText::BasicAutoDisplayTimer;
    case B::MutedDtmf:
        return UnitEditText::BasicMutedDtmf;
    case B::TalkgroupScan:
        return UnitEditText::BasicTalkgroupScan;
    case B::DeskSetAccessory:
        return UnitEditText::BasicDeskSet;
    case B::CallAlertStack:
        return UnitEditText::BasicCallAlertStackOff;
    case B::SmsCallBackDisable:
        return UnitEditText::BasicSmsCallBackOff;
    case B::EmergencyButton:
        return UnitEditText::BasicEmergencyButton;
    case B::PhoneLockout:
        return UnitEditText::BasicPhoneLockout;
    case B::LockOverride:
        return UnitEditText::BasicLockOverride;
    case B::TheftAlarm:
        return UnitEditText::BasicTheftAlarm;
    case B::ExternalSpeaker:
        return UnitEditText::BasicExternalSpeaker;
    case B::HornAndLights:
        return UnitEditText::BasicHornAndLights;
    case B::PrivateLockout:
        return UnitEditText::BasicPrivateLockout;
    case B::InactivityRevert:
        return UnitEditText::BasicInactivityRevert;
    case B::AutoRevert:
        return UnitEditText::BasicAutoRevert;
    case B::PhotoSensor:
        return UnitEditText::BasicPhotoSensor;
    case B::VibrateEnable:
        return UnitEditText::BasicVibrate;
    case B::SimPinWarning:
        return UnitEditText::BasicSimPinWarning;
    default:
        return 0;
    }
}

} // namespace

CUnitBasicPage::CUnitBasicPage(const CUnitSheetUnit& unit, QWidget* parent)
    : CUnitSheetPage(UnitPage::Basic, DialogId,
                     CVelmoraWrap::LoadString(CUnitSheetLayout::LabelId(UnitPage::Basic)), parent),
      m_settings(unit)
{
    setObjectName(QStringLiteral("BasicPage"));
    SetIcon(CUnitEditIcons::PageIcon(CUnitEditIcons::SettingsPageIcon));
    BuildControls();
}

void CUnitBasicPage::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    const QList<int>& ids = B::CheckIds();
    const int rows = int((ids.size() + 1) / 2);
    for (int i = 0; i < ids.size(); ++i) {
        const int id = ids[i];
        auto* box = new QCheckBox(CVelmoraWrap::LoadString(CaptionOf(id)), this);
        box->setProperty("controlId", id);
        box->setEnabled(false);
        m_checks.insert(id, box);
        // Down the first column, then the second.
        grid->addWidget(box, i % rows, i / rows);
        connect(box, &QCheckBox::clicked, this, [this, id](bool checked) { OnChecked(id, checked); });
    }
    layout->addLayout(grid);
    layout->addSpacing(8);

    auto* row = new QHBoxLayout();
    auto* label = new QLabel(CVelmoraWrap::LoadString(UnitEditText::BasicEmergencyTalkgroup), this);
    m_emergency = new CFilterEdit(this);
    m_emergency->setProperty("controlId", int(B::EmergencyTalkgroup));
    m_emergency->setMaxLength(B::EmergencyTalkgroupMaxLength);
    m_emergency->setFixedWidth(m_emergency->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_emergency->setEnabled(false);
    label->setBuddy(m_emergency);
    m_spin = new CEditSpin(m_emergency, B::EmergencyTalkgroupMax, this);
    m_spin->setProperty("controlId", int(B::EmergencyTalkgroup));
    m_spin->setEnabled(false);
    row->addWidget(label);
    row->addWidget(m_emergency);
    row->addWidget(m_spin);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);

    connect(m_emergency, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.SetEmergencyTalkgroupText(text); });
    m_emergency->SetLeaveHandler([this](int, QLineEdit*, QWidget*) { return CheckEmergencyEdit(); });
}

bool CUnitBasicPage::OnInitDialog()
{
    // Loading makes the unit's settings record when it has none; that record stays even if the
    // sheet is cancelled.
    if (CVelmoraError error = m_settings.Load()) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    ShowValues();
    return true;
}

void CUnitBasicPage::ShowValues()
{
    for (auto it = m_checks.constBegin(); it != m_checks.constEnd(); ++it) {
        it.value()->setChecked(m_settings.IsChecked(it.key()));
        it.value()->setEnabled(m_settings.IsEnabled(it.key()));
    }
    m_emergency->setText(m_settings.EmergencyTalkgroupText());
    const bool emergency = m_settings.IsEnabled(B::EmergencyTalkgroup);
    m_emergency->setEnabled(emergency);
    m_spin->setEnabled(emergency);
}

void CUnitBasicPage::OnChecked(int controlId, bool checked)
{
    // The lockouts may move together: every box whose state changed shows it.
    for (int id : m_settings.SetChecked(controlId, checked)) {
        if (QCheckBox* box = m_checks.value(id))
            box->setChecked(m_settings.IsChecked(id));
    }
}

bool CUnitBasicPage::CheckEmergencyEdit()
{
    m_settings.SetEmergencyTalkgroupText(m_emergency->text());
    if (CVelmoraError error = m_settings.CheckEmergencyTalkgroup()) {
        CVelmoraWrap::ShowError(error);
        m_emergency->setFocus();
        m_emergency->selectAll();
        return false;
    }
    return true;
}

bool CUnitBasicPage::OnKillActive()
{
    return !m_settings.IsLoaded() || CheckEmergencyEdit();
}

CVelmoraError CUnitBasicPage::Save(bool& changed)
{
    m_settings.SetEmergencyTalkgroupText(m_emergency->text());
    return m_settings.Save(&changed);
}
