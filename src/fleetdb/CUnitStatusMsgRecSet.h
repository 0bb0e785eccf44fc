#pragma once

#include "CRecordset.h"

// Status messages of a unit, per NAM (unit_status_msg_list).
class CUnitStatusMsgRecSet : public CRecordset
{
public:
    explicit CUnitStatusMsgRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_status_msg_list"); }

    QString m_unit_imei_num;
    QString m_unit_msg_text;
    int m_unit_nam;
    int m_unit_msg_id;
    int m_unit_loc_no;
    bool m_unit_program_flag;
};
