#include "CAlderErgoQuickNotesRecSet.h"

CAlderErgoQuickNotesRecSet::CAlderErgoQuickNotesRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_quick_notes_1", &m_unit_quick_notes_1);
    Bind("unit_quick_notes_2", &m_unit_quick_notes_2);
    Bind("unit_quick_notes_3", &m_unit_quick_notes_3);
    Bind("unit_quick_notes_4", &m_unit_quick_notes_4);
    Bind("unit_quick_notes_5", &m_unit_quick_notes_5);
    Bind("unit_quick_notes_6", &m_unit_quick_notes_6);
    Bind("unit_quick_notes_7", &m_unit_quick_notes_7);
    Bind("unit_quick_notes_8", &m_unit_quick_notes_8);
    Bind("unit_quick_notes_9", &m_unit_quick_notes_9);
    Bind("unit_quick_notes_10", &m_unit_quick_notes_10);
    Bind("unit_sms_status_report", &m_unit_sms_status_report);
    InitMembers();
}
