#include "CUnitConCallListRecSet.h"

CUnitConCallListRecSet::CUnitConCallListRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_name", &m_unit_name);
    Bind("unit_phone_num_len", &m_unit_phone_num_len);
    Bind("unit_reserved", &m_unit_reserved);
    Bind("unit_tonNP", &m_unit_tonNP);
    Bind("unit_num", &m_unit_num);
    Bind("unit_capabilityID", &m_unit_capabilityID);
    Bind("unit_extnRecID", &m_unit_extnRecID);
    Bind("unit_num_type", &m_unit_num_type);
    Bind("unit_language", &m_unit_language);
    Bind("unit_voiceTag", &m_unit_voiceTag);
    Bind("unit_timeStamp", &m_unit_timeStamp);
    Bind("unit_syncStatus", &m_unit_syncStatus);
    Bind("unit_tempID", &m_unit_tempID);
    Bind("unit_nameIndex", &m_unit_nameIndex);
    Bind("unit_rec_num", &m_unit_rec_num);
    Bind("unit_NameLang", &m_unit_NameLang);
    InitMembers();
}
