#include "CUnitSheetUnit.h"

#include "CModelRules.h"
#include "CUnitOpener.h"
#include "CVelmoraWrap.h"

QString CSheetComboEntry::Caption() const
{
    return stringId != 0 ? CVelmoraWrap::LoadString(stringId) : text;
}

CUnitSheetUnit CUnitSheetUnit::FromOpenInfo(const QSqlDatabase& db, const CUnitOpenInfo& info,
                                            const CModelRules& rules, int carrierId)
{
    CUnitSheetUnit unit;
    unit.db = db;
    unit.imei = info.imei;
    unit.phoneClass = info.phoneClass;
    unit.modelType = info.modelType;
    unit.releaseId = info.releaseId;
    unit.subReleaseId = info.subReleaseId;
    unit.structureVersion = info.structureVersion;
    unit.profile = info.profile;
    unit.carrierId = carrierId;
    unit.phoneBookLangEntryId = info.phoneBookLangEntryId;
    unit.ReadModelSettings(rules);
    return unit;
}

void CUnitSheetUnit::ReadModelSettings(const CModelRules& rules)
{
    plusSeries = rules.IsPlusSeriesPhone(modelType);
    supportedLang = rules.SupportedLang(modelType);
    enableVibrateFlag = rules.EnableVibrateFlag(subReleaseId, releaseId, modelType);
    enableSimPinWarningFlag = rules.EnableSimPinWarningFlag(subReleaseId, releaseId, modelType);
    disableNetMode = rules.DisableNetMode(subReleaseId, releaseId, modelType);
}

int CUnitSheetUnit::StructureNumber() const
{
    return CModelRules::StructureVersionNumber(structureVersion);
}

bool CUnitSheetUnit::NewStructure() const
{
    const int number = StructureNumber();
    return number == 0 || number >= 16;
}

bool CUnitSheetUnit::FieldEnabled(int fieldId) const
{
    return profile.ErgoFieldFlag(fieldId) == 1;
}

bool CUnitSheetUnit::ParseNumber(const QString& text, int min, int max, int& value)
{
    const QString digits = text.trimmed();
    // Ten digits already leave every bound behind; longer input must not overflow the reading.
    if (digits.isEmpty() || digits.size() > 10)
        return false;
    qint64 number = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        number = number * 10 + (c.unicode() - '0');
    }
    if (number < min || number > max)
        return false;
    value = int(number);
    return true;
}

CVelmoraError CUnitSheetUnit::RangeError(int min, int max)
{
    return CVelmoraError::Message(MsgOutOfRange, {QString::number(min), QString::number(max)});
}
