#pragma once

#include "CRecordset.h"

// Phone book (speed-dial) entries of a unit (unit_phone_details).
class CUnitPhoneDetRecSet : public CRecordset
{
public:
    explicit CUnitPhoneDetRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_phone_details"); }

    QString m_unit_imei_num;
    int m_unit_speed_dial;
    QString m_unit_phone_num;
    QString m_unit_name;
    bool m_unit_program_flag;
    int m_unit_language;
};
