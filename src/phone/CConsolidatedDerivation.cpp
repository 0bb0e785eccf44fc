#include "CConsolidatedDerivation.h"

#include "CListBlockCodec.h"
#include "PhoneMessageIds.h"

#include <QHash>

namespace {

using Kind = CListBlockLayout::ListKind;

// Appends a derived row unless the list is full; the list's notice is noted the first time it is.
void Take(QList<CListRow>& list, CListRow row, int limit, bool& cut, int messageId,
          QList<CVelmoraError>& remarks)
{
    if (list.size() >= limit) {
        if (!cut)
            remarks.append(CVelmoraError::Message(messageId, {}, VMT_NOTICE));
        cut = true;
        return;
    }
    row.number = int(list.size()) + 1;
    list.append(row);
}

} // namespace

QString CConsolidatedDerivation::PrivateNumber(quint32 urban, quint32 fleet, quint32 member)
{
    if (urban == 0 && fleet == 0)
        return QString::number(member);
    return QStringLiteral("%1*%2*%3").arg(urban).arg(fleet).arg(member);
}

void CConsolidatedDerivation::SplitPrivateNumber(const QString& number, quint32& urban, quint32& fleet,
                                                 quint32& member)
{
    urban = fleet = member = 0;
    if (!number.contains(QLatin1Char('*'))) {
        member = number.trimmed().toUInt();
        return;
    }
    const QStringList parts = number.split(QLatin1Char('*'));
    urban = parts.value(0).trimmed().toUInt();
    fleet = parts.value(1).trimmed().toUInt();
    member = parts.value(2).trimmed().toUInt();
}

CConsolidatedDerivation::Lists CConsolidatedDerivation::Derive(const QList<CListRow>& consolidated)
{
    Lists lists;
    bool phoneBookCut = false;
    bool privateCut = false;
    bool talkgroupCut = false;
    for (const CListRow& source : consolidated) {
        const CConsolidatedRecord& r = source.record;
        CListRow row;
        row.name = r.name;
        row.flag = true;
        row.language = r.nameLang;
        if (r.numType == PrivateType) {
            row.kind = Kind::Private;
            SplitPrivateNumber(r.number, row.urban, row.fleet, row.member);
            Take(lists.privates, row, PrivateLimit, privateCut, PhoneMsg::PrivateCut, lists.remarks);
        } else if (r.numType == TalkgroupType) {
            row.kind = Kind::Talkgroup;
            row.id = r.number.trimmed().toUInt();
            Take(lists.talkgroups, row, TalkgroupLimit, talkgroupCut, PhoneMsg::TalkgroupCut, lists.remarks);
        } else if (r.numType == 8 || r.numType >= 10) {
            continue;
        } else {
            row.kind = Kind::PhoneBook;
            row.phone = r.number;
            Take(lists.phoneBook, row, PhoneBookLimit, phoneBookCut, PhoneMsg::PhoneBookCut, lists.remarks);
        }
    }
    return lists;
}

QList<CListRow> CConsolidatedDerivation::Build(const CUnitListRows& rows, const QDateTime& nowUtc)
{
    QList<CListRow> sources = rows.Of(Kind::PhoneBook);
    sources += rows.Of(Kind::Private, 1);
    sources += rows.Of(Kind::Talkgroup, 1);
    const quint32 minutes = CConsolidatedRecord::PhoneMinutes(nowUtc);
    QHash<QString, int> nameIndexes;
    QList<CListRow> built;
    for (const CListRow& source : sources) {
        if (built.size() >= ConsolidatedLimit)
            break;
        CListRow row;
        row.kind = Kind::Consolidated;
        row.number = int(built.size()) + 1;
        CConsolidatedRecord& r = row.record;
        r.name = source.name.left(CListBlockCodec::WrittenNameLength);
        switch (source.kind) {
        case Kind::Private:
            r.number = PrivateNumber(source.urban, source.fleet, source.member);
            r.numType = PrivateType;
            break;
        case Kind::Talkgroup:
            r.number = QString::number(source.id);
            r.numType = TalkgroupType;
            break;
        default:
            r.number = source.phone;
            r.numType = PhoneType;
            break;
        }
        r.number = r.number.left(CConsolidatedRecord::NumberSize - 1);
        r.phoneNumLen = int(r.number.size());
        r.tonNP = 0x81;
        r.extnRecID = 0xFF;       // no extension record
        r.voiceTag = 0xFFFFFFFFu; // no voice tag
        r.language = source.language;
        r.nameLang = source.language;
        r.timeStamp = minutes;
        auto found = nameIndexes.constFind(r.name);
        r.nameIndex = found != nameIndexes.constEnd() ? found.value() : int(nameIndexes.size()) + 1;
        nameIndexes.insert(r.name, r.nameIndex);
        row.name = r.name;
        row.phone = r.number;
        row.language = r.language;
        built.append(row);
    }
    return built;
}
