// A unit's list edited in the "_tmp" twin: open, load, write-back (whole or per NAM), commit inside an
// outer save, close, and names that must survive the trip.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CTestEnvironment.h"
#include "CTransaction.h"
#include "CUnitListReloadFlags.h"
#include "CUnitListTwin.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitTGDetRecSet.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString kImei = QStringLiteral("350000000000031");
const QString kOther = QStringLiteral("350000000000032");

struct Entry
{
    QString name;
    QString number;
};

} // namespace

class TestUnitListTwin : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    int Count(const QString& table, const QString& imei = QString()) const
    {
        return CFleetFixtures::Count(Db(), table, imei);
    }

    // Writes entries as phone-book rows at their index + 1; empty entries are left out.
    CUnitListWriteResult WritePhoneBook(CUnitListTwin& twin, const QList<Entry>& entries)
    {
        CUnitPhoneDetRecSet rs;
        return twin.WriteBack(rs, int(entries.size()), [&](int row, CRecordset& r, bool& write) {
            const Entry& e = entries[row];
            write = !e.name.isEmpty() || !e.number.isEmpty();
            if (write && e.number.isEmpty())
                return CVelmoraError::Message(1847);
            auto& phone = static_cast<CUnitPhoneDetRecSet&>(r);
            phone.m_unit_speed_dial = row + 1;
            phone.m_unit_name = e.name;
            phone.m_unit_phone_num = e.number;
            return CVelmoraError();
        });
    }

    QStringList Names(const QString& table, const QString& imei)
    {
        QSqlQuery q(Db());
        q.prepare(QStringLiteral("SELECT unit_name FROM %1 WHERE unit_imei_num = ? ORDER BY unit_speed_dial")
                      .arg(table));
        q.addBindValue(imei);
        QStringList names;
        if (q.exec()) {
            while (q.next())
                names << q.value(0).toString();
        }
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec unit;
        unit.imei = kImei;
        unit.listRows = 3;
        CUnitSpec other;
        other.imei = kOther;
        QVERIFY(CFleetFixtures::MakeFleet(path, {unit, other}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
    }

    void openLoadCommitAndClose()
    {
        const QList<QVariantList> before = CFleetFixtures::Rows(Db(), "unit_phone_details", kImei);
        CUnitListTwin twin(Db(), "unit_phone_details", kImei);
        QVERIFY(!twin.Open().IsError());
        QVERIFY(twin.IsOpen());
        QCOMPARE(CFleetFixtures::Rows(Db(), "unit_phone_details_tmp", kImei), before);
        QCOMPARE(Count("unit_phone_details_tmp", kOther), 0);

        CUnitPhoneDetRecSet rs;
        QVERIFY(!twin.Load(rs, {}, "unit_speed_dial").IsError());
        QCOMPARE(rs.GetRecordCount(), 3);

        // Edits reach the table only by the commit.
        const QString quoted = QStringLiteral("O'Brien \"Bob\"");
        const QString hebrew = QStringLiteral("דנה כהן");
        QVERIFY(WritePhoneBook(twin, {{quoted, "0541"}, {}, {hebrew, "*12#"}}));
        QCOMPARE(Count("unit_phone_details_tmp", kImei), 2);
        QCOMPARE(CFleetFixtures::Rows(Db(), "unit_phone_details", kImei), before);
        QVERIFY(!twin.Commit().IsError());
        QCOMPARE(Names("unit_phone_details", kImei), (QStringList{quoted, hebrew}));
        QCOMPARE(Count("unit_phone_details", kOther), 2);

        QVERIFY(!twin.Close().IsError());
        QVERIFY(!twin.IsOpen());
        QCOMPARE(Count("unit_phone_details_tmp"), 0);
    }

    void failingRowStopsTheWriteBack()
    {
        CUnitListTwin twin(Db(), "unit_phone_details", kImei);
        QVERIFY(!twin.Open().IsError());
        const CUnitListWriteResult result =
            WritePhoneBook(twin, {{"a", "1"}, {"b", "2"}, {"c", ""}, {"d", "4"}});
        QVERIFY(!result);
        QCOMPARE(result.failedRow, 2);
        QCOMPARE(result.error.Id(), 1847);
        QCOMPARE(result.written, 2);
        // What was written before the failing row stays; nothing after it.
        QCOMPARE(Names("unit_phone_details_tmp", kImei), (QStringList{"a", "b"}));
    }

    void writeBackOfOneNamKeepsTheOthers()
    {
        // The fixture's talkgroups sit in NAMs 2, 3 and 1.
        CUnitListTwin twin(Db(), "unit_tg_details", kImei);
        QVERIFY(!twin.Open().IsError());
        const CUnitListKey nam1{QStringLiteral("unit_nam"), 1};
        QCOMPARE(twin.TwinRowCount(nam1), 1);
        CUnitTGDetRecSet rs;
        const CUnitListWriteResult result = twin.WriteBack(
            rs, 2,
            [](int row, CRecordset& r, bool& write) {
                write = true;
                auto& tg = static_cast<CUnitTGDetRecSet&>(r);
                tg.m_unit_tg_id = 10 + row;
                tg.m_unit_loc_no = row + 1;
                tg.m_unit_nam = 3; // the key wins
                return CVelmoraError();
            },
            nam1);
        QVERIFY(result);
        QCOMPARE(twin.TwinRowCount(nam1), 2);
        QCOMPARE(twin.TwinRowCount({QStringLiteral("unit_nam"), 2}), 1);
        QCOMPARE(twin.TwinRowCount({QStringLiteral("unit_nam"), 3}), 1);
        QVERIFY(!twin.Load(rs, {QStringLiteral("unit_nam"), 3}).IsError());
        QCOMPARE(rs.GetRecordCount(), 1);

        QVERIFY(!twin.ClearRows(nam1).IsError());
        QCOMPARE(twin.TwinRowCount(), 2);
        // A key is a column of the table, never SQL.
        QVERIFY(twin.ClearRows({QStringLiteral("unit_nam = 2 OR 1"), 1}).IsError());
        QCOMPARE(twin.TwinRowCount(), 2);
        QVERIFY(CUnitListTwin(Db(), "unit_details", kImei).Open().IsError());
    }

    void commitIsTakenBackWithTheSave()
    {
        const QList<QVariantList> before = CFleetFixtures::Rows(Db(), "unit_phone_details", kImei);
        CUnitListTwin twin(Db(), "unit_phone_details", kImei);
        QVERIFY(!twin.Open().IsError());
        QVERIFY(WritePhoneBook(twin, {{"x", "9"}}));
        {
            CTransaction save(Db());
            QVERIFY(!twin.Commit().IsError());
            QCOMPARE(Count("unit_phone_details", kImei), 1);
            // Another page refuses: the save is not committed.
        }
        QCOMPARE(CFleetFixtures::Rows(Db(), "unit_phone_details", kImei), before);
    }

    void destroyedOpenTwinLeavesNoCopy()
    {
        {
            CUnitListTwin twin(Db(), "unit_phone_details", kImei);
            QVERIFY(!twin.Open().IsError());
            QCOMPARE(Count("unit_phone_details_tmp"), 3);
        }
        QCOMPARE(Count("unit_phone_details_tmp"), 0);
    }

    void reloadFlags()
    {
        CUnitListReloadFlags flags;
        flags.Set(1);
        QVERIFY(flags.IsSet(1));
        QVERIFY(!flags.IsSet(0));
        QVERIFY(flags.Take(1));
        QVERIFY(!flags.Take(1));
    }
};

VELMORA_TEST_MAIN(TestUnitListTwin)
#include "tst_unit_list_twin.moc"
