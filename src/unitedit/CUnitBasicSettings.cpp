#include "CUnitBasicSettings.h"

#include "CModelRules.h"
#include "CUnitPhoneErgoRecSet.h"

namespace {

using Member = bool CUnitPhoneErgoRecSet::*;
using R = CUnitPhoneErgoRecSet;
using B = CUnitBasicSettings;

// A check box, the column it shows and the ergonomic field whose flag enables it.
struct CheckRow
{
    int id;
    Member member;
    int field;
};

const CheckRow kChecks[] = {
    {B::AutoRadioLock, &R::m_unit_auto_radio_lock, 1},
    {B::ResetPasscode, &R::m_unit_reset_passcode, 2},
    {B::OneMinuteBeep, &R::m_unit_one_min_beep, 3},
    {B::Vadk, &R::m_unit_vadk, 4},
    {B::GroupCallTone, &R::m_unit_grp_call_tone, 5},
    {B::PhoneOnlyMode, &R::m_unit_phone_only_mode, 38},
    {B::TalkPermit, &R::m_unit_talk_permit, 6},
    {B::PttId, &R::m_unit_ptt_id, 7},
    {B::AutoDisplayTimer, &R::m_unit_auto_display_timer, 8},
    {B::MutedDtmf, &R::m_unit_muted_dtmf, 9},
    {B::TalkgroupScan, &R::m_unit_tg_scan, 10},
    {B::DeskSetAccessory, &R::m_unit_desk_set_acc_support, 11},
    {B::CallAlertStack, &R::m_unit_call_alert_stack, 12},
    {B::SmsCallBackDisable, &R::m_unit_sms_call_back_disable, 13},
    {B::EmergencyButton, &R::m_unit_emergency_button, 14},
    {B::PhoneLockout, &R::m_unit_phone_lock_out, 15},
    {B::LockOverride, &R::m_unit_lock_override, 18},
    {B::TheftAlarm, &R::m_unit_theft_alarm, 19},
    {B::ExternalSpeaker, &R::m_unit_external_speaker, 20},
    {B::HornAndLights, &R::m_unit_horn_and_lights, 21},
    {B::PrivateLockout, &R::m_unit_private_lock_out, 16},
    {B::InactivityRevert, &R::m_unit_inactivity_revert, 35},
    {B::AutoRevert, &R::m_unit_auto_revert, 36},
    {B::PhotoSensor, &R::m_unit_photo_sensor, 39},
    {B::VibrateEnable, &R::m_unit_vibrate_enable, 40},
    {B::SimPinWarning, &R::m_unit_sim_pin_warning, 41},
};

constexpr int kEmergencyTalkgroupField = 17;

} // namespace

CUnitBasicSettings::CUnitBasicSettings(const CUnitSheetUnit& unit) : m_unit(unit), m_record(unit)
{
    for (const CheckRow& row : kChecks)
        m_checks.insert(row.id, CheckState());
}

const QList<int>& CUnitBasicSettings::CheckIds()
{
    static const QList<int> ids = [] {
        QList<int> list;
        for (const CheckRow& row : kChecks)
            list << row.id;
        return list;
    }();
    return ids;
}

CVelmoraError CUnitBasicSettings::Load()
{
    if (const CVelmoraError error = m_record.Load())
        return error;
    Fill();
    ApplyEnableRules();
    return CVelmoraError();
}

void CUnitBasicSettings::Fill()
{
    const CUnitPhoneErgoRecSet& record = m_record.Values();
    for (const CheckRow& row : kChecks)
        m_checks[row.id].checked = record.*row.member;
    // The column says whether call alerts are not queued; the box asks whether they are.
    m_checks[CallAlertStack].checked = !record.m_unit_call_alert_stack;
    m_storedEmergency = record.m_unit_emergency_talkgroup;
    m_emergencyText = QString::number(m_storedEmergency);
}

