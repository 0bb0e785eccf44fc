// The fleet-wide talkgroup index: rebuilt from the programmed talkgroup entries of every unit and NAM,
// the talkgroups of a NAM, and the members of a talkgroup.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CTalkgroupIndex.h"
#include "CTestEnvironment.h"

#include <QSqlQuery>
#include <QTest>

namespace {

using Talkgroup = CTalkgroupIndex::Talkgroup;

// "nam/id/name" of each talkgroup, to compare lists in one line.
QStringList Keys(const QList<Talkgroup>& talkgroups)
{
    QStringList keys;
    for (const Talkgroup& t : talkgroups)
        keys << QStringLiteral("%1/%2/%3").arg(t.nam).arg(t.id).arg(t.name);
    return keys;
}

QStringList Imeis(const QList<CTalkgroupIndex::Member>& members)
{
    QStringList imeis;
    for (const CTalkgroupIndex::Member& m : members)
        imeis << m.imei;
    return imeis;
}

} // namespace

class TestTalkgroupIndex : public QObject
{
    Q_OBJECT

private:
    CFleetConnection m_connection;
    QList<CUnitSpec> m_units;

    QSqlDatabase Db() const { return m_connection.Database(); }

    // A fleet of the units whose talkgroup lists are emptied, so each test writes its own entries.
    bool OpenFleet(int unitCount)
    {
        m_units = CFleetFixtures::Units(unitCount);
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("tg")) + QStringLiteral("/tg.vlf");
        if (!CFleetFixtures::MakeFleet(path, m_units) || !m_connection.Open(path))
            return false;
        QSqlQuery query(Db());
        return query.exec(QStringLiteral("DELETE FROM unit_tg_details"));
    }

    bool AddEntry(int unit, int nam, int id, const QVariant& name, bool programmed = true)
    {
        QSqlQuery query(Db());
        query.prepare(QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, "
                                     "unit_tg_name, unit_loc_no, unit_program_flag, unit_language) "
                                     "VALUES (?, ?, ?, ?, 1, ?, 0)"));
        for (const QVariant& v : QVariantList{m_units.at(unit).imei, nam, id, name, programmed ? 1 : 0})
            query.addBindValue(v);
        return query.exec();
    }

    QList<Talkgroup> Indexed(int nam)
    {
        CVelmoraError error;
        const QList<Talkgroup> talkgroups = CTalkgroupIndex(Db()).Talkgroups(nam, &error);
        [&] { QVERIFY2(!error, qPrintable(error.ToText())); }();
        return talkgroups;
    }

