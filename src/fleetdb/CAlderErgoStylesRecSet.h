#pragma once

#include "CRecordset.h"

// Ring styles of an Alder-platform unit, one row per style (unit_alder_styles_details).
class CAlderErgoStylesRecSet : public CRecordset
{
public:
    explicit CAlderErgoStylesRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_alder_styles_details"); }

    QString m_unit_imei_num;
    int m_unit_style_number;
    QString m_unit_style_name;
    int m_unit_style_ringer_volume;
    int m_unit_style_ringer_keypad_volume;
    int m_unit_style_ringer_mail_volume;
    int m_unit_style_ringer_javaordata_volume;
    int m_unit_style_ringer_headset;
    bool m_unit_style_vibe_all;
    int m_unit_style_line1_style;
    int m_unit_style_line1_type;
    int m_unit_style_line2_style;
    int m_unit_style_line2_type;
    int m_unit_style_prvtgrp_type;
    int m_unit_style_callalert_ring_style;
    int m_unit_style_callalert_ring_type;
    int m_unit_style_text_messages;
    int m_unit_style_reminders;
    int m_unit_style_voicemail;
    int m_unit_style_netmail;
    QString m_unit_style_backlight;
    int m_unit_style_display;
    int m_unit_style_call_filter_phone;
    bool m_unit_style_call_filter_prvtgrp;
    bool m_unit_style_call_filter_alerts;
    int m_unit_style_call_filter_notifications;
    int m_unit_style_auto_answer_line1;
    int m_unit_style_auto_answer_line2;
};
