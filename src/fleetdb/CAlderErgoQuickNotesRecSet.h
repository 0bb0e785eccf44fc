#pragma once

#include "CRecordset.h"

// Quick notes of an Alder-platform unit, one row per unit (unit_alder_quick_notes).
class CAlderErgoQuickNotesRecSet : public CRecordset
{
public:
    explicit CAlderErgoQuickNotesRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_alder_quick_notes"); }

    QString m_unit_imei_num;
    QString m_unit_quick_notes_1;
    QString m_unit_quick_notes_2;
    QString m_unit_quick_notes_3;
    QString m_unit_quick_notes_4;
    QString m_unit_quick_notes_5;
    QString m_unit_quick_notes_6;
    QString m_unit_quick_notes_7;
    QString m_unit_quick_notes_8;
    QString m_unit_quick_notes_9;
    QString m_unit_quick_notes_10;
    bool m_unit_sms_status_report;
};
