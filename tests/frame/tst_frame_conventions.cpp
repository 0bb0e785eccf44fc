// What a desktop user expects of the main frame: the usual keys for quit, close and save as, a help
// window that Escape closes, and paths that keep their order in right-to-left menus.

#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFleetFixtures.h"
#include "CHelpWnd.h"
#include "CMainFrame.h"
#include "CRecentFileList.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "FrameCommands.h"
#include "FrameMessageIds.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

namespace {

const QChar kIsolate(0x2066);
const QChar kPopIsolate(0x2069);

CFrameSettings Settings(const QString& programFolder)
{
    CFrameSettings settings;
    settings.programFolder = programFolder;
    settings.templatePath = CFleetFixtures::TemplatePath();
    settings.displayName = QStringLiteral("Velmora Test");
    settings.helpFile = CTestEnvironment::ProgramFolder() + QStringLiteral("/help/en/index.html");
    return settings;
}

QMenu* MenuOf(const CMainFrame& frame, int textId)
{
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->menu() && action->menu()->property("textId").toInt() == textId)
            return action->menu();
    }
    return nullptr;
}

} // namespace

class TestFrameConventions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        CTestEnvironment::ClearSettings();
        CScriptedAnswerer::Instance().Clear();
    }

    void standardKeysAreOnTheirCommands()
    {
        CMainFrame frame(Settings(CTestEnvironment::NewFolder(QStringLiteral("program"))));
        const auto has = [&frame](int id, const QKeySequence& key) {
            return frame.Commands().Action(id)->shortcuts().contains(key);
        };
        QVERIFY(has(FrameCmd::AppExit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
        QVERIFY(has(FrameCmd::FileClose, QKeySequence(Qt::CTRL | Qt::Key_W)));
        QVERIFY(has(FrameCmd::FileSaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
        QVERIFY(has(FrameCmd::FileSave, QKeySequence(Qt::CTRL | Qt::Key_S)));
        // The platform's own keys come along.
        for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Quit))
            QVERIFY(has(FrameCmd::AppExit, key));
        // No key runs two commands.
        QList<QKeySequence> seen;
        for (int id : {FrameCmd::FileNew, FrameCmd::FileOpen, FrameCmd::FileClose, FrameCmd::FileSave,
                       FrameCmd::FileSaveAs, FrameCmd::AppExit, FrameCmd::EditCopy, FrameCmd::HelpTopics}) {
            for (const QKeySequence& key : frame.Commands().Action(id)->shortcuts()) {
                QVERIFY2(!seen.contains(key), qPrintable(key.toString()));
                seen << key;
            }
        }
    }

    void ctrlWClosesTheActiveFleet()
    {
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("fleets"));
        const QString path = folder + QStringLiteral("/north-depot.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
        CMainFrame frame(Settings(CTestEnvironment::NewFolder(QStringLiteral("program"))));
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QVERIFY(frame.Documents().OpenFleet(path));
        QCOMPARE(frame.Documents().Count(), 1);
        QTest::keyClick(&frame, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(frame.Documents().Count(), 0);
    }

    void escapeClosesTheHelpWindow()
    {
        CHelpWnd help;
        QVERIFY(help.ShowPage(Settings(QString()).helpFile));
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(static_cast<QWidget*>(help.Browser()), Qt::Key_Escape);
        QVERIFY(!help.isVisible());
    }

    void pathsStayLeftToRightInMenus()
    {
        const QString path = QStringLiteral("/tmp/fleets/north-depot.vlf");
        QCOMPARE(CRecentFileList::MenuText(0, path), QStringLiteral("&1 ") + kIsolate + path + kPopIsolate);
        // The ampersand of a path is shown, not taken as a mnemonic, and stays inside the run.
        QCOMPARE(CRecentFileList::MenuText(1, QStringLiteral("/a&b.vlf")),
                 QStringLiteral("&2 ") + kIsolate + QStringLiteral("/a&&b.vlf") + kPopIsolate);

        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("fleets"));
        const QString fleet = folder + QStringLiteral("/north-depot.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(fleet, CFleetFixtures::Units(1)));
        CMainFrame frame(Settings(CTestEnvironment::NewFolder(QStringLiteral("program"))));
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.Documents().OpenFleet(fleet));
        const QString recent = frame.Commands().Action(FrameCmd::FileMru1)->text();
        QVERIFY2(recent.startsWith(QStringLiteral("&1 ") + kIsolate) && recent.endsWith(kPopIsolate),
                 qPrintable(recent));

        // The Window menu's entries isolate the window titles (file names) too.
        QMenu* window = MenuOf(frame, FrameText::MenuWindow);
        QVERIFY(window);
        Q_EMIT window->aboutToShow();
        QStringList entries;
        for (QAction* action : window->actions()) {
            if (action->isCheckable())
                entries << action->text();
        }
        QCOMPARE(entries.size(), 1);
        QVERIFY2(entries.first().startsWith(QStringLiteral("&1 ") + kIsolate), qPrintable(entries.first()));
        QVERIFY(entries.first().endsWith(kPopIsolate));
        QVERIFY(entries.first().contains(QStringLiteral("north-depot")));
    }
};

VELMORA_TEST_MAIN(TestFrameConventions)
#include "tst_frame_conventions.moc"
