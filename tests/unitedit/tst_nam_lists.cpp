// The per-NAM list pages without widgets: the NAM selector, loading per NAM, row checks, switching
// NAMs, clear and move, cross-fleet private ids, saving in the sheet's transaction and Cancel.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CGridListType.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitNamList.h"
#include "CUnitSheetLayout.h"
#include "CUnitSheetSave.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraWrap.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000031");
const QList<int> kPages{UnitPage::PrivateList, UnitPage::TalkgroupList, UnitPage::ScanList,
                        UnitPage::StatusMessages};

const CNamListKind& Kind(int page)
{
    return *CNamListKind::Of(page);
}

// A list with its grid's model, as the page makes them.
struct CListUnderTest
{
    std::unique_ptr<CUnitNamList> list;
    std::unique_ptr<CVelmoraGridModel> model;

    QString Cell(int row, int col) const { return model->Value(row, col); }
    void Set(int row, const QString& name, const QString& id, bool program = false)
    {
        model->SetValue(row, CUnitNamList::NameColumn, name);
        model->SetValue(row, CUnitNamList::IdColumn, id);
        model->SetValue(row, CUnitNamList::ProgramColumn,
                        program ? QStringLiteral("1") : QStringLiteral("0"));
    }
};

} // namespace

class TestNamLists : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    void OpenFleet()
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec spec;
        spec.imei = kImei;
        spec.user = QStringLiteral("O'Brien");
        spec.listRows = 0;
        QVERIFY(CFleetFixtures::MakeFleet(path, {spec}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        for (int page : kPages)
            Exec(QStringLiteral("DELETE FROM %1").arg(Kind(page).table));
        Exec(QStringLiteral("UPDATE unit_details SET unit_cross_fleet_enable = 0"));
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(CFleetConnection::ErrorText(query.lastError())));
    }

    // A stored row of a list: NAM, location, name, id (the member of a private id).
    void Store(int page, int nam, int loc, const QString& name, int id, int urban = 0, int fleet = 0)
    {
        const CNamListKind& k = Kind(page);
        if (k.privateIds)
            Exec(QStringLiteral("INSERT INTO unit_private_details (unit_imei_num, unit_nam, unit_urban_id, "
                                "unit_fleet_id, unit_member_id, unit_name, unit_loc_no, unit_program_flag, "
                                "unit_language) VALUES (?, ?, ?, ?, ?, ?, ?, 1, 0)"),
                 {kImei, nam, urban, fleet, id, name, loc});
        else
            Exec(QStringLiteral("INSERT INTO %1 (unit_imei_num, unit_nam, unit_loc_no, %2, %3, "
                                "unit_program_flag) VALUES (?, ?, ?, ?, ?, 1)")
                     .arg(k.table, k.nameField, k.idField),
                 {kImei, nam, loc, name, id});
    }

    // The unit's stored rows of a list on a NAM, by location: "loc name id".
    QStringList Stored(int page, int nam, const QString& table = QString()) const
    {
        const CNamListKind& k = Kind(page);
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("SELECT unit_loc_no, %1, %2 FROM %3 WHERE unit_imei_num = ? AND "
                                     "unit_nam = ? ORDER BY unit_loc_no")
                          .arg(k.nameField, k.idField, table.isEmpty() ? k.table : table));
        query.addBindValue(kImei);
        query.addBindValue(nam);
        QStringList rows;
        if (query.exec()) {
            while (query.next())
                rows << QStringLiteral("%1 %2 %3")
                            .arg(query.value(0).toString(), query.value(1).toString(),
                                 query.value(2).toString());
        }
        return rows;
    }

    int TwinRows(int page) const
    {
        return CFleetFixtures::Count(Db(), Kind(page).table + QStringLiteral("_tmp"));
    }

    // A unit whose model has capacities 4 / 3 / 2 on NAM 1 / 2 / 3 for every list.
    CUnitSheetUnit Unit(std::array<int, 3> capacities = {4, 3, 2}) const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = 2;
        unit.profile.known = true;
        unit.profile.capacities.privateList = capacities;
        unit.profile.capacities.talkgroups = capacities;
        unit.profile.capacities.scanList = capacities;
        unit.profile.capacities.statusMessages = capacities;
        return unit;
    }

    CListUnderTest Open(int page, const CUnitSheetUnit& unit)
    {
        CListUnderTest t;
        t.list = std::make_unique<CUnitNamList>(Kind(page), unit);
        CGridSettings settings;
        settings.capacities = t.list->GridCapacities();
        t.model = std::make_unique<CVelmoraGridModel>(Kind(page).gridType, 0, settings);
        t.list->SetModel(t.model.get());
        const CVelmoraError error = t.list->Open();
        if (error.Stops())
            qWarning() << "open failed" << error.Id() << error.ToText();
        return t;
    }

    // Saves as the sheet does, in one transaction.
    CVelmoraError Save(CUnitNamList& list, bool* changed = nullptr)
    {
        bool pageChanged = false;
        const CUnitSheetSave::Result result =
            CUnitSheetSave::Run(Db(), {[&]() { return list.Save(pageChanged).error; }});
        if (changed)
            *changed = pageChanged;
        return result.error;
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        OpenFleet();
    }
    void cleanup() { m_fleet.reset(); }

    void namSelector()
    {
        const CNamListKind& tg = Kind(UnitPage::TalkgroupList);
        CModelProfile::ListCapacities caps;
        caps.talkgroups = {16, 16, 16};
        QCOMPARE(CUnitNamList::NamEntries(tg, caps, 3), (QList<int>{1, 2, 3}));
        // A two-NAM phone: NAM 1 and NAM 2 only; a one-NAM phone: the first entry only.
        QCOMPARE(CUnitNamList::NamEntries(tg, caps, 2), (QList<int>{1, 2}));
        QCOMPARE(CUnitNamList::NamEntries(tg, caps, 1), (QList<int>{1}));
        // A model without talkgroups on NAM 2 offers no NAM 2, whatever the other lists hold.
        caps.talkgroups = {16, 0, 16};
        caps.privateList = {16, 16, 16};
        QCOMPARE(CUnitNamList::NamEntries(tg, caps, 3), (QList<int>{1, 3}));
        QCOMPARE(CUnitNamList::NamEntries(Kind(UnitPage::PrivateList), caps, 3), (QList<int>{1, 2, 3}));
        caps.talkgroups = {0, 0, 0};
        QVERIFY(CUnitNamList::NamEntries(tg, caps, 3).isEmpty());
    }

    void loadsTheNamsRowsWithoutEmptyIds()
    {
        for (int page : kPages) {
            OpenFleet();
            Store(page, 1, 3, QStringLiteral("third"), 30);
            Store(page, 1, 1, QStringLiteral("first"), 10);
            Store(page, 1, 2, QStringLiteral("no id"), 0);
            Store(page, 2, 1, QStringLiteral("other nam"), 20);
            CListUnderTest t = Open(page, Unit());
            QCOMPARE(t.model->RowCount(), 4); // NAM 1's capacity
            QCOMPARE(t.Cell(1, 1), QStringLiteral("first"));
            QCOMPARE(t.Cell(2, 1), QStringLiteral("third"));
            QCOMPARE(t.Cell(2, 2), QStringLiteral("30"));
            QCOMPARE(t.Cell(2, 3), QStringLiteral("1"));
            QVERIFY(t.Cell(3, 2).isEmpty());
            QVERIFY(t.list->Close().Stops() == false);
        }
    }

    void cancelLeavesTheTableAndEmptiesTheTwin()
    {
        for (int page : kPages) {
            OpenFleet();
            Store(page, 1, 1, QStringLiteral("kept"), 11);
            Store(page, 2, 1, QStringLiteral("kept too"), 12);
            CListUnderTest t = Open(page, Unit());
            t.Set(1, QStringLiteral("changed"), QStringLiteral("99"));
            t.Set(2, QStringLiteral("added"), QStringLiteral("98"));
            QVERIFY(t.list->SelectNam(2));
            t.Set(1, QString(), QString());
            QVERIFY(t.list->WriteBack());
            QVERIFY(TwinRows(page) > 0);
            // Cancel: the twin goes, the table never saw the edits.
            QVERIFY(!t.list->Close().Stops());
            QCOMPARE(TwinRows(page), 0);
            QCOMPARE(Stored(page, 1), QStringList{QStringLiteral("1 kept 11")});
            QCOMPARE(Stored(page, 2), QStringList{QStringLiteral("1 kept too 12")});
        }
    }

    void namEditsSurviveSwitchingAndAreSaved()
    {
        for (int page : kPages) {
            OpenFleet();
            Store(page, 2, 1, QStringLiteral("second"), 21);
            CListUnderTest t = Open(page, Unit());
            t.Set(3, QStringLiteral("one"), QStringLiteral("7"), true);
            QVERIFY(t.list->SelectNam(2));
            QCOMPARE(t.list->CurrentNam(), 2);
            QCOMPARE(t.model->RowCount(), 3);
            QCOMPARE(t.Cell(1, 1), QStringLiteral("second"));
            t.Set(2, QStringLiteral("two"), QStringLiteral("8"));
            QVERIFY(t.list->SelectNam(1));
            QCOMPARE(t.Cell(1, 1), QStringLiteral("one")); // loaded rows close up
            QCOMPARE(t.Cell(1, 2), QStringLiteral("7"));
            QCOMPARE(t.Cell(1, 3), QStringLiteral("1"));
            bool changed = false;
            QVERIFY(!Save(*t.list, &changed).Stops());
            QVERIFY(changed);
            QCOMPARE(Stored(page, 1), QStringList{QStringLiteral("1 one 7")});
            QCOMPARE(Stored(page, 2),
                     (QStringList{QStringLiteral("1 second 21"), QStringLiteral("2 two 8")}));
            // Saving again what is stored changes nothing.
            QVERIFY(!Save(*t.list, &changed).Stops());
            QVERIFY(!changed);
            QVERIFY(!t.list->Close().Stops());
        }
    }

    void outOfRangeIdBlocksSwitchAndSave()
    {
        for (int page : kPages) {
            OpenFleet();
            Store(page, 1, 1, QStringLiteral("stored"), 5);
            CListUnderTest t = Open(page, Unit());
            const int max = Kind(page).idMax;
            t.Set(2, QStringLiteral("too big"), QString::number(max + 1));
            CNamListResult refused = t.list->SelectNam(2);
            QVERIFY(!refused);
            QCOMPARE(refused.error.Id(), 1645);
            QCOMPARE(refused.error.Args(), (QStringList{QStringLiteral("1"), QString::number(max)}));
            QCOMPARE(refused.row, 2);
            QCOMPARE(refused.col, 2);
            // The scan and status lists also say that the list was not saved.
            QCOMPARE(refused.saysNotSaved, Kind(page).reportsWriteBack);
            QCOMPARE(t.list->CurrentNam(), 1);
            QCOMPARE(t.Cell(2, 1), QStringLiteral("too big"));
            QCOMPARE(Save(*t.list).Id(), 1645);
            QCOMPARE(Stored(page, 1), QStringList{QStringLiteral("1 stored 5")});
            t.Set(2, QStringLiteral("in range"), QString::number(max));
            QVERIFY(!Save(*t.list).Stops());
            QCOMPARE(Stored(page, 1),
                     (QStringList{QStringLiteral("1 stored 5"), QStringLiteral("2 in range %1").arg(max)}));
        }
    }

    void talkgroup256()
    {
        CListUnderTest t = Open(UnitPage::TalkgroupList, Unit());
        t.Set(1, QStringLiteral("tg"), QStringLiteral("256"));
        QCOMPARE(t.list->SelectNam(2).error.Id(), 1645);
        QCOMPARE(Save(*t.list).Id(), 1645);
        QCOMPARE(Stored(UnitPage::TalkgroupList, 1), QStringList());
        t.Set(1, QStringLiteral("tg"), QStringLiteral("255"));
        QVERIFY(t.list->SelectNam(2));
        // The grid refuses the same as its cell is left.
        const CGridCheckResult typed = t.model->CheckCell(1, 2, QStringLiteral("256"));
        QVERIFY(!typed.ok);
        QCOMPARE(typed.messageId, 1645);
        QCOMPARE(typed.args, (QStringList{QStringLiteral("1"), QStringLiteral("255")}));
        QVERIFY(t.model->CheckCell(1, 2, QStringLiteral("255")).ok);
    }

    void moveAndClear()
    {
        CListUnderTest t = Open(UnitPage::TalkgroupList, Unit());
        t.Set(1, QStringLiteral("a"), QStringLiteral("1"));
        t.Set(3, QStringLiteral("c"), QStringLiteral("3"));
        QCOMPARE(t.list->Move({}, true).Id(), 1646);
        QCOMPARE(t.list->Clear({}).Id(), 1602);
        int row = 0;
        QVERIFY(!t.list->Move({3, 4}, true, &row).Stops());
        QCOMPARE(row, 2);
        QCOMPARE(t.Cell(2, 1), QStringLiteral("c"));
        QVERIFY(t.Cell(3, 1).isEmpty());
        QVERIFY(!t.list->Move({1}, true, &row).Stops()); // the first row stays
        QCOMPARE(row, 1);
        QVERIFY(!t.list->Move({4}, false, &row).Stops()); // so does the last
        QCOMPARE(row, 4);
        QVERIFY(!Save(*t.list).Stops());
        QCOMPARE(Stored(UnitPage::TalkgroupList, 1),
                 (QStringList{QStringLiteral("1 a 1"), QStringLiteral("2 c 3")}));
        QVERIFY(!t.list->Clear({1}).Stops());
        QVERIFY(t.Cell(1, 2).isEmpty());
        QCOMPARE(t.Cell(1, 3), QStringLiteral("0"));
        QCOMPARE(t.model->RowCount(), 4);
        QVERIFY(!Save(*t.list).Stops());
        QCOMPARE(Stored(UnitPage::TalkgroupList, 1), QStringList{QStringLiteral("2 c 3")});
    }

    void sortsAndMarkAll()
    {
        CListUnderTest t = Open(UnitPage::ScanList, Unit());
        t.Set(1, QStringLiteral("b"), QStringLiteral("20"));
        t.Set(3, QStringLiteral("a"), QStringLiteral("3"));
        t.list->MarkAll(true);
        QCOMPARE(t.Cell(1, 3), QStringLiteral("1"));
        QCOMPARE(t.Cell(2, 3), QStringLiteral("0")); // no id, not marked
        t.list->MarkAll(false);
        QCOMPARE(t.Cell(3, 3), QStringLiteral("0"));
        t.list->Sort(CUnitNamList::IdColumn);
        QCOMPARE(t.Cell(1, 2), QStringLiteral("3"));
        QCOMPARE(t.Cell(2, 2), QStringLiteral("20"));
        QVERIFY(t.Cell(3, 2).isEmpty()); // empty rows last
        t.Set(3, QStringLiteral("c"), QStringLiteral("100"));
        t.list->Sort(CUnitNamList::NameColumn);
        QCOMPARE(t.Cell(1, 1), QStringLiteral("a"));
        QCOMPARE(t.Cell(3, 1), QStringLiteral("c"));
    }

    void crossFleetPrivateIds()
    {
        Exec(QStringLiteral(
            "UPDATE unit_details SET unit_cross_fleet_enable = 1, unit_currentNAMSelection = 2, "
            "unit_private_nam2_urban_id = 10, unit_private_nam2_fleet_id = 20, "
            "unit_private_nam1_urban_id = 77, unit_private_nam1_fleet_id = 88"));
        Store(UnitPage::PrivateList, 1, 1, QStringLiteral("stored"), 6, 40, 20);
        CListUnderTest t = Open(UnitPage::PrivateList, Unit());
        QVERIFY(t.list->IdForm().CrossFleet());
        QCOMPARE(t.list->IdForm().OwnUrban(), 10); // the unit's current NAM, not the list's
        QCOMPARE(t.Cell(1, 2), QStringLiteral("40*20*6"));
        t.Set(2, QStringLiteral("a"), QStringLiteral("5"));
        t.Set(3, QStringLiteral("b"), QStringLiteral("30*5"));
        t.Set(4, QStringLiteral("c"), QStringLiteral("10*20*5"));
        QVERIFY(!Save(*t.list).Stops());
        QCOMPARE(t.Cell(2, 2), QStringLiteral("5"));
        QCOMPARE(t.Cell(3, 2), QStringLiteral("30*5"));
        QCOMPARE(t.Cell(4, 2), QStringLiteral("5"));
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("SELECT unit_urban_id, unit_fleet_id, unit_member_id FROM "
                                      "unit_private_details ORDER BY unit_loc_no")));
        QStringList ids;
        while (q.next())
            ids << QStringLiteral("%1*%2*%3")
                       .arg(q.value(0).toInt())
                       .arg(q.value(1).toInt())
                       .arg(q.value(2).toInt());
        QCOMPARE(ids, (QStringList{QStringLiteral("40*20*6"), QStringLiteral("10*20*5"),
                                   QStringLiteral("10*30*5"), QStringLiteral("10*20*5")}));
        QCOMPARE(t.model->CheckCell(2, 2, QStringLiteral("1*2*3*4")).messageId, 1854);
        QVERIFY(t.model->CheckCell(2, 2, QStringLiteral("30*5")).ok);
        t.Set(2, QStringLiteral("a"), QStringLiteral("1*2*3*4"));
        const CNamListResult refused = t.list->WriteBack();
        QCOMPARE(refused.error.Id(), 1854);
        QCOMPARE(refused.row, 2);
    }

    void privateIdsWithoutCrossFleetKeepTheirStoredFleet()
    {
        Store(UnitPage::PrivateList, 1, 1, QStringLiteral("far"), 6, 40, 30);
        Store(UnitPage::PrivateList, 1, 2, QStringLiteral("near"), 7, 40, 30);
        CListUnderTest t = Open(UnitPage::PrivateList, Unit());
        QCOMPARE(t.Cell(1, 2), QStringLiteral("6"));
        QVERIFY(!t.list->Move({2}, true).Stops());             // "near" first: the parts follow the entry
        t.Set(1, QStringLiteral("near"), QStringLiteral("8")); // another member: a new entry
        t.Set(3, QStringLiteral("new"), QStringLiteral("9"));
        QVERIFY(!Save(*t.list).Stops());
        QSqlQuery q(Db());
        QVERIFY(q.exec(QStringLiteral("SELECT unit_name, unit_urban_id, unit_fleet_id, unit_member_id FROM "
                                      "unit_private_details ORDER BY unit_loc_no")));
        QStringList rows;
        while (q.next())
            rows << QStringLiteral("%1 %2*%3*%4")
                        .arg(q.value(0).toString())
                        .arg(q.value(1).toInt())
                        .arg(q.value(2).toInt())
                        .arg(q.value(3).toInt());
        QCOMPARE(rows, (QStringList{QStringLiteral("near 0*0*8"), QStringLiteral("far 40*30*6"),
                                    QStringLiteral("new 0*0*9")}));
    }

    void privateIdsWithoutCrossFleet()
    {
        CListUnderTest t = Open(UnitPage::PrivateList, Unit());
        t.Set(1, QStringLiteral("a"), QStringLiteral("65535"));
        QVERIFY(t.list->WriteBack());
        t.Set(1, QStringLiteral("a"), QStringLiteral("65536"));
        const CNamListResult refused = t.list->WriteBack();
        QCOMPARE(refused.error.Id(), 1645);
        QCOMPARE(refused.error.Args(), (QStringList{QStringLiteral("1"), QStringLiteral("65535")}));
    }

    void namesRoundTrip()
    {
        const QStringList names = CFleetFixtures::AwkwardNames();
        for (int page : kPages) {
            OpenFleet();
            {
                CListUnderTest t = Open(page, Unit());
                for (int i = 0; i < names.size() && i < 3; ++i)
                    t.Set(i + 1, names[i], QString::number(i + 1));
                QVERIFY(!Save(*t.list).Stops());
                QVERIFY(!t.list->Close().Stops());
            }
            CListUnderTest again = Open(page, Unit());
            for (int i = 0; i < names.size() && i < 3; ++i)
                QCOMPARE(again.Cell(i + 1, 1), names[i]);
        }
    }

    void languageEntryMissingRefusesTheNamedLists()
    {
        CUnitSheetUnit unit = Unit();
        unit.phoneBookLangEntryId = -1;
        for (int page : kPages) {
            CListUnderTest t = Open(page, unit);
            t.Set(1, QStringLiteral("x"), QStringLiteral("1"));
            QCOMPARE(t.list->WriteBack().error.Stops(), Kind(page).hasLanguage);
            QVERIFY(!t.list->Close().Stops());
        }
    }
};

VELMORA_TEST_MAIN(TestNamLists)
#include "tst_nam_lists.moc"
