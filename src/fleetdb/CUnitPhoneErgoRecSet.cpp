#include "CUnitPhoneErgoRecSet.h"

#include "CVelmoraWrap.h"

namespace {

const QString kBasic = QStringLiteral("Carrier Basic Settings");

// "1" sets the flag, "0" clears it, anything else (or no key) leaves it as it is.
void FromIni(const char* key, bool& flag, bool inverted = false)
{
    QString value;
    if (!CVelmoraWrap::GetCarrierIniValue(kBasic, QString::fromLatin1(key), value))
        return;
    if (value == QLatin1String("1"))
        flag = !inverted;
    else if (value == QLatin1String("0"))
        flag = inverted;
}

bool IniIsOne(const QString& section, const char* key)
{
    QString value;
    return CVelmoraWrap::GetCarrierIniValue(section, QString::fromLatin1(key), value) &&
           value == QLatin1String("1");
}

} // namespace

CUnitPhoneErgoRecSet::CUnitPhoneErgoRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_auto_radio_lock", &m_unit_auto_radio_lock);
    Bind("unit_reset_passcode", &m_unit_reset_passcode);
    Bind("unit_one_min_beep", &m_unit_one_min_beep);
    Bind("unit_vadk", &m_unit_vadk);
    Bind("unit_grp_call_tone", &m_unit_grp_call_tone);
    Bind("unit_talk_permit", &m_unit_talk_permit);
    Bind("unit_ptt_id", &m_unit_ptt_id);
    Bind("unit_auto_display_timer", &m_unit_auto_display_timer);
    Bind("unit_muted_dtmf", &m_unit_muted_dtmf);
    Bind("unit_tg_scan", &m_unit_tg_scan);
    Bind("unit_desk_set_acc_support", &m_unit_desk_set_acc_support);
    Bind("unit_call_alert_stack", &m_unit_call_alert_stack);
    Bind("unit_sms_call_back_disable", &m_unit_sms_call_back_disable);
    Bind("unit_emergency_button", &m_unit_emergency_button);
    Bind("unit_phone_lock_out", &m_unit_phone_lock_out);
    Bind("unit_private_lock_out", &m_unit_private_lock_out);
    Bind("unit_code_control", &m_unit_code_control);
    Bind("unit_emergency_talkgroup", &m_unit_emergency_talkgroup);
    Bind("unit_lock_override", &m_unit_lock_override);
    Bind("unit_theft_alarm", &m_unit_theft_alarm);
    Bind("unit_external_speaker", &m_unit_external_speaker);
    Bind("unit_horn_and_lights", &m_unit_horn_and_lights);
    Bind("unit_power_mode", &m_unit_power_mode);
    Bind("unit_tg_type", &m_unit_tg_type);
    Bind("unit_timer_auto_power_down_value", &m_unit_timer_auto_power_down_value);
    Bind("unit_call_alert_stack_timer", &m_unit_call_alert_stack_timer);
    Bind("unit_emergency_id", &m_unit_emergency_id);
    Bind("unit_Line1_ring_tone", &m_unit_Line1_ring_tone);
    Bind("unit_Line2_ring_tone", &m_unit_Line2_ring_tone);
    Bind("unit_iso_enabled", &m_unit_iso_enabled);
    Bind("unit_active_line_indicator", &m_unit_active_line_indicator);
    Bind("unit_net_mode", &m_unit_net_mode);
    Bind("unit_baud_rate", &m_unit_baud_rate);
    Bind("unit_auto_baud_flag", &m_unit_auto_baud_flag);
    Bind("unit_silent_audio_enabled", &m_unit_silent_audio_enabled);
    Bind("unit_phone_only_mode", &m_unit_phone_only_mode);
    Bind("unit_inactivity_revert", &m_unit_inactivity_revert);
    Bind("unit_auto_revert", &m_unit_auto_revert);
    Bind("unit_language", &m_unit_language);
    Bind("unit_photo_sensor", &m_unit_photo_sensor);
    Bind("unit_vibrate_enable", &m_unit_vibrate_enable);
    Bind("unit_sim_pin_warning", &m_unit_sim_pin_warning);
    InitMembers();
}

void CUnitPhoneErgoRecSet::InitMembers()
{
    CRecordset::InitMembers();
    m_unit_vibrate_enable = true;
}

void CUnitPhoneErgoRecSet::AddNew()
{
    CRecordset::AddNew();
    FromIni("Automatic Radio Lock", m_unit_auto_radio_lock);
    FromIni("Reset Passcode", m_unit_reset_passcode);
    FromIni("One Minute Beep Timer", m_unit_one_min_beep);
    FromIni("VADK", m_unit_vadk);
    FromIni("Group Call Tone", m_unit_grp_call_tone);
    FromIni("Talk Permit", m_unit_talk_permit);
    FromIni("Enable PTT ID", m_unit_ptt_id);
    FromIni("Auto Display Timer", m_unit_auto_display_timer);
    FromIni("Muted DTMF", m_unit_muted_dtmf);
    FromIni("Talkgroup Scan", m_unit_tg_scan);
    FromIni("Desk-Set Accessory Support", m_unit_desk_set_acc_support);
    // The INI asks whether queuing is enabled; the column holds the opposite.
    FromIni("Enable Call Alert Queuing", m_unit_call_alert_stack, true);
    FromIni("Phone Only Mode", m_unit_phone_only_mode);
    FromIni("SMS Call Back Disable", m_unit_sms_call_back_disable);
    FromIni("Emergency Button", m_unit_emergency_button);

    // Only carrier 2 lets its INI lock phones out; every other carrier starts unlocked.
    QString carrier;
    CVelmoraWrap::GetCarrierIniValue(QStringLiteral("Application Title"), QStringLiteral("CarrierID"),
                                     carrier);
    const bool lockoutCarrier = carrier.trimmed().toInt() == 2;
    m_unit_phone_lock_out = lockoutCarrier && IniIsOne(kBasic, "Phone Lockout");
    m_unit_private_lock_out = lockoutCarrier && IniIsOne(kBasic, "Private Lockout");

    FromIni("Lock Override", m_unit_lock_override);
    FromIni("Theft Alarm", m_unit_theft_alarm);
    FromIni("Use External Speaker", m_unit_external_speaker);
    FromIni("Horn and Lights", m_unit_horn_and_lights);

    m_unit_iso_enabled = true;
    m_unit_net_mode = true;
    m_unit_auto_baud_flag = false;
    m_unit_silent_audio_enabled = false;

    FromIni("Inactivity Revert", m_unit_inactivity_revert);
    FromIni("Auto Revert", m_unit_auto_revert);
    FromIni("Photo Sensor", m_unit_photo_sensor);
    FromIni("Vibrate Enable", m_unit_vibrate_enable);
    FromIni("Sim pin warning", m_unit_sim_pin_warning);
    m_unit_code_control = false;
}
