// Copying one unit's lists, settings and ergonomic tables into other units: sources from the twins,
// placement, capacities of each target's model, the unit's own entries, private ids between
// cross-fleet and plain units, the settings fields of each mode, and all or nothing.

#include "CExchangeCapacities.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CTestEnvironment.h"
#include "CUnitCopyUserInfo.h"
#include "CUnitsFixture.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <memory>

namespace {
const QString kSource = QStringLiteral("350000000000011");
const QString kT1 = QStringLiteral("350000000000022");
const QString kT2 = QStringLiteral("350000000000033");
const QString kOther = QStringLiteral("350000000000044"); // another model
const int kModel = 105;
const int kOtherModel = 116;
} // namespace

class TestCopyUserInfo : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;
    QSqlDatabase Db() const { return m_fleet->Database(); }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        const CVelmoraError error = CFleetConnection::Exec(Db(), sql, values);
        QVERIFY2(!error, qPrintable(error.ToText() + " " + sql));
    }

    QStringList Rows(const QString& sql, const QString& imei) const
    {
        QSqlQuery q(Db());
        q.prepare(sql);
        q.addBindValue(imei);
        QStringList rows;
        if (q.exec()) {
            const int n = q.record().count();
            while (q.next()) {
                QStringList cells;
                for (int i = 0; i < n; ++i)
                    cells << q.value(i).toString();
                rows << cells.join(QLatin1Char('|'));
            }
        }
        return rows;
    }

    QStringList PhoneBook(const QString& imei) const
    {
        return Rows("SELECT unit_speed_dial, unit_name, unit_phone_num FROM unit_phone_details WHERE "
                    "unit_imei_num = ? "
                    "AND unit_program_flag ORDER BY unit_speed_dial",
                    imei);
    }

    void AddPhone(const QString& table, const QString& imei, int dial, const QString& name,
                  const QString& number, bool program = true)
    {
        Exec(QStringLiteral("INSERT INTO %1 (unit_imei_num, unit_speed_dial, unit_name, unit_phone_num, "
                            "unit_program_flag, unit_language) VALUES (?, ?, ?, ?, ?, 0)")
                 .arg(table),
             {imei, dial, name, number, program});
    }

    int Capacity(CExchangeKind kind, int model = kModel)
    {
        CExchangeCapacities c(CUnitsFixture::Rules());
        return c.Capacity(model, 0, kind, 1);
    }

    CCopyUserInfoResult Copy(int mode, const QStringList& targets, CUnitCopyUserInfo::Options options = {})
    {
        CUnitCopyUserInfo copy(Db(), CUnitsFixture::Rules(), mode, kSource, options);
        const CVelmoraError loaded = copy.Load();
        if (loaded)
            qWarning("load: %s", qPrintable(loaded.ToText()));
        return copy.Copy(targets);
    }

