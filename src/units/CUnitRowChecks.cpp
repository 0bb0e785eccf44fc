#include "CUnitRowChecks.h"

#include "CModelRules.h"
#include "CUnitRowRules.h"
#include "CUnitsColumns.h"
#include "UnitsMessageIds.h"

namespace {

using C = CUnitsColumns;

CUnitRowCheckResult Failed(int column, const CGridCheckResult& message)
{
    return CUnitRowCheckResult{false, column, message};
}

} // namespace

int CUnitRowChecks::SimVersionOfModel(int modelType, const CModelRules* rules)
{
    return rules ? rules->PhoneClassOf(modelType) : 1;
}

CUnitRowCheckResult CUnitRowChecks::Run(QStringList& cells, const CModelRules* rules, bool ipEditable,
                                        const QStringList* stored)
{
    auto cell = [&cells](int col) -> QString& { return cells[col - 1]; };

    if (cell(C::UserName).isEmpty())
        return Failed(C::UserName, CGridCheckResult::Fail(UnitsMsg::UserNameMissing));
    if (cell(C::Imei).size() < ImeiMinLength)
        return Failed(C::Imei, CGridCheckResult::Fail(UnitsMsg::ImeiTooShort));

    int model = 0;
    if (!CUnitRowRules::ModelOfKey(cell(C::ModelType), model))
        return Failed(C::ModelType, CGridCheckResult::Fail(UnitsMsg::ModelMissing));
    // A stored unit keeps the SIM kind read from its phone (the SIM fill uses it); new rows take the model's.
    if (!stored || CUnitRowRules::Number(cell(C::SimVersion)) < 1)
        cell(C::SimVersion) = QString::number(SimVersionOfModel(model, rules));

    const bool crossFleet = CUnitRowRules::IsCrossFleetText(cell(C::CrossFleet));
    // A stored id came from the phone: unchanged it must not lock the row; a typed one is checked.
    const bool privateIdAsStored =
        stored && stored->value(C::DisplayPrivateId - 1) == cell(C::DisplayPrivateId) &&
        CUnitRowRules::IsCrossFleetText(stored->value(C::CrossFleet - 1)) == crossFleet;
    if (!privateIdAsStored) {
        const CGridCheckResult privateId =
            CUnitRowRules::CheckPrivateId(cell(C::DisplayPrivateId), crossFleet);
        if (!privateId.ok)
            return Failed(C::DisplayPrivateId, privateId);
    }

    // Only an editable address refuses the row: a stored unit's is read-only and would lock it for good.
    QString ip;
    const CGridCheckResult address = CUnitRowRules::CheckIp(cell(C::IpAddress), &ip);
    if (address.ok)
        cell(C::IpAddress) = ip;
    else if (ipEditable)
        return Failed(C::IpAddress, address);
    return CUnitRowCheckResult{};
}
