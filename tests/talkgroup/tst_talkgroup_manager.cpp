// The talkgroup manager's work on a fleet: where a talkgroup lands in a unit's list, which units are
// skipped, talkgroups typed by hand, members removed, talkgroups deleted, and when the index is rebuilt.

#include "CAppendFile.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CScriptedQuestion.h"
#include "CTalkgroupManager.h"
#include "CTestEnvironment.h"
#include "CUnitsFixture.h"
#include "IVelmoraQuestion.h"
#include "TalkgroupMessageIds.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

using Manager = CTalkgroupManager;
using Slot = CTalkgroupManager::Slot;

class CAnswer : public IVelmoraQuestion
{
public:
    explicit CAnswer(int answer) : m_answer(answer) {}
    int Ask(const CVelmoraError& question) override
    {
        asked.append(question.Id());
        return m_answer;
    }
    QList<int> asked;

private:
    int m_answer;
};

// Model 90 has no NAM2 or NAM3 list; every other model holds 10 talkgroups per NAM.
int Capacity(int modelType, int, int nam)
{
    if (modelType == 90 && nam >= 2)
        return 0;
    return modelType == 7 ? 3 : 10;
}

QList<Slot> Slots(const QList<int>& locations, int unprogrammedIndex = -1)
{
    QList<Slot> slots;
    for (int i = 0; i < locations.size(); ++i)
        slots.append(Slot{locations.at(i), i != unprogrammedIndex});
    return slots;
}

} // namespace

class TestTalkgroupManager : public QObject
{
    Q_OBJECT

private:
    CFleetConnection m_connection;
    QList<CUnitSpec> m_units;

    QSqlDatabase Db() const { return m_connection.Database(); }
    Manager Make() const { return Manager(Db(), &Capacity); }

    bool OpenFleet(int unitCount)
    {
        m_units = CFleetFixtures::Units(unitCount);
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("tgm")) + QStringLiteral("/tgm.vlf");
        if (!CFleetFixtures::MakeFleet(path, m_units) || !m_connection.Open(path))
            return false;
        QSqlQuery query(Db());
        const bool ok = query.exec(QStringLiteral("DELETE FROM unit_tg_details")) &&
                        query.exec(QStringLiteral("DELETE FROM talk_grp_header"));
        if (!ok)
            qWarning() << query.lastError().text();
        return ok;
    }

    bool AddEntry(int unit, int nam, int id, const QVariant& name, int location, bool programmed = true)
    {
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, "
                                     "unit_tg_name, unit_loc_no, unit_program_flag, unit_language) "
                                     "VALUES (?, ?, ?, ?, ?, ?, 0)"));
        for (const QVariant& v :
             QVariantList{m_units.at(unit).imei, nam, id, name, location, programmed ? 1 : 0})
            query.addBindValue(v);
        return query.exec();
    }

    Manager::Unit UnitOf(int index, int modelType = 105) const
    {
        return Manager::Unit{m_units.at(index).imei, m_units.at(index).user, QString(), modelType, 0};
    }

    // "location:id:name:programmed" of a unit's entries of a NAM, by location.
    QStringList Entries(int unit, int nam) const
    {
        QStringList entries;
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("SELECT unit_loc_no, unit_tg_id, unit_tg_name, unit_program_flag, "
                                     "unit_language FROM unit_tg_details WHERE unit_imei_num = ? AND "
                                     "unit_nam = ? ORDER BY unit_loc_no"));
        query.addBindValue(m_units.at(unit).imei);
        query.addBindValue(nam);
        query.exec();
        while (query.next())
            entries << QStringLiteral("%1:%2:%3:%4")
                           .arg(query.value(0).toInt())
                           .arg(query.value(1).toInt())
                           .arg(query.value(2).toString())
                           .arg(query.value(3).toInt());
        return entries;
    }

