#include "CUnitPhoneInfo.h"

#include "CModelRules.h"
#include "CRadioModelRecSet.h"
#include "CUnitRecSet.h"
#include "PhoneMessageIds.h"

QString CUnitPhoneInfo::VersionText(int version)
{
    if (version == 32484)
        return QString();
    return QStringLiteral("%1").arg(uint(version) & 0xFFFF, 2, 16, QLatin1Char('0')).toUpper();
}

CUnitPhoneInfo CUnitPhoneInfo::Load(const QSqlDatabase& fleet, const QString& imei, const CModelRules& rules)
{
    CUnitPhoneInfo info;
    CUnitRecSet unit(fleet);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {imei}) || unit.IsEOF())
        return info;
    info.found = true;
    CRadioModelRecSet model;
    if (!rules.GetModelRow(unit.m_unit_model_type, model)) {
        info.error = CVelmoraError::FromVelmoraCode(PhoneErr::UnitModelUnknown);
        return info;
    }
    info.structureVersion = VersionText(unit.m_unit_cp_structure_version);
    info.defaultVersion = VersionText(unit.m_unit_cp_default_version);
    info.lastModified = unit.m_unit_last_mod_date;
    info.imei = unit.m_unit_imei_num;
    info.modelNumber = model.m_ModelNumber;
    info.modelDescription =
        rules.IsInternationalModel(unit.m_unit_model_type)
            ? rules.ModelDescription(unit.m_unit_model_type, unit.m_unit_prod_sub_release_id,
                                     unit.m_unit_prod_release_id)
            : model.m_ModelDescription;
    return info;
}
