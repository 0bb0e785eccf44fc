#include "CAlderErgoPersonalizeRecSet.h"
#include "CAlderErgoQuickNotesRecSet.h"
#include "CAlderErgoShortcutsRecSet.h"
#include "CAlderErgoStylesRecSet.h"
#include "CAlderagpsErgoPersonalizeRecSet.h"
#include "CCedarErgoPersonalizeRecSet.h"
#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CFleetSchema.h"
#include "CLoadSmsRecordset.h"
#include "CScriptedAnswerer.h"
#include "CTGScanListRecSet.h"
#include "CTalkGrpDetailRecSet.h"
#include "CTalkGrpHeaderRecSet.h"
#include "CTalkGrpUserRecSet.h"
#include "CTestEnvironment.h"
#include "CTmpTwin.h"
#include "CTransaction.h"
#include "CUnitCascade.h"
#include "CUnitConCallListRecSet.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitPhoneErgoRecSet.h"
#include "CUnitPrvtDetRecSet.h"
#include "CUnitRecSet.h"
#include "CUnitStatusMsgRecSet.h"
#include "CUnitTGDetRecSet.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <memory>

class TestFleetSchema : public QObject
{
    Q_OBJECT

private:
    QString m_path;
    CFleetConnection m_fleet;
    QSqlDatabase Db() const { return m_fleet.Database(); }

