#include "CUnitPhoneDetRecSet.h"

CUnitPhoneDetRecSet::CUnitPhoneDetRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_speed_dial", &m_unit_speed_dial);
    Bind("unit_phone_num", &m_unit_phone_num);
    Bind("unit_name", &m_unit_name);
    Bind("unit_program_flag", &m_unit_program_flag);
    Bind("unit_language", &m_unit_language);
    InitMembers();
}
