#include "CUnitSheetSettings.h"

#include "CVelmoraWrap.h"

namespace {

bool ReadNumber(const QString& name, int& number)
{
    QString text;
    if (!CVelmoraWrap::GetRegistryValue(name, text))
        return false;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        number = value;
    return ok;
}

} // namespace

CUnitSheetSettings CUnitSheetSettings::FromStore()
{
    CUnitSheetSettings settings;
    int listPagesOff = 0;
    if (ReadNumber(ListPagesOffName(), listPagesOff))
        settings.listPagesOff = listPagesOff != 0;
    ReadNumber(ConnectionModeName(), settings.connectionMode);
    return settings;
}
