// Start-up through the program's shell: the command line's fleet files, files handed over by another
// start, the splash picture over the new main window, and exit with open fleets.

#include "CAppShell.h"
#include "CDocManager.h"
#include "CFleetFixtures.h"
#include "CMainFrame.h"
#include "CProgramFolderSetup.h"
#include "CScriptedAnswerer.h"
#include "CSplashWnd.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <unistd.h>

// Starts as main() does: the message start-up ends with is shown by its caller.
static bool Start(CVelmoraApp& app, const QStringList& arguments)
{
    CVelmoraError error;
    const bool started = app.InitInstance(arguments, error);
    CVelmoraWrap::ShowError(error);
    return started;
}

class TestShell : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();
    QString m_program;
    QString m_folder;
    int m_key = 0;

    std::unique_ptr<CVelmoraApp> MakeApp(CAppShell& shell)
    {
        auto app = std::make_unique<CVelmoraApp>();
        app->SetShell(&shell);
        app->SetInstanceKey(QStringLiteral("shell-test-%1-%2").arg(::getpid()).arg(++m_key));
        app->SetSystemIsHebrew([]() { return false; });
        return app;
    }

private Q_SLOTS:
    void init()
    {
        answers.Clear();
        CTestEnvironment::ClearSettings();
        m_program = CTestEnvironment::NewFolder(QStringLiteral("program"));
        QVERIFY(CTestEnvironment::FillProgramFolder(m_program));
        CProgramFolderSetup::WriteDefaultSettings(m_program);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Setup Flag"), QString());
        m_folder = CTestEnvironment::NewFolder(QStringLiteral("fleets"));
    }

    void cleanup()
    {
        // A key ends a splash picture that is still up.
        if (CSplashWnd* splash = CSplashWnd::Current())
            QTest::keyClick(splash, Qt::Key_Escape);
        QTRY_VERIFY(!CSplashWnd::Current());
    }

    void commandLineAndHandedOverFilesOpen()
    {
        const QString first = m_folder + QStringLiteral("/First.vlf");
        const QString second = m_folder + QStringLiteral("/Second.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(first, CFleetFixtures::Units(1)));
        QVERIFY(CFleetFixtures::MakeFleet(second, CFleetFixtures::Units(2)));
        CAppShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {first}));
        CMainFrame* frame = shell.MainFrame();
        QVERIFY(frame && frame->isVisible());
        QCOMPARE(frame->Documents().Count(), 1);
        QCOMPARE(frame->Documents().ActiveDocument()->PathName(), first);
        // The splash picture stands over the window that has just appeared.
        QVERIFY(CSplashWnd::Current());

        frame->showMinimized();
        shell.ActivateFromOtherInstance({second});
        QVERIFY(!frame->isMinimized());
        QCOMPARE(frame->Documents().Count(), 2);
        QCOMPARE(frame->Documents().ActiveDocument()->PathName(), second);
        QVERIFY(answers.Messages().isEmpty());

        // Exit with a changed fleet: the window's close asks; "No" keeps the file as it was.
        frame->Documents().ActiveDocument()->SetModifiedFlag(true);
        answers.Script({IDNO});
        QVERIFY(frame->close());
        QCOMPARE(answers.Count(), 1);
        app->ExitInstance();
        QVERIFY(!shell.MainFrame());
    }

    void aCommandLineFileThatFailsEndsStartUp()
    {
        CAppShell shell;
        auto app = MakeApp(shell);
        QVERIFY(!Start(*app, {m_folder + QStringLiteral("/missing.vlf")}));
        QCOMPARE(answers.Ids(), QList<int>{1640});
        QVERIFY(shell.MainFrame() && !shell.MainFrame()->isVisible());
        app->ExitInstance();
    }

    void noPictureNoSplash()
    {
        QVERIFY(QFile::remove(m_program + QStringLiteral("/SetupEng.bmp")));
        CAppShell shell;
        auto app = MakeApp(shell);
        QVERIFY(Start(*app, {}));
        QVERIFY(shell.MainFrame()->isVisible());
        QVERIFY(!CSplashWnd::Current());
        app->ExitInstance();
    }
};

VELMORA_TEST_MAIN(TestShell)
#include "tst_shell.moc"
