#include "CAppShell.h"
#include "CCommandTable.h"
#include "CMainFrame.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "FrameCommands.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

// The windowed half of start-up: files another start hands over while the window is busy.
class TestAppShell : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

private Q_SLOTS:
    void handedOverFilesWaitWhileTheWindowIsBusy()
    {
        CAppShell shell;
        QVERIFY(shell.CreateMainFrame(QStringLiteral("Velmora")));
        CMainFrame* frame = shell.MainFrame();
        // The shell plugs the features in: the phone commands are live without a fleet.
        QVERIFY(frame->Commands().IsEnabled(FrameCmd::ReadPhone));
        QVERIFY(!frame->Commands().IsEnabled(FrameCmd::WritePhone));
        const QString missing =
            CTestEnvironment::NewFolder(QStringLiteral("handover")) + QStringLiteral("/gone.vlf");

        // A phone operation disables the window; its waits let the event loop (and the hand-over) run.
        answers.Clear();
        frame->setEnabled(false);
        shell.ActivateFromOtherInstance({missing});
        QTest::qWait(600);
        QCOMPARE(answers.Count(), 0);
        // Once the operation is over the file is opened (here: refused with its message), once.
        frame->setEnabled(true);
        QTRY_COMPARE(answers.Count(), 1);
        QTest::qWait(600);
        QCOMPARE(answers.Count(), 1);

        // A modal dialog holds the documents too.
        answers.Clear();
        {
            QDialog modal(frame);
            QTimer::singleShot(0, &modal, [&]() {
                shell.ActivateFromOtherInstance({missing});
                QTest::qWait(600);
                QCOMPARE(answers.Count(), 0);
                modal.reject();
            });
            modal.exec();
        }
        QTRY_COMPARE(answers.Count(), 1);

        // Nothing waits on a window that is gone.
        answers.Clear();
        frame->setEnabled(false);
        shell.ActivateFromOtherInstance({missing});
        shell.DestroyMainFrame();
        QTest::qWait(600);
        QCOMPARE(answers.Count(), 0);
    }
};

VELMORA_TEST_MAIN(TestAppShell)
#include "tst_app_shell.moc"
