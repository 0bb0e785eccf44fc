#pragma once

#include "CRecordset.h"

// Consolidated call list records of a unit (unit_consolid_call_list).
class CUnitConCallListRecSet : public CRecordset
{
public:
    explicit CUnitConCallListRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_consolid_call_list"); }

    QString m_unit_imei_num;
    QString m_unit_name;
    int m_unit_phone_num_len;
    int m_unit_reserved;
    int m_unit_tonNP;
    QString m_unit_num;
    int m_unit_capabilityID;
    int m_unit_extnRecID;
    int m_unit_num_type;
    int m_unit_language;
    int m_unit_voiceTag;
    int m_unit_timeStamp;
    int m_unit_syncStatus;
    int m_unit_tempID;
    int m_unit_nameIndex;
    int m_unit_rec_num;
    int m_unit_NameLang;
};
