#include "CLoadSmsRecordset.h"

CLoadSmsRecordset::CLoadSmsRecordset(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("message_id", &m_message_id, true);
    Bind("message_text", &m_message_text);
    Bind("message_date", &m_message_date);
    InitMembers();
}
