// The unit property sheet without widgets: which pages a unit's sheet holds and in which order, the
// sheet's settings, the comments page's logic and saving every page as one unit of work.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitComments.h"
#include "CUnitSheetLayout.h"
#include "CUnitSheetSave.h"
#include "CUnitSheetSettings.h"
#include "CUnitsFixture.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "UnitsMessageIds.h"

#include <QApplication>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000021");

QList<int> Order(int phoneClass, bool listPagesOff = false, int connectionMode = 0, int structure = 0,
                 bool scanAndStatus = false)
{
    CUnitSheetConditions c;
    c.phoneClass = phoneClass;
    c.listPagesOff = listPagesOff;
    c.connectionMode = connectionMode;
    c.structureVersion = structure;
    c.scanAndStatus = scanAndStatus;
    return CUnitSheetLayout::PageOrder(c);
}

} // namespace

class TestUnitSheet : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    void OpenFleet(int language = 0)
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec spec;
        spec.imei = kImei;
        spec.user = QStringLiteral("O'Brien");
        QVERIFY(CFleetFixtures::MakeFleet(path, {spec}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        Exec(QStringLiteral("UPDATE unit_details SET unit_def_call_list_lang_id = ?, units_comments = ?"),
             {language, QStringLiteral("old note")});
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    }

    QVariant Value(const QString& sql)
    {
        QSqlQuery query(Db());
        if (!query.exec(sql) || !query.next())
            return QVariant();
        return query.value(0);
    }

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }

    void pagesOfAnOrdinaryUnit()
    {
        using namespace UnitPage;
        QCOMPARE(Order(1),
                 (QList<int>{PhoneList, PrivateList, TalkgroupList, Basic, Advanced, PhoneInfo, Comments}));
        QCOMPARE(Order(2, false, 0, 0, true),
                 (QList<int>{PhoneList, PrivateList, TalkgroupList, Basic, Advanced, StatusMessages, ScanList,
                             PhoneInfo, Comments}));
        // The list-pages setting and the connection mode are the Alder family's only.
        QCOMPARE(Order(1, true, 2), Order(1));
    }

    void pagesOfAnAlderUnit()
    {
        using namespace UnitPage;
        QCOMPARE(Order(3), (QList<int>{PhoneList, PrivateList, TalkgroupList, Consolidated, SimInfo,
                                       Ergonomic, Basic, Advanced, PhoneInfo, Comments}));
        QCOMPARE(Order(3, true),
                 (QList<int>{Consolidated, SimInfo, Ergonomic, Basic, Advanced, PhoneInfo, Comments}));
        QCOMPARE(Order(3, false, 2), (QList<int>{PhoneList, PrivateList, TalkgroupList, SimInfo, Basic,
                                                 Advanced, PhoneInfo, Comments}));
        QCOMPARE(Order(3, true, 2, 0, true),
                 (QList<int>{SimInfo, Basic, Advanced, StatusMessages, ScanList, PhoneInfo, Comments}));
    }

    void ergonomicPageNeedsANewStructure()
    {
        const auto hasErgo = [](int structure) {
            return Order(3, false, 0, structure).contains(UnitPage::Ergonomic);
        };
        QVERIFY(hasErgo(0));
        QVERIFY(hasErgo(32484)); // never read counts as 0
        QVERIFY(!hasErgo(0x10)); // version 10
        QVERIFY(!hasErgo(0x16)); // version 16: above 16 only
        QVERIFY(hasErgo(0x17));
        QVERIFY(!hasErgo(0x09));
    }

    void pagesNotBuiltAreLeftOutInOrder()
    {
        CUnitSheetConditions c;
        c.phoneClass = 3;
        const QList<int> built = CUnitSheetLayout::BuiltPages(c, [](int page) {
            return page == UnitPage::Comments || page == UnitPage::SimInfo || page == UnitPage::Basic;
        });
        QCOMPARE(built, (QList<int>{UnitPage::SimInfo, UnitPage::Basic, UnitPage::Comments}));
    }

    void commandsAndLabelsOfPages()
    {
        // The unit property commands open pages 0, 1, 2, 3, 4, 5, 6, 7 and 9.
        const QList<QPair<int, int>> commands{
            {FrameCmd::PagePhoneList, 0},      {FrameCmd::PagePrivateList, 1},
            {FrameCmd::PageTalkgroupList, 2},  {FrameCmd::PageConsolidated, 3},
            {FrameCmd::PageBasic, 4},          {FrameCmd::PageAdvanced, 5},
            {FrameCmd::PageStatusMessages, 6}, {FrameCmd::PageScanList, 7},
            {FrameCmd::PagePhoneInfo, 9}};
        for (const auto& [command, page] : commands) {
            QCOMPARE(CUnitSheetLayout::PageOfCommand(command), page);
            QCOMPARE(CUnitSheetLayout::CommandOfPage(page), command);
        }
        QCOMPARE(CUnitSheetLayout::PageOfCommand(FrameCmd::ReadPhone), -1);
        QCOMPARE(CUnitSheetLayout::CommandOfPage(UnitPage::Comments), 0);
        // The ergonomic page has no menu command; its list-bar item opens it through one of its own.
        QCOMPARE(CUnitSheetLayout::CommandOfPage(UnitPage::Ergonomic), int(FrameCmd::PageErgonomic));
        QCOMPARE(CUnitSheetLayout::PageOfCommand(FrameCmd::PageErgonomic), int(UnitPage::Ergonomic));
        // The labels are the fleet list bar's, in its order.
        QCOMPARE(CUnitSheetLayout::LabelId(UnitPage::PhoneList), 1622);
        QCOMPARE(CUnitSheetLayout::LabelId(UnitPage::Ergonomic), 1816);
        QCOMPARE(CUnitSheetLayout::LabelId(UnitPage::PhoneInfo), 1628);
        QCOMPARE(CUnitSheetLayout::LabelId(99), 0);
    }

    void sheetSettingsHaveDefaults()
    {
        CTestEnvironment::ClearSettings();
        CUnitSheetSettings s = CUnitSheetSettings::FromStore();
        QCOMPARE(s.listPagesOff, false);
        QCOMPARE(s.connectionMode, 0);
        CVelmoraWrap::SetRegistryValue(CUnitSheetSettings::ListPagesOffName(), QStringLiteral("1"));
        CVelmoraWrap::SetRegistryValue(CUnitSheetSettings::ConnectionModeName(), QStringLiteral(" 2 "));
        s = CUnitSheetSettings::FromStore();
        QCOMPARE(s.listPagesOff, true);
        QCOMPARE(s.connectionMode, 2);
        // A value that is not a number keeps the default.
        CVelmoraWrap::SetRegistryValue(CUnitSheetSettings::ListPagesOffName(), QStringLiteral("yes"));
        CVelmoraWrap::SetRegistryValue(CUnitSheetSettings::ConnectionModeName(), QString());
        s = CUnitSheetSettings::FromStore();
        QCOMPARE(s.listPagesOff, false);
        QCOMPARE(s.connectionMode, 0);
        CTestEnvironment::ClearSettings();
    }

    void commentsAreCutAndCheckedForThePhone()
    {
        OpenFleet();
        CUnitComments comments(Db(), kImei, false);
        QVERIFY(!comments.Load());
        QCOMPARE(comments.Text(), QStringLiteral("old note"));
        QVERIFY(!comments.IsChanged());
        QVERIFY(!comments.SetText(QString(40, QLatin1Char('x'))));
        QCOMPARE(comments.Text().size(), 27);
        QVERIFY(comments.IsChanged());
        // A Latin unit's phone cannot show Hebrew: the comment stays as it was.
        const CVelmoraError refused = comments.SetText(QStringLiteral("note \u05D0"));
        QVERIFY(refused.Stops());
        QCOMPARE(comments.Text().size(), 27);
        QVERIFY(!comments.SetText(QStringLiteral("call O'Brien first")));
        {
            const CVelmoraError e = comments.Save();
            QVERIFY2(!e, qPrintable(e.ToText()));
        }
        QCOMPARE(Value("SELECT units_comments FROM unit_details").toString(),
                 QStringLiteral("call O'Brien first"));
        QVERIFY(comments.IsChanged()); // until the sheet's save is committed
        comments.SaveCommitted();
        QVERIFY(!comments.IsChanged());
    }

    void hebrewUnitsTakeHebrewComments()
    {
        OpenFleet(3);
        CUnitComments comments(Db(), kImei, false);
        QVERIFY(!comments.Load());
        QVERIFY(!comments.SetText(QStringLiteral("\u05E9\u05DC\u05D5\u05DD")));
        {
            const CVelmoraError e = comments.Save();
            QVERIFY2(!e, qPrintable(e.ToText()));
        }
        QCOMPARE(Value("SELECT units_comments FROM unit_details").toString(),
                 QStringLiteral("\u05E9\u05DC\u05D5\u05DD"));
    }

    void commentsOfAMissingUnitAreNotMadeUp()
    {
        OpenFleet();
        CUnitComments comments(Db(), QStringLiteral("359999999999999"), false);
        QCOMPARE(comments.Load().Id(), int(UnitsMsg::RecordIncomplete));
        QCOMPARE(comments.Save().Id(), int(UnitsMsg::RecordIncomplete));
        QCOMPARE(Value("SELECT COUNT(*) FROM unit_details").toInt(), 1);
    }

    void aRefusingPageLeavesEveryTableAsItWas()
    {
        OpenFleet();
        const QVariant ergoBefore = Value("SELECT unit_emergency_talkgroup FROM unit_phone_ergo_settings");
        int ran = 0;
        const QList<CUnitSheetSave::Step> steps{
            [&]() {
                ++ran;
                QSqlQuery(Db()).exec("UPDATE unit_phone_ergo_settings SET unit_emergency_talkgroup = 77");
                return CVelmoraError();
            },
            [&]() {
                ++ran;
                QSqlQuery(Db()).exec("UPDATE unit_details SET units_comments = 'half saved'");
                return CVelmoraError();
            },
            [&]() {
                ++ran;
                return CVelmoraError::Message(1645, {"0", "255"});
            },
            [&]() {
                ++ran;
                return CVelmoraError();
            },
        };
        const CUnitSheetSave::Result result = CUnitSheetSave::Run(Db(), steps);
        QVERIFY(!result);
        QCOMPARE(result.failedStep, 2);
        QCOMPARE(result.error.Id(), 1645);
        QCOMPARE(ran, 3); // the pages after the refusal do not run
        QCOMPARE(Value("SELECT unit_emergency_talkgroup FROM unit_phone_ergo_settings"), ergoBefore);
        QCOMPARE(Value("SELECT units_comments FROM unit_details").toString(), QStringLiteral("old note"));
        // The database stays usable, outside any transaction.
        Exec(QStringLiteral("UPDATE unit_details SET units_comments = 'later'"));
        QCOMPARE(Value("SELECT units_comments FROM unit_details").toString(), QStringLiteral("later"));
    }

    void aDatabaseErrorTakesEveryPageBack()
    {
        OpenFleet();
        // A comment the fleet refuses, as a full disk or a damaged file would.
        Exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE OF units_comments ON unit_details "
                            "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        CUnitComments comments(Db(), kImei, false);
        QVERIFY(!comments.Load());
        QVERIFY(!comments.SetText(QStringLiteral("new")));
        const QList<CUnitSheetSave::Step> steps{
            [&]() {
                QSqlQuery(Db()).exec("UPDATE unit_phone_ergo_settings SET unit_emergency_talkgroup = 12");
                return CVelmoraError();
            },
            [&]() { return comments.Save(); },
        };
        const CUnitSheetSave::Result result = CUnitSheetSave::Run(Db(), steps);
        QVERIFY(!result);
        QCOMPARE(result.failedStep, 1);
        QVERIFY(result.error.ToText().contains(QStringLiteral("disk full")));
        QVERIFY(Value("SELECT unit_emergency_talkgroup FROM unit_phone_ergo_settings").toInt() != 12);
        Exec(QStringLiteral("DROP TRIGGER refuse"));
    }

    void everyPageSavedIsCommittedTogether()
    {
        OpenFleet();
        CUnitComments comments(Db(), kImei, false);
        QVERIFY(!comments.Load());
        QVERIFY(!comments.SetText(QStringLiteral("together")));
        const CUnitSheetSave::Result result = CUnitSheetSave::Run(
            Db(),
            {[&]() {
                 QSqlQuery(Db()).exec("UPDATE unit_phone_ergo_settings SET unit_emergency_talkgroup = 99");
                 return CVelmoraError();
             },
             [&]() { return comments.Save(); }});
        QVERIFY(result);
        QCOMPARE(result.failedStep, -1);
        // Reopened, the fleet holds both.
        const QString path = m_fleet->Path();
        m_fleet.reset();
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        QCOMPARE(Value("SELECT unit_emergency_talkgroup FROM unit_phone_ergo_settings").toInt(), 99);
        QCOMPARE(Value("SELECT units_comments FROM unit_details").toString(), QStringLiteral("together"));
    }
};

VELMORA_TEST_MAIN(TestUnitSheet)
#include "tst_unit_sheet.moc"