private Q_SLOTS:
    void cleanup() { m_connection.Close(); }

    void locationRule_data()
    {
        QTest::addColumn<QList<int>>("locations");
        QTest::addColumn<int>("unprogrammed");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("location");
        QTest::addColumn<int>("reuse");
        QTest::newRow("empty list") << QList<int>{} << -1 << 10 << 1 << -1;
        QTest::newRow("after the last gap") << QList<int>{1, 2, 5, 7} << -1 << 10 << 6 << -1;
        QTest::newRow("no gap") << QList<int>{1, 2, 3} << -1 << 10 << 4 << -1;
        QTest::newRow("gap before the first") << QList<int>{2, 3} << -1 << 10 << 1 << -1;
        QTest::newRow("full") << QList<int>{1, 2, 3} << -1 << 3 << 0 << -1;
        QTest::newRow("full, unprogrammed row") << QList<int>{1, 2, 3} << 1 << 3 << 2 << 1;
        QTest::newRow("over capacity") << QList<int>{1, 2, 3, 4} << 0 << 3 << 0 << -1;
    }
    void locationRule()
    {
        QFETCH(QList<int>, locations);
        QFETCH(int, unprogrammed);
        QFETCH(int, capacity);
        const Manager::Placement placement =
            Manager::ChooseLocation(Slots(locations, unprogrammed), capacity);
        QTEST(placement.location, "location");
        QTEST(placement.reuseIndex, "reuse");
    }

    void addPutsTheTalkgroupAfterTheLastGapWithItsNameCut()
    {
        QVERIFY(OpenFleet(2));
        for (int location : {1, 2, 5, 7})
            QVERIFY(AddEntry(0, 1, 10 + location, QStringLiteral("Old"), location));
        QVERIFY(AddEntry(0, 2, 40, QStringLiteral("Other NAM"), 6));
        const Manager::AddResult result =
            Make().AddUnits({1, 9, QStringLiteral("Fourteen chars")}, {UnitOf(0), UnitOf(1)});
        QVERIFY2(!result.error, qPrintable(result.error.ToText()));
        QCOMPARE(result.added.size(), 2);
        QVERIFY(Entries(0, 1).contains(QStringLiteral("6:9:Fourteen ch:1")));
        QCOMPARE(Entries(1, 1), QStringList{QStringLiteral("1:9:Fourteen ch:1")});
        QCOMPARE(Entries(0, 2), QStringList{QStringLiteral("6:40:Other NAM:1")});
        // The members are found under the name the phones hold.
        QCOMPARE(Make().Members({1, 9, QStringLiteral("Fourteen ch")}).size(), 2);
    }

    void aBulkAddReadsTheEntriesOnceAndPlacesEachUnit()
    {
        QVERIFY(OpenFleet(70));
        for (int location : {1, 2, 5, 7})
            QVERIFY(AddEntry(40, 1, 10 + location, QStringLiteral("Old"), location));
        QVERIFY(AddEntry(41, 1, 9, QStringLiteral("Fire"), 3)); // already a member
        QList<Manager::Unit> units;
        for (int i = 0; i < 70; ++i)
            units << UnitOf(i);
        const auto result = Make().AddUnits({1, 9, QStringLiteral("Fire")}, units);
        QVERIFY2(!result.error, qPrintable(result.error.ToText()));
        QCOMPARE(result.added.size(), 69);
        QCOMPARE(result.skipped, 1);
        QVERIFY(Entries(40, 1).contains(QStringLiteral("6:9:Fire:1")));
        QCOMPARE(Entries(41, 1), QStringList{QStringLiteral("3:9:Fire:1")});
        QCOMPARE(Entries(69, 1), QStringList{QStringLiteral("1:9:Fire:1")});
    }

    void aFullListReusesItsUnprogrammedRow()
    {
        QVERIFY(OpenFleet(1));
        for (int location : {1, 2, 3})
            QVERIFY(AddEntry(0, 1, 20 + location, QStringLiteral("Old"), location, location != 2));
        const auto result = Make().AddUnits({1, 5, QStringLiteral("Fire")}, {UnitOf(0, 7)});
        QVERIFY2(!result.error, qPrintable(result.error.ToText()));
        QCOMPARE(Entries(0, 1), (QStringList{QStringLiteral("1:21:Old:1"), QStringLiteral("2:5:Fire:1"),
                                             QStringLiteral("3:23:Old:1")}));
    }

    void aFullListStopsTheAddAndNothingStays()
    {
        QVERIFY(OpenFleet(3));
        for (int location : {1, 2, 3})
            QVERIFY(AddEntry(1, 1, 20 + location, QStringLiteral("Old"), location));
        const auto result =
            Make().AddUnits({1, 5, QStringLiteral("Fire")}, {UnitOf(0), UnitOf(1, 7), UnitOf(2)});
        QCOMPARE(result.error.Id(), int(TalkgroupMsg::ListFull));
        QCOMPARE(result.fullImei, m_units.at(1).imei);
        QVERIFY(result.added.isEmpty());
        QVERIFY(Entries(0, 1).isEmpty());
        QVERIFY(Entries(2, 1).isEmpty());
    }

    void membersAndUnitsWithoutAListForTheNamAreSkipped()
    {
        QVERIFY(OpenFleet(3));
        Manager manager = Make();
        QVERIFY(!manager.AddUnits({2, 5, QStringLiteral("Fire")}, {UnitOf(0)}).error);
        // Already a member, a model without a NAM2 list, and a unit without IMEI.
        Manager::Unit noImei = UnitOf(2);
        noImei.imei.clear();
        const auto result =
            manager.AddUnits({2, 5, QStringLiteral("Fire")}, {UnitOf(0), UnitOf(1, 90), noImei});
        QVERIFY(!result.error);
        QVERIFY(result.added.isEmpty());
        QCOMPARE(result.skipped, 3);
        QCOMPARE(Entries(0, 2).size(), 1);
        QVERIFY(Entries(1, 2).isEmpty());
        // The same model has a NAM1 list.
        QCOMPARE(manager.AddUnits({1, 5, QStringLiteral("Fire")}, {UnitOf(1, 90)}).added.size(), 1);
    }

    void deletingATalkgroupTouchesOnlyItsNam()
    {
        QVERIFY(OpenFleet(2));
        for (int unit : {0, 1}) {
            QVERIFY(AddEntry(unit, 1, 5, QStringLiteral("O'Brien"), 1));
            QVERIFY(AddEntry(unit, 2, 5, QStringLiteral("O'Brien"), 1));
            QVERIFY(AddEntry(unit, 1, 6, QStringLiteral("Keep"), 2));
        }
        QVERIFY(!CTalkgroupIndex(Db()).Rebuild());
        CAnswer no(IDNO);
        QVERIFY(Make().DeleteTalkgroup({1, 5, QStringLiteral("O'Brien")}, no).IsCancelled());
        QCOMPARE(no.asked, QList<int>{TalkgroupMsg::ConfirmDelete});
        QCOMPARE(Entries(0, 1).size(), 2);

        CAnswer yes(IDYES);
        QVERIFY(!Make().DeleteTalkgroup({1, 5, QStringLiteral("O'Brien")}, yes));
        for (int unit : {0, 1}) {
            QCOMPARE(Entries(unit, 1), QStringList{QStringLiteral("2:6:Keep:1")});
            QCOMPARE(Entries(unit, 2), QStringList{QStringLiteral("1:5:O'Brien:1")});
        }
        QCOMPARE(Make().Headers(1).size(), 1);
        QCOMPARE(Make().Headers(2).size(), 1);
    }

    void membersOfAnUnnamedTalkgroupAreListedAndRemovable()
    {
        QVERIFY(OpenFleet(3));
        QVERIFY(AddEntry(0, 1, 8, QVariant(), 1));
        QVERIFY(AddEntry(1, 1, 8, QString(""), 1));
        QVERIFY(AddEntry(2, 1, 8, QStringLiteral("Named"), 1));
        QVERIFY(!CTalkgroupIndex(Db()).Rebuild());
        Manager manager = Make();
        const QList<Manager::Header> headers = manager.Headers(1);
        QCOMPARE(headers.size(), 2);
        QCOMPARE(manager.Members({1, 8, QString()}).size(), 2);

        QVERIFY(!manager.RemoveMembers({1, 8, QString()}, {m_units.at(0).imei, m_units.at(2).imei}));
        QVERIFY(Entries(0, 1).isEmpty());
        QCOMPARE(Entries(1, 1).size(), 1);
        // The named talkgroup with the same id is another talkgroup.
        QCOMPARE(Entries(2, 1), QStringList{QStringLiteral("1:8:Named:1")});
    }

    void talkgroupsTypedByHandAreCheckedAndStored()
    {
        QVERIFY(OpenFleet(1));
        Manager manager = Make();
        for (const QString& bad :
             {QString(), QStringLiteral("0"), QStringLiteral("256"), QStringLiteral("x")})
            QCOMPARE(Manager::CheckIdText(bad).Id(), int(TalkgroupText::IdOutOfRange));
        QVERIFY(!Manager::CheckIdText(QStringLiteral("255")));

        Manager::Header header{0, 300, QStringLiteral("Fire")};
        const CVelmoraError range = manager.StoreHeader(1, header);
        QCOMPARE(range.Id(), int(TalkgroupMsg::ValueRange));
        QCOMPARE(range.Args(), (QStringList{QStringLiteral("1"), QStringLiteral("255")}));

        header = {0, 12, QStringLiteral("Fourteen chars")};
        QVERIFY(!manager.StoreHeader(1, header));
        QVERIFY(header.key > 0);
        QCOMPARE(header.name, QStringLiteral("Fourteen ch"));
        Manager::Header same{0, 12, QStringLiteral("Fourteen ch")};
        QCOMPARE(manager.StoreHeader(1, same).Id(), int(TalkgroupMsg::Duplicate));
        QVERIFY(!manager.StoreHeader(2, same)); // another NAM
        Manager::Header unnamed{0, 12, QString()};
        QVERIFY(!manager.StoreHeader(1, unnamed));
        Manager::Header unnamedAgain{0, 12, QString()};
        QCOMPARE(manager.StoreHeader(1, unnamedAgain).Id(), int(TalkgroupMsg::Duplicate));

        // Editing a stored talkgroup carries its members along.
        QVERIFY(!manager.AddUnits({1, 12, header.name}, {UnitOf(0)}).error);
        header.id = 13;
        header.name = QStringLiteral("Renamed");
        QVERIFY(!manager.StoreHeader(1, header));
        QCOMPARE(Entries(0, 1), QStringList{QStringLiteral("1:13:Renamed:1")});
        QCOMPARE(manager.Members({1, 13, QStringLiteral("Renamed")}).size(), 1);
    }

    void rebuildConditionsAndNam()
    {
        QVERIFY(Manager::NeedsRebuild(false, 1, 0, true));
        QVERIFY(Manager::NeedsRebuild(true, 2, 2, false));
        QVERIFY(Manager::NeedsRebuild(false, 3, 2, false));
        QVERIFY(!Manager::NeedsRebuild(false, 2, 2, false));
        QCOMPARE(Manager::ClampNam(3, 2), 2);
        QCOMPARE(Manager::ClampNam(2, 3), 2);
        QCOMPARE(Manager::ClampNam(0, 3), 3);
    }

    void theUnitsLeaveOutAlderModelsWhenAsked()
    {
        QCOMPARE(Manager::ModelTypesOf(QStringLiteral("90#0#114#7")), (QList<int>{90, 114}));
        QVERIFY(OpenFleet(8)); // models cycle 105, 114, 116, 90
        Manager manager = Make();
        CVelmoraError error;
        QCOMPARE(manager.Units(false, QStringLiteral("90#114#"), &error).size(), 8);
        const QList<Manager::Unit> units = manager.Units(true, QStringLiteral("90#114#"), &error);
        QVERIFY2(!error, qPrintable(error.ToText()));
        QCOMPARE(units.size(), 4);
        for (const Manager::Unit& unit : units)
            QVERIFY(unit.modelType == 105 || unit.modelType == 116);
        QCOMPARE(units.first().userName, m_units.at(0).user);
    }

    void appendedUnitsBringTheirTalkgroups()
    {
        CUnitsFixture fixture;
        std::unique_ptr<CVelmoraDoc> doc = fixture.OpenFleet(QStringLiteral("base.vlf"), {});
        QVERIFY(doc);
        QList<CUnitSpec> more = CFleetFixtures::Units(3, QStringLiteral("more"));
        const QString other =
            CTestEnvironment::NewFolder(QStringLiteral("more")) + QStringLiteral("/more.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(other, more));
        doc->SetChanged(false);
        CScriptedQuestion question;
        CFleetErrors errors;
        QVERIFY(CAppendFile::AppendFleetFile(*doc, other, &question, errors));
        QVERIFY(Manager::NeedsRebuild(doc->IsChanged(), 1, 1, false));
        QVERIFY(!CTalkgroupIndex(doc->Database()).Rebuild());
        const QList<Manager::Header> headers = Manager(doc->Database(), &Capacity).Headers(2);
        QVERIFY(!headers.isEmpty());
        QCOMPARE(
            Manager(doc->Database(), &Capacity).Members({2, headers.first().id, headers.first().name}).size(),
            3);
    }
};

VELMORA_TEST_MAIN(TestTalkgroupManager)
#include "tst_talkgroup_manager.moc"
