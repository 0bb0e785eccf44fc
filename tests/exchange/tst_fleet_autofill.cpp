// Auto fill: where a unit's entry lands in another unit's list, what each unit contributes, and the
// whole-fleet run over the stored tables (duplicates, full lists, cancel).

#include "CAutoFillEntry.h"
#include "CFleetAutoFill.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CModelProfile.h"
#include "CTestEnvironment.h"
#include "CUnitAutoFill.h"
#include "CUnitsFixture.h"
#include "ExchangeMessageIds.h"

#include <QSqlQuery>
#include <QTest>

namespace {

constexpr int kAlderModel = 105;

const QStringList kListTables = {QStringLiteral("unit_phone_details"), QStringLiteral("unit_private_details"),
                                 QStringLiteral("unit_consolid_call_list")};

// A model of the catalogue that is no Alder and has a phone book and a NAM1 private list.
int PlainModel()
{
    for (int model = 1; model < 256; ++model) {
        CModelProfile p;
        if (CUnitsFixture::Rules().SetupListCapacities(model, false, p) && p.phoneClass != 3 &&
            p.capacities.phoneBook >= 10 && p.capacities.privateList[0] >= 10)
            return model;
    }
    return 0;
}

int PhoneBookSize(int model)
{
    CModelProfile p;
    CUnitsFixture::Rules().SetupListCapacities(model, false, p);
    return p.capacities.phoneBook;
}

} // namespace

class TestFleetAutoFill : public QObject
{
    Q_OBJECT

private:
    CFleetConnection m_connection;
    QList<CUnitSpec> m_units;
    int m_plain = 0;

    QSqlDatabase Db() const { return m_connection.Database(); }

    bool Exec(const QString& sql, const QVariantList& values = {}) const
    {
        const CVelmoraError e = CFleetConnection::Exec(Db(), sql, values);
        if (e)
            qWarning() << e.ToText();
        return !e;
    }

    // A fleet of count units with empty lists; the units of alder get model 105, the others a plain model.
    bool OpenFleet(int count, const QList<int>& alder = {})
    {
        m_units = CFleetFixtures::Units(count);
        for (int i = 0; i < count; ++i) {
            m_units[i].listRows = 0;
            m_units[i].modelType = alder.contains(i) ? kAlderModel : m_plain;
        }
        const QString path =
            CTestEnvironment::NewFolder(QStringLiteral("autofill")) + QStringLiteral("/af.vlf");
        if (!CFleetFixtures::MakeFleet(path, m_units) || !m_connection.Open(path))
            return false;
        for (const QString& table : kListTables) {
            if (!Exec(QStringLiteral("DELETE FROM ") + table))
                return false;
        }
        return true;
    }

    QString Imei(int unit) const { return m_units.at(unit).imei; }

    CFleetAutoFill::Report RunFill(const CFleetAutoFill::Progress& progress = {})
    {
        CFleetAutoFill fill(Db(), CUnitsFixture::Rules());
        return fill.Run(progress);
    }

    // "slot:name:number" of a unit's programmed phone entries by speed dial.
    QStringList PhoneEntries(int unit) const
    {
        QStringList out;
        QSqlQuery q(Db());
        q.prepare(
            QStringLiteral("SELECT unit_speed_dial, unit_name, unit_phone_num FROM unit_phone_details WHERE "
                           "unit_imei_num = ? AND unit_program_flag <> 0 ORDER BY unit_speed_dial"));
        q.addBindValue(Imei(unit));
        q.exec();
        while (q.next())
            out << QStringLiteral("%1:%2:%3")
                       .arg(q.value(0).toInt())
                       .arg(q.value(1).toString(), q.value(2).toString());
        return out;
    }

    QString Number(int unit) const { return QString("0521234" + Imei(unit).right(3)); }

private Q_SLOTS:
    void initTestCase()
    {
        m_plain = PlainModel();
        QVERIFY2(m_plain != 0, "the catalogue has no plain model with lists");
    }
    void cleanup() { m_connection.Close(); }

    void entryOfUnit()
    {
        const CAutoFillEntry cut = CAutoFillEntry::FromUnit("1", QStringLiteral("Fifteen chars!!"), " 0521 ",
                                                            QStringLiteral("12*34*56"), 9);
        QCOMPARE(cut.name, QStringLiteral("Fifteen cha"));
        QCOMPARE(cut.number, QStringLiteral("0521"));
        QVERIFY(cut.hasPrivateId);
        QCOMPARE(QList<qint64>({cut.privateId.urban, cut.privateId.fleet, cut.privateId.member}),
                 QList<qint64>({12, 34, 56}));
        QCOMPARE(cut.PrivateIdText(), QStringLiteral("12*34*56"));

        const CAutoFillEntry plain = CAutoFillEntry::FromUnit("2", "Bo", QString(), QStringLiteral("77"), 77);
        QCOMPARE(QList<qint64>({plain.privateId.urban, plain.privateId.fleet, plain.privateId.member}),
                 QList<qint64>({0, 0, 77}));
        QVERIFY(!plain.HasNumber());
        QCOMPARE(plain.PrivateIdText(), QStringLiteral("77"));

        QVERIFY(!CAutoFillEntry::FromUnit("3", "C", "1", QString(), 0).hasPrivateId);
        QVERIFY(!CAutoFillEntry::FromUnit("4", "D", "1", QStringLiteral("1*x*3"), 5).hasPrivateId);
    }

