// The settings pages against a bench phone: what a fleet manager changes on the Basic and Advanced
// pages is written to the phone by the write command and shows the same when the phone is read back.

#include "CFleetConnection.h"
#include "CPhoneCommands.h"
#include "CPhoneFixture.h"
#include "CProcessPhone.h"
#include "CTestEnvironment.h"
#include "CTransaction.h"
#include "CUnitAdvancedSettings.h"
#include "CUnitBasicSettings.h"
#include "CUnitOpener.h"
#include "CVelmoraDoc.h"
#include "CWriteFlags.h"

#include <QApplication>
#include <QMap>
#include <QTest>

using B = CUnitBasicSettings;
using A = CUnitAdvancedSettings;

namespace {

// What both pages show, control id -> value, for comparing one reading with another.
QMap<int, QString> Shown(const B& basic, const A& advanced)
{
    QMap<int, QString> shown;
    for (const int id : B::CheckIds())
        shown.insert(id, basic.IsChecked(id) ? QStringLiteral("on") : QStringLiteral("off"));
    shown.insert(B::EmergencyTalkgroup, basic.EmergencyTalkgroupText());
    for (const int id : A::CheckIds())
        shown.insert(id, advanced.IsChecked(id) ? QStringLiteral("on") : QStringLiteral("off"));
    for (const int id : A::EditIds())
        shown.insert(id, advanced.Text(id));
    for (const int id : A::ComboIds())
        shown.insert(id, QString::number(advanced.Selection(id)));
    return shown;
}

} // namespace

class TestUnitSettingsPhone : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    CUnitSheetUnit SheetUnit(const QSqlDatabase& db, const QString& imei)
    {
        CUnitOpenInfo info;
        const CVelmoraError error = CUnitOpener::Prepare(db, imei, false, &m_fx.Rules(), info);
        if (error)
            qWarning("%s", qPrintable(error.ToText()));
        return CUnitSheetUnit::FromOpenInfo(db, info, m_fx.Rules(), m_fx.Settings().carrierId);
    }

    // Changes every enabled control of both pages to another value.
    static void EditEverything(B& basic, A& advanced)
    {
        for (const int id : B::CheckIds()) {
            if (basic.IsEnabled(id))
                basic.SetChecked(id, !basic.IsChecked(id));
        }
        if (basic.IsEnabled(B::EmergencyTalkgroup))
            basic.SetEmergencyTalkgroupText(QStringLiteral("255"));
        for (const int id : A::CheckIds()) {
            if (advanced.IsEnabled(id))
                advanced.SetChecked(id, !advanced.IsChecked(id));
        }
        if (advanced.IsEnabled(A::AutoPowerDownTimer))
            advanced.SetText(A::AutoPowerDownTimer, QStringLiteral("71582"));
        if (advanced.IsEnabled(A::CallAlertStackTimer))
            advanced.SetText(A::CallAlertStackTimer, QStringLiteral("45"));
        for (const int id : A::ComboIds()) {
            const int count = advanced.Entries(id).size();
            if (advanced.IsEnabled(id) && count > 1)
                advanced.SetSelection(id, (qMax(0, advanced.Selection(id)) + 1) % count);
        }
    }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void editsOnThePagesGoToThePhoneAndComeBack_data()
    {
        QTest::addColumn<int>("modelType");
        QTest::newRow("ordinary desk set") << 50;
        QTest::newRow("plus series") << 94;
        QTest::newRow("q700") << 70;
        QTest::newRow("Alder") << 110;
    }
    void editsOnThePagesGoToThePhoneAndComeBack()
    {
        QFETCH(int, modelType);
        CPhonePresetOptions options;
        if (m_fx.Rules().PhoneClassOf(modelType) >= 2) {
            options.pin = QStringLiteral("1357");
            m_fx.Pin().script = QStringList(8, options.pin);
        }
        const QString name = m_fx.Plug(modelType, options);
        const QString imei = m_fx.Load(name).imei;
        CVelmoraDoc* doc = m_fx.NewFleet();
        QVERIFY(doc);
        QVERIFY(CPhoneCommands::ReadPhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules()));

        const CUnitSheetUnit unit = SheetUnit(doc->Database(), imei);
        QCOMPARE(unit.imei, imei);
        B basic(unit);
        A advanced(unit);
        QVERIFY(!basic.Load());
        QVERIFY(!advanced.Load());
        const QMap<int, QString> read = Shown(basic, advanced);
        EditEverything(basic, advanced);
        const QMap<int, QString> edited = Shown(basic, advanced);
        QVERIFY(edited != read);
        {
            CTransaction sheet(doc->Database());
            QVERIFY(!basic.Save());
            QVERIFY(!advanced.Save());
            QVERIFY(sheet.Commit());
        }
        QVERIFY(CPhoneCommands::WritePhone(m_fx.Host(), m_fx.Settings(), m_fx.Rules(), CWriteFlags::All()));

        const auto again = m_fx.Read();
        QVERIFY(again);
        const CUnitSheetUnit reread = SheetUnit(again->Database(), imei);
        B basicAgain(reread);
        A advancedAgain(reread);
        QVERIFY(!basicAgain.Load());
        QVERIFY(!advancedAgain.Load());
        // A passcode reset is an order carried out by the write, not a setting the phone keeps.
        QMap<int, QString> expected = edited;
        expected.remove(B::ResetPasscode);
        QMap<int, QString> shown = Shown(basicAgain, advancedAgain);
        shown.remove(B::ResetPasscode);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(shown.value(it.key()) == it.value(),
                     qPrintable(QStringLiteral("control %1 shows %2, not %3")
                                    .arg(it.key())
                                    .arg(shown.value(it.key()), it.value())));
    }
};

VELMORA_TEST_MAIN(TestUnitSettingsPhone)
#include "tst_unit_settings_phone.moc"
