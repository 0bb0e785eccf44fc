#include "CTalkGrpUserRecSet.h"

CTalkGrpUserRecSet::CTalkGrpUserRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("user_name", &m_user_name);
    Bind("user_prvt_id", &m_user_prvt_id);
    Bind("user_row_num", &m_user_row_num, true);
    InitMembers();
}
