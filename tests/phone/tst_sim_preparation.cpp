#include "AgentApi.h"
#include "CPhoneFixture.h"
#include "CScriptedAnswerer.h"
#include "CSimPreparation.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "PhoneMessageIds.h"

#include <QtTest>

namespace {

const int Q700 = 70;   // phone class 2
const int Alder = 105; // phone class 3

QList<int> Ids()
{
    return CScriptedAnswerer::Instance().Ids();
}

// Shows what the preparation answered, as the phone commands do; true when it got to the end.
bool Prepared(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
    return !error;
}

} // namespace

// SIM preparation: restart, status with retries, PIN, IMEI and SIM kind, against bench SIM phones.
class TestSimPreparation : public QObject
{
    Q_OBJECT

private:
    CPhoneFixture m_fx;

    CSimPreparation Preparation() { return CSimPreparation(m_fx.Settings(), &m_fx.Pin()); }

private Q_SLOTS:
    void init() { m_fx.Start(); }

    void unlockedSimNeedsNoPin()
    {
        const QString name = m_fx.Plug(Alder);
        CSimPreparation sim = Preparation();
        QVERIFY(Prepared(sim.Prepare(3, true)));
        QCOMPARE(m_fx.Pin().asked, 0);
        QCOMPARE(sim.Imei(), m_fx.Load(name).imei);
        QCOMPARE(sim.SimKind(), 3);
        QVERIFY(!sim.HasPin());
        QCOMPARE(sim.PinBytes(), QByteArray::fromHex("00000000FFFFFFFF"));
        // An Alder phone is not restarted, and reads its IMEI without the SIM being read again.
        QVERIFY(m_fx.Delays().isEmpty());
        QVERIFY(Ids().isEmpty());
    }

    void q700RestartsBeforeTheSim()
    {
        CPhonePresetOptions options;
        options.simKind = 2;
        m_fx.Plug(Q700, options);
        CSimPreparation sim = Preparation();
        QVERIFY(Prepared(sim.Prepare(2, true)));
        // The restart, then the IMEI read that makes the phone read its SIM again.
        QCOMPARE(m_fx.Delays(), (QList<int>{AGENT_RESET_WAIT_MS, AGENT_RESET_WAIT_MS}));
        QCOMPARE(sim.SimKind(), 2);

        m_fx.Delays().clear();
        QVERIFY(Prepared(sim.Prepare(2, false)));
        QCOMPARE(m_fx.Delays(), QList<int>{AGENT_RESET_WAIT_MS});
    }