void CUnitBasicSettings::ApplyEnableRules()
{
    for (const CheckRow& row : kChecks)
        m_checks[row.id].enabled = m_unit.FieldEnabled(row.field);
    m_checks[PhotoSensor].enabled = m_checks[PhotoSensor].enabled && m_unit.NewStructure();
    m_checks[VibrateEnable].enabled = m_checks[VibrateEnable].enabled && m_unit.enableVibrateFlag;
    m_checks[SimPinWarning].enabled = m_checks[SimPinWarning].enabled && m_unit.enableSimPinWarningFlag;
    m_emergencyEnabled = m_unit.FieldEnabled(kEmergencyTalkgroupField);
    ApplyLockoutRule();
}

void CUnitBasicSettings::ApplyLockoutRule()
{
    CheckState& phone = m_checks[PhoneLockout];
    CheckState& priv = m_checks[PrivateLockout];
    // Only carrier 2 locks units out; elsewhere both boxes stay as stored and cannot be changed.
    const bool lockoutCarrier = m_unit.carrierId == CUnitSheetUnit::LockoutCarrierId;
    if (!lockoutCarrier) {
        phone.enabled = false;
        priv.enabled = false;
    }
    if (!m_unit.IsAlder())
        return;
    if (!LockoutsMoveTogether()) {
        // Newer Alder codeplugs without code control keep a private lockout of their own.
        priv.enabled = lockoutCarrier;
    } else if (phone.checked || priv.checked) {
        phone.checked = true;
        priv.checked = true;
    }
}

bool CUnitBasicSettings::LockoutsMoveTogether() const
{
    return CModelRules::LockoutsLinked(m_unit.phoneClass, m_record.Values().m_unit_code_control,
                                       m_unit.structureVersion);
}

bool CUnitBasicSettings::IsEnabled(int controlId) const
{
    if (controlId == EmergencyTalkgroup)
        return m_emergencyEnabled;
    const auto it = m_checks.constFind(controlId);
    return it != m_checks.constEnd() && it->enabled;
}

bool CUnitBasicSettings::IsChecked(int controlId) const
{
    const auto it = m_checks.constFind(controlId);
    return it != m_checks.constEnd() && it->checked;
}

QList<int> CUnitBasicSettings::SetChecked(int controlId, bool checked)
{
    QList<int> changed;
    const auto set = [&](int id) {
        CheckState& state = m_checks[id];
        if (state.checked != checked) {
            state.checked = checked;
            changed << id;
        }
    };
    if (!m_checks.contains(controlId))
        return changed;
    set(controlId);
    if ((controlId == PhoneLockout || controlId == PrivateLockout) && LockoutsMoveTogether())
        set(controlId == PhoneLockout ? PrivateLockout : PhoneLockout);
    return changed;
}

CVelmoraError CUnitBasicSettings::CheckEmergencyTalkgroup() const
{
    int value = 0;
    if (m_emergencyEnabled &&
        !CUnitSheetUnit::ParseNumber(m_emergencyText, EmergencyTalkgroupMin, EmergencyTalkgroupMax, value))
        return CUnitSheetUnit::RangeError(EmergencyTalkgroupMin, EmergencyTalkgroupMax);
    return CVelmoraError();
}

CVelmoraError CUnitBasicSettings::Check() const
{
    return CheckEmergencyTalkgroup();
}

CVelmoraError CUnitBasicSettings::Save(bool* changed)
{
    if (changed)
        *changed = false;
    // A page never loaded shows nothing the user could have changed.
    if (!m_record.IsLoaded())
        return CVelmoraError();
    if (const CVelmoraError error = Check())
        return error;
    int emergency = m_storedEmergency;
    // A disabled edit keeps what is stored, whatever it holds.
    if (m_emergencyEnabled)
        CUnitSheetUnit::ParseNumber(m_emergencyText, EmergencyTalkgroupMin, EmergencyTalkgroupMax, emergency);
    return m_record.Save(
        [&](CUnitPhoneErgoRecSet& record) {
            for (const CheckRow& row : kChecks)
                record.*row.member = m_checks[row.id].checked;
            record.m_unit_call_alert_stack = !m_checks[CallAlertStack].checked;
            record.m_unit_emergency_talkgroup = emergency;
        },
        changed);
}
