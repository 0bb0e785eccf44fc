#include "CTalkGrpDetailRecSet.h"

CTalkGrpDetailRecSet::CTalkGrpDetailRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("tg_user_name", &m_tg_user_name);
    Bind("tg_user_prvt_id", &m_tg_user_prvt_id);
    Bind("tg_user_tg_id", &m_tg_user_tg_id);
    Bind("tg_user_row_num", &m_tg_user_row_num, true);
    InitMembers();
}
