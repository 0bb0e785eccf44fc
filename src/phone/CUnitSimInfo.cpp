#include "CUnitSimInfo.h"

#include "CUnitRecSet.h"

namespace {

const int LanguageHebrew = 3;

} // namespace

QString CUnitSimInfo::ReversedIdentity(const QString& identity)
{
    if (!identity.contains(QLatin1Char('*')))
        return identity;
    // Urban and fleet stop at the first two stars; the member part is the rest.
    const int first = identity.indexOf(QLatin1Char('*'));
    const int second = identity.indexOf(QLatin1Char('*'), first + 1);
    const QString urban = identity.left(first);
    const QString fleet = second < 0 ? identity.mid(first + 1) : identity.mid(first + 1, second - first - 1);
    const QString member = second < 0 ? QString() : identity.mid(second + 1);
    return member + QLatin1Char('*') + fleet + QLatin1Char('*') + urban;
}

CUnitSimInfo CUnitSimInfo::Load(const QSqlDatabase& fleet, const QString& imei, int languageCode)
{
    CUnitSimInfo info;
    CUnitRecSet unit(fleet);
    if (!unit.Open(QStringLiteral("unit_imei_num = ?"), {imei}) || unit.IsEOF())
        return info;
    info.found = true;
    info.phoneNumber = unit.m_unit_phone_num_nam1;
    info.privateId = languageCode == LanguageHebrew ? ReversedIdentity(unit.m_unit_display_prvt_id)
                                                    : unit.m_unit_display_prvt_id;
    info.ipAddress = unit.m_unit_ip_address;
    info.imei = unit.m_unit_imei_num;
    return info;
}
