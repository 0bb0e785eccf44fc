#include "CListBlockCodec.h"

#include "CListEntry.h"

namespace {

using Kind = CListBlockLayout::ListKind;
using Format = CListBlockLayout::Format;

bool IsPhoneBook(Format format)
{
    return format == Format::PhoneBook || format == Format::LongPhoneBook || format == Format::SimPhoneBook;
}

bool HasLanguage(Format format)
{
    return format == Format::SimPhoneBook || format == Format::SimPrivate || format == Format::SimTalkgroup;
}

} // namespace

CPhoneTextCodec CListBlockCodec::CodecFor(Format format, int entryLanguage,
                                          CPhoneTextCodec::CodePage unitPage)
{
    // Lists without a language byte keep none on the phone: their names follow the unit.
    return CPhoneTextCodec::ForEntry(HasLanguage(format) ? entryLanguage : -1, unitPage);
}

QList<CListRow> CListBlockCodec::DecodeRegion(const QByteArray& block, const Region& region,
                                              CPhoneTextCodec::CodePage unitPage)
{
    QList<CListRow> rows;
    for (int slot = 0; slot < region.count; ++slot) {
        const int offset = CListBlockLayout::SlotOffset(region, slot);
        CListRow row;
        row.kind = region.kind;
        row.nam = region.nam;
        row.number = slot + 1;
        if (region.kind == Kind::Consolidated) {
            row.record = CConsolidatedRecord::Decode(block, offset, unitPage);
            if (row.record.nameIndex == 0)
                continue;
            row.name = row.record.name;
            row.phone = row.record.number;
            row.language = row.record.language;
            rows.append(row);
            continue;
        }
        const CListEntry entry = CListEntry::Decode(region.format, block, offset);
        // The entry's name holds the phone's bytes, one character each.
        row.name = CodecFor(region.format, entry.language, unitPage).Decode(entry.name.toLatin1());
        row.flag = entry.flag != 0;
        if (HasLanguage(region.format))
            row.language = entry.language;
        switch (region.kind) {
        case Kind::PhoneBook:
            if (entry.name.isEmpty() && entry.number.isEmpty())
                continue;
            row.phone = entry.number;
            break;
        case Kind::Private:
            if (region.format == Format::Short) {
                row.member = entry.id;
            } else {
                row.urban = entry.urban;
                row.fleet = entry.fleet;
                row.member = entry.member;
            }
            if (row.member == 0)
                continue;
            break;
        case Kind::Talkgroup:
            if (entry.id == 0)
                continue;
            row.id = entry.id;
            break;
        case Kind::Scan:
            // Types 1 and 6 keep the talkgroup's slot in the talkgroup list, type 9 its id and alias.
            row.id = region.format == Format::Scan ? quint32(entry.slot) : entry.id;
            break;
        case Kind::Status:
            row.id = entry.id;
            break;
        case Kind::Consolidated:
            break;
        }
        rows.append(row);
    }
    return rows;
}

CUnitListRows CListBlockCodec::Decode(const QByteArray& block, const QList<Region>& regions,
                                      bool withConsolidated, CPhoneTextCodec::CodePage unitPage)
{
    CUnitListRows rows;
    for (const Region& region : regions) {
        if (region.kind == Kind::Consolidated && !withConsolidated)
            continue;
        rows.Append(DecodeRegion(block, region, unitPage));
    }
    return rows;
}

bool CListBlockCodec::Selected(const Region& region, const CWriteFlags& flags)
{
    const int nam = qBound(1, region.nam, 3) - 1;
    switch (region.kind) {
    case Kind::PhoneBook:
        return flags.phoneBook;
    case Kind::Private:
        return flags.privateList[size_t(nam)];
    case Kind::Talkgroup:
        return flags.talkgroups[size_t(nam)];
    case Kind::Scan:
        return flags.scanList[size_t(nam)];
    case Kind::Status:
        return flags.statusMessages[size_t(nam)];
    case Kind::Consolidated:
        return flags.consolidated;
    }
    return false;
}

