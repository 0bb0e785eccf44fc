#include "CUnitOpener.h"

#include "CModelRules.h"
#include "CUnitRecSet.h"
#include "CVelmoraWrap.h"
#include "UnitsMessageIds.h"

bool CUnitOpener::Prepare(const QSqlDatabase& db, const QString& imei, bool rowCrossFleet, CModelRules* rules,
                          CUnitOpenInfo& info)
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
    if (info.recNum <= 0) {
        CVelmoraWrap::ShowError(UnitsMsg::RecordIncomplete, VMT_ERROR);
        return false;
    }
    if (info.imei.isEmpty()) {
        CVelmoraWrap::HandleVelmoraError(kUnitsEmptyImeiCode);
        return false;
    }
    if (rules) {
        // The rules report their own failures; the unit still opens with what they could set.
        rules->ApplyModel(info.modelType, info.releaseId);
        info.phoneClass = rules->PhoneClassOf(info.modelType);
        info.modelKey = rules->ModelKey(info.modelType, info.subReleaseId, info.releaseId);
        info.phoneBookLangEntryId = rules->PhoneBookLangEntryID(info.modelKey);
    } else {
        info.modelKey = QString::number(info.modelType);
    }
    return true;
}
