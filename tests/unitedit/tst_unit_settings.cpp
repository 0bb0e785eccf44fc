// The Basic and Advanced settings pages of the unit property sheet without their widgets: the settings
// record made on opening, what each control shows and when it is enabled, the range checks, the lists
// and what saving writes, inside the sheet's transaction.

#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CTestEnvironment.h"
#include "CTransaction.h"
#include "CUnitAdvancedSettings.h"
#include "CUnitBasicSettings.h"
#include "CUnitOpener.h"
#include "CUnitsFixture.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <memory>

using B = CUnitBasicSettings;
using A = CUnitAdvancedSettings;

namespace {

const QString kImei = QStringLiteral("350000000000011");
const QString kErgo = QStringLiteral("unit_phone_ergo_settings");

// Carrier settings of the given carrier id with both lockout defaults on.
void UseCarrier(int carrierId)
{
    const QString folder = CTestEnvironment::NewFolder(QStringLiteral("carrier"));
    QFile file(folder + QStringLiteral("/Carrier.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[Application Title]\nCarrierID=%1\n\n"
                              "[Carrier Basic Settings]\nPhone Lockout=1\nPrivate Lockout=1\n"
                              "Enable Call Alert Queuing=1\nVADK=1\n")
                   .arg(carrierId)
                   .toUtf8());
    file.close();
    CVelmoraWrap::SetAppPath(folder);
}

} // namespace

class TestUnitSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetConnection> m_fleet;

    QSqlDatabase Db() const { return m_fleet->Database(); }

    // A fleet with one unit of the given model; without its settings record when bare.
    void OpenFleet(int modelType = 105, bool bare = false)
    {
        m_fleet.reset();
        const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QStringLiteral("/f.vlf");
        CUnitSpec spec;
        spec.imei = kImei;
        spec.user = QStringLiteral("O'Brien");
        spec.modelType = modelType;
        QVERIFY(CFleetFixtures::MakeFleet(path, {spec}));
        m_fleet = std::make_unique<CFleetConnection>();
        QVERIFY(m_fleet->Open(path));
        if (bare)
            Exec(QStringLiteral("DELETE FROM unit_phone_ergo_settings"));
    }

    void Exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(Db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& v : values)
            query.addBindValue(v);
        QVERIFY2(query.exec(), qPrintable(CFleetConnection::ErrorText(query.lastError())));
    }

    // Sets stored columns of the unit's settings record.
    void Store(const QVariantMap& columns)
    {
        for (auto it = columns.cbegin(); it != columns.cend(); ++it)
            Exec(QStringLiteral("UPDATE unit_phone_ergo_settings SET %1 = ?").arg(it.key()), {it.value()});
    }

    QVariant Stored(const QString& column) const { return CUnitsFixtureField(column); }
    QVariant CUnitsFixtureField(const QString& column) const
    {
        QSqlQuery query(Db());
        query.prepare(
            QStringLiteral("SELECT %1 FROM unit_phone_ergo_settings WHERE unit_imei_num = ?").arg(column));
        query.addBindValue(kImei);
        return query.exec() && query.next() ? query.value(0) : QVariant();
    }

    // An ordinary unit (or an Alder one) whose model enables every field.
    CUnitSheetUnit Unit(int phoneClass = 1, int structureVersion = 0x16, int carrierId = 2) const
    {
        CUnitSheetUnit unit;
        unit.db = Db();
        unit.imei = kImei;
        unit.phoneClass = phoneClass;
        unit.modelType = phoneClass == 3 ? 105 : 50;
        unit.structureVersion = structureVersion;
        unit.carrierId = carrierId;
        unit.enableVibrateFlag = true;
        unit.enableSimPinWarningFlag = true;
        unit.supportedLang = QStringLiteral("0,1,3");
        unit.profile.known = true;
        unit.profile.hasErgoFlags = true;
        unit.profile.ergoFlags.fill(1);
        return unit;
    }

