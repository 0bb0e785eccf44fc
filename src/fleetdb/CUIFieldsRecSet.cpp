#include "CUIFieldsRecSet.h"

CUIFieldsRecSet::CUIFieldsRecSet(const QSqlDatabase& db, const QString& table)
    : CRecordset(db), m_table(table)
{
    Bind("ID", &m_ID);
    Bind("Ergo_Field_id", &m_Ergo_Field_id);
    Bind("Ergo_Field_desc", &m_Ergo_Field_desc);
    Bind("Models", &m_Models);
    Bind("Edit_rules", &m_Edit_rules);
}