    // Points the shared-services component at a carrier INI of our own.
    void UseCarrierIni(const QString& text)
    {
        const QString folder = CTestEnvironment::NewFolder("carrier");
        QVERIFY(CFleetFixtures::WriteBytes(folder + "/Carrier.ini", text.toUtf8()));
        CVelmoraWrap::SetAppPath(folder);
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_path = CTestEnvironment::NewFolder("schema") + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(m_path, CFleetFixtures::Units(3)));
        QVERIFY(m_fleet.Open(m_path));
    }
    void cleanup()
    {
        m_fleet.Close();
        CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder());
    }

    void templateHoldsEveryTableInBindingOrder()
    {
        CFleetConnection templ;
        QVERIFY(templ.Open(CFleetFixtures::TemplatePath()));
        for (const CFleetTable& t : CFleetSchema::Tables()) {
            QCOMPARE(CFleetFixtures::Columns(templ.Database(), t.name), t.ColumnNames());
            if (t.twin)
                QCOMPARE(CFleetFixtures::Columns(templ.Database(), t.name + "_tmp"), t.ColumnNames());
        }
        QSqlQuery q(templ.Database());
        QVERIFY(q.exec("SELECT version_number_field FROM version_num_table") && q.next());
        QCOMPARE(q.value(0).toString(), CFleetSchema::Version());
        QVERIFY(!q.next());
        QCOMPARE(CFleetFixtures::Count(templ.Database(), "unit_details"), 0);
    }

    // The recordsets and the schema are written separately: they must name the same columns in the
    // same order, or INSERT ... SELECT * between a table and its twin mixes up columns.
    void recordsetsBindTheSchemaColumns()
    {
        std::vector<std::pair<std::unique_ptr<CRecordset>, int>> sets;
        sets.emplace_back(std::make_unique<CUnitRecSet>(Db()), 33);
        sets.emplace_back(std::make_unique<CUnitPhoneDetRecSet>(Db()), 6);
        sets.emplace_back(std::make_unique<CUnitConCallListRecSet>(Db()), 17);
        sets.emplace_back(std::make_unique<CUnitPrvtDetRecSet>(Db()), 9);
        sets.emplace_back(std::make_unique<CUnitTGDetRecSet>(Db()), 8);
        sets.emplace_back(std::make_unique<CTGScanListRecSet>(Db()), 7);
        sets.emplace_back(std::make_unique<CUnitStatusMsgRecSet>(Db()), 6);
        sets.emplace_back(std::make_unique<CUnitPhoneErgoRecSet>(Db()), 43);
        sets.emplace_back(std::make_unique<CAlderErgoStylesRecSet>(Db()), 28);
        sets.emplace_back(std::make_unique<CAlderErgoShortcutsRecSet>(Db()), 3);
        sets.emplace_back(std::make_unique<CAlderErgoQuickNotesRecSet>(Db()), 12);
        sets.emplace_back(std::make_unique<CAlderErgoPersonalizeRecSet>(Db()), 19);
        sets.emplace_back(std::make_unique<CAlderagpsErgoPersonalizeRecSet>(Db()), 20);
        sets.emplace_back(std::make_unique<CCedarErgoPersonalizeRecSet>(Db()), 36);
        sets.emplace_back(std::make_unique<CTalkGrpHeaderRecSet>(Db()), 4);
        sets.emplace_back(std::make_unique<CTalkGrpDetailRecSet>(Db()), 4);
        sets.emplace_back(std::make_unique<CTalkGrpUserRecSet>(Db()), 3);
        sets.emplace_back(std::make_unique<CLoadSmsRecordset>(Db()), 3);
        for (auto& [rs, count] : sets) {
            QStringList bound;
            for (int i = 0; i < rs->FieldCount(); ++i)
                bound << rs->FieldName(i);
            QStringList columns = CFleetSchema::Find(rs->TableName())->ColumnNames();
            columns.removeAll("unit_imei_num");
            bound.removeAll("unit_imei_num");
            QVERIFY2(bound == columns, qPrintable(rs->TableName()));
            QVERIFY2(rs->FieldCount() == count, qPrintable(rs->TableName()));
            QVERIFY2(rs->Open(), qPrintable(rs->TableName() + ": " + rs->LastError()));
        }
    }

    void unitRecordsetKeepsAwkwardNamesAndNumbersUnits()
    {
        const QStringList names = CFleetFixtures::AwkwardNames();
        CUnitRecSet rs(Db());
        QVERIFY(rs.Open("unit_imei_num = ?", {"nobody"}));
        for (int i = 0; i < names.size(); ++i) {
            rs.AddNew();
            rs.m_unit_imei_num = names.at(i);
            rs.m_unit_user_name = names.at(i);
            QVERIFY2(rs.Update(), qPrintable(rs.LastError()));
        }
        for (const QString& name : names) {
            QVERIFY(rs.Open("unit_user_name = ?", {name}));
            QCOMPARE(rs.CountRecords(), 1);
            QCOMPARE(rs.m_unit_imei_num, name);
            QVERIFY(rs.m_unit_rec_num > 0);
        }
        // A second unit with the same IMEI is refused.
        rs.AddNew();
        rs.m_unit_imei_num = names.at(0);
        QVERIFY(!rs.Update());
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details"), 3 + names.size());
    }

    void emptyTextIsStoredAndFoundAsEmpty()
    {
        CUnitPhoneDetRecSet rs(Db());
        QVERIFY(rs.Open("unit_imei_num = ?", {QString()}));
        QCOMPARE(rs.CountRecords(), 0);
        rs.AddNew();
        rs.m_unit_speed_dial = 4;
        QVERIFY(rs.Update());
        QVERIFY(rs.Requery());
        QCOMPARE(rs.CountRecords(), 1);
        QSqlQuery q(Db());
        QVERIFY(
            q.exec("SELECT count(*) FROM unit_phone_details WHERE unit_imei_num = '' AND unit_name = ''") &&
            q.next());
        QCOMPARE(q.value(0).toInt(), 1);
    }

    void ergoDefaultsFromAnEmptySection()
    {
        UseCarrierIni("[Application Title]\nCarrierID=2\n[Carrier Basic Settings]\n");
        CUnitPhoneErgoRecSet rs(Db());
        QVERIFY(rs.Open("unit_imei_num = ?", {"x"}));
        rs.AddNew();
        for (int i = 1; i < rs.FieldCount(); ++i) {
            const QString name = rs.FieldName(i);
            const bool expected =
                name == "unit_vibrate_enable" || name == "unit_iso_enabled" || name == "unit_net_mode";
            QVERIFY2(rs.FieldValue(i).toInt() == int(expected), qPrintable(name));
        }
    }

    void ergoDefaultsFollowEveryKey_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("1") << "1";
        QTest::newRow("0") << "0";
        QTest::newRow("yes") << "yes";
    }
    void ergoDefaultsFollowEveryKey()
    {
        QFETCH(QString, value);
        const QList<std::pair<QString, QString>> keys{
            {"Automatic Radio Lock", "unit_auto_radio_lock"},
            {"Reset Passcode", "unit_reset_passcode"},
            {"One Minute Beep Timer", "unit_one_min_beep"},
            {"VADK", "unit_vadk"},
            {"Group Call Tone", "unit_grp_call_tone"},
            {"Talk Permit", "unit_talk_permit"},
            {"Enable PTT ID", "unit_ptt_id"},
            {"Auto Display Timer", "unit_auto_display_timer"},
            {"Muted DTMF", "unit_muted_dtmf"},
            {"Talkgroup Scan", "unit_tg_scan"},
            {"Desk-Set Accessory Support", "unit_desk_set_acc_support"},
            {"Phone Only Mode", "unit_phone_only_mode"},
            {"SMS Call Back Disable", "unit_sms_call_back_disable"},
            {"Emergency Button", "unit_emergency_button"},
            {"Lock Override", "unit_lock_override"},
            {"Theft Alarm", "unit_theft_alarm"},
            {"Use External Speaker", "unit_external_speaker"},
            {"Horn and Lights", "unit_horn_and_lights"},
            {"Inactivity Revert", "unit_inactivity_revert"},
            {"Auto Revert", "unit_auto_revert"},
            {"Photo Sensor", "unit_photo_sensor"},
            {"Vibrate Enable", "unit_vibrate_enable"},
            {"Sim pin warning", "unit_sim_pin_warning"}};
        QString ini = "[Application Title]\nCarrierID=2\n[Carrier Basic Settings]\n";
        for (const auto& k : keys)
            ini += k.first + "=" + value + "\n";
        ini += "Enable Call Alert Queuing=" + value + "\nPhone Lockout=" + value +
               "\nPrivate Lockout=" + value + "\n";
        UseCarrierIni(ini);
        CUnitPhoneErgoRecSet rs(Db());
        QVERIFY(rs.Open("unit_imei_num = ?", {"x"}));
        rs.AddNew();
        for (const auto& k : keys) {
            // Only "1" and "0" count; other values keep the initial state (vibrate on, the rest off).
            const bool expected = value == "1" || (value != "0" && k.second == "unit_vibrate_enable");
            QVERIFY2(rs.FieldValue(rs.FieldIndex(k.second)).toBool() == expected, qPrintable(k.first));
        }
        QCOMPARE(rs.m_unit_call_alert_stack, value == "0");
        QCOMPARE(rs.m_unit_phone_lock_out, value == "1");
        QCOMPARE(rs.m_unit_private_lock_out, value == "1");
        QVERIFY(rs.m_unit_iso_enabled && rs.m_unit_net_mode && !rs.m_unit_auto_baud_flag &&
                !rs.m_unit_silent_audio_enabled && !rs.m_unit_code_control);
        rs.m_unit_imei_num = "x";
        QVERIFY(rs.Update());
        QVERIFY(rs.Open("unit_imei_num = ?", {"x"}));
        QCOMPARE(rs.m_unit_phone_lock_out, value == "1");
    }

    void lockoutOnlyForCarrierTwo()
    {
        UseCarrierIni("[Application Title]\nCarrierID=3\n[Carrier Basic Settings]\nPhone Lockout=1\nPrivate "
                      "Lockout=1\n");
        CUnitPhoneErgoRecSet rs(Db());
        rs.AddNew();
        QVERIFY(!rs.m_unit_phone_lock_out && !rs.m_unit_private_lock_out);
    }

    void imeiChangeMovesEveryChildRow()
    {
        const QString oldImei = "350000000000010";
        const QString newImei = "99'9";
        const QString other = "350000000000011";
        const int otherRows = CFleetFixtures::Count(Db(), "unit_phone_details", other);
        QVERIFY(!CUnitCascade::ChangeImei(Db(), oldImei, newImei).IsError());
        for (const QString& table : CUnitCascade::ImeiChangeTables()) {
            QVERIFY2(CFleetFixtures::Count(Db(), table, oldImei) == 0, qPrintable(table));
        }
        QCOMPARE(CFleetFixtures::Count(Db(), "talk_grp_detail", newImei), 3);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", newImei), 2);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_alder_personalize_details", newImei), 1);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", other), otherRows);
        // unit_details itself is stored by the grid, not by the cascade.
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details", oldImei), 1);
    }

    void deleteCascadeIsAllOrNothing()
    {
        const QString imei = "350000000000011";
        QSqlQuery q(Db());
        QVERIFY(q.exec("DROP TABLE unit_agps_personalize_details"));
        const CVelmoraError error = CUnitCascade::DeleteUnit(Db(), imei);
        QCOMPARE(error.GetKind(), CVelmoraError::Kind::Text);
        QVERIFY(error.ToText().contains("no such table"));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details", imei), 1);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_phone_details", imei), 2);

        QVERIFY(q.exec(
            CFleetSchema::CreateTableSql(*CFleetSchema::Find("unit_agps_personalize_details"), false)));
        QVERIFY(!CUnitCascade::DeleteUnit(Db(), imei).IsError());
        for (const QString& table : CUnitCascade::DeleteTables())
            QVERIFY2(CFleetFixtures::Count(Db(), table, imei) == 0, qPrintable(table));
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details"), 2);
    }

    void foreignTriggersAndViewsAreDroppedAtOpen()
    {
        m_fleet.Close();
        {
            // Create() opens the file as it is, code and all.
            CFleetConnection raw;
            QVERIFY(raw.Create(m_path));
            QSqlQuery q(raw.Database());
            QVERIFY(q.exec("CREATE TRIGGER \"wipe \"\"all\"\"\" AFTER DELETE ON unit_details "
                           "BEGIN DELETE FROM unit_details; END"));
            QVERIFY(q.exec(
                "CREATE TRIGGER plant BEFORE DELETE ON unit_phone_details "
                "BEGIN INSERT INTO tarn_velmora_sms_saved_message (message_text) VALUES ('planted'); END"));
            QVERIFY(q.exec("CREATE VIEW peek AS SELECT * FROM unit_details"));
            QVERIFY(q.exec("CREATE TRIGGER through INSTEAD OF DELETE ON peek "
                           "BEGIN DELETE FROM talk_grp_detail; END"));
        }
        QVERIFY(m_fleet.Open(m_path, CFleetConnection::Mode::Exclusive));
        QSqlQuery q(Db());
        QVERIFY(q.exec("SELECT count(*) FROM sqlite_master WHERE type IN ('trigger', 'view')") && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        q.finish();

        const int sms = CFleetFixtures::Count(Db(), "tarn_velmora_sms_saved_message");
        const QString imei = "350000000000011";
        QVERIFY(!CUnitCascade::DeleteUnit(Db(), imei).IsError());
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details", imei), 0);
        QCOMPARE(CFleetFixtures::Count(Db(), "unit_details"), 2);
        QCOMPARE(CFleetFixtures::Count(Db(), "tarn_velmora_sms_saved_message"), sms);
        // Tables and indexes stay: the schema's own.
        for (const CFleetTable& t : CFleetSchema::Tables())
            QCOMPARE(CFleetFixtures::Columns(Db(), t.name), t.ColumnNames());
    }

    void twinRoundTripKeepsRowsAndNumbersNewOnes()
    {
        const QString imei = "350000000000012";
        const QString table = "unit_tg_details";
        const QList<QVariantList> before = CFleetFixtures::Rows(Db(), table, imei);
        QVERIFY(!CTmpTwin::CopyToTwin(Db(), table, imei).IsError());
        QCOMPARE(CFleetFixtures::Rows(Db(), table + "_tmp", imei), before);

        // A row added in the twin leaves its counter to the table.
        CUnitTGDetRecSet rs(Db());
        QVERIFY(rs.OpenSql("SELECT rowid, * FROM unit_tg_details_tmp WHERE unit_imei_num = ?", {imei}));
        rs.AddNew();
        rs.m_unit_imei_num = imei;
        rs.m_unit_tg_name = "new";
        QVERIFY(rs.Update());
        QCOMPARE(CFleetFixtures::Count(Db(), table, imei), before.size());
        QVERIFY(!CTmpTwin::CommitFromTwin(Db(), table, imei).IsError());
        const QList<QVariantList> after = CFleetFixtures::Rows(Db(), table, imei);
        QCOMPARE(after.mid(0, before.size()), before);
        QCOMPARE(after.size(), before.size() + 1);
        QSqlQuery q(Db());
        QVERIFY(
            q.exec("SELECT count(*), count(DISTINCT unit_rec_num), min(unit_rec_num) FROM unit_tg_details") &&
            q.next());
        QCOMPARE(q.value(0).toInt(), q.value(1).toInt());
        QVERIFY(q.value(2).toInt() > 0);

        QVERIFY(!CTmpTwin::ClearTwin(Db(), table).IsError());
        QCOMPARE(CFleetFixtures::Count(Db(), table + "_tmp"), 0);
        QVERIFY(CTmpTwin::CopyToTwin(Db(), "unit_details; DROP TABLE x", imei).IsError());
    }

    void nestedTransactionsRollBackTheirOwnPart()
    {
        QSqlQuery q(Db());
        {
            CTransaction outer(Db());
            QVERIFY(q.exec("DELETE FROM master_user_table WHERE user_row_num = 1"));
            {
                CTransaction inner(Db());
                QVERIFY(q.exec("DELETE FROM master_user_table"));
            }
            QCOMPARE(CFleetFixtures::Count(Db(), "master_user_table"), 2);
            QVERIFY(outer.Commit());
        }
        {
            CTransaction outer(Db());
            CTransaction inner(Db());
            QVERIFY(q.exec("DELETE FROM master_user_table"));
            QVERIFY(inner.Commit());
        }
        QCOMPARE(CFleetFixtures::Count(Db(), "master_user_table"), 2);
    }
};

VELMORA_TEST_MAIN(TestFleetSchema)
#include "tst_fleet_schema.moc"
