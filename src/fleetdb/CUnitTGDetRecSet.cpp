#include "CUnitTGDetRecSet.h"

CUnitTGDetRecSet::CUnitTGDetRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_nam", &m_unit_nam);
    Bind("unit_tg_id", &m_unit_tg_id);
    Bind("unit_tg_name", &m_unit_tg_name);
    Bind("unit_rec_num", &m_unit_rec_num, true);
    Bind("unit_loc_no", &m_unit_loc_no);
    Bind("unit_program_flag", &m_unit_program_flag);
    Bind("unit_language", &m_unit_language);
    InitMembers();
}
