#include "CTGScanListRecSet.h"

CTGScanListRecSet::CTGScanListRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_nam", &m_unit_nam);
    Bind("unit_tg_id", &m_unit_tg_id);
    Bind("unit_rec_num", &m_unit_rec_num, true);
    Bind("unit_loc_no", &m_unit_loc_no);
    Bind("unit_tg_alias", &m_unit_tg_alias);
    Bind("unit_program_flag", &m_unit_program_flag);
    InitMembers();
}
