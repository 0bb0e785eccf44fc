#include "CSimBlockFill.h"

#include "CConsolidatedDerivation.h"
#include "CListBlockCodec.h"
#include "CListBlockLayout.h"

namespace {

using Kind = CListBlockLayout::ListKind;
using Region = CListBlockLayout::Region;

} // namespace

CVelmoraError CSimBlockFill::Fill(QByteArray& block, const CUnitListRows& rows, const CWriteFlags& flags,
                                  Side source, Side target, bool stripPause, const QDateTime& nowUtc,
                                  CPhoneTextCodec::CodePage unitPage)
{
    if (target.simKind < 2)
        return CVelmoraError();
    const QList<Region> regions = CListBlockLayout::SimRegions();
    CVelmoraError refused;
    auto encode = [&](const Region& region, const QList<CListRow>& list) {
        if (refused || (region.kind == Kind::Consolidated && target.simKind < 3))
            return;
        refused = CListBlockCodec::EncodeRegion(block, region, list, stripPause, unitPage);
    };

    if (source.ConsolidatedForm() && !target.ConsolidatedForm() && flags.consolidated) {
        const CConsolidatedDerivation::Lists derived =
            CConsolidatedDerivation::Derive(rows.Of(Kind::Consolidated));
        for (const Region& region : regions) {
            if (region.kind == Kind::PhoneBook)
                encode(region, derived.phoneBook);
            else if (region.kind == Kind::Private)
                encode(region, derived.privates);
            else if (region.kind == Kind::Talkgroup)
                encode(region, derived.talkgroups);
        }
        return refused;
    }
    if (target.ConsolidatedForm() && !source.ConsolidatedForm() &&
        (flags.phoneBook || flags.privateList[0] || flags.talkgroups[0])) {
        const QList<CListRow> built = CConsolidatedDerivation::Build(rows, nowUtc);
        for (const Region& region : regions) {
            if (region.kind == Kind::Consolidated)
                encode(region, built);
        }
        return refused;
    }
    const quint32 minutes = CConsolidatedRecord::PhoneMinutes(nowUtc);
    for (const Region& region : regions) {
        if (!CListBlockCodec::Selected(region, flags))
            continue;
        QList<CListRow> list = rows.Of(region.kind, region.nam);
        if (region.kind == Kind::Consolidated) {
            for (CListRow& row : list)
                row.record.timeStamp = minutes;
        }
        encode(region, list);
    }
    return refused;
}

void CSimBlockFill::SetTalkgroupType(QByteArray& block, int talkgroupType)
{
    if (block.size() > CListBlockLayout::SimTalkgroupTypeOffset)
        block[CListBlockLayout::SimTalkgroupTypeOffset] = char(quint8(talkgroupType));
}
