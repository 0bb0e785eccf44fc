#include "CPersonalizeRecSet.h"

CPersonalizeRecSet::CPersonalizeRecSet(const QSqlDatabase& db, int slots)
    : CRecordset(db), m_slots(qBound(0, slots, int(MaxMenuSlots)))
{
    Bind("unit_imei_num", &m_unit_imei_num);
    Bind("unit_left_key", &m_unit_left_key);
    Bind("unit_right_key", &m_unit_right_key);
    Bind("unit_powerup_app", &m_unit_powerup_app);
    for (int i = 0; i < MaxMenuSlots; ++i)
        m_unit_main_menu[i] = 0;
    for (int i = 0; i < m_slots; ++i)
        Bind(QStringLiteral("unit_main_menu_%1").arg(i + 1), &m_unit_main_menu[i]);
    InitMembers();
}
