#include "CTalkGrpHeaderRecSet.h"

CTalkGrpHeaderRecSet::CTalkGrpHeaderRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("tg_name", &m_tg_name);
    Bind("tg_id", &m_tg_id);
    Bind("tg_row_num", &m_tg_row_num, true);
    Bind("unit_nam", &m_unit_nam);
    InitMembers();
}
