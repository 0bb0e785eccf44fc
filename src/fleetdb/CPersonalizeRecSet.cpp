#include "CPersonalizeRecSet.h"

#include "CAlderErgoPersonalizeRecSet.h"
#include "CAlderagpsErgoPersonalizeRecSet.h"
#include "CCedarErgoPersonalizeRecSet.h"
#include "CFleetSchema.h"

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

std::unique_ptr<CPersonalizeRecSet> CPersonalizeRecSet::ForModel(int modelType, const QSqlDatabase& db)
{
    const QString table = CFleetSchema::PersonalizeTableFor(modelType);
    std::unique_ptr<CPersonalizeRecSet> candidates[] = {
        std::make_unique<CAlderErgoPersonalizeRecSet>(db), std::make_unique<CCedarErgoPersonalizeRecSet>(db),
        std::make_unique<CAlderagpsErgoPersonalizeRecSet>(db)};
    for (auto& candidate : candidates) {
        if (candidate->TableName() == table)
            return std::move(candidate);
    }
    return nullptr;
}
