#include "CErgoBits.h"

#include "CRecordset.h"
#include "CodeplugItemIds.h"

const QList<CErgoBits::Bit>& CErgoBits::Table()
{
    static const QList<Bit> table = {
        {CodeplugItem::GeneralBits, 7, "unit_horn_and_lights", Group::Basic, false},
        {CodeplugItem::GeneralBits, 8, "unit_external_speaker", Group::Basic, false},
        {CodeplugItem::GeneralBits, 10, "unit_one_min_beep", Group::Basic, false},
        {CodeplugItem::GeneralBits, 11, "unit_auto_display_timer", Group::Basic, false},
        {CodeplugItem::GeneralBits, 12, "unit_theft_alarm", Group::Basic, false},
        {CodeplugItem::GeneralBits, 14, "unit_auto_radio_lock", Group::Basic, false},
        {CodeplugItem::CallBits, 0, "unit_silent_audio_enabled", Group::Further, false},
        {CodeplugItem::CallBits, 3, "unit_muted_dtmf", Group::Basic, false},
        {CodeplugItem::CallBits, 4, "unit_inactivity_revert", Group::Basic, false},
        {CodeplugItem::CallBits, 5, "unit_grp_call_tone", Group::Basic, false},
        {CodeplugItem::CallBits, 6, "unit_vadk", Group::Basic, false},
        {CodeplugItem::CallBits, 7, "unit_lock_override", Group::Basic, false},
        {CodeplugItem::CallBits, 9, "unit_iso_enabled", Group::Further, false},
        {CodeplugItem::CallBits, 10, "unit_ptt_id", Group::Basic, false},
        {CodeplugItem::CallBits, 12, "unit_auto_revert", Group::Basic, false},
        {CodeplugItem::CallBits, 13, "unit_talk_permit", Group::Basic, false},
        {CodeplugItem::CallBits, 14, "unit_desk_set_acc_support", Group::Basic, false},
        {CodeplugItem::LockoutBits, 0, "unit_phone_lock_out", Group::Lockout, false},
        {CodeplugItem::LockoutBits, 1, "unit_private_lock_out", Group::Lockout, false},
        {CodeplugItem::LockoutBits, 2, "unit_sms_call_back_disable", Group::Basic, false},
        {CodeplugItem::LockoutBits, 3, "unit_call_alert_stack", Group::Basic, false},
        {CodeplugItem::LockoutBits, 6, "unit_net_mode", Group::Further, true},
        {CodeplugItem::LockoutBits, 12, "unit_code_control", Group::Never, false},
        {CodeplugItem::ButtonBits, 5, "unit_emergency_button", Group::Basic, false},
        {CodeplugItem::ButtonBits, 6, "unit_auto_baud_flag", Group::Basic, false},
        {CodeplugItem::ButtonBits, 7, "unit_tg_scan", Group::Basic, false},
        {CodeplugItem::VibrateBits, 3, "unit_vibrate_enable", Group::Basic, false},
        {CodeplugItem::PhoneOnlyBits, 4, "unit_phone_only_mode", Group::Basic, false},
        {CodeplugItem::PhotoSensorBits, 0, "unit_photo_sensor", Group::Basic, false},
        {CodeplugItem::SimPinWarningBits, 2, "unit_sim_pin_warning", Group::Basic, false},
    };
    return table;
}

const QList<int>& CErgoBits::Items()
{
    static const QList<int> items = {CodeplugItem::GeneralBits,   CodeplugItem::ButtonBits,
                                     CodeplugItem::PhoneOnlyBits, CodeplugItem::PhotoSensorBits,
                                     CodeplugItem::CallBits,      CodeplugItem::VibrateBits,
                                     CodeplugItem::LockoutBits,   CodeplugItem::SimPinWarningBits};
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
