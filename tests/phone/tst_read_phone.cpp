#include "AgentApi.h"
#include "CFleetSchema.h"
#include "CPhoneFixture.h"
#include "CProcessPhone.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CodeplugItemIds.h"
#include "PhoneMessageIds.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

QList<int> Ids()
{
    return CScriptedAnswerer::Instance().Ids();
}

// One column of the unit's only row in a table of the scratch database.
QVariant Value(const CProcessPhone& phone, const QString& table, const QString& column)
{
    QSqlQuery query(phone.Database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE unit_imei_num = ?").arg(column, table));
    query.addBindValue(phone.Imei());
    if (!query.exec() || !query.next())
        return QVariant();
    return query.value(0);
}

QVariant Unit(const CProcessPhone& phone, const QString& column)
{
    return Value(phone, QStringLiteral("unit_details"), column);
}

QVariant Ergo(const CProcessPhone& phone, const QString& column)
{
    return Value(phone, QStringLiteral("unit_phone_ergo_settings"), column);
}

void SetBytes(CVirtualPhone& phone, int id, const QByteArray& bytes, int bank = 0)
{
    CCodeplugItem* item = phone.codeplug.Find(id, bank);
    QVERIFY(item);
    item->width = 1;
    item->count = int(bytes.size());
    item->bytes = bytes;
    item->defaults = bytes;
}

void SetValue(CVirtualPhone& phone, int id, quint32 value)
{
    CCodeplugItem* item = phone.codeplug.Find(id, 0);
    QVERIFY(item);
    item->SetElement(0, value);
}

// Units and settings records left in the scratch database of the last read.
int ScratchUnits()
{
    int units = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("scratch"));
        db.setDatabaseName(CTestEnvironment::ProgramFolder() + QStringLiteral("/phone.tem"));
        if (!db.open())
            return -1;
        QSqlQuery query(db);
        for (const char* table : {"unit_details", "unit_phone_ergo_settings"}) {
            if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))) ||
                !query.next())
                return -1;
            units += query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("scratch"));
    return units;
}

} // namespace

