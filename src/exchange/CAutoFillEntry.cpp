#include "CAutoFillEntry.h"

CAutoFillEntry CAutoFillEntry::FromUnit(const QString& imei, const QString& userName,
                                        const QString& nam1Number, const QString& displayPrivateId,
                                        int nam1PrivateId)
{
    CAutoFillEntry e;
    e.imei = imei;
    e.name = CExchangePlacement::EntryName(userName);
    e.number = nam1Number.trimmed();
    if (displayPrivateId.contains(QLatin1Char('*'))) {
        CExchangePrivateId id;
        if (CExchangePrivateId::Parse(displayPrivateId.trimmed(), id) && id.member > 0) {
            e.privateId = id;
            e.hasPrivateId = true;
        }
    } else if (nam1PrivateId > 0) {
        e.privateId.member = nam1PrivateId;
        e.hasPrivateId = true;
    }
    return e;
}
