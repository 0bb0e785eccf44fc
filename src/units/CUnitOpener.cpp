#include "CUnitOpener.h"

#include "CModelRules.h"
#include "CUnitRecSet.h"
#include "UnitsMessageIds.h"

int CUnitOpenInfo::StructureNumber() const
{
    return CModelRules::StructureVersionNumber(structureVersion);
}

bool CUnitOpenInfo::LockoutsLinked(bool codeControl) const
{
    return CModelRules::LockoutsLinked(phoneClass, codeControl, structureVersion);
}

CVelmoraError CUnitOpener::Prepare(const QSqlDatabase& db, const QString& imei, bool rowCrossFleet,
                                   const CModelRules* rules, CUnitOpenInfo& info)
{
    info = CUnitOpenInfo();
    info.rowCrossFleet = rowCrossFleet;
    CUnitRecSet unit(db);
    if (unit.Open(QStringLiteral("unit_imei_num = ?"), {imei}) && !unit.IsEOF()) {
        info.imei = unit.m_unit_imei_num;
        info.recNum = unit.m_unit_rec_num;
        info.crossFleet = unit.m_unit_cross_fleet_enable;
        info.simVersion = unit.m_unit_sim_version;
        info.modelType = unit.m_unit_model_type;
        info.releaseId = unit.m_unit_prod_release_id;
        info.subReleaseId = unit.m_unit_prod_sub_release_id;
        info.structureVersion = unit.m_unit_cp_structure_version;
    }
    if (info.recNum <= 0)
        return CVelmoraError::Message(UnitsMsg::RecordIncomplete);
    if (info.imei.isEmpty())
        return CVelmoraError::FromVelmoraCode(kUnitsEmptyImeiCode);
    if (rules) {
        // The unit still opens with what the catalogue could set.
        info.profile =
            rules->ProfileOf(info.modelType, info.releaseId, info.subReleaseId, &info.profileError);
        info.phoneClass = rules->PhoneClassOf(info.modelType);
        info.modelKey = info.profile.modelKey;
        info.phoneBookLangEntryId = rules->PhoneBookLangEntryID(info.modelKey);
    } else {
        info.modelKey = QString::number(info.modelType);
    }
    return CVelmoraError();
}