    void fillsEveryOtherUnit()
    {
        QVERIFY(OpenFleet(4, {3}));
        QVERIFY(Exec("UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                     {QStringLiteral("A name of fifte"), Imei(1)}));
        QVERIFY(Exec("UPDATE unit_details SET unit_phone_num_nam1 = '' WHERE unit_imei_num = ?", {Imei(2)}));
        const CFleetAutoFill::Report report = RunFill();
        QVERIFY2(!report.error, qPrintable(report.error.ToText()));
        QVERIFY(report.fullUnits.isEmpty());

        // Unit 0 (plain): units 1 and 3 have numbers, 2 has none; never itself.
        const QStringList phones = PhoneEntries(0);
        QCOMPARE(phones,
                 QStringList({QStringLiteral("1:A name of f:") + Number(1),
                              QStringLiteral("2:%1:%2").arg(m_units.at(3).user.left(11), Number(3))}));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_private_details", Imei(0)), 3);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list", Imei(0)), 0);
        // The Alder unit gets a number and a private id of 0 and 1, only a private id of 2.
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list", Imei(3)), 5);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", Imei(3)), 0);
        QSqlQuery q(Db());
        q.prepare(
            "SELECT COUNT(DISTINCT unit_nameIndex), COUNT(DISTINCT unit_rec_num), MAX(unit_rec_num) FROM "
            "unit_consolid_call_list WHERE unit_imei_num = ?");
        q.addBindValue(Imei(3));
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toInt(), 3);
        QCOMPARE(q.value(1).toInt(), 5);
        QCOMPARE(q.value(2).toInt(), 5);
        // Private ids 3 x 3, phone numbers 2 + 2 + 3 (unit 2 has none), the Alder unit 5.
        QCOMPARE(report.added, 21);

        // A second run adds nothing: every entry is there once.
        QList<QList<QVariantList>> before;
        for (const QString& table : kListTables)
            before << CFleetFixtures::Rows(Db(), table);
        const CFleetAutoFill::Report again = RunFill();
        QVERIFY(!again.error);
        QCOMPARE(again.added, 0);
        for (int i = 0; i < kListTables.size(); ++i)
            QCOMPARE(CFleetFixtures::Rows(Db(), kListTables.at(i)), before.at(i));
    }

    void gapsAndUnprogrammedRows()
    {
        QVERIFY(OpenFleet(3));
        for (int slot : {1, 2, 4})
            QVERIFY(Exec("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, "
                         "unit_name, unit_program_flag, unit_language) VALUES (?, ?, ?, ?, 1, 0)",
                         {Imei(0), slot, QString::number(slot), QStringLiteral("Old")}));
        // An unprogrammed row holds slot 3: it gives way.
        QVERIFY(
            Exec("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
                 "unit_program_flag, unit_language) VALUES (?, 3, '9', 'Hidden', 0, 0)",
                 {Imei(0)}));
        QVERIFY(!RunFill().error);
        const QStringList phones = PhoneEntries(0);
        QCOMPARE(phones.size(), 5);
        QVERIFY(phones.at(2).startsWith(QStringLiteral("3:%1:").arg(m_units.at(1).user.left(11))));
        QVERIFY(phones.at(4).startsWith(QStringLiteral("5:%1:").arg(m_units.at(2).user.left(11))));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", Imei(0)), 5);
    }

    void fullListTakesNothingOthersDo()
    {
        QVERIFY(OpenFleet(4));
        const int size = PhoneBookSize(m_plain);
        for (int slot = 1; slot <= size; ++slot)
            QVERIFY(Exec("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, "
                         "unit_name, unit_program_flag, unit_language) VALUES (?, ?, ?, 'Old', 1, 0)",
                         {Imei(1), slot, QString::number(1000 + slot)}));
        const CFleetAutoFill::Report report = RunFill();
        QVERIFY(!report.error);
        QCOMPARE(report.fullImeis, QStringList({Imei(1)}));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", Imei(1)), size);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_private_details", Imei(1)), 3); // that list had room
        for (int unit : {0, 2, 3})
            QCOMPARE(PhoneEntries(unit).size(), 3);
    }

    void cancelLeavesFleetAsItWas()
    {
        QVERIFY(OpenFleet(6, {4, 5}));
        QVERIFY(
            Exec("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
                 "unit_program_flag, unit_language) VALUES (?, 2, '77', 'Kept', 1, 0)",
                 {Imei(0)}));
        QList<QList<QVariantList>> before;
        for (const QString& table : kListTables)
            before << CFleetFixtures::Rows(Db(), table);
        int calls = 0;
        const CFleetAutoFill::Report report = RunFill([&calls](int done, int total) {
            ++calls;
            return done < 5 && total == 6;
        });
        QVERIFY(report.error.IsCancelled());
        QCOMPARE(calls, 6);
        QCOMPARE(report.added, 0);
        for (int i = 0; i < kListTables.size(); ++i)
            QCOMPARE(CFleetFixtures::Rows(Db(), kListTables.at(i)), before.at(i));
        // The connection is usable afterwards and a full run goes through.
        QVERIFY(!RunFill().error);
        QCOMPARE(PhoneEntries(0).size(), 6);
    }
    void dialogOffersOnlyUnitsWithNumbers()
    {
        QVERIFY(OpenFleet(4));
        QVERIFY(
            Exec("UPDATE unit_details SET unit_phone_num_nam1 = NULL WHERE unit_imei_num = ?", {Imei(1)}));
        QVERIFY(Exec("UPDATE unit_details SET unit_phone_num_nam1 = '' WHERE unit_imei_num = ?", {Imei(2)}));
        QList<CUnitAutoFill::Candidate> candidates;
        QVERIFY(!CUnitAutoFill(Db(), CUnitAutoFill::PhoneList, Imei(0), 1, 10).LoadCandidates(candidates));
        QCOMPARE(candidates.size(), 1);
        QCOMPARE(candidates.at(0).imei, Imei(3));
        QCOMPARE(candidates.at(0).privateId, QStringLiteral("12*34*") + Imei(3).right(2));
        // The consolidated list offers every other unit.
        QVERIFY(
            !CUnitAutoFill(Db(), CUnitAutoFill::Consolidated, Imei(0), 1, 250).LoadCandidates(candidates));
        QCOMPARE(candidates.size(), 3);
    }

    void dialogAddsToTheTwinOnce()
    {
        QVERIFY(OpenFleet(4));
        QVERIFY(Exec("DELETE FROM unit_phone_details_tmp"));
        QVERIFY(Exec("UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                     {QStringLiteral("Fourteen chars"), Imei(2)}));
        CUnitAutoFill fill(Db(), CUnitAutoFill::PhoneList, Imei(0), 1, 2);
        QCOMPARE(fill.Add({}).error.Id(), int(ExchangeMsg::NothingSelected));
        CUnitAutoFill::AddResult result = fill.Add({Imei(2), Imei(2), Imei(0)});
        QVERIFY2(!result.error, qPrintable(result.error.ToText()));
        QCOMPARE(result.added, 1);
        result = fill.Add({Imei(2)});
        QCOMPARE(result.added, 0);
        QVERIFY(!result.error);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", Imei(0)),
                 0); // the stored list is untouched
        QSqlQuery q(Db());
        q.prepare("SELECT unit_name, unit_speed_dial FROM unit_phone_details_tmp WHERE unit_imei_num = ?");
        q.addBindValue(Imei(0));
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Fourteen ch"));
        QCOMPARE(q.value(1).toInt(), 1);
        QVERIFY(!q.next());
        // Capacity 2: the second unit fits, the third finds the list full; what was added stays.
        result = fill.Add({Imei(1), Imei(3)});
        QCOMPARE(result.added, 1);
        QCOMPARE(result.error, CVelmoraError::FromVelmoraCode(ExchangeMsg::ListFullCode));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details_tmp", Imei(0)), 2);
    }

    void dialogFillsPrivateAndConsolidatedTwins()
    {
        QVERIFY(OpenFleet(3));
        QVERIFY(Exec("DELETE FROM unit_private_details_tmp"));
        QVERIFY(Exec("DELETE FROM unit_consolid_call_list_tmp"));
        CUnitAutoFill privateFill(Db(), CUnitAutoFill::PrivateList, Imei(0), 2, 10);
        QCOMPARE(privateFill.Add({Imei(1), Imei(2)}).added, 2);
        QSqlQuery q(Db());
        q.prepare("SELECT unit_nam, unit_urban_id, unit_fleet_id, unit_member_id, unit_loc_no FROM "
                  "unit_private_details_tmp WHERE unit_imei_num = ? ORDER BY unit_loc_no");
        q.addBindValue(Imei(0));
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        QCOMPARE(q.value(1).toInt(), 12);
        QCOMPARE(q.value(3).toInt(), Imei(1).right(2).toInt());
        QCOMPARE(q.value(4).toInt(), 1);
        CUnitAutoFill consolidated(Db(), CUnitAutoFill::Consolidated, Imei(0), 1, 250);
        QCOMPARE(consolidated.Add({Imei(1)}).added, 2); // the number and the private id
        QCOMPARE(consolidated.Add({Imei(1)}).added, 0);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_consolid_call_list_tmp", Imei(0)), 2);
    }
};

VELMORA_TEST_MAIN(TestFleetAutoFill)
#include "tst_fleet_autofill.moc"
