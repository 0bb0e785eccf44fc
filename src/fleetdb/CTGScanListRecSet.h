#pragma once

#include "CRecordset.h"

// Talkgroup scan list entries of a unit, per NAM (unit_tg_scan).
class CTGScanListRecSet : public CRecordset
{
public:
    explicit CTGScanListRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_tg_scan"); }

    QString m_unit_imei_num;
    int m_unit_nam;
    int m_unit_tg_id;
    int m_unit_rec_num;
    int m_unit_loc_no;
    QString m_unit_tg_alias;
    bool m_unit_program_flag;
};