CVelmoraError CListBlockCodec::EncodeRegion(QByteArray& block, const Region& region,
                                            const QList<CListRow>& rows, bool stripPause,
                                            CPhoneTextCodec::CodePage unitPage)
{
    const int size = CListBlockLayout::EntrySize(region.format);
    const int start = region.offset;
    const int end = start + region.count * size;
    if (start < 0 || end > block.size())
        return CVelmoraError();
    // Rows removed from the fleet must disappear from the phone.
    for (int i = start; i < end; ++i)
        block[i] = '\0';
    for (const CListRow& row : rows) {
        const int slot = row.number - 1;
        if (slot < 0 || slot >= region.count)
            continue;
        const int offset = CListBlockLayout::SlotOffset(region, slot);
        if (region.kind == Kind::Consolidated) {
            CConsolidatedRecord record = row.record;
            record.name = record.name.left(WrittenNameLength);
            if (CVelmoraError refused = record.Encode(block, offset, unitPage))
                return refused;
            continue;
        }
        CListEntry entry;
        entry.language = HasLanguage(region.format) ? row.language : 0;
        if (region.format != Format::Scan) {
            QByteArray name;
            if (CVelmoraError refused = CodecFor(region.format, row.language, unitPage)
                                            .Encode(row.name.left(WrittenNameLength), name))
                return refused;
            entry.name = QString::fromLatin1(name); // the bytes, one character each
        }
        entry.flag = row.flag ? 1 : 0;
        if (IsPhoneBook(region.format)) {
            entry.number = (stripPause ? StripPause(row.phone) : row.phone).left(WrittenNumberLength);
        } else if (region.kind == Kind::Private) {
            if (region.format == Format::Short) {
                entry.id = row.member;
            } else {
                entry.urban = row.urban;
                entry.fleet = row.fleet;
                entry.member = row.member;
            }
        } else if (region.format == Format::Scan) {
            // A talkgroup slot is one byte; anything larger cannot name a slot.
            entry.slot = row.id <= 0xFF ? int(row.id) : 0;
        } else {
            entry.id = row.id;
        }
        CListEntry::Encode(region.format, entry, block, offset);
    }
    return CVelmoraError();
}

CVelmoraError CListBlockCodec::Encode(QByteArray& block, const QList<Region>& regions,
                                      const CUnitListRows& rows, const CWriteFlags& flags, bool stripPause,
                                      CPhoneTextCodec::CodePage unitPage)
{
    for (const Region& region : regions) {
        if (!Selected(region, flags))
            continue;
        if (CVelmoraError refused =
                EncodeRegion(block, region, rows.Of(region.kind, region.nam), stripPause, unitPage))
            return refused;
    }
    return CVelmoraError();
}

CVelmoraError CListBlockCodec::CheckNames(const QList<Region>& regions, const CUnitListRows& rows,
                                          const CWriteFlags& flags, CPhoneTextCodec::CodePage unitPage)
{
    for (const Region& region : regions) {
        if (!Selected(region, flags) || region.format == Format::Scan)
            continue;
        for (const CListRow& row : rows.Of(region.kind, region.nam)) {
            const bool record = region.kind == Kind::Consolidated;
            const QString name = (record ? row.record.name : row.name).left(WrittenNameLength);
            const int language = record ? row.record.language : row.language;
            const CPhoneTextCodec codec = record ? CPhoneTextCodec::ForEntry(language, unitPage)
                                                 : CodecFor(region.format, language, unitPage);
            if (CVelmoraError refused = codec.Check(name))
                return refused;
        }
    }
    return CVelmoraError();
}

bool CListBlockCodec::StripPauseApplies(int defaultVersion, int structureVersion)
{
    const int defaultLow = defaultVersion & 0xFF;
    const int structureLow = structureVersion & 0xFF;
    return defaultLow < 10 || (defaultLow == 10 && structureLow < 5);
}

QString CListBlockCodec::StripPause(const QString& number)
{
    QString stripped;
    for (const QChar c : number) {
        if (c != QLatin1Char('o') && c != QLatin1Char('p') && c != QLatin1Char('P'))
            stripped += c;
    }
    return stripped;
}
