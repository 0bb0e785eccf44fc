#include "CAlderErgoStylesRecSet.h"

CAlderErgoStylesRecSet::CAlderErgoStylesRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_style_number", &m_unit_style_number);
    Bind("unit_style_name", &m_unit_style_name);
    Bind("unit_style_ringer_volume", &m_unit_style_ringer_volume);
    Bind("unit_style_ringer_keypad_volume", &m_unit_style_ringer_keypad_volume);
    Bind("unit_style_ringer_mail_volume", &m_unit_style_ringer_mail_volume);
    Bind("unit_style_ringer_javaordata_volume", &m_unit_style_ringer_javaordata_volume);
    Bind("unit_style_ringer_headset", &m_unit_style_ringer_headset);
    Bind("unit_style_vibe_all", &m_unit_style_vibe_all);
    Bind("unit_style_line1_style", &m_unit_style_line1_style);
    Bind("unit_style_line1_type", &m_unit_style_line1_type);
    Bind("unit_style_line2_style", &m_unit_style_line2_style);
    Bind("unit_style_line2_type", &m_unit_style_line2_type);
    Bind("unit_style_prvtgrp_type", &m_unit_style_prvtgrp_type);
    Bind("unit_style_callalert_ring_style", &m_unit_style_callalert_ring_style);
    Bind("unit_style_callalert_ring_type", &m_unit_style_callalert_ring_type);
    Bind("unit_style_text_messages", &m_unit_style_text_messages);
    Bind("unit_style_reminders", &m_unit_style_reminders);
    Bind("unit_style_voicemail", &m_unit_style_voicemail);
    Bind("unit_style_netmail", &m_unit_style_netmail);
    Bind("unit_style_backlight", &m_unit_style_backlight);
    Bind("unit_style_display", &m_unit_style_display);
    Bind("unit_style_call_filter_phone", &m_unit_style_call_filter_phone);
    Bind("unit_style_call_filter_prvtgrp", &m_unit_style_call_filter_prvtgrp);
    Bind("unit_style_call_filter_alerts", &m_unit_style_call_filter_alerts);
    Bind("unit_style_call_filter_notifications", &m_unit_style_call_filter_notifications);
    Bind("unit_style_auto_answer_line1", &m_unit_style_auto_answer_line1);
    Bind("unit_style_auto_answer_line2", &m_unit_style_auto_answer_line2);
    InitMembers();
}
