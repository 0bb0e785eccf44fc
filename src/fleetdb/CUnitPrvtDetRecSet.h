#pragma once

#include "CRecordset.h"

// Private-call list entries of a unit, per NAM (unit_private_details).
class CUnitPrvtDetRecSet : public CRecordset
{
public:
    explicit CUnitPrvtDetRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_private_details"); }

    QString m_unit_imei_num;
    int m_unit_nam;
    int m_unit_urban_id;
    int m_unit_fleet_id;
    int m_unit_member_id;
    QString m_unit_name;
    int m_unit_loc_no;
    bool m_unit_program_flag;
    int m_unit_language;
};
