#include "AgentApi.h"
#include "CBenchFixture.h"
#include "CConsolidatedDerivation.h"
#include "CConsolidatedRecord.h"
#include "CListBlockCodec.h"
#include "CListEntry.h"
#include "CScriptedAnswerer.h"
#include "CSimBlockFill.h"
#include "CTestEnvironment.h"
#include "PhoneMessageIds.h"

#include <QtTest>

namespace {

using Kind = CListBlockLayout::ListKind;
using Layout = CListBlockLayout::Layout;
using Region = CListBlockLayout::Region;

// Which bytes of a block lie in one of the regions.
QVector<bool> RegionMask(int size, const QList<Region>& regions)
{
    QVector<bool> mask(size, false);
    for (const Region& r : regions) {
        for (int i = r.offset; i < r.offset + r.count * CListBlockLayout::EntrySize(r.format); ++i)
            mask[i] = true;
    }
    return mask;
}

// Bytes the phone keeps between the regions: a pattern the codec must leave alone.
void FillOutside(QByteArray& block, const QList<Region>& regions)
{
    const QVector<bool> mask = RegionMask(int(block.size()), regions);
    for (int i = 0; i < block.size(); ++i) {
        if (!mask[i])
            block[i] = char((i * 7 + 3) & 0xFF);
    }
}

const Region* FindRegion(const QList<Region>& regions, Kind kind, int nam = 1)
{
    for (const Region& r : regions) {
        if (r.kind == kind && r.nam == nam)
            return &r;
    }
    return nullptr;
}

CListRow Row(Kind kind, int number, const QString& name, quint32 id = 0, int nam = 1)
{
    CListRow row;
    row.kind = kind;
    row.nam = nam;
    row.number = number;
    row.name = name;
    row.id = id;
    row.member = id;
    row.flag = true;
    return row;
}

CListRow Consolidated(const QString& name, const QString& number, int type, int index)
{
    CListRow row;
    row.kind = Kind::Consolidated;
    row.number = index;
    row.record.name = name;
    row.record.number = number;
    row.record.numType = type;
    row.record.nameIndex = index;
    row.record.nameLang = 3;
    return row;
}

// A phone made the way the bench makes them, for its list block or SIM block.
CVirtualPhone MakePhone(const CPhoneModelFacts& facts, int release = -1, int simKind = -1)
{
    CPhonePresetOptions options;
    options.release = release;
    options.simKind = simKind;
    CVirtualPhone phone;
    QString why;
    if (!CPhonePreset::Build(facts, options, phone, &why))
        qFatal("%s", qPrintable(why));
    return phone;
}

} // namespace