private Q_SLOTS:
    void init()
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        QList<CUnitSpec> units;
        for (const auto& [imei, user, model] :
             {std::tuple{kSource, "Dispatcher long", kModel}, std::tuple{kT1, "Truck 1", kModel},
              std::tuple{kT2, "Truck 2", kModel}, std::tuple{kOther, "Van", kOtherModel}}) {
            CUnitSpec u;
            u.imei = imei;
            u.user = QString::fromLatin1(user);
            u.modelType = model;
            u.listRows = 0;
            units << u;
        }
        QVERIFY(CFleetFixtures::MakeFleet(path, units));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        QVERIFY(Capacity(CExchangeKind::PhoneBook) >= 5);
    }

    void loadListsOthersAndSameModel()
    {
        CUnitCopyUserInfo copy(Db(), CUnitsFixture::Rules(), 5, kSource, {});
        QVERIFY(!copy.Load());
        QCOMPARE(copy.Source().name, QStringLiteral("Dispatcher long"));
        QCOMPARE(copy.Others().size(), 3);
        QCOMPARE(copy.SameModel(), (QStringList{kT1, kT2}));
        CUnitCopyUserInfo gone(Db(), CUnitsFixture::Rules(), 5, QStringLiteral("359999999999999"), {});
        QCOMPARE(gone.Load().Id(), int(CUnitCopyUserInfo::MsgNoSource));
    }

    // The source's twin rows (what its page shows) go to the targets: into gaps first, then after the
    // last; a duplicate is not added twice; the source's own entry follows, cut to 11 characters; the
    // target's own entry is not added to its own phone book; unprogrammed twin rows stay behind.
    void phoneBookIntoGapsWithOwnEntries()
    {
        AddPhone("unit_phone_details_tmp", kSource, 1, "Fourteen chars", "111");
        AddPhone("unit_phone_details_tmp", kSource, 2, "Ann", "100");
        AddPhone("unit_phone_details_tmp", kSource, 3, "Draft", "999", false);
        AddPhone("unit_phone_details_tmp", kSource, 4, "Truck 1", "0521234022"); // T1's own entry
        AddPhone("unit_phone_details", kSource, 1, "Stored only", "555");        // not what the page shows
        AddPhone("unit_phone_details", kT1, 1, "X", "1");
        AddPhone("unit_phone_details", kT1, 2, "Ann", "100");
        AddPhone("unit_phone_details", kT1, 4, "Y", "4");
        const CCopyUserInfoResult result = Copy(1, {kT1, kT2});
        QVERIFY(!result.error);
        QCOMPARE(result.targetsReceived, 2);
        QCOMPARE(PhoneBook(kT1), (QStringList{"1|X|1", "2|Ann|100", "3|Fourteen ch|111", "4|Y|4",
                                              "5|Dispatcher |0521234011"}));
        QCOMPARE(PhoneBook(kT2), (QStringList{"1|Fourteen ch|111", "2|Ann|100", "3|Truck 1|0521234022",
                                              "4|Dispatcher |0521234011"}));
        QCOMPARE(PhoneBook(kSource), QStringList{"1|Stored only|555"});
        // Copying again adds nothing.
        QCOMPARE(Copy(1, {kT1, kT2}).targetsReceived, 0);
        QCOMPARE(PhoneBook(kT1).size(), 5);
    }

    // A full target receives nothing while the others do, and is reported.
    void fullTargetReceivesNothing()
    {
        const int capacity = Capacity(CExchangeKind::PhoneBook);
        for (int dial = 1; dial <= capacity; ++dial)
            AddPhone("unit_phone_details", kT1, dial, QStringLiteral("N%1").arg(dial), QString::number(dial));
        AddPhone("unit_phone_details_tmp", kSource, 1, "Ann", "100");
        const CCopyUserInfoResult result = Copy(1, {kT1, kT2});
        QVERIFY(!result.error);
        QCOMPARE(result.targetsReceived, 1);
        QCOMPARE(result.full, QStringList{"Truck 1"});
        QCOMPARE(PhoneBook(kT1).size(), capacity);
        QCOMPARE(PhoneBook(kT2).size(), 2);
        // A full target that already holds everything is not reported as lacking room.
        Exec("DELETE FROM unit_phone_details WHERE unit_imei_num = ? AND unit_speed_dial >= ?",
             {kT1, capacity - 1});
        AddPhone("unit_phone_details", kT1, capacity - 1, "Ann", "100");
        AddPhone("unit_phone_details", kT1, capacity, "Dispatcher ", "0521234011");
        const CCopyUserInfoResult again = Copy(1, {kT1});
        QCOMPARE(again.targetsReceived, 0);
        QVERIFY(again.full.isEmpty());
    }

    // Private ids between cross-fleet and plain units; a too-large member is left out of a plain target
    // and reported; the source follows with its own id.
    void privateListAcrossCrossFleet()
    {
        Exec("UPDATE unit_details SET unit_cross_fleet_enable = 0, unit_private_nam1_urban_id = 0, "
             "unit_private_nam1_fleet_id = 0 WHERE unit_imei_num = ?",
             {kT2});
        Exec("UPDATE unit_details SET unit_private_nam1_urban_id = 7, unit_private_nam1_fleet_id = 8 WHERE "
             "unit_imei_num = ?",
             {kT1});
        const QString insert = QStringLiteral(
            "INSERT INTO unit_private_details_tmp (unit_imei_num, unit_nam, unit_urban_id, unit_fleet_id, "
            "unit_member_id, unit_name, unit_loc_no, unit_program_flag) VALUES (?, 1, ?, ?, ?, ?, ?, 1)");
        Exec(insert, {kSource, 1, 2, 300, "Small", 1});
        Exec(insert, {kSource, 1, 2, 70000, "Large", 2});
        const CCopyUserInfoResult result = Copy(2, {kT1, kT2});
        QVERIFY(!result.error);
        QCOMPARE(result.tooLarge, QStringList{"Truck 2"});
        const QString sql =
            QStringLiteral("SELECT unit_loc_no, unit_name, unit_urban_id, unit_fleet_id, unit_member_id "
                           "FROM unit_private_details WHERE unit_imei_num = ? ORDER BY unit_loc_no");
        QCOMPARE(Rows(sql, kT1),
                 (QStringList{"1|Small|1|2|300", "2|Large|1|2|70000", "3|Dispatcher |12|34|11"}));
        QCOMPARE(Rows(sql, kT2), (QStringList{"1|Small|0|0|300", "2|Dispatcher |0|0|11"}));
        // A plain source into a cross-fleet target: the target's own urban and fleet.
        Exec("UPDATE unit_details SET unit_cross_fleet_enable = 0 WHERE unit_imei_num = ?", {kSource});
        Exec("DELETE FROM unit_private_details");
        Copy(2, {kT1});
        QCOMPARE(Rows(sql, kT1).first(), QStringLiteral("1|Small|7|8|300"));
    }

    // Consolidated: the source's rows and the source itself twice (phone number and private id) under
    // one name index; the target's own entries are not added to it.
    void consolidatedNameIndexes()
    {
        Exec("INSERT INTO unit_consolid_call_list_tmp (unit_imei_num, unit_name, unit_num, unit_num_type, "
             "unit_nameIndex, unit_rec_num) VALUES (?, 'Ann', '100', 0, 1, 1), (?, 'Truck 1', '0521234022', "
             "0, 2, 2)",
             {kSource, kSource});
        Exec("INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, unit_num, unit_num_type, "
             "unit_nameIndex, unit_rec_num) VALUES (?, 'Ann', '5*6*7', 1, 4, 2)",
             {kT1});
        QVERIFY(!Copy(4, {kT1}).error);
        QCOMPARE(Rows("SELECT unit_rec_num, unit_name, unit_num, unit_num_type, unit_nameIndex FROM "
                      "unit_consolid_call_list WHERE unit_imei_num = ? ORDER BY unit_rec_num",
                      kT1),
                 (QStringList{"1|Ann|100|0|4", "2|Ann|5*6*7|1|4", "3|Dispatcher |0521234011|0|1",
                              "4|Dispatcher |12*34*11|1|1"}));
    }

    // Talkgroups, scan list and status messages of the NAM, from the twins.
    void namListsOfTheNam()
    {
        Exec("INSERT INTO unit_tg_details_tmp (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, "
             "unit_loc_no, "
             "unit_program_flag) VALUES (?, 2, 55, 'Yard team north', 1, 1), (?, 1, 66, 'NAM one', 1, 1)",
             {kSource, kSource});
        Exec("INSERT INTO unit_status_msg_list_tmp (unit_imei_num, unit_nam, unit_msg_id, unit_msg_text, "
             "unit_loc_no, unit_program_flag) VALUES (?, 2, 3, 'Arrived at the depot', 1, 1)",
             {kSource});
        Exec("INSERT INTO unit_tg_scan_tmp (unit_imei_num, unit_nam, unit_tg_id, unit_tg_alias, unit_loc_no, "
             "unit_program_flag) VALUES (?, 2, 55, 'Yard', 1, 1)",
             {kSource});
        CUnitCopyUserInfo::Options options;
        options.nam = 2;
        const int tgCapacity =
            CExchangeCapacities(CUnitsFixture::Rules()).Capacity(kModel, 0, CExchangeKind::Talkgroups, 2);
        QVERIFY(!Copy(3, {kT1}, options).error);
        QCOMPARE(Rows("SELECT unit_nam, unit_loc_no, unit_tg_name, unit_tg_id FROM unit_tg_details WHERE "
                      "unit_imei_num = ?",
                      kT1),
                 tgCapacity > 0 ? QStringList{"2|1|Yard team n|55"} : QStringList{});
        QVERIFY(!Copy(7, {kT1}, options).error);
        QVERIFY(!Copy(8, {kT1}, options).error);
        const bool status =
            CExchangeCapacities(CUnitsFixture::Rules()).Capacity(kModel, 0, CExchangeKind::Status, 2) > 0;
        QCOMPARE(Rows("SELECT unit_msg_text FROM unit_status_msg_list WHERE unit_imei_num = ?", kT1),
                 status ? QStringList{"Arrived at the depot"} : QStringList{});
        const bool scan =
            CExchangeCapacities(CUnitsFixture::Rules()).Capacity(kModel, 0, CExchangeKind::Scan, 2) > 0;
        QCOMPARE(Rows("SELECT unit_tg_alias FROM unit_tg_scan WHERE unit_imei_num = ?", kT1),
                 scan ? QStringList{"Yard"} : QStringList{});
    }

    // Advanced settings copy their fields only; basic settings theirs, the lock-outs only under
    // carrier 2 (both set when linked and either is).
    void settingsCopyExactlyTheirFields()
    {
        Exec("UPDATE unit_phone_ergo_settings SET unit_power_mode = 3, unit_baud_rate = 192, unit_vadk = 0, "
             "unit_talk_permit = 1, unit_phone_lock_out = 1, unit_private_lock_out = 0 WHERE unit_imei_num = "
             "?",
             {kSource});
        Exec("UPDATE unit_phone_ergo_settings SET unit_power_mode = 1, unit_baud_rate = 96, unit_vadk = 1, "
             "unit_talk_permit = 0, unit_phone_lock_out = 0, unit_private_lock_out = 0 WHERE unit_imei_num "
             "<> ?",
             {kSource});
        const QString sql =
            QStringLiteral("SELECT unit_power_mode, unit_baud_rate, unit_vadk, unit_talk_permit, "
                           "unit_phone_lock_out, unit_private_lock_out FROM unit_phone_ergo_settings "
                           "WHERE unit_imei_num = ?");
        QVERIFY(!Copy(5, {kT1}).error);
        QCOMPARE(Rows(sql, kT1), QStringList{"3|192|1|0|0|0"});
        QVERIFY(!Copy(6, {kT2}).error);
        QCOMPARE(Rows(sql, kT2), QStringList{"1|96|0|1|0|0"});
        CUnitCopyUserInfo::Options carrier2;
        carrier2.carrierId = 2;
        carrier2.lockoutsLinked = true;
        QVERIFY(!Copy(6, {kT2}, carrier2).error);
        QCOMPARE(Rows(sql, kT2), QStringList{"1|96|0|1|1|1"});
        // A target without a settings record gets one.
        Exec("DELETE FROM unit_phone_ergo_settings WHERE unit_imei_num = ?", {kOther});
        QCOMPARE(Copy(5, {kOther}).targetsReceived, 1);
        QCOMPARE(Rows("SELECT unit_power_mode FROM unit_phone_ergo_settings WHERE unit_imei_num = ?", kOther),
                 QStringList{"3"});
    }

    // The Alder tables replace the target's rows; the Cedar menu only between Cedar units.
    void ergonomicTables()
    {
        Exec("INSERT INTO unit_alder_shortcut_details (unit_imei_num, unit_shortcut_number, "
             "unit_shortcut_value) "
             "VALUES (?, 1, 'A'), (?, 2, 'B'), (?, 9, 'old')",
             {kSource, kSource, kT1});
        Exec("INSERT INTO unit_alder_quick_notes (unit_imei_num, unit_quick_notes_1) VALUES (?, 'Call back')",
             {kSource});
        Exec("INSERT INTO unit_cedar_personalize_details (unit_imei_num, unit_left_key) VALUES (?, 4)",
             {kT1});
        const CCopyUserInfoResult result = Copy(11, {kT1});
        QVERIFY(!result.error);
        QCOMPARE(result.targetsReceived, 1);
        const QString shortcuts =
            QStringLiteral("SELECT unit_shortcut_number, unit_shortcut_value FROM "
                           "unit_alder_shortcut_details WHERE unit_imei_num = ? ORDER BY 1, 2");
        QVERIFY(Rows(shortcuts, kT1).contains("2|B"));
        QVERIFY(!Rows(shortcuts, kT1).contains("9|old"));
        QCOMPARE(Rows(shortcuts, kT1), Rows(shortcuts, kSource));
        const QString notes =
            QStringLiteral("SELECT * FROM unit_alder_quick_notes WHERE unit_imei_num = ? ORDER BY 2");
        QVERIFY(Rows(notes, kT1).join(' ').contains("Call back"));
        QCOMPARE(Rows(notes, kT1).size(), Rows(notes, kSource).size());
        QCOMPARE(
            Rows("SELECT unit_left_key FROM unit_cedar_personalize_details WHERE unit_imei_num = ?", kT1),
            QStringList{"4"});
        QVERIFY(Rows(shortcuts, kSource).contains("1|A"));
    }

    // A database error in any target takes back what the copy wrote to the others.
    void allOrNothing()
    {
        AddPhone("unit_phone_details_tmp", kSource, 1, "Ann", "100");
        Exec("CREATE TRIGGER refuse BEFORE INSERT ON unit_phone_details WHEN NEW.unit_imei_num = '" + kT2 +
             "' BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const CCopyUserInfoResult result = Copy(1, {kT1, kT2});
        QVERIFY(result.error.IsError());
        QCOMPARE(result.targetsReceived, 0);
        QVERIFY(PhoneBook(kT1).isEmpty());
    }
};

VELMORA_TEST_MAIN(TestCopyUserInfo)
#include "tst_copy_user_info.moc"
