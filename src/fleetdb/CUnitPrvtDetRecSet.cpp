#include "CUnitPrvtDetRecSet.h"

CUnitPrvtDetRecSet::CUnitPrvtDetRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_nam", &m_unit_nam);
    Bind("unit_urban_id", &m_unit_urban_id);
    Bind("unit_fleet_id", &m_unit_fleet_id);
    Bind("unit_member_id", &m_unit_member_id);
    Bind("unit_name", &m_unit_name);
    Bind("unit_loc_no", &m_unit_loc_no);
    Bind("unit_program_flag", &m_unit_program_flag);
    Bind("unit_language", &m_unit_language);
    InitMembers();
}
