// The SMS window in the main frame: the SMS command opens one window (and with it the SMS list bar
// and menu), the list bar's items run the view's commands, and the commands that need a fleet wait
// for one.

#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFleetFixtures.h"
#include "CMainFrame.h"
#include "CSMSChildFrm.h"
#include "CScriptedAnswerer.h"
#include "CSendSMSView.h"
#include "CShortcutListDockBar.h"
#include "CSmsFeature.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>

class TestSmsFrame : public QObject
{
    Q_OBJECT

private:
    static CFrameSettings Settings()
    {
        CFrameSettings settings;
        settings.programFolder = CTestEnvironment::ProgramFolder();
        settings.templatePath = CFleetFixtures::TemplatePath();
        settings.displayName = QStringLiteral("Velmora Test");
        return settings;
    }

private Q_SLOTS:
    void smsCommandOpensOneWindowWithTheSmsBar()
    {
        CMainFrame frame(Settings());
        CSmsFeature::Register(frame.Registry(), CSmsContext(), true);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsBar));
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 1);
        QVERIFY(qobject_cast<CSMSChildFrm*>(frame.MdiArea()->subWindowList().constFirst()));
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Other));
        QVERIFY(frame.ListBar(CMainFrame::SmsBarId)->isVisible());
        QVERIFY(!frame.ListBar(CMainFrame::FleetBarId)->isVisible());
        QVERIFY(frame.Commands().IsChecked(FrameCmd::SmsBar));

        // Again: the open window comes forward, no second one.
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsBar));
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 1);

        // Load and save need a fleet; options and help do not. Sending and the modem need the library.
        QVERIFY(!frame.Commands().IsEnabled(FrameCmd::SmsLoad));
        QVERIFY(!frame.Commands().IsEnabled(FrameCmd::SmsSave));
        QVERIFY(!frame.Commands().IsEnabled(FrameCmd::SmsModem));
        QVERIFY(frame.Commands().IsEnabled(FrameCmd::SmsOptions));
        QVERIFY(frame.Commands().IsEnabled(FrameCmd::SmsHelp));
        QVERIFY(!frame.DispatchListBarClick(CVelmoraWrap::LoadString(1617).remove(QLatin1Char('&'))));
        QCOMPARE(CSmsFeature::CommandOfLabel(CVelmoraWrap::LoadString(1619).remove(QLatin1Char('&'))),
                 int(FrameCmd::SmsModem));
        QCOMPARE(CSmsFeature::CommandOfLabel(QStringLiteral("no such item")), 0);
    }

    void loadAndSaveFollowTheLastFleet()
    {
        CScriptedAnswerer::Instance().Clear();
        CMainFrame frame(Settings());
        CSmsFeature::Register(frame.Registry(), CSmsContext(), true);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.Documents().NewFleet());
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsBar));
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Other));
        QVERIFY(frame.Commands().IsEnabled(FrameCmd::SmsSave));
        auto* window = qobject_cast<CSMSChildFrm*>(frame.MdiArea()->activeSubWindow());
        QVERIFY(window);
        // An empty message is not saved.
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsSave));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1630});
        CScriptedAnswerer::Instance().Clear();
        window->View()->Message()->setPlainText(QStringLiteral("Shift change"));
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsSave));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1391});
        QVERIFY(window->View()->CurrentMessageId().toInt() > 0);
        frame.Documents().CloseAllWithoutAsking();
    }
};

VELMORA_TEST_MAIN(TestSmsFrame)
#include "tst_sms_frame.moc"