    void pinPaths_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("message");
        QTest::newRow("right PIN") << QStringList{QStringLiteral("4321")} << true << 0;
        QTest::newRow("cancelled") << QStringList{} << false << int(PhoneMsg::PinCancelled);
        QTest::newRow("wrong PIN") << QStringList{QStringLiteral("1111")} << false
                                   << int(PhoneMsg::PinRefused);
    }
    void pinPaths()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, ok);
        QFETCH(int, message);
        CPhonePresetOptions options;
        options.pin = QStringLiteral("4321");
        const QString name = m_fx.Plug(Alder, options);
        m_fx.Pin().script = typed;
        CSimPreparation sim = Preparation();
        QCOMPARE(Prepared(sim.Prepare(3, false)), ok);
        QCOMPARE(m_fx.Pin().asked, 1);
        QCOMPARE(sim.HasPin(), ok);
        if (ok)
            QCOMPARE(sim.PinBytes(), QByteArray("4321\xFF\xFF\xFF\xFF", 8));
        else
            QVERIFY(Ids().contains(message));
        // A cancel never reaches the SIM, so it costs no try.
        QCOMPARE(m_fx.Load(name).sim.triesLeft, typed.size() == 1 && !ok ? 2 : 3);
    }

    void heldPinIsOfferedAgainAfterARestart()
    {
        CPhonePresetOptions options;
        options.pin = QStringLiteral("2468");
        options.simKind = 2;
        m_fx.Plug(Q700, options);
        m_fx.Pin().script = {QStringLiteral("2468")};
        CSimPreparation sim = Preparation();
        QVERIFY(Prepared(sim.Prepare(2, true)));
        // The SIM stage restarts the phone, which forgets the PIN; the held one unlocks it again.
        QVERIFY(Prepared(sim.PrepareForSimStage(2)));
        QCOMPARE(m_fx.Pin().asked, 1);
        sim.DropPin();
        QVERIFY(!sim.HasPin());
    }

    void refusedStates_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("message");
        QTest::newRow("no SIM") << 0 << int(PhoneMsg::NoUsableSim);
        QTest::newRow("not ready") << 1 << int(PhoneMsg::NoUsableSim);
        QTest::newRow("blocked") << 6 << int(PhoneMsg::SimBlocked);
        QTest::newRow("above 6 is usable") << 7 << 0;
        QTest::newRow("ready") << 3 << 0;
    }
    void refusedStates()
    {
        QFETCH(int, status);
        QFETCH(int, message);
        CPhonePresetOptions options;
        options.simStatus = status;
        m_fx.Plug(Alder, options);
        CSimPreparation sim = Preparation();
        const CVelmoraError error = sim.Prepare(3, false);
        // The preparation answers its error and shows nothing itself.
        QVERIFY(Ids().isEmpty());
        QCOMPARE(error.Id(), message);
        QCOMPARE(Prepared(error), message == 0);
        QCOMPARE(Ids(), message ? QList<int>{message} : QList<int>{});
        QCOMPARE(m_fx.Pin().asked, 0);
    }

    void statusQueryRetried()
    {
        const QString name = m_fx.Plug(Alder);
        m_fx.AddFault(name, QStringLiteral("AgentGetSimStatus"), AGENT_PHONE_BUSY, 5);
        CSimPreparation sim = Preparation();
        QVERIFY(Prepared(sim.Prepare(3, false)));
        QCOMPARE(m_fx.Delays(), QList<int>(5, AGENT_RETRY_WAIT_MS));

        m_fx.Delays().clear();
        m_fx.AddFault(name, QStringLiteral("AgentGetSimStatus"), AGENT_PHONE_BUSY, 6);
        QVERIFY(!Prepared(sim.Prepare(3, false)));
        QCOMPARE(m_fx.Delays(), QList<int>(5, AGENT_RETRY_WAIT_MS));
        QCOMPARE(Ids(), QList<int>{6000 - AGENT_PHONE_BUSY});
    }

    void unreadableImeiEndsThePreparation()
    {
        const QString name = m_fx.Plug(Alder);
        m_fx.AddFault(name, QStringLiteral("AgentReadImei"), AGENT_IMEI_UNREADABLE);
        CSimPreparation sim = Preparation();
        QVERIFY(!Prepared(sim.Prepare(3, false)));
        QVERIFY(sim.Imei().isEmpty());
        QCOMPARE(Ids(), QList<int>{6000 - AGENT_IMEI_UNREADABLE});
    }

    void simKindFromItsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::newRow("01") << QStringLiteral("01") << 2;
        QTest::newRow("02 and more") << QStringLiteral("02x7") << 3;
        QTest::newRow("0A") << QStringLiteral("0A") << 1;
        QTest::newRow("00") << QStringLiteral("00") << 1;
        QTest::newRow("empty") << QString() << 1;
    }
    void simKindFromItsText()
    {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QCOMPARE(CSimPreparation::SimKindOf(text), kind);
    }

    void imeiAndPinBytes()
    {
        QCOMPARE(CSimPreparation::ImeiText(QByteArray::fromHex("35070000000012ab")),
                 QStringLiteral("35070000000012A"));
        QCOMPARE(CSimPreparation::PinFromText(QStringLiteral("123456789")), QByteArray("12345678"));
        QCOMPARE(CSimPreparation::PinFromText(QStringLiteral("12")),
                 QByteArray("12\xFF\xFF\xFF\xFF\xFF\xFF", 8));
    }
};

VELMORA_TEST_MAIN(TestSimPreparation)
#include "tst_sim_preparation.moc"