private Q_SLOTS:
    void cleanup() { m_connection.Close(); }

    void rebuildIndexesTheProgrammedEntriesOfEveryUnitAndNam()
    {
        QVERIFY(OpenFleet(4));
        QVERIFY(AddEntry(0, 1, 7, "Dispatch"));
        QVERIFY(AddEntry(1, 1, 7, "Dispatch"));    // the same talkgroup in a second unit: indexed once
        QVERIFY(AddEntry(2, 1, 5, "Yard", false)); // not programmed: not indexed
        QVERIFY(AddEntry(2, 1, 7, "Dispatch B"));  // same id, other name: another talkgroup
        QVERIFY(AddEntry(3, 2, 7, "Dispatch"));    // same id and name on NAM 2: NAM 2's own
        QVERIFY(AddEntry(3, 3, 12, "Night"));
        QVERIFY(AddEntry(1, 3, 0, "no id")); // id 0 is no talkgroup
        QVERIFY(AddEntry(0, 3, 2, "Early"));

        QVERIFY(CFleetFixtures::Count(Db(), "talk_grp_header") > 0); // the fixture's stale index
        CTalkgroupIndex index(Db());
        const CVelmoraError rebuilt = index.Rebuild();
        QVERIFY2(!rebuilt, qPrintable(rebuilt.ToText()));
        // The stale rows are gone: the header holds exactly the distinct programmed entries.
        QCOMPARE(CFleetFixtures::Count(Db(), "talk_grp_header"), 6);

        QCOMPARE(Keys(Indexed(1)), (QStringList{"1/7/Dispatch", "1/7/Dispatch B"}));
        QCOMPARE(Keys(Indexed(2)), QStringList{"2/7/Dispatch"});
        QCOMPARE(Keys(Indexed(3)), (QStringList{"3/2/Early", "3/12/Night"}));

        // Rebuilding again follows the lists: an entry unprogrammed drops out, nothing is doubled.
        QSqlQuery query(Db());
        QVERIFY(query.exec("UPDATE unit_tg_details SET unit_program_flag = 0 WHERE unit_tg_name = 'Night'"));
        QVERIFY(!index.Rebuild());
        QCOMPARE(Keys(Indexed(3)), QStringList{"3/2/Early"});
        QCOMPARE(Keys(Indexed(1)), (QStringList{"1/7/Dispatch", "1/7/Dispatch B"}));
    }

    void membersAreTheUnitsProgrammedWithTheTalkgroupOnThatNam()
    {
        QVERIFY(OpenFleet(4));
        QVERIFY(AddEntry(2, 1, 7, "Dispatch"));
        QVERIFY(AddEntry(0, 1, 7, "Dispatch"));
        QVERIFY(AddEntry(0, 1, 8, "Dispatch"));        // a second entry of the unit: still one member
        QVERIFY(AddEntry(1, 1, 7, "Dispatch", false)); // not programmed
        QVERIFY(AddEntry(3, 2, 7, "Dispatch"));        // other NAM
        QVERIFY(AddEntry(3, 1, 7, "Dispatch B"));      // other name
        CTalkgroupIndex index(Db());
        QVERIFY(!index.Rebuild());

        CVelmoraError error;
        const QList<CTalkgroupIndex::Member> members = index.Members({1, 7, "Dispatch"}, &error);
        QVERIFY(!error);
        QCOMPARE(Imeis(members), (QStringList{m_units.at(0).imei, m_units.at(2).imei}));
        QCOMPARE(members.at(0).userName, m_units.at(0).user);
        QCOMPARE(members.at(1).userName, m_units.at(2).user);
        QCOMPARE(members.at(0).displayPrivateId, "12*34*" + m_units.at(0).imei.right(2));
        QCOMPARE(Imeis(index.Members({2, 7, "Dispatch"})), QStringList{m_units.at(3).imei});
        QCOMPARE(Imeis(index.Members({1, 7, "Dispatch B"})), QStringList{m_units.at(3).imei});
        QVERIFY(index.Members({3, 7, "Dispatch"}).isEmpty());
    }

    // A talkgroup without a name is stored as NULL in one list and as an empty text in another.
    void aTalkgroupWithoutANameIsOneTalkgroupWithAllItsMembers()
    {
        QVERIFY(OpenFleet(3));
        QVERIFY(AddEntry(0, 1, 3, QVariant(QMetaType(QMetaType::QString))));
        QVERIFY(AddEntry(1, 1, 3, QString("")));
        QVERIFY(AddEntry(2, 1, 3, "Named"));
        CTalkgroupIndex index(Db());
        QVERIFY(!index.Rebuild());
        QCOMPARE(Keys(Indexed(1)), (QStringList{"1/3/", "1/3/Named"}));
        QCOMPARE(Imeis(index.Members({1, 3, QString()})),
                 (QStringList{m_units.at(0).imei, m_units.at(1).imei}));
        QCOMPARE(Imeis(index.Members({1, 3, "Named"})), QStringList{m_units.at(2).imei});
    }

    void anEmptyFleetHasAnEmptyIndex()
    {
        QVERIFY(OpenFleet(0));
        CTalkgroupIndex index(Db());
        const CVelmoraError rebuilt = index.Rebuild();
        QVERIFY2(!rebuilt, qPrintable(rebuilt.ToText()));
        QCOMPARE(CFleetFixtures::Count(Db(), "talk_grp_header"), 0);
        for (const int nam : {1, 2, 3})
            QVERIFY(Indexed(nam).isEmpty());
        CVelmoraError error;
        QVERIFY(index.Members({1, 100, "TG O'Brien"}, &error).isEmpty());
        QVERIFY(!error);
    }

    // Names are bound values: quotes, percent signs, placeholders and Hebrew reach the database as they are.
    void awkwardNamesAreIndexedAndMatchedAsTheyAre()
    {
        QVERIFY(OpenFleet(3));
        QStringList names = CFleetFixtures::AwkwardNames();
        names << QStringLiteral("a?b") << QStringLiteral("x' OR '1'='1") << QStringLiteral("%");
        for (int i = 0; i < names.size(); ++i)
            QVERIFY(AddEntry(i % 3, 1, 40, names.at(i)));
        CTalkgroupIndex index(Db());
        QVERIFY(!index.Rebuild());
        const QList<Talkgroup> indexed = Indexed(1);
        QCOMPARE(indexed.size(), names.size());
        for (const Talkgroup& t : indexed)
            QVERIFY2(names.contains(t.name), qPrintable(t.name));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(Imeis(index.Members({1, 40, names.at(i)})), QStringList{m_units.at(i % 3).imei});
        // A name that only looks like one of them matches nothing.
        QVERIFY(index.Members({1, 40, "O'Brie%"}).isEmpty());
    }

    // A rebuild that fails leaves the index as it was and says why.
    void aFailedRebuildKeepsTheOldIndex()
    {
        QVERIFY(OpenFleet(2));
        QVERIFY(AddEntry(0, 1, 7, "Dispatch"));
        CTalkgroupIndex index(Db());
        QVERIFY(!index.Rebuild());
        QSqlQuery query(Db());
        QVERIFY(query.exec("ALTER TABLE unit_tg_details RENAME TO unit_tg_gone"));
        const CVelmoraError rebuilt = index.Rebuild();
        QVERIFY(rebuilt.Stops());
        QVERIFY(rebuilt.ToText().contains("unit_tg_details"));
        QCOMPARE(Keys(Indexed(1)), QStringList{"1/7/Dispatch"});
        CVelmoraError error;
        QVERIFY(index.Members({1, 7, "Dispatch"}, &error).isEmpty());
        QVERIFY(error.Stops());
    }
};

VELMORA_TEST_MAIN(TestTalkgroupIndex)
#include "tst_talkgroup_index.moc"