// Reading a phone into the scratch database, step by step, for every model of the catalogue.
class TestReadPhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    // Plugs a phone of the model, lets edit change it, and reads it.
    std::unique_ptr<CProcessPhone> ReadEdited(int modelType, const std::function<void(CVirtualPhone&)>& edit,
                                              CPhonePresetOptions options = {})
    {
        const QString name = m_fx.Plug(modelType, options);
        CVirtualPhone phone = m_fx.Load(name);
        edit(phone);
        m_fx.Save(name, phone);
        return m_fx.Read();
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void everyModelReadsIntoOneUnit_data()
    {
        QTest::addColumn<int>("modelType");
        for (const int type : m_fx.ModelTypes())
            QTest::addRow("model %d", type) << type;
    }
    void everyModelReadsIntoOneUnit()
    {
        QFETCH(int, modelType);
        const QString name = m_fx.Plug(modelType);
        const CVirtualPhone plugged = m_fx.Load(name);
        const auto phone = m_fx.Read();
        QVERIFY2(phone, qPrintable(QStringLiteral("messages %1").arg(Ids().size())));
        QVERIFY(Ids().isEmpty());
        const QSqlDatabase db = phone->Database();
        QCOMPARE(phone->Imei(), plugged.imei);
        QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_details"), plugged.imei), 1);
        QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_phone_ergo_settings"), plugged.imei), 1);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_model_type")).toInt(), modelType);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_user_name")).toString(), plugged.UserName());
        QCOMPARE(Unit(*phone, QStringLiteral("unit_cp_structure_version")).toInt(),
                 plugged.StructureVersion());
        QCOMPARE(Unit(*phone, QStringLiteral("unit_phone_num_nam1")).toString(),
                 plugged.codeplug.Find(CodeplugItem::NumberNam1, 0)->Text());
        const int phoneClass = m_fx.Rules().PhoneClassOf(modelType);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_sim_version")).toInt(), phone->SimKind());
        if (phoneClass == 3) {
            // Alder phones keep their numbers in the consolidated list of a SIM of the third kind.
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_consolid_call_list"), plugged.imei), 9);
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_alder_styles_details"), plugged.imei), 11);
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_alder_shortcut_details"), plugged.imei),
                     4);
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_alder_quick_notes"), plugged.imei), 1);
            for (const QString& table : CFleetSchema::PersonalizeTables()) {
                const int expected = table == CFleetSchema::PersonalizeTableFor(modelType) ? 1 : 0;
                QCOMPARE(CPhoneFixture::Count(db, table, plugged.imei), expected);
            }
        } else {
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_phone_details"), plugged.imei), 4);
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_tg_details"), plugged.imei), 3);
            QCOMPARE(CPhoneFixture::Count(db, QStringLiteral("unit_private_details"), plugged.imei), 2);
        }
    }

    void releaseThirtyNineOfModelNinetyUsesTheLargeBlock()
    {
        CPhonePresetOptions options;
        options.release = 39;
        m_fx.Plug(90, options);
        const auto phone = m_fx.Read();
        QVERIFY(phone);
        QCOMPARE(phone->CallListType(), 8);
        QVERIFY(phone->Release39());
        QCOMPARE(CPhoneFixture::Count(phone->Database(), QStringLiteral("unit_phone_details"), phone->Imei()),
                 4);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_def_call_list_lang_id")).toInt(), 3);
    }

    void privateIdsOfTwelveBytes()
    {
        const auto phone =
            ReadEdited(10, [](CVirtualPhone& p) { SetBytes(p, 59, QByteArray("001234005678")); });
        QVERIFY(phone);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_nam1_private_id")).toInt(), 1234);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_nam2_private_id")).toInt(), 5678);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_nam3_private_id")).toInt(), 0);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_display_prvt_id")).toString(), QStringLiteral("1234"));
    }

    void zeroAddressAndZeroIdentityStoreEmpty()
    {
        auto phone = ReadEdited(10, [](CVirtualPhone& p) {
            SetBytes(p, 59, QByteArray("000000"));
            SetBytes(p, 114, QByteArray(4, '\0'));
        });
        QVERIFY(phone);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_ip_address")).toString(), QString());
        QCOMPARE(Unit(*phone, QStringLiteral("unit_display_prvt_id")).toString(), QString());
        phone.reset();
        phone = ReadEdited(10, [](CVirtualPhone& p) { SetBytes(p, 114, QByteArray::fromHex("0a010203")); });
        QVERIFY(phone);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_ip_address")).toString(), QStringLiteral("10.1.2.3"));
    }

    void timersBaudRateAndDate()
    {
        auto phone = ReadEdited(10, [](CVirtualPhone& p) {
            SetValue(p, 28, 5 * 60000);
            SetValue(p, 113, 2 * 60000 + 59999);
            SetBytes(p, 1, QByteArray::fromHex("1803070905"));
        });
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_timer_auto_power_down_value")).toInt(), 5);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_call_alert_stack_timer")).toInt(), 2);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_last_mod_date")).toString(),
                 QStringLiteral("3/7/24 (09:05)"));
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_baud_rate")).toInt(), 9600);
        // The plus series keeps the rate in hundreds too; the q700 Rugged keeps it as it is.
        phone = ReadEdited(91, [](CVirtualPhone&) {});
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_baud_rate")).toInt(), 115200);
        phone = ReadEdited(92, [](CVirtualPhone&) {});
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_baud_rate")).toInt(), 9600);
    }

    void packedBitsAndLockouts()
    {
        auto phone = ReadEdited(10, [](CVirtualPhone& p) {
            SetValue(p, 46, (1u << 6) | (1u << 0) | (1u << 3));
            SetValue(p, 17, 1u << 14);
        });
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_net_mode")).toBool(), false);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_phone_lock_out")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_private_lock_out")).toBool(), false);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_call_alert_stack")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_auto_radio_lock")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_one_min_beep")).toBool(), false);
        // On an Alder phone under code control the two lockouts move together.
        phone = ReadEdited(105, [](CVirtualPhone& p) { SetValue(p, 46, (1u << 12) | (1u << 0)); });
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_code_control")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_private_lock_out")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_net_mode")).toBool(), true);
    }

    // The structure version counts its hexadecimal places as decimal digits: 0x12 is version 12, whose
    // lock-outs move together; 0x0C counts as 0 and 0x16 as 16, whose lock-outs stay apart.
    void lockoutsFollowTheStructureVersionAsCounted_data()
    {
        QTest::addColumn<int>("structure");
        QTest::addColumn<bool>("linked");
        QTest::newRow("0x0C") << 0x0C << false;
        QTest::newRow("0x12") << 0x12 << true;
        QTest::newRow("0x15") << 0x15 << true;
        QTest::newRow("0x16") << 0x16 << false;
    }
    void lockoutsFollowTheStructureVersionAsCounted()
    {
        QFETCH(int, structure);
        QFETCH(bool, linked);
        CPhonePresetOptions options;
        options.structureVersion = structure;
        auto phone = ReadEdited(
            105, [](CVirtualPhone& p) { SetValue(p, 46, 1u << 0); }, options);
        QVERIFY(phone);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_cp_structure_version")).toInt(), structure);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_code_control")).toBool(), false);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_phone_lock_out")).toBool(), true);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_private_lock_out")).toBool(), linked);
    }

    void crossFleetIdentity()
    {
        m_fx.Plug(12);
        auto phone = m_fx.Read();
        QVERIFY(phone);
        QVERIFY(phone->CrossFleet());
        QCOMPARE(Unit(*phone, QStringLiteral("unit_cross_fleet_enable")).toBool(), true);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_private_nam1_urban_id")).toInt(), 101);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_nam1_private_id")).toInt(), 0);
        const QString member = Unit(*phone, QStringLiteral("unit_private_nam1_member_id")).toString();
        QCOMPARE(Unit(*phone, QStringLiteral("unit_display_prvt_id")).toString(),
                 QStringLiteral("101*2000*") + member);
        // A capable model whose codeplug is of another version has the plain layout.
        CPhonePresetOptions options;
        options.crossFleet = false;
        m_fx.Plug(14, options);
        phone = m_fx.Read();
        QVERIFY(phone);
        QVERIFY(!phone->CrossFleet());
        QCOMPARE(Unit(*phone, QStringLiteral("unit_cross_fleet_enable")).toBool(), false);
        QVERIFY(Unit(*phone, QStringLiteral("unit_nam1_private_id")).toInt() > 0);
    }

    void alderGroupsAndSimIdentity()
    {
        const QString name = m_fx.Plug(114);
        CVirtualPhone plugged = m_fx.Load(name);
        plugged.sim.block[25312] = char(2);
        m_fx.Save(name, plugged);
        const auto phone = m_fx.Read();
        QVERIFY(phone);
        QCOMPARE(Ergo(*phone, QStringLiteral("unit_tg_type")).toInt(), 2);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_ip_address")).toString(), QStringLiteral("10.20.0.1"));
        QCOMPARE(Unit(*phone, QStringLiteral("unit_nam1_private_id")).toInt(), 0);
        QCOMPARE(Unit(*phone, QStringLiteral("unit_display_prvt_id")).toString().left(9),
                 QStringLiteral("101*2000*"));
        QSqlQuery query(phone->Database());
        QVERIFY(query.exec(
            QStringLiteral("SELECT unit_style_name, unit_style_ringer_volume, unit_style_line2_style, "
                           "unit_style_callalert_ring_style, unit_style_backlight, unit_style_vibe_all "
                           "FROM unit_alder_styles_details WHERE unit_style_number = 4")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("Vibrate"));
        QCOMPARE(query.value(1).toInt(), 229);
        QCOMPARE(query.value(2).toInt(), 1);
        QCOMPARE(query.value(3).toInt(), 9);
        QCOMPARE(query.value(4).toString(), QStringLiteral("10000"));
        QCOMPARE(query.value(5).toBool(), true);
        QVERIFY(query.exec(
            QStringLiteral("SELECT unit_left_key, unit_right_key, unit_powerup_app, unit_main_menu_32 "
                           "FROM unit_cedar_personalize_details")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QCOMPARE(query.value(2).toInt(), 255);
        QCOMPARE(query.value(3).toInt(), 255);
    }

    void failingStepsReportAndStoreNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("message");
        QTest::newRow("model type") << QStringLiteral("item:10") << int(AGENT_READ_FAILED) << 6205;
        QTest::newRow("release") << QStringLiteral("item:123") << int(AGENT_READ_FAILED) << 6262;
        QTest::newRow("sub-release") << QStringLiteral("AgentGetSubRelease") << int(AGENT_NO_ANSWER) << 6261;
        QTest::newRow("user name") << QStringLiteral("item:3") << int(AGENT_READ_FAILED) << 6206;
        QTest::newRow("ring tone 1") << QStringLiteral("item:52") << int(AGENT_READ_FAILED)
                                     << int(PhoneMsg::Line1RingTone);
        QTest::newRow("ring tone 2") << QStringLiteral("item:53") << int(AGENT_READ_FAILED)
                                     << int(PhoneMsg::Line2RingTone);
        QTest::newRow("packed item") << QStringLiteral("item:47") << int(AGENT_TIMEOUT) << 6006;
        QTest::newRow("list block") << QStringLiteral("AgentReadLists") << int(AGENT_COMM_ERROR) << 6007;
        QTest::newRow("cancelled") << QStringLiteral("item:5") << int(AGENT_CANCELLED) << 0;
    }
    void failingStepsReportAndStoreNothing()
    {
        QFETCH(QString, target);
        QFETCH(int, code);
        QFETCH(int, message);
        const QString name = m_fx.Plug(20);
        m_fx.AddFault(name, target, code);
        QVERIFY(!m_fx.Read());
        QCOMPARE(Ids(), message ? QList<int>{message} : QList<int>{});
        QCOMPARE(ScratchUnits(), 0);
    }

    void unknownAndUnsupportedModels()
    {
        auto phone = ReadEdited(10, [](CVirtualPhone& p) { SetValue(p, 10, 200); });
        QVERIFY(!phone);
        QCOMPARE(Ids(), QList<int>{6000 - PhoneErr::UnknownModel});
        QCOMPARE(ScratchUnits(), 0);
        CScriptedAnswerer::Instance().Clear();
        // A sub-model of an international model the carrier does not list.
        CPhonePresetOptions options;
        options.subRelease = 9;
        options.release = 70;
        m_fx.Plug(110, options);
        QVERIFY(!m_fx.Read());
        QCOMPARE(Ids(), QList<int>{int(PhoneMsg::NotSupported)});
        QCOMPARE(ScratchUnits(), 0);
    }

    void eachReadStartsFromAFreshScratch()
    {
        m_fx.Plug(10, {}, QStringLiteral("first"));
        QVERIFY(m_fx.Read());
        CPhonePresetOptions options;
        options.serial = 2;
        m_fx.Plug(10, options, QStringLiteral("second"));
        const auto phone = m_fx.Read();
        QVERIFY(phone);
        QSqlQuery query(phone->Database());
        QVERIFY(query.exec(QStringLiteral("SELECT count(*) FROM unit_details")) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }
};

VELMORA_TEST_MAIN(TestReadPhone)
#include "tst_read_phone.moc"
