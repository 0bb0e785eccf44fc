// Placing entries into another unit's list: the location rule, names cut to 11 characters, duplicates,
// full lists, the consolidated list's name indexes and record numbers, private ids between cross-fleet
// and plain units, and capacities read once per model.

#include "CExchangeCapacities.h"
#include "CExchangeList.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CModelRules.h"
#include "CTestEnvironment.h"
#include "CUnitsFixture.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {
const QString kImei = QStringLiteral("350000000000071");
}

class TestExchangePlacement : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;
    QSqlDatabase Db() const { return m_fleet->Database(); }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        const CVelmoraError error = CFleetConnection::Exec(Db(), sql, values);
        QVERIFY2(!error, qPrintable(error.ToText()));
    }

    // location -> "name|value" of the unit's rows of a table, in location order.
    QStringList Rows(const QString& sql) const
    {
        QSqlQuery q(Db());
        q.prepare(sql);
        q.addBindValue(kImei);
        QStringList rows;
        if (q.exec()) {
            while (q.next())
                rows << QStringLiteral("%1 %2|%3")
                            .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
        }
        return rows;
    }

    QStringList PhoneBook() const
    {
        return Rows("SELECT unit_speed_dial, unit_name, unit_phone_num FROM unit_phone_details WHERE "
                    "unit_imei_num = ? ORDER BY unit_speed_dial");
    }

    static CExchangeEntry Phone(const QString& name, const QString& number)
    {
        CExchangeEntry e;
        e.name = name;
        e.number = number;
        return e;
    }

