#include "CErgoBits.h"

#include "CRecordset.h"

const QList<CErgoBits::Bit>& CErgoBits::Table()
{
    static const QList<Bit> table = {
        {17, 7, "unit_horn_and_lights", Group::Basic, false},
        {17, 8, "unit_external_speaker", Group::Basic, false},
        {17, 10, "unit_one_min_beep", Group::Basic, false},
        {17, 11, "unit_auto_display_timer", Group::Basic, false},
        {17, 12, "unit_theft_alarm", Group::Basic, false},
        {17, 14, "unit_auto_radio_lock", Group::Basic, false},
        {29, 0, "unit_silent_audio_enabled", Group::Further, false},
        {29, 3, "unit_muted_dtmf", Group::Basic, false},
        {29, 4, "unit_inactivity_revert", Group::Basic, false},
        {29, 5, "unit_grp_call_tone", Group::Basic, false},
        {29, 6, "unit_vadk", Group::Basic, false},
        {29, 7, "unit_lock_override", Group::Basic, false},
        {29, 9, "unit_iso_enabled", Group::Further, false},
        {29, 10, "unit_ptt_id", Group::Basic, false},
        {29, 12, "unit_auto_revert", Group::Basic, false},
        {29, 13, "unit_talk_permit", Group::Basic, false},
        {29, 14, "unit_desk_set_acc_support", Group::Basic, false},
        {46, 0, "unit_phone_lock_out", Group::Lockout, false},
        {46, 1, "unit_private_lock_out", Group::Lockout, false},
        {46, 2, "unit_sms_call_back_disable", Group::Basic, false},
        {46, 3, "unit_call_alert_stack", Group::Basic, false},
        {46, 6, "unit_net_mode", Group::Further, true},
        {46, 12, "unit_code_control", Group::Never, false},
        {47, 5, "unit_emergency_button", Group::Basic, false},
        {47, 6, "unit_auto_baud_flag", Group::Basic, false},
        {47, 7, "unit_tg_scan", Group::Basic, false},
        {50, 3, "unit_vibrate_enable", Group::Basic, false},
        {61, 4, "unit_phone_only_mode", Group::Basic, false},
        {124, 0, "unit_photo_sensor", Group::Basic, false},
        {129, 2, "unit_sim_pin_warning", Group::Basic, false},
    };
    return table;
}

const QList<int>& CErgoBits::Items()
{
    static const QList<int> items = {17, 47, 61, 124, 29, 50, 46, 129};
    return items;
}

void CErgoBits::Unpack(int item, quint32 element, CRecordset& ergo)
{
    for (const Bit& bit : Table()) {
        if (bit.item != item)
            continue;
        const bool set = (element >> bit.bit) & 1u;
        ergo.SetFieldValue(ergo.FieldIndex(QLatin1String(bit.column)), bit.inverted ? !set : set);
    }
}

quint32 CErgoBits::Overlay(int item, quint32 element, const CRecordset& ergo, bool basic, bool further,
                           bool lockouts)
{
    for (const Bit& bit : Table()) {
        if (bit.item != item)
            continue;
        const bool chosen = (bit.group == Group::Basic && basic) ||
                            (bit.group == Group::Further && further) ||
                            (bit.group == Group::Lockout && basic && lockouts);
        if (!chosen)
            continue;
        const bool value = ergo.FieldValue(ergo.FieldIndex(QLatin1String(bit.column))).toBool();
        const bool set = bit.inverted ? !value : value;
        element = set ? (element | (1u << bit.bit)) : (element & ~(1u << bit.bit));
    }
    return element;
}