private Q_SLOTS:
    void init() { CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder()); }
    void cleanup() { m_fleet.reset(); }

    // --- The settings record ---

    void openingMakesTheRecordAndCancelKeepsIt_data()
    {
        QTest::addColumn<int>("carrierId");
        QTest::addColumn<bool>("lockedOut");
        QTest::newRow("carrier 2 takes its lockout defaults") << 2 << true;
        QTest::newRow("other carriers start unlocked") << 1 << false;
    }
    void openingMakesTheRecordAndCancelKeepsIt()
    {
        QFETCH(int, carrierId);
        QFETCH(bool, lockedOut);
        UseCarrier(carrierId);
        OpenFleet(50, true);
        QCOMPARE(CFleetFixtures::Count(Db(), kErgo, kImei), 0);
        {
            B basic(Unit(1, 0x16, carrierId));
            A advanced(Unit(1, 0x16, carrierId));
            QVERIFY(!basic.Load());
            QVERIFY(basic.RecordCreated());
            QVERIFY(!advanced.Load());
            QVERIFY(!advanced.RecordCreated());
            // The sheet begins its transaction at OK; Cancel rolls it back (or never begins it).
            CTransaction sheet(Db());
            basic.SetChecked(B::Vadk, false);
            QVERIFY(!basic.Save());
            sheet.Rollback();
        }
        QCOMPARE(CFleetFixtures::Count(Db(), kErgo, kImei), 1);
        QCOMPARE(Stored("unit_phone_lock_out").toBool(), lockedOut);
        QCOMPARE(Stored("unit_private_lock_out").toBool(), lockedOut);
        QCOMPARE(Stored("unit_vadk").toBool(), true); // the carrier default, not the cancelled edit
        QCOMPARE(Stored("unit_call_alert_stack").toBool(), false); // queuing on: the column says not
        QCOMPARE(Stored("unit_emergency_id").toString(), QString());
    }

    void aPageNeverLoadedWritesNothing()
    {
        OpenFleet(50, true);
        B basic(Unit());
        A advanced(Unit());
        bool changed = true;
        QVERIFY(!basic.Save(&changed));
        QVERIFY(!changed);
        QVERIFY(!advanced.Save());
        QCOMPARE(CFleetFixtures::Count(Db(), kErgo, kImei), 0);
    }

    void bothPagesSaveTheirOwnColumns()
    {
        OpenFleet(50);
        B basic(Unit());
        A advanced(Unit());
        QVERIFY(!basic.Load());
        QVERIFY(!advanced.Load());
        bool changed = true;
        QVERIFY(!basic.Save(&changed));
        QVERIFY2(!changed, "saving what was loaded changes nothing");
        basic.SetChecked(B::TheftAlarm, true);
        advanced.SetSelection(A::PowerMode, 4);
        CTransaction sheet(Db());
        QVERIFY(!basic.Save(&changed));
        QVERIFY(changed);
        QVERIFY(!advanced.Save(&changed));
        QVERIFY(changed);
        QVERIFY(sheet.Commit());
        QCOMPARE(Stored("unit_theft_alarm").toBool(), true);
        QCOMPARE(Stored("unit_power_mode").toInt(), 4);
        QCOMPARE(CFleetFixtures::Count(Db(), kErgo, kImei), 1);
    }

    void aRefusedOrFailedSaveLeavesTheTableAsBefore()
    {
        OpenFleet(50);
        const QList<QVariantList> before = CFleetFixtures::Rows(Db(), kErgo);
        B basic(Unit());
        A advanced(Unit());
        QVERIFY(!basic.Load());
        QVERIFY(!advanced.Load());
        basic.SetChecked(B::HornAndLights, !basic.IsChecked(B::HornAndLights));

        // A page that does not pass refuses, writing nothing; the sheet drops what the others wrote.
        advanced.SetText(A::CallAlertStackTimer, QStringLiteral("71583"));
        {
            CTransaction sheet(Db());
            QVERIFY(!basic.Save());
            const CVelmoraError error = advanced.Save();
            QCOMPARE(error.Id(), int(A::MsgOutOfRange));
        }
        QCOMPARE(CFleetFixtures::Rows(Db(), kErgo), before);

        // A database error comes back as its text.
        advanced.SetText(A::CallAlertStackTimer, QStringLiteral("60"));
        advanced.SetSelection(A::BaudRate, 2);
        Exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON unit_phone_ergo_settings "
                            "WHEN NEW.unit_baud_rate = 4800 BEGIN SELECT RAISE(ABORT, 'baud refused'); END"));
        {
            CTransaction sheet(Db());
            QVERIFY(!basic.Save());
            const CVelmoraError error = advanced.Save();
            QCOMPARE(error.GetKind(), CVelmoraError::Kind::Text);
            QVERIFY2(error.ToText().contains(QStringLiteral("baud refused")), qPrintable(error.ToText()));
        }
        QCOMPARE(CFleetFixtures::Rows(Db(), kErgo), before);
    }

    // --- Basic page ---

    void emergencyTalkgroupIs0To255_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::newRow("0") << "0" << true;
        QTest::newRow("255") << "255" << true;
        QTest::newRow("256") << "256" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("negative") << "-1" << false;
        QTest::newRow("letters") << "2a" << false;
        QTest::newRow("huge") << "99999999999999" << false;
    }
    void emergencyTalkgroupIs0To255()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        OpenFleet(50);
        Store({{"unit_emergency_talkgroup", 7}});
        B basic(Unit());
        QVERIFY(!basic.Load());
        QCOMPARE(basic.EmergencyTalkgroupText(), QStringLiteral("7"));
        basic.SetEmergencyTalkgroupText(typed);
        const CVelmoraError error = basic.CheckEmergencyTalkgroup();
        QCOMPARE(!error, ok);
        QCOMPARE(!basic.Check(), ok);
        const CVelmoraError saved = basic.Save();
        if (ok) {
            QVERIFY(!saved);
            QCOMPARE(Stored("unit_emergency_talkgroup").toInt(), typed.toInt());
        } else {
            QCOMPARE(error.Id(), 1645);
            QCOMPARE(error.Args(), QStringList({"0", "255"}));
            QCOMPARE(saved, error);
            QCOMPARE(Stored("unit_emergency_talkgroup").toInt(), 7);
        }
    }

    void aDisabledEmergencyTalkgroupIsNotCheckedAndKept()
    {
        OpenFleet(50);
        Store({{"unit_emergency_talkgroup", 300}});
        CUnitSheetUnit unit = Unit();
        unit.profile.ergoFlags[17] = 0;
        B basic(unit);
        QVERIFY(!basic.Load());
        QVERIFY(!basic.IsEnabled(B::EmergencyTalkgroup));
        QVERIFY(!basic.Check());
        QVERIFY(!basic.Save());
        QCOMPARE(Stored("unit_emergency_talkgroup").toInt(), 300);
    }

    void structureVersionDecidesThePhotoSensor_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("0x10 counts as 10") << 0x10 << 1 << 10 << false;
        QTest::newRow("0x16 counts as 16") << 0x16 << 1 << 16 << true;
        QTest::newRow("0x15") << 0x15 << 1 << 15 << false;
        QTest::newRow("never read") << 32484 << 1 << 0 << true;
        QTest::newRow("zero") << 0 << 1 << 0 << true;
        QTest::newRow("model flag off") << 0x16 << 0 << 16 << false;
    }
    void structureVersionDecidesThePhotoSensor()
    {
        QFETCH(int, stored);
        QFETCH(int, flag);
        QFETCH(int, number);
        QFETCH(bool, enabled);
        OpenFleet(50);
        Store({{"unit_photo_sensor", 1}});
        CUnitSheetUnit unit = Unit(1, stored);
        unit.profile.ergoFlags[39] = flag;
        QCOMPARE(unit.StructureNumber(), number);
        B basic(unit);
        QVERIFY(!basic.Load());
        QCOMPARE(basic.IsEnabled(B::PhotoSensor), enabled);
        QVERIFY(basic.IsChecked(B::PhotoSensor));
    }

    void lockoutRule_data()
    {
        QTest::addColumn<int>("carrierId");
        QTest::addColumn<int>("phoneClass");
        QTest::addColumn<bool>("codeControl");
        QTest::addColumn<int>("structure");
        QTest::addColumn<int>("flag16");
        QTest::addColumn<bool>("phoneEnabled");
        QTest::addColumn<bool>("privateEnabled");
        QTest::addColumn<bool>("together");
        QTest::addColumn<bool>("privateShown"); // stored: phone lockout on, private off
        QTest::newRow("carrier 2, ordinary")
            << 2 << 1 << false << 0x16 << 1 << true << true << false << false;
        QTest::newRow("carrier 2, ordinary, flag off")
            << 2 << 1 << false << 0x16 << 0 << true << false << false << false;
        QTest::newRow("carrier 1, ordinary")
            << 1 << 1 << false << 0x16 << 1 << false << false << false << false;
        QTest::newRow("carrier 3, ordinary")
            << 3 << 1 << true << 0x12 << 1 << false << false << false << false;
        QTest::newRow("carrier 2, Alder, no code control, new codeplug")
            << 2 << 3 << false << 0x16 << 0 << true << true << false << false;
        QTest::newRow("carrier 2, Alder, never read")
            << 2 << 3 << false << 32484 << 0 << true << true << false << false;
        QTest::newRow("carrier 2, Alder, code control")
            << 2 << 3 << true << 0x16 << 0 << true << false << true << true;
        QTest::newRow("carrier 2, Alder, old codeplug")
            << 2 << 3 << false << 0x12 << 1 << true << true << true << true;
        QTest::newRow("carrier 1, Alder, code control")
            << 1 << 3 << true << 0x16 << 1 << false << false << true << true;
        QTest::newRow("carrier 1, Alder, new codeplug")
            << 1 << 3 << false << 0x16 << 1 << false << false << false << false;
    }
    void lockoutRule()
    {
        QFETCH(int, carrierId);
        QFETCH(int, phoneClass);
        QFETCH(bool, codeControl);
        QFETCH(int, structure);
        QFETCH(int, flag16);
        QFETCH(bool, phoneEnabled);
        QFETCH(bool, privateEnabled);
        QFETCH(bool, together);
        QFETCH(bool, privateShown);
        OpenFleet(phoneClass == 3 ? 105 : 50);
        Store({{"unit_code_control", codeControl}, {"unit_phone_lock_out", 1}, {"unit_private_lock_out", 0}});
        CUnitSheetUnit unit = Unit(phoneClass, structure, carrierId);
        unit.profile.ergoFlags[16] = flag16;
        B basic(unit);
        QVERIFY(!basic.Load());
        QCOMPARE(basic.IsEnabled(B::PhoneLockout), phoneEnabled);
        QCOMPARE(basic.IsEnabled(B::PrivateLockout), privateEnabled);
        QCOMPARE(basic.LockoutsMoveTogether(), together);
        QVERIFY(basic.IsChecked(B::PhoneLockout));
        QCOMPARE(basic.IsChecked(B::PrivateLockout), privateShown);

        // Clearing one box clears the other when they move together; setting one sets both.
        const QList<int> cleared = basic.SetChecked(B::PhoneLockout, false);
        QCOMPARE(basic.IsChecked(B::PrivateLockout), false);
        QCOMPARE(cleared.size(), together ? 2 : 1);
        const QList<int> set = basic.SetChecked(B::PrivateLockout, true);
        QCOMPARE(basic.IsChecked(B::PhoneLockout), together);
        QCOMPARE(set.contains(int(B::PhoneLockout)), together);
        QVERIFY(!basic.Save());
        QCOMPARE(Stored("unit_phone_lock_out").toBool(), together);
        QCOMPARE(Stored("unit_private_lock_out").toBool(), true);
    }

    void callAlertStackBoxIsInverted()
    {
        OpenFleet(50);
        Store({{"unit_call_alert_stack", 1}});
        B basic(Unit());
        QVERIFY(!basic.Load());
        QVERIFY(!basic.IsChecked(B::CallAlertStack));
        basic.SetChecked(B::CallAlertStack, true);
        QVERIFY(!basic.Save());
        QCOMPARE(Stored("unit_call_alert_stack").toInt(), 0);
        basic.SetChecked(B::CallAlertStack, false);
        QVERIFY(!basic.Save());
        QCOMPARE(Stored("unit_call_alert_stack").toInt(), 1);
    }

    void checkBoxesFollowTheirFlagsAndCarrierSwitches()
    {
        OpenFleet(50);
        CUnitSheetUnit unit = Unit();
        unit.profile.ergoFlags[38] = 0; // phone only mode
        unit.profile.ergoFlags[36] = 2; // only a flag of exactly 1 enables
        unit.enableVibrateFlag = false;
        B basic(unit);
        QVERIFY(!basic.Load());
        QVERIFY(!basic.IsEnabled(B::PhoneOnlyMode));
        QVERIFY(!basic.IsEnabled(B::AutoRevert));
        QVERIFY(!basic.IsEnabled(B::VibrateEnable));
        QVERIFY(basic.IsEnabled(B::SimPinWarning));
        QVERIFY(basic.IsEnabled(B::InactivityRevert));
        QVERIFY(!basic.IsEnabled(4242));
        QCOMPARE(B::CheckIds().size(), 26);
        // Each box is written to its own column.
        for (const int id : B::CheckIds())
            basic.SetChecked(id, id != B::CallAlertStack);
        QVERIFY(!basic.Save());
        for (const char* column : {"unit_auto_radio_lock", "unit_phone_only_mode", "unit_sim_pin_warning",
                                   "unit_inactivity_revert", "unit_horn_and_lights", "unit_call_alert_stack"})
            QVERIFY2(Stored(QString::fromLatin1(column)).toBool(), column);
    }

    // --- Advanced page ---

    void timersAre0To71582_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        for (const int edit : {int(A::AutoPowerDownTimer), int(A::CallAlertStackTimer)}) {
            const QByteArray name = QByteArray::number(edit);
            QTest::newRow(QByteArray(name + " 71582").constData()) << edit << "71582" << true;
            QTest::newRow(QByteArray(name + " 71583").constData()) << edit << "71583" << false;
            QTest::newRow(QByteArray(name + " 0").constData()) << edit << "0" << true;
            QTest::newRow(QByteArray(name + " empty").constData()) << edit << "" << false;
            QTest::newRow(QByteArray(name + " sign").constData()) << edit << "+5" << false;
        }
    }
    void timersAre0To71582()
    {
        QFETCH(int, edit);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        OpenFleet(50);
        const QString column = edit == A::AutoPowerDownTimer
                                   ? QStringLiteral("unit_timer_auto_power_down_value")
                                   : QStringLiteral("unit_call_alert_stack_timer");
        Store({{column, 30}});
        A advanced(Unit());
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.Text(edit), QStringLiteral("30"));
        advanced.SetText(edit, typed);
        const CVelmoraError error = advanced.CheckEdit(edit);
        QCOMPARE(!error, ok);
        QCOMPARE(!advanced.Check(), ok);
        if (!ok) {
            QCOMPARE(error.Id(), 1645);
            QCOMPARE(error.Args(), QStringList({"0", "71582"}));
        }
        QCOMPARE(!advanced.Save(), ok);
        QCOMPARE(Stored(column).toInt(), ok ? typed.toInt() : 30);
    }

    void disabledTimersAreNotChecked()
    {
        OpenFleet(50);
        Store({{"unit_call_alert_stack_timer", 90000}});
        CUnitSheetUnit unit = Unit();
        unit.profile.ergoFlags[32] = 0;
        A advanced(unit);
        QVERIFY(!advanced.Load());
        QVERIFY(!advanced.IsEnabled(A::CallAlertStackTimer));
        QVERIFY(advanced.IsEnabled(A::AutoPowerDownTimer));
        QVERIFY(!advanced.Check());
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_call_alert_stack_timer").toInt(), 90000);
    }

    void disableNetModeClearsNetMode_data()
    {
        QTest::addColumn<bool>("disable");
        QTest::newRow("carrier switch on") << true;
        QTest::newRow("carrier switch off") << false;
    }
    void disableNetModeClearsNetMode()
    {
        QFETCH(bool, disable);
        OpenFleet(50);
        Store({{"unit_net_mode", 1}});
        CUnitSheetUnit unit = Unit();
        unit.disableNetMode = disable;
        A advanced(unit);
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.IsChecked(A::NetMode), !disable);
        QCOMPARE(advanced.IsEnabled(A::NetMode), !disable);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_net_mode").toBool(), !disable);
    }

    void languageList_data()
    {
        QTest::addColumn<QString>("supported");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QList<int>>("strings");
        QTest::newRow("codes 0..11") << "0,1,2,3,4,5,6,7,8,9,10,11"
                                     << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 11}
                                     << QList<int>{1856, 1857, 1858, 1859, 1860,
                                                   1861, 1862, 1863, 1864, 1870};
        QTest::newRow("phone default") << "255" << QList<int>{255} << QList<int>{1865};
        QTest::newRow("above 255") << "300" << QList<int>{} << QList<int>{};
        QTest::newRow("empty") << "" << QList<int>{} << QList<int>{};
        QTest::newRow("blanks and junk") << " 3 , x,,1" << QList<int>{3, 1} << QList<int>{1859, 1857};
    }
    void languageList()
    {
        QFETCH(QString, supported);
        QFETCH(QList<int>, codes);
        QFETCH(QList<int>, strings);
        OpenFleet(50);
        Store({{"unit_language", codes.isEmpty() ? 4 : codes.last()}});
        CUnitSheetUnit unit = Unit();
        unit.supportedLang = supported;
        A advanced(unit);
        QVERIFY(!advanced.Load());
        const CSheetComboEntries entries = advanced.Entries(A::Language);
        QCOMPARE(entries.size(), codes.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries.at(i).data, codes.at(i));
            QCOMPARE(entries.at(i).stringId, strings.at(i));
            QCOMPARE(entries.at(i).Caption(), CVelmoraWrap::LoadString(strings.at(i)));
        }
        QCOMPARE(advanced.IsEnabled(A::Language), !codes.isEmpty());
        QCOMPARE(advanced.Selection(A::Language), int(codes.size()) - 1);
        if (!codes.isEmpty()) {
            advanced.SetSelection(A::Language, 0);
            QVERIFY(!advanced.Save());
            QCOMPARE(Stored("unit_language").toInt(), codes.first());
        } else {
            QVERIFY(!advanced.Save());
            QCOMPARE(Stored("unit_language").toInt(), 4); // nothing to choose: the stored code stays
        }
    }

    void aStoredLanguageTheModelLacksIsKept()
    {
        OpenFleet(50);
        Store({{"unit_language", 9}});
        A advanced(Unit());
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.Selection(A::Language), -1);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_language").toInt(), 9);
    }

    void baudList_data()
    {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("modelType");
        QTest::addColumn<int>("count");
        QTest::newRow("not plus series") << false << 94 << 5;
        QTest::newRow("plus series") << true << 94 << 9;
        QTest::newRow("plus series model 92") << true << 92 << 5;
    }
    void baudList()
    {
        QFETCH(bool, plus);
        QFETCH(int, modelType);
        QFETCH(int, count);
        const CSheetComboEntries entries = A::BaudEntries(plus, modelType);
        QCOMPARE(entries.size(), count);
        QCOMPARE(entries.first().Caption(), QStringLiteral("1200"));
        QCOMPARE(entries.at(4).Caption(), QStringLiteral("19200"));
        if (count == 9) {
            QCOMPARE(entries.at(7).Caption(), QStringLiteral("115200"));
            QCOMPARE(entries.at(8).stringId, int(A::StrAutomaticBaud));
        }
    }

    void baudRatesLoadByTheirFirstTwoDigits()
    {
        QCOMPARE(A::BaudIndexFor(1200, false), 0);
        QCOMPARE(A::BaudIndexFor(2400, false), 1);
        QCOMPARE(A::BaudIndexFor(4800, false), 2);
        QCOMPARE(A::BaudIndexFor(96, false), 3);
        QCOMPARE(A::BaudIndexFor(19200, false), 4);
        QCOMPARE(A::BaudIndexFor(38400, false), 5);
        QCOMPARE(A::BaudIndexFor(57600, false), 6);
        QCOMPARE(A::BaudIndexFor(115200, false), 7);
        QCOMPARE(A::BaudIndexFor(9600, true), 8);
        QCOMPARE(A::BaudIndexFor(0, false), 8);
        QCOMPARE(A::BaudIndexFor(300, false), 8);
        QCOMPARE(A::BaudRateAt(7), 115200);
        QCOMPARE(A::BaudRateAt(8), 0);
        QCOMPARE(A::BaudRateAt(-1), 0);
    }

    void automaticBaudOnAFiveRateModelIsSavedBackAutomatic()
    {
        OpenFleet(50);
        Store({{"unit_baud_rate", 0}, {"unit_auto_baud_flag", 1}});
        CUnitSheetUnit unit = Unit();
        unit.plusSeries = false;
        A advanced(unit);
        QCOMPARE(advanced.Entries(A::BaudRate).size(), 5);
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.Selection(A::BaudRate), -1);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_baud_rate").toInt(), 0);
        QCOMPARE(Stored("unit_auto_baud_flag").toBool(), true);

        advanced.SetSelection(A::BaudRate, 3);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_baud_rate").toInt(), 9600);
        QCOMPARE(Stored("unit_auto_baud_flag").toBool(), false);
    }

    void plusSeriesBaudRatesAndTheAutomaticEntry()
    {
        OpenFleet(94);
        Store({{"unit_baud_rate", 57600}, {"unit_auto_baud_flag", 0}});
        CUnitSheetUnit unit = Unit();
        unit.plusSeries = true;
        unit.modelType = 94;
        A advanced(unit);
        QCOMPARE(advanced.Selection(A::BaudRate), 8); // before loading: the automatic entry
        QCOMPARE(advanced.Selection(A::PowerMode), 0);
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.Selection(A::BaudRate), 6);
        advanced.SetSelection(A::BaudRate, 8);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_baud_rate").toInt(), 0);
        QCOMPARE(Stored("unit_auto_baud_flag").toBool(), true);
        advanced.SetSelection(A::BaudRate, 7);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_baud_rate").toInt(), 115200);
        QCOMPARE(Stored("unit_auto_baud_flag").toBool(), false);
    }

    void indexCombosShowAndKeepTheirColumns()
    {
        OpenFleet(50);
        Store({{"unit_power_mode", 7},
               {"unit_tg_type", 3},
               {"unit_Line1_ring_tone", 8},
               {"unit_active_line_indicator", 2}});
        CUnitSheetUnit unit = Unit();
        unit.profile.ergoFlags[27] = 0;
        A advanced(unit);
        QVERIFY(!advanced.Load());
        QCOMPARE(advanced.Entries(A::PowerMode).size(), 5);
        QCOMPARE(advanced.Entries(A::PowerMode).first().stringId, 1721);
        QCOMPARE(advanced.Entries(A::TalkgroupType).last().stringId, 1729);
        QCOMPARE(advanced.Entries(A::ActiveLine).size(), 3);
        QCOMPARE(advanced.Entries(A::Line2RingTone).size(), 9);
        QCOMPARE(advanced.Entries(A::Line1RingTone).at(8).Caption(), QStringLiteral("9"));
        QCOMPARE(advanced.Selection(A::PowerMode), -1); // no entry for 7
        QCOMPARE(advanced.Selection(A::TalkgroupType), 3);
        QCOMPARE(advanced.Selection(A::Line1RingTone), 8);
        QVERIFY(!advanced.IsEnabled(A::Line2RingTone));
        QVERIFY(advanced.IsEnabled(A::Line1RingTone));
        advanced.SetSelection(A::TalkgroupType, 1);
        advanced.SetSelection(A::ActiveLine, 12); // past the entries: nothing selected
        QCOMPARE(advanced.Selection(A::ActiveLine), -1);
        QVERIFY(!advanced.Save());
        QCOMPARE(Stored("unit_power_mode").toInt(), 7);
        QCOMPARE(Stored("unit_tg_type").toInt(), 1);
        QCOMPARE(Stored("unit_active_line_indicator").toInt(), 2);
    }

    // --- The unit as the units view opens it ---

    void theSheetUnitComesFromTheOpenedUnit()
    {
        CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder());
        const CModelRules& rules = CUnitsFixture::Rules();
        OpenFleet(110);
        Exec(
            QStringLiteral("UPDATE unit_details SET unit_prod_release_id = 89, unit_prod_sub_release_id = 1, "
                           "unit_model_type = 111, unit_cp_structure_version = 22"));
        CUnitOpenInfo info;
        QVERIFY(!CUnitOpener::Prepare(Db(), kImei, false, &rules, info));
        const CUnitSheetUnit unit = CUnitSheetUnit::FromOpenInfo(Db(), info, rules, 2);
        QCOMPARE(unit.imei, kImei);
        QCOMPARE(unit.phoneClass, 3);
        QCOMPARE(unit.carrierId, 2);
        QCOMPARE(unit.StructureNumber(), 16);
        QCOMPARE(unit.supportedLang, QStringLiteral("0,1,2,3"));
        QVERIFY(!unit.plusSeries);
        // The shipped carrier settings switch net mode off and vibrate on for this sub-model.
        QVERIFY(unit.disableNetMode);
        QVERIFY(unit.enableVibrateFlag);
        QVERIFY(unit.enableSimPinWarningFlag);
        QCOMPARE(unit.phoneBookLangEntryId, 3);
        QCOMPARE(unit.profile.ergoFlags, info.profile.ergoFlags);
    }
};

VELMORA_TEST_MAIN(TestUnitSettings)
#include "tst_unit_settings.moc"
