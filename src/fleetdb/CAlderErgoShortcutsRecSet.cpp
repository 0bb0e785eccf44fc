#include "CAlderErgoShortcutsRecSet.h"

CAlderErgoShortcutsRecSet::CAlderErgoShortcutsRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_shortcut_number", &m_unit_shortcut_number);
    Bind("unit_shortcut_value", &m_unit_shortcut_value);
    InitMembers();
}
