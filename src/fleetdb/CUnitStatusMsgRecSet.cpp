#include "CUnitStatusMsgRecSet.h"

CUnitStatusMsgRecSet::CUnitStatusMsgRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_msg_text", &m_unit_msg_text);
    Bind("unit_nam", &m_unit_nam);
    Bind("unit_msg_id", &m_unit_msg_id);
    Bind("unit_loc_no", &m_unit_loc_no);
    Bind("unit_program_flag", &m_unit_program_flag);
    InitMembers();
}