private Q_SLOTS:
    void init()
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        unit.listRows = 0;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
    }

    void locationRule_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty") << QList<int>{} << 5 << 1;
        QTest::newRow("gap at 3") << QList<int>{1, 2, 4} << 10 << 3;
        QTest::newRow("gap at 1") << QList<int>{2, 3} << 10 << 1;
        QTest::newRow("no gap: after the last") << QList<int>{1, 2, 3} << 10 << 4;
        QTest::newRow("unordered") << QList<int>{4, 1, 2} << 10 << 3;
        QTest::newRow("full") << QList<int>{1, 2, 3} << 3 << 0;
        QTest::newRow("last at capacity, no gap") << QList<int>{1, 2, 5} << 5 << 3;
        QTest::newRow("zero capacity") << QList<int>{} << 0 << 0;
    }
    void locationRule()
    {
        QFETCH(QList<int>, used);
        QFETCH(int, capacity);
        QFETCH(int, expected);
        QCOMPARE(CExchangePlacement::NextLocation(used, capacity), expected);
    }

    // Speed dials 1, 2 and 4 take the next entries at 3, then 5, then nothing once the capacity is met.
    void slotsFillGapsThenAppend()
    {
        CExchangeSlots slots({1, 2, 4}, 5);
        QCOMPARE(slots.Take(), 3);
        QCOMPARE(slots.Take(), 5);
        QVERIFY(slots.IsFull());
        QCOMPARE(slots.Take(), 0);
    }

    void entryNameIsCutTo11()
    {
        QCOMPARE(CExchangePlacement::EntryName(QStringLiteral("Fourteen chars")),
                 QStringLiteral("Fourteen ch"));
        QCOMPARE(CExchangePlacement::EntryName(QStringLiteral("Fifteen letters")),
                 QStringLiteral("Fifteen let"));
        QCOMPARE(CExchangePlacement::EntryName(QStringLiteral("Short")), QStringLiteral("Short"));
    }

    void privateIdText()
    {
        CExchangePrivateId id;
        QVERIFY(CExchangePrivateId::Parse(QStringLiteral("12*34*5678"), id));
        QCOMPARE(id, (CExchangePrivateId{12, 34, 5678}));
        QCOMPARE(id.Text(), QStringLiteral("12*34*5678"));
        QVERIFY(CExchangePrivateId::Parse(QStringLiteral("77"), id));
        QCOMPARE(id, (CExchangePrivateId{0, 0, 77}));
        QCOMPARE(id.Text(), QStringLiteral("77"));
        QVERIFY(!CExchangePrivateId::Parse(QStringLiteral("1*x*3"), id));
        QVERIFY(!CExchangePrivateId::Parse(QStringLiteral("1*2"), id));
        QCOMPARE(id, (CExchangePrivateId{0, 0, 77})); // left as it was
    }

    // Between cross-fleet and plain units: plain targets lose urban and fleet, a large cross-fleet
    // member cannot go to a plain unit, a plain source's entry takes a cross-fleet target's numbers.
    void privateIdAdjustment()
    {
        using R = CExchangePrivateRule;
        CExchangePrivateId id{5, 6, 700};
        QCOMPARE(R::Adjust(id, true, false, 1, 2), R::Outcome::Carried);
        QCOMPARE(id, (CExchangePrivateId{0, 0, 700}));
        id = {5, 6, 70000};
        QCOMPARE(R::Adjust(id, true, false, 1, 2), R::Outcome::TooLarge);
        id = {0, 0, 70000}; // a plain source's large member is not the cross-fleet case
        QCOMPARE(R::Adjust(id, false, false, 1, 2), R::Outcome::Carried);
        id = {0, 0, 700};
        QCOMPARE(R::Adjust(id, false, true, 8, 9), R::Outcome::Carried);
        QCOMPARE(id, (CExchangePrivateId{8, 9, 700}));
        id = {5, 6, 700};
        QCOMPARE(R::Adjust(id, true, true, 8, 9), R::Outcome::Carried);
        QCOMPARE(id, (CExchangePrivateId{5, 6, 700}));
    }

    // Into a phone book holding 1, 2 and 4 (and an unprogrammed row at 3): the first entry replaces
    // row 3, the next goes to 5; a duplicate, the target's own entry and a cut name already present are
    // skipped; a full list takes nothing more.
    void phoneBookPlacement()
    {
        const QString insert =
            QStringLiteral("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, "
                           "unit_name, unit_phone_num, unit_program_flag) VALUES (?, ?, ?, ?, ?)");
        Exec(insert, {kImei, 1, "Ann", "100", true});
        Exec(insert, {kImei, 2, "Bob", "200", true});
        Exec(insert, {kImei, 3, "Old", "300", false});
        Exec(insert, {kImei, 4, "Cecilia Longname", "400", true}); // stored whole by an older program
        CExchangeList list(Db(), CExchangeKind::PhoneBook, kImei, 1, 5);
        QVERIFY(!list.Load());
        list.AddOwnEntry(Phone("Me", "999"));
        CExchangeList::Outcome outcome;
        QVERIFY(!list.Add(Phone("Bob", "200"), outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Duplicate);
        QVERIFY(!list.Add(Phone("Me", "999"), outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Duplicate);
        QVERIFY(!list.Add(Phone("Fourteen chars", "500"), outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Added);
        QVERIFY(!list.Add(Phone("Fourteen chXX", "500"), outcome)); // the same once cut
        QCOMPARE(outcome, CExchangeList::Outcome::Duplicate);
        QVERIFY(!list.Add(Phone("Dan", "600"), outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Added);
        QVERIFY(list.IsFull());
        QVERIFY(!list.Add(Phone("Eve", "700"), outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Full);
        QCOMPARE(list.Added(), 2);
        QCOMPARE(PhoneBook(), (QStringList{"1 Ann|100", "2 Bob|200", "3 Fourteen ch|500",
                                           "4 Cecilia Longname|400", "5 Dan|600"}));
    }

    // The per-NAM lists place by location within their NAM, the other NAMs untouched; the twin table
    // is written when asked.
    void namListsAndTwin()
    {
        Exec("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, unit_loc_no, "
             "unit_program_flag) VALUES (?, 2, 10, 'Other NAM', 1, 1)",
             {kImei});
        Exec("INSERT INTO unit_tg_details_tmp (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, "
             "unit_loc_no, "
             "unit_program_flag) VALUES (?, 1, 10, 'Yard', 1, 1)",
             {kImei});
        CExchangeList list(Db(), CExchangeKind::Talkgroups, kImei, 1, 4, CExchangeList::Table::Twin);
        QVERIFY(!list.Load());
        CExchangeEntry e;
        e.name = QStringLiteral("Yard");
        e.id = 10;
        CExchangeList::Outcome outcome;
        QVERIFY(!list.Add(e, outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Duplicate);
        e.name = QStringLiteral("Warehouse north");
        e.id = 11;
        QVERIFY(!list.Add(e, outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Added);
        QCOMPARE(Rows("SELECT unit_loc_no, unit_tg_name, unit_tg_id FROM unit_tg_details_tmp WHERE "
                      "unit_imei_num = ? AND unit_nam = 1 ORDER BY unit_loc_no"),
                 (QStringList{"1 Yard|10", "2 Warehouse n|11"}));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_tg_details", kImei), 1);
        // Status texts are kept whole.
        CExchangeList status(Db(), CExchangeKind::Status, kImei, 1, 4);
        QVERIFY(!status.Load());
        e.name = QStringLiteral("On my way to the depot");
        e.id = 3;
        QVERIFY(!status.Add(e, outcome));
        QCOMPARE(Rows("SELECT unit_loc_no, unit_msg_text, unit_msg_id FROM unit_status_msg_list WHERE "
                      "unit_imei_num = ?"),
                 QStringList{"1 On my way to the depot|3"});
    }

    // Consolidated entries: the same name shares its index while its number types differ, a second
    // number of a type opens a new index, record numbers fill the gaps.
    void consolidatedIndexes()
    {
        Exec("INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, unit_num, unit_num_type, "
             "unit_nameIndex, unit_rec_num) VALUES (?, 'Ann', '100', 0, 1, 2)",
             {kImei});
        CExchangeList list(Db(), CExchangeKind::Consolidated, kImei, 1, 3);
        QVERIFY(!list.Load());
        CExchangeEntry e;
        e.name = QStringLiteral("Ann");
        e.number = QStringLiteral("5*6*7");
        e.numType = 1;
        CExchangeList::Outcome outcome;
        QVERIFY(!list.Add(e, outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Added);
        e.number = QStringLiteral("101");
        e.numType = 0;
        QVERIFY(!list.Add(e, outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Added);
        e.number = QStringLiteral("102");
        QVERIFY(!list.Add(e, outcome));
        QCOMPARE(outcome, CExchangeList::Outcome::Full);
        QCOMPARE(Rows("SELECT unit_rec_num, unit_name || ' ' || unit_num, unit_nameIndex FROM "
                      "unit_consolid_call_list "
                      "WHERE unit_imei_num = ? ORDER BY unit_rec_num"),
                 (QStringList{"1 Ann 5*6*7|1", "2 Ann 100|1", "3 Ann 101|2"}));
    }

    // Capacities come from each target's model, and the rules are read once per model and release.
    void capacitiesPerModel()
    {
        CExchangeCapacities capacities(CUnitsFixture::Rules());
        CModelProfile::ListCapacities expected;
        bool scan = false;
        int callListType = 0, codeplug = 0;
        QVERIFY(CUnitsFixture::Rules().LookupModel(105, false, callListType, codeplug));
        CModelRules::CapacitiesForCallListType(callListType, expected, scan);
        QCOMPARE(capacities.Capacity(105, 0, CExchangeKind::PhoneBook), expected.phoneBook);
        QCOMPARE(capacities.Capacity(105, 0, CExchangeKind::Private, 2), expected.privateList[1]);
        QCOMPARE(capacities.Capacity(105, 0, CExchangeKind::Consolidated), 250);
        QCOMPARE(capacities.Loads(), 1);
        capacities.Capacity(90, 39, CExchangeKind::PhoneBook);
        capacities.Capacity(90, 39, CExchangeKind::Scan, 3);
        QCOMPARE(capacities.Loads(), 2);
        QVERIFY(!capacities.Profile(90, 39).capacities.phoneBook ||
                capacities.Profile(90, 39).callListType == CModelRules::SpecialCallListType);
        QCOMPARE(capacities.Capacity(250, 0, CExchangeKind::PhoneBook), 0); // unknown model
    }
};

VELMORA_TEST_MAIN(TestExchangePlacement)
#include "tst_exchange_placement.moc"
