#include "CPleaseWait.h"
#include "CSplashWnd.h"
#include "CTestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void splashPictureByLanguage()
    {
        QCOMPARE(CSplashWnd::PictureFile(QStringLiteral("English")), QStringLiteral("SetupEng.bmp"));
        QCOMPARE(CSplashWnd::PictureFile(QStringLiteral("French")), QStringLiteral("SetupFr.bmp"));
        QCOMPARE(CSplashWnd::PictureFile(QStringLiteral("Hebrew")), QStringLiteral("SetupHeb.bmp"));
        QCOMPARE(CSplashWnd::PictureFile(QStringLiteral("german")), QStringLiteral("SetupHeb.bmp"));
    }

    void noSplashUnlessEnabledOrWithoutPicture()
    {
        QWidget owner;
        const QString folder = CTestEnvironment::ProgramFolder();
        CSplashWnd::EnableSplashScreen(false);
        CSplashWnd::ShowSplashScreen(&owner, folder, QStringLiteral("English"));
        QVERIFY(!CSplashWnd::Current());
        CSplashWnd::EnableSplashScreen(true);
        const QString empty = CTestEnvironment::NewFolder(QStringLiteral("nopicture"));
        CSplashWnd::ShowSplashScreen(&owner, empty, QStringLiteral("French"));
        QVERIFY(!CSplashWnd::Current());
        // A damaged picture is no picture either.
        QFile bad(empty + QStringLiteral("/SetupFr.bmp"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("BM not really a bitmap");
        bad.close();
        CSplashWnd::ShowSplashScreen(&owner, empty, QStringLiteral("French"));
        QVERIFY(!CSplashWnd::Current());
    }

    void splashEndsAfterTwoSeconds()
    {
        QWidget owner;
        CSplashWnd::EnableSplashScreen(true);
        CSplashWnd::ShowSplashScreen(&owner, CTestEnvironment::ProgramFolder(), QStringLiteral("Hebrew"));
        QPointer<CSplashWnd> splash = CSplashWnd::Current();
        QVERIFY(splash);
        QCOMPARE(splash->size(), QSize(480, 280));
        // Only one at a time.
        CSplashWnd::ShowSplashScreen(&owner, CTestEnvironment::ProgramFolder(), QStringLiteral("English"));
        QCOMPARE(CSplashWnd::Current(), splash.data());
        QTRY_VERIFY_WITH_TIMEOUT(!splash, 5000);
        QVERIFY(!CSplashWnd::Current());
    }

    void aClickEndsTheSplashAndGoesNoFurther()
    {
        QPushButton button(QStringLiteral("Read"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QPushButton::clicked);
        CSplashWnd::EnableSplashScreen(true);
        CSplashWnd::ShowSplashScreen(&button, CTestEnvironment::ProgramFolder(), QStringLiteral("English"));
        QPointer<CSplashWnd> splash = CSplashWnd::Current();
        QVERIFY(splash);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(!splash);
        QCOMPARE(clicked.size(), 0);
        // The next click is the program's again.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);

        // A key does the same.
        CSplashWnd::ShowSplashScreen(&button, CTestEnvironment::ProgramFolder(), QStringLiteral("English"));
        splash = CSplashWnd::Current();
        QVERIFY(splash);
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_Space);
        QTRY_VERIFY(!splash);
        QCOMPARE(clicked.size(), 1);
    }

    void aShortcutKeyEndsTheSplashWithoutRunningItsCommand()
    {
        // A shortcut without modifiers (a modifier's own key press would end the splash first).
        QWidget window;
        auto* action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::Key_F1));
        window.addAction(action);
        QSignalSpy triggered(action, &QAction::triggered);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CSplashWnd::EnableSplashScreen(true);
        CSplashWnd::ShowSplashScreen(&window, CTestEnvironment::ProgramFolder(), QStringLiteral("English"));
        QPointer<CSplashWnd> splash = CSplashWnd::Current();
        QVERIFY(splash);
        window.activateWindow();
        QTRY_VERIFY(window.isActiveWindow());
        QTest::keyClick(&window, Qt::Key_F1);
        QTRY_VERIFY(!splash);
        QCOMPARE(triggered.size(), 0);
        // Afterwards the shortcut is the program's again.
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(triggered.size(), 1);
    }

    void pleaseWaitShowsBusyThenProgress()
    {
        QWidget main;
        auto* wait = new CPleaseWait(&main);
        QCOMPARE(wait->parentWidget(), &main);
        QVERIFY(!wait->isModal());
        QCOMPARE(wait->ProgressBar()->maximum(), 0); // busy
        wait->SetProgress(3, 10);
        QCOMPARE(wait->ProgressBar()->maximum(), 10);
        QCOMPARE(wait->ProgressBar()->value(), 3);
        wait->SetProgress(12, 10);
        QCOMPARE(wait->ProgressBar()->value(), 10);
        wait->SetProgress(0, 0);
        QCOMPARE(wait->ProgressBar()->maximum(), 0);
        delete wait;
    }
};

VELMORA_TEST_MAIN(TestWindows)
#include "tst_windows.moc"
