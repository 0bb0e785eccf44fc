#pragma once

#include "CRecordset.h"

// Talkgroup call list entries of a unit, per NAM (unit_tg_details).
class CUnitTGDetRecSet : public CRecordset
{
public:
    explicit CUnitTGDetRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_tg_details"); }

    QString m_unit_imei_num;
    int m_unit_nam;
    int m_unit_tg_id;
    QString m_unit_tg_name;
    int m_unit_rec_num;
    int m_unit_loc_no;
    bool m_unit_program_flag;
    int m_unit_language;
};
