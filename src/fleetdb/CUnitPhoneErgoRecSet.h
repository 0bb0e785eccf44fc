#pragma once

#include "CRecordset.h"

// Basic phone settings of a unit, one row per unit (unit_phone_ergo_settings). A new row starts from the
// carrier's basic settings.
class CUnitPhoneErgoRecSet : public CRecordset
{
public:
    explicit CUnitPhoneErgoRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_phone_ergo_settings"); }

    // Starts a new row and fills it from section "Carrier Basic Settings" of the carrier INI; the caller
    // sets unit_imei_num and the rest, then calls Update.
    void AddNew() override;

    QString m_unit_imei_num;
    bool m_unit_auto_radio_lock;
    bool m_unit_reset_passcode;
    bool m_unit_one_min_beep;
    bool m_unit_vadk;
    bool m_unit_grp_call_tone;
    bool m_unit_talk_permit;
    bool m_unit_ptt_id;
    bool m_unit_auto_display_timer;
    bool m_unit_muted_dtmf;
    bool m_unit_tg_scan;
    bool m_unit_desk_set_acc_support;
    bool m_unit_call_alert_stack;
    bool m_unit_sms_call_back_disable;
    bool m_unit_emergency_button;
    bool m_unit_phone_lock_out;
    bool m_unit_private_lock_out;
    bool m_unit_code_control;
    int m_unit_emergency_talkgroup;
    bool m_unit_lock_override;
    bool m_unit_theft_alarm;
    bool m_unit_external_speaker;
    bool m_unit_horn_and_lights;
    int m_unit_power_mode;
    int m_unit_tg_type;
    int m_unit_timer_auto_power_down_value;
    int m_unit_call_alert_stack_timer;
    QString m_unit_emergency_id;
    int m_unit_Line1_ring_tone;
    int m_unit_Line2_ring_tone;
    bool m_unit_iso_enabled;
    int m_unit_active_line_indicator;
    bool m_unit_net_mode;
    int m_unit_baud_rate;
    bool m_unit_auto_baud_flag;
    bool m_unit_silent_audio_enabled;
    bool m_unit_phone_only_mode;
    bool m_unit_inactivity_revert;
    bool m_unit_auto_revert;
    int m_unit_language;
    bool m_unit_photo_sensor;
    bool m_unit_vibrate_enable;
    bool m_unit_sim_pin_warning;

protected:
    void InitMembers() override;
};
