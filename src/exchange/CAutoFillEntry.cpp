#include "CAutoFillEntry.h"

#include "CConsolNumberType.h"

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

QList<CExchangeEntry> CAutoFillEntry::Entries(CExchangeKind kind, int language) const
{
    QList<CExchangeEntry> entries;
    CExchangeEntry entry;
    entry.name = name;
    entry.language = language;
    switch (kind) {
    case CExchangeKind::PhoneBook:
        if (HasNumber()) {
            entry.number = number;
            entries << entry;
        }
        break;
    case CExchangeKind::Private:
        if (hasPrivateId) {
            entry.privateId = privateId;
            entries << entry;
        }
        break;
    case CExchangeKind::Consolidated:
        if (HasNumber()) {
            entry.number = number;
            entry.numType = CConsolNumberType::PhoneNumber;
            entries << entry;
        }
        if (hasPrivateId) {
            entry.number = PrivateIdText();
            entry.numType = CConsolNumberType::PrivateId;
            entries << entry;
        }
        break;
    default:
        break;
    }
    return entries;
}