// Block to rows and rows to block for every layout, the SIM block fill and the time stamps.
class TestListBlocks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }

    void everyLayoutRoundTripsAndKeepsOtherBytes_data()
    {
        QTest::addColumn<int>("callListType");
        QTest::addColumn<bool>("crossFleet");
        for (const int type : {0, 1, 2, 3, 4, 5, 6, 8, 9}) {
            QTest::addRow("type %d", type) << type << false;
            if (type == 0 || type == 4 || type == 5)
                QTest::addRow("type %dX", type) << type << true;
        }
    }
    void everyLayoutRoundTripsAndKeepsOtherBytes()
    {
        QFETCH(int, callListType);
        QFETCH(bool, crossFleet);
        const CPhoneModelFacts facts =
            crossFleet ? CBenchFixture::CrossFleet(12, callListType) : CBenchFixture::Plain(10, callListType);
        const CVirtualPhone phone = MakePhone(facts);
        const Layout layout = CListBlockLayout::LayoutFor(callListType, crossFleet);
        QCOMPARE(phone.codeplug.Layout(), layout);
        const QList<Region> regions = CListBlockLayout::Regions(layout);
        QByteArray original = phone.codeplug.ListBlock();
        FillOutside(original, regions);

        const CUnitListRows rows = CListBlockCodec::Decode(original, regions, false);
        QVERIFY(rows.Count(Kind::PhoneBook) > 0);
        QVERIFY(rows.Count(Kind::Talkgroup) > 0);
        QVERIFY(rows.Count(Kind::Private) > 0);
        // Scan and status slots all become rows, empty or not.
        if (const Region* scan = FindRegion(regions, Kind::Scan))
            QCOMPARE(rows.Count(Kind::Scan), scan->count);

        QByteArray written(original.size(), '\0');
        FillOutside(written, regions);
        CListBlockCodec::Encode(written, regions, rows, CWriteFlags::All(), false);
        QCOMPARE(written, original);
    }

    void simBlockRoundTrips_data()
    {
        QTest::addColumn<int>("simKind");
        QTest::newRow("kind 2") << 2;
        QTest::newRow("kind 3") << 3;
    }
    void simBlockRoundTrips()
    {
        QFETCH(int, simKind);
        const CVirtualPhone phone = MakePhone(CBenchFixture::Alder(), -1, simKind);
        const QList<Region> regions = CListBlockLayout::SimRegions();
        QByteArray original = phone.sim.block;
        FillOutside(original, regions);
        const CUnitListRows rows = CListBlockCodec::Decode(original, regions, simKind == 3);
        QCOMPARE(rows.Count(Kind::Consolidated) > 0, simKind == 3);

        // A SIM of the second kind keeps no consolidated list: the write is told to leave that region.
        CWriteFlags flags = CWriteFlags::All();
        flags.consolidated = simKind == 3;
        QByteArray written(original.size(), '\0');
        FillOutside(written, regions);
        CListBlockCodec::Encode(written, regions, rows, flags, false);
        QCOMPARE(written, original);
    }

    void clearFlagKeepsThePhonesRegion()
    {
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L0);
        QByteArray block = MakePhone(CBenchFixture::Plain(10, 0)).codeplug.ListBlock();
        const QByteArray before = block;
        CWriteFlags flags = CWriteFlags::All();
        flags.phoneBook = false;
        flags.privateList = {false, false, false};
        CListBlockCodec::Encode(block, regions, CUnitListRows(), flags, false);
        const Region* pb = FindRegion(regions, Kind::PhoneBook);
        const Region* tg = FindRegion(regions, Kind::Talkgroup);
        const int pbEnd = pb->offset + pb->count * CListBlockLayout::EntrySize(pb->format);
        QCOMPARE(block.left(pbEnd), before.left(pbEnd));
        // A selected list without rows is emptied in the phone.
        const int tgSize = tg->count * CListBlockLayout::EntrySize(tg->format);
        QCOMPARE(block.mid(tg->offset, tgSize), QByteArray(tgSize, '\0'));
        QVERIFY(before.mid(tg->offset, tgSize) != QByteArray(tgSize, '\0'));
    }

    void emptySlotsAreSkippedButScanSlotsKept()
    {
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L1);
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L1), '\0');
        const Region* tg = FindRegion(regions, Kind::Talkgroup);
        const Region* pr = FindRegion(regions, Kind::Private);
        const Region* pb = FindRegion(regions, Kind::PhoneBook);
        CListEntry named;
        named.name = QStringLiteral("No id");
        named.flag = 1;
        CListEntry::Encode(tg->format, named, block, CListBlockLayout::SlotOffset(*tg, 0));
        CListEntry::Encode(pr->format, named, block, CListBlockLayout::SlotOffset(*pr, 0));
        CListEntry onlyName;
        onlyName.name = QStringLiteral("Name only");
        CListEntry::Encode(pb->format, onlyName, block, CListBlockLayout::SlotOffset(*pb, 3));

        const CUnitListRows rows = CListBlockCodec::Decode(block, regions, false);
        QCOMPARE(rows.Count(Kind::Talkgroup), 0);
        QCOMPARE(rows.Count(Kind::Private), 0);
        QCOMPARE(rows.Count(Kind::PhoneBook), 1);
        QCOMPARE(rows.Of(Kind::PhoneBook).first().number, 4);
        const QList<CListRow> scans = rows.Of(Kind::Scan, 2);
        QCOMPARE(scans.size(), 5);
        QCOMPARE(scans.at(4).number, 5);
        QCOMPARE(scans.at(4).id, 0u);
    }

    void rowsLandAtTheirSlotsAndGapsAreEmpty()
    {
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L0X);
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L0X), char(0x5A));
        CUnitListRows rows;
        CListRow row = Row(Kind::Private, 3, QStringLiteral("Third"), 3003);
        row.urban = 11;
        row.fleet = 22;
        rows.rows << row;
        rows.rows << Row(Kind::Private, 101, QStringLiteral("Beyond"), 99); // outside the region
        CListBlockCodec::Encode(block, regions, rows, CWriteFlags::All(), false);
        const Region* pr = FindRegion(regions, Kind::Private);
        const int size = CListBlockLayout::EntrySize(pr->format);
        QCOMPARE(block.mid(pr->offset, 2 * size), QByteArray(2 * size, '\0'));
        const CListEntry third = CListEntry::Decode(pr->format, block, CListBlockLayout::SlotOffset(*pr, 2));
        QCOMPARE(third.name, QStringLiteral("Third"));
        QCOMPARE(third.urban, 11u);
        QCOMPARE(third.fleet, 22u);
        QCOMPARE(third.member, 3003u);
        // The byte after the region is the phone's.
        QCOMPARE(block.at(pr->offset + pr->count * size), char(0x5A));
        const CUnitListRows back = CListBlockCodec::Decode(block, {*pr}, false);
        QCOMPARE(back.Count(Kind::Private), 1);
    }

    void typeThreeHoldsFifteenOfEachOnNamOne()
    {
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L3);
        QCOMPARE(regions.size(), 3);
        CUnitListRows rows;
        for (int i = 1; i <= 16; ++i) {
            CListRow pb = Row(Kind::PhoneBook, i, QStringLiteral("P%1").arg(i));
            pb.phone = QStringLiteral("555%1").arg(i);
            rows.rows << pb << Row(Kind::Talkgroup, i, QStringLiteral("T%1").arg(i), 100 + i)
                      << Row(Kind::Private, i, QStringLiteral("R%1").arg(i), 200 + i);
        }
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L3), '\0');
        CListBlockCodec::Encode(block, regions, rows, CWriteFlags::All(), false);
        const CUnitListRows back = CListBlockCodec::Decode(block, regions, false);
        QCOMPARE(back.Count(Kind::PhoneBook), 15);
        QCOMPARE(back.Count(Kind::Talkgroup), 15);
        QCOMPARE(back.Count(Kind::Private), 15);
        QCOMPARE(back.Of(Kind::Private).last().member, 215u);
    }

    void namesAreWrittenWithElevenCharacters()
    {
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L8);
        CUnitListRows rows;
        CListRow pb = Row(Kind::PhoneBook, 1, QStringLiteral("A name far longer than eleven"));
        pb.phone = QStringLiteral("123");
        rows.rows << pb << Row(Kind::Talkgroup, 1, QStringLiteral("Talkgroup with a long name"), 5);
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L8), '\0');
        CListBlockCodec::Encode(block, regions, rows, CWriteFlags::All(), false);
        const CUnitListRows back = CListBlockCodec::Decode(block, regions, false);
        QCOMPARE(back.Of(Kind::PhoneBook).first().name, QStringLiteral("A name far "));
        QCOMPARE(back.Of(Kind::Talkgroup).first().name, QStringLiteral("Talkgroup w"));
    }

    void pauseCharactersStrippedForOldCodeplugs_data()
    {
        QTest::addColumn<int>("defaultVersion");
        QTest::addColumn<int>("structureVersion");
        QTest::addColumn<QString>("written");
        QTest::newRow("version 9") << 9 << 0x18 << QStringLiteral("5551234");
        QTest::newRow("version 11") << 11 << 0x18 << QStringLiteral("555P12o3p4");
        QTest::newRow("10, structure 4") << 10 << 4 << QStringLiteral("5551234");
        QTest::newRow("10, structure 5") << 10 << 5 << QStringLiteral("555P12o3p4");
        QTest::newRow("high byte ignored") << 0x0109 << 0x18 << QStringLiteral("5551234");
    }
    void pauseCharactersStrippedForOldCodeplugs()
    {
        QFETCH(int, defaultVersion);
        QFETCH(int, structureVersion);
        QFETCH(QString, written);
        const QList<Region> regions = CListBlockLayout::Regions(CListBlockLayout::L2);
        CUnitListRows rows;
        CListRow pb = Row(Kind::PhoneBook, 1, QStringLiteral("Pause"));
        pb.phone = QStringLiteral("555P12o3p4");
        rows.rows << pb;
        QByteArray block(CListBlockLayout::BlockSize(CListBlockLayout::L2), '\0');
        CListBlockCodec::Encode(block, regions, rows, CWriteFlags::All(),
                                CListBlockCodec::StripPauseApplies(defaultVersion, structureVersion));
        QCOMPARE(CListBlockCodec::Decode(block, regions, false).Of(Kind::PhoneBook).first().phone, written);
    }

    void consolidatedEntriesBecomeListsWithOneNoticeEach()
    {
        QList<CListRow> consolidated;
        for (int i = 1; i <= 101; ++i)
            consolidated << Consolidated(QStringLiteral("N%1").arg(i), QStringLiteral("555%1").arg(i), 2, i);
        consolidated << Consolidated(QStringLiteral("Cross"), QStringLiteral("1*2*3"), 1, 102)
                     << Consolidated(QStringLiteral("Member"), QStringLiteral("77"), 1, 103)
                     << Consolidated(QStringLiteral("Skip 8"), QStringLiteral("1"), 8, 104)
                     << Consolidated(QStringLiteral("Skip 12"), QStringLiteral("1"), 12, 105);
        for (int i = 1; i <= 31; ++i)
            consolidated << Consolidated(QStringLiteral("G%1").arg(i), QString::number(500 + i), 7, 105 + i);

        const CConsolidatedDerivation::Lists lists = CConsolidatedDerivation::Derive(consolidated);
        QCOMPARE(lists.phoneBook.size(), 100);
        QCOMPARE(lists.phoneBook.last().phone, QStringLiteral("555100"));
        QCOMPARE(lists.phoneBook.first().language, 3);
        QCOMPARE(lists.privates.size(), 2);
        QCOMPARE(lists.privates.at(0).urban, 1u);
        QCOMPARE(lists.privates.at(0).fleet, 2u);
        QCOMPARE(lists.privates.at(0).member, 3u);
        QCOMPARE(lists.privates.at(1).urban, 0u);
        QCOMPARE(lists.privates.at(1).member, 77u);
        QCOMPARE(lists.talkgroups.size(), 30);
        QCOMPARE(lists.talkgroups.last().id, 530u);
        QCOMPARE(lists.talkgroups.last().number, 30);
        // The notices come back in the order the lists were cut, for the write to show; none is shown here.
        const CVelmoraError phoneBookCut = CVelmoraError::Message(PhoneMsg::PhoneBookCut, {}, VMT_NOTICE);
        const CVelmoraError talkgroupCut = CVelmoraError::Message(PhoneMsg::TalkgroupCut, {}, VMT_NOTICE);
        QCOMPARE(lists.remarks, (QList<CVelmoraError>{phoneBookCut, talkgroupCut}));
        QVERIFY(!lists.remarks.first().Stops());
        QVERIFY(CScriptedAnswerer::Instance().Ids().isEmpty());
    }

    void consolidatedListBuiltFromTheLists()
    {
        CUnitListRows rows;
        CListRow pb = Row(Kind::PhoneBook, 1, QStringLiteral("Dispatch"));
        pb.phone = QStringLiteral("5550100");
        CListRow pr = Row(Kind::Private, 1, QStringLiteral("Dispatch"), 2001);
        pr.urban = 101;
        pr.fleet = 2000;
        rows.rows << pb << pr << Row(Kind::Talkgroup, 1, QStringLiteral("Ops"), 102)
                  << Row(Kind::Talkgroup, 1, QStringLiteral("Other NAM"), 103, 2);
        const QDateTime now(QDate(2024, 3, 5), QTime(10, 30), Qt::UTC);
        const QList<CListRow> built = CConsolidatedDerivation::Build(rows, now);
        QCOMPARE(built.size(), 3);
        QCOMPARE(built.at(0).record.numType, 2);
        QCOMPARE(built.at(1).record.number, QStringLiteral("101*2000*2001"));
        QCOMPARE(built.at(1).record.numType, 1);
        QCOMPARE(built.at(2).record.number, QStringLiteral("102"));
        QCOMPARE(built.at(2).record.numType, 7);
        // One name, one name index.
        QCOMPARE(built.at(0).record.nameIndex, built.at(1).record.nameIndex);
        QVERIFY(built.at(2).record.nameIndex != built.at(0).record.nameIndex);
        QCOMPARE(built.at(2).record.timeStamp, CConsolidatedRecord::PhoneMinutes(now));
        // And the derivation gives the lists back.
        const CConsolidatedDerivation::Lists lists = CConsolidatedDerivation::Derive(built);
        QCOMPARE(lists.phoneBook.first().phone, pb.phone);
        QCOMPARE(lists.privates.first().member, 2001u);
        QCOMPARE(lists.talkgroups.size(), 1);
    }

    void simFillFollowsSourceAndTarget()
    {
        const QList<Region> regions = CListBlockLayout::SimRegions();
        const CVirtualPhone alder = MakePhone(CBenchFixture::Alder(), -1, 3);
        const CUnitListRows alderRows = CListBlockCodec::Decode(alder.sim.block, regions, true);
        QVERIFY(alderRows.Count(Kind::Consolidated) > 0);
        QCOMPARE(alderRows.Count(Kind::PhoneBook), 0);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const CSimBlockFill::Side alderSide{3, 3};
        const CSimBlockFill::Side q700Side{2, 2};
        const Region* ccl = FindRegion(regions, Kind::Consolidated);
        const int cclBytes = ccl->count * CConsolidatedRecord::Size;

        // Consolidated source into a phone keeping separate lists.
        QByteArray block(AGENT_SIM_BLOCK_SIZE, char(0x33));
        CSimBlockFill::Fill(block, alderRows, CWriteFlags::All(), alderSide, q700Side, false, now);
        CUnitListRows back = CListBlockCodec::Decode(block, regions, false);
        QCOMPARE(back.Count(Kind::PhoneBook), alderRows.Count(Kind::Consolidated) - 5);
        QCOMPARE(back.Count(Kind::Private), 2);
        QCOMPARE(back.Count(Kind::Talkgroup), 3);
        QCOMPARE(back.Of(Kind::PhoneBook).first().flag, true);
        QCOMPARE(block.mid(ccl->offset, cclBytes), QByteArray(cclBytes, char(0x33)));

        // Separate lists into a consolidated phone: only the consolidated region is built.
        block = QByteArray(AGENT_SIM_BLOCK_SIZE, char(0x44));
        CSimBlockFill::Fill(block, back, CWriteFlags::All(), q700Side, alderSide, false, now);
        const Region* pb = FindRegion(regions, Kind::PhoneBook);
        QCOMPARE(block.mid(pb->offset, 10), QByteArray(10, char(0x44)));
        const CUnitListRows rebuilt = CListBlockCodec::Decode(block, {*ccl}, true);
        QCOMPARE(rebuilt.Count(Kind::Consolidated), back.Count(Kind::PhoneBook) + 2 + 3);

        // Same form on both sides: every list from its own rows, consolidated time stamps now.
        block = alder.sim.block;
        CSimBlockFill::Fill(block, alderRows, CWriteFlags::All(), alderSide, alderSide, false, now);
        const QList<CListRow> stamped = CListBlockCodec::Decode(block, {*ccl}, true).rows;
        QCOMPARE(stamped.size(), alderRows.Count(Kind::Consolidated));
        for (const CListRow& row : stamped)
            QCOMPARE(row.record.timeStamp, CConsolidatedRecord::PhoneMinutes(now));

        // A SIM of the first kind keeps its bytes.
        block = QByteArray(AGENT_SIM_BLOCK_SIZE, char(0x55));
        CSimBlockFill::Fill(block, alderRows, CWriteFlags::All(), alderSide, {2, 1}, false, now);
        QCOMPARE(block, QByteArray(AGENT_SIM_BLOCK_SIZE, char(0x55)));
    }

    void timeStampCountsMinutesSince1999()
    {
        const QDateTime epoch(QDate(1999, 1, 1), QTime(0, 0), Qt::UTC);
        for (QDate day(2000, 1, 1); day.year() < 2100; day = day.addDays(13)) {
            const QDateTime t(day, QTime(day.day() % 24, day.month() * 4), Qt::UTC);
            QCOMPARE(CConsolidatedRecord::PhoneMinutes(t), quint32(epoch.secsTo(t) / 60));
        }
        QByteArray bytes(4, '\0');
        CConsolidatedRecord::PutTimeStamp(bytes, 0, 0x04030201u);
        QCOMPARE(bytes, QByteArray::fromHex("02010304"));
        QCOMPARE(CConsolidatedRecord::GetTimeStamp(bytes, 0), 0x04030201u);
    }

    void consolidatedRecordKeepsEveryField()
    {
        CConsolidatedRecord r;
        r.name = QStringLiteral("Eleven char");
        r.phoneNumLen = 7;
        r.reserved = 9;
        r.tonNP = 0x91;
        r.number = QStringLiteral("+97250123");
        r.capabilityID = 4;
        r.extnRecID = 0xFF;
        r.numType = 2;
        r.language = 3;
        r.voiceTag = 0xDEADBEEF;
        r.timeStamp = 13000000;
        r.syncStatus = 0xBEEF;
        r.tempID = 77;
        r.nameIndex = 12;
        r.nameLang = 1;
        QByteArray block(CConsolidatedRecord::Size + 4, char(0x7E));
        r.Encode(block, 2);
        QCOMPARE(block.at(0), char(0x7E));
        QCOMPARE(block.at(CConsolidatedRecord::Size + 2), char(0x7E));
        const CConsolidatedRecord d = CConsolidatedRecord::Decode(block, 2);
        QCOMPARE(d.name, r.name);
        QCOMPARE(d.number, r.number);
        QCOMPARE(d.voiceTag, r.voiceTag);
        QCOMPARE(d.timeStamp, r.timeStamp);
        QCOMPARE(d.syncStatus, r.syncStatus);
        QCOMPARE(d.tempID, r.tempID);
        QCOMPARE(d.tonNP, r.tonNP);
        QCOMPARE(d.capabilityID, r.capabilityID);
        QCOMPARE(d.reserved, r.reserved);
        QCOMPARE(d.nameIndex, r.nameIndex);
        QCOMPARE(d.nameLang, r.nameLang);
    }
};

VELMORA_TEST_MAIN(TestListBlocks)
#include "tst_list_blocks.moc"
