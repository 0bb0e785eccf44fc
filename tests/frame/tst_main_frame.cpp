// The main frame: view families, list bars, toolbars, language and frame commands, placement, drops.

#include "AgentApi.h"
#include "CChildFrame.h"
#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFakeView.h"
#include "CFleetFixtures.h"
#include "CFramePlacement.h"
#include "CHelpWnd.h"
#include "CMainFrame.h"
#include "CPhoneBench.h"
#include "CPhoneFeature.h"
#include "CPleaseWait.h"
#include "CScriptedAnswerer.h"
#include "CShortcutListDockBar.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "FrameMessageIds.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolBox>
#include <QUrl>

namespace {

CFrameSettings Settings()
{
    CFrameSettings settings;
    settings.programFolder = CTestEnvironment::ProgramFolder();
    settings.templatePath = CFleetFixtures::TemplatePath();
    settings.displayName = QStringLiteral("Velmora Test");
    settings.helpFile = settings.programFolder + QStringLiteral("/help/en/index.html");
    return settings;
}

// The text ids of the menu bar's menus, in order.
QList<int> MenuIds(const CMainFrame& frame)
{
    QList<int> ids;
    for (QAction* action : frame.menuBar()->actions())
        ids << action->menu()->property("textId").toInt();
    return ids;
}

QList<int> VisibleBars(const CMainFrame& frame)
{
    QList<int> bars;
    for (int id : {CMainFrame::FleetBarId, CMainFrame::SmsBarId, CMainFrame::PimBarId}) {
        if (frame.ListBar(id)->isVisible())
            bars << id;
    }
    return bars;
}

void Activate(CMainFrame& frame, QMdiSubWindow* window)
{
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
}

void Drop(QWidget& target, const QStringList& paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    // The window takes the drag, as it does under a pointer, before the drop.
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

private Q_SLOTS:
    void init()
    {
        CTestEnvironment::ClearSettings();
        answers.Clear();
    }

    void theTitleNamesTheActiveFleetOnce()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("setWindowModified")));
        const QString product = Settings().displayName;
        const auto titleOf = [&product](const CVelmoraDoc* doc) -> QString {
            return QFileInfo(doc->Title()).fileName() + QStringLiteral("[*] \u2014 ") + product;
        };
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), product);

        // The maximised fleet window's name is not written into the title a second time.
        CVelmoraDoc* first = frame.Documents().NewFleet();
        QVERIFY(first);
        QCoreApplication::processEvents();
        QCOMPARE(frame.windowTitle(), titleOf(first));
        QCOMPARE(frame.Documents().FrameOf(first)->windowTitle(),
                 QFileInfo(first->Title()).fileName() + QStringLiteral("[*]"));
        QVERIFY(!frame.isWindowModified());
        first->SetModifiedFlag(true);
        QCoreApplication::processEvents();
        QVERIFY(frame.isWindowModified());
        QCOMPARE(frame.windowTitle(), titleOf(first));

        // Switching windows switches the name and the mark.
        CVelmoraDoc* second = frame.Documents().NewFleet();
        QVERIFY(second);
        QCoreApplication::processEvents();
        QCOMPARE(frame.windowTitle(), titleOf(second));
        QVERIFY(!frame.isWindowModified());
        frame.MdiArea()->setActiveSubWindow(frame.Documents().FrameOf(first));
        QCoreApplication::processEvents();
        QCOMPARE(frame.windowTitle(), titleOf(first));
        QVERIFY(frame.isWindowModified());

        // Without a fleet the product alone, unmarked.
        frame.Documents().CloseAllWithoutAsking();
        QCoreApplication::processEvents();
        QCOMPARE(frame.windowTitle(), product);
        QVERIFY(!frame.isWindowModified());
    }

    void familiesSwitchMenusAndListBars()
    {
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::None));
        QCOMPARE(frame.menuBar()->property("menuResource").toInt(), 132);
        QCOMPARE(MenuIds(frame), (QList<int>{7200, 7202, 7204, 7205, 7207}));
        QCOMPARE(VisibleBars(frame), QList<int>());

        // A fleet window: the fleet menu and the fleet bar.
        CVelmoraDoc* doc = frame.Documents().NewFleet();
        QVERIFY(doc);
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Fleet));
        QCOMPARE(frame.menuBar()->property("menuResource").toInt(), 139);
        QVERIFY(MenuIds(frame).contains(7203));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::FleetBarId});

        // A window without a view of its own belongs to the other family: SMS menu and bar.
        QMdiSubWindow* plain = frame.MdiArea()->addSubWindow(new QLabel(QStringLiteral("plain")));
        Activate(frame, plain);
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Other));
        QCOMPARE(frame.menuBar()->property("menuResource").toInt(), 134);
        QVERIFY(MenuIds(frame).contains(7208));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::SmsBarId});

        QMdiSubWindow* pim = frame.MdiArea()->addSubWindow(new CFakeView(FrameFamily::Pim));
        Activate(frame, pim);
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Pim));
        QCOMPARE(frame.menuBar()->property("menuResource").toInt(), 143);
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::PimBarId});

        Activate(frame, frame.Documents().FrameOf(doc));
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Fleet));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::FleetBarId});

        // The last fleet closing hides the bars; with no window left the family is none.
        delete plain;
        delete pim;
        QVERIFY(frame.Documents().CloseDocument(doc));
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::None));
        QCOMPARE(VisibleBars(frame), QList<int>());
        QCOMPARE(MenuIds(frame), (QList<int>{7200, 7202, 7204, 7205, 7207}));
    }

    void hebrewMirrorsTheBars()
    {
        // The side toolbar stands where reading starts and the list bars at the other side.
        for (const bool hebrew : {false, true}) {
            CFrameSettings settings = Settings();
            settings.language = hebrew ? CInstalledData::Hebrew : CInstalledData::English;
            CMainFrame frame(settings);
            frame.setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
            frame.resize(900, 600);
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QVERIFY(frame.Documents().NewFleet());
            QApplication::processEvents();
            const int middle = frame.width() / 2;
            const int side = frame.SideToolbar()->geometry().center().x();
            const int bar = frame.ListBar(CMainFrame::FleetBarId)->geometry().center().x();
            const int area = frame.MdiArea()->geometry().center().x();
            QVERIFY(frame.ListBar(CMainFrame::FleetBarId)->isVisible());
            if (hebrew) {
                QVERIFY2(side > middle && bar < middle, "Hebrew: toolbar right, list bar left");
                QVERIFY(side > area && bar < area);
            } else {
                QVERIFY2(side < middle && bar > middle, "toolbar left, list bar right");
                QVERIFY(side < area && bar > area);
            }
            // The main toolbar reads from the reading start: New stands first.
            QToolBar* main = frame.MainToolbar();
            const QRect newButton =
                main->widgetForAction(frame.Commands().Action(FrameCmd::FileNew))->geometry();
            const QRect aboutButton =
                main->widgetForAction(frame.Commands().Action(FrameCmd::AppAbout))->geometry();
            QCOMPARE(newButton.x() > aboutButton.x(), hebrew);
            frame.Documents().CloseAllWithoutAsking();
        }
    }

    void listBarClicksGoToTheActiveFamily()
    {
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CVelmoraDoc* doc = frame.Documents().NewFleet();
        QVERIFY(doc);
        CShortcutListDockBar* bar = frame.ListBar(CMainFrame::FleetBarId);
        // Nothing handles the items yet: they are shown disabled and a click does nothing.
        QVERIFY(!bar->ItemsEnabled());
        QVERIFY(!frame.DispatchListBarClick(CVelmoraWrap::LoadString(1624)));

        QStringList clicked;
        frame.SetListBarHandler(FrameFamily::Fleet, [&clicked](const QString& label) {
            clicked << label;
            return true;
        });
        QVERIFY(bar->ItemsEnabled());
        QVERIFY(!frame.ListBar(CMainFrame::SmsBarId)->ItemsEnabled());

        // A real click on the fifth item of the fleet group (basic settings).
        auto* items = qobject_cast<QListWidget*>(bar->ListControl()->currentWidget());
        QVERIFY(items);
        QCOMPARE(bar->ListControl()->property("controlId").toInt(), 1421);
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                          items->visualItemRect(items->item(4)).center());
        QCOMPARE(clicked, QStringList{CVelmoraWrap::LoadString(1624)});
        QVERIFY(items->hasFocus());

        // Without a document there is no family to hand a label to.
        QVERIFY(frame.Documents().CloseDocument(doc));
        QVERIFY(!frame.DispatchListBarClick(CVelmoraWrap::LoadString(1625)));
        QCOMPARE(clicked.size(), 1);
    }

    void barTogglesFollowTheBars()
    {
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CCommandTable& commands = frame.Commands();
        const QList<std::pair<int, QWidget*>> toggles = {{FrameCmd::MainToolbar, frame.MainToolbar()},
                                                         {FrameCmd::SideToolbar, frame.SideToolbar()},
                                                         {FrameCmd::ViewStatusBar, frame.statusBar()}};
        for (const auto& [id, bar] : toggles) {
            QVERIFY(bar->isVisible());
            QVERIFY(commands.Action(id)->isChecked());
            QVERIFY(commands.Execute(id));
            QVERIFY(!bar->isVisible());
            QVERIFY(!commands.Action(id)->isChecked());
            QVERIFY(commands.Execute(id));
            QVERIFY(bar->isVisible());
            QVERIFY(commands.Action(id)->isChecked());
        }
        // A toolbar closed from its own menu loses its check mark too.
        frame.MainToolbar()->toggleViewAction()->trigger();
        QVERIFY(!commands.Action(FrameCmd::MainToolbar)->isChecked());
    }

    void languageChoiceWaitsForTheNextStart()
    {
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), QStringLiteral("English"));
        CFrameSettings settings = Settings();
        CMainFrame frame(settings);
        CCommandTable& commands = frame.Commands();
        QVERIFY(commands.IsChecked(FrameCmd::LangEnglish));
        QVERIFY(!commands.IsEnabled(FrameCmd::LangHebrew));

        QVERIFY(commands.Execute(FrameCmd::LangFrench));
        QString stored;
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), stored));
        QCOMPARE(stored, QStringLiteral("French"));
        QCOMPARE(answers.Ids(), QList<int>{1845});
        QCOMPARE(answers.Messages().first().type, VMT_NOTICE);
        // The running language keeps its check mark.
        QVERIFY(commands.IsChecked(FrameCmd::LangEnglish));
        QVERIFY(!commands.IsChecked(FrameCmd::LangFrench));

        // Hebrew is offered on a Hebrew system only.
        QVERIFY(!commands.Execute(FrameCmd::LangHebrew));
        settings.systemIsHebrew = true;
        CMainFrame hebrewSystem(settings);
        QVERIFY(hebrewSystem.Commands().Execute(FrameCmd::LangHebrew));
        QVERIFY(CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), stored));
        QCOMPARE(stored, QStringLiteral("Hebrew"));
    }

    // The greyed Hebrew entry says why it is greyed, on the item and in the status bar.
    void disabledHebrewSaysWhy()
    {
        CFrameSettings settings = Settings();
        const QString why = CVelmoraWrap::LoadString(FrameText::HebrewNeedsSystem);
        QVERIFY(!why.isEmpty());
        CMainFrame frame(settings);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.Commands().UpdateAll();
        QAction* hebrew = frame.Commands().Action(FrameCmd::LangHebrew);
        QVERIFY(!hebrew->isEnabled());
        QCOMPARE(hebrew->toolTip(), why);
        QCOMPARE(hebrew->statusTip(), why);
        auto* language = qobject_cast<QMenu*>(hebrew->associatedObjects().value(0));
        QVERIFY(language);
        QVERIFY(language->toolTipsVisible());
        // Opened from the menu bar as the user does, passing over an enabled entry first.
        auto* tools = qobject_cast<QMenu*>(language->menuAction()->associatedObjects().value(0));
        QVERIFY(tools);
        frame.menuBar()->setActiveAction(tools->menuAction());
        QVERIFY(QTest::qWaitForWindowExposed(tools));
        tools->setActiveAction(language->menuAction());
        QTRY_VERIFY(language->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(language));
        QAction* french = frame.Commands().Action(FrameCmd::LangFrench);
        QTest::mouseMove(language, language->actionGeometry(french).center());
        QTRY_COMPARE(frame.statusBar()->currentMessage(), french->statusTip());
        QTest::mouseMove(language, language->actionGeometry(hebrew).center());
        QTest::mouseMove(language, language->actionGeometry(hebrew).center() + QPoint(2, 0));
        QTRY_COMPARE(frame.statusBar()->currentMessage(), why);
        QTest::qWait(50);
        QCOMPARE(frame.statusBar()->currentMessage(), why);
        QTest::mouseMove(language, language->actionGeometry(french).center());
        QTRY_COMPARE(frame.statusBar()->currentMessage(), french->statusTip());
        QTest::mouseMove(language, language->actionGeometry(hebrew).center());
        QTRY_COMPARE(frame.statusBar()->currentMessage(), why);
        language->hide();
        QVERIFY(frame.statusBar()->currentMessage().isEmpty());
        tools->hide();

        // On a Hebrew system the entry is offered and its tip is its name again.
        settings.systemIsHebrew = true;
        CMainFrame hebrewSystem(settings);
        hebrewSystem.Commands().UpdateAll();
        QAction* offered = hebrewSystem.Commands().Action(FrameCmd::LangHebrew);
        QVERIFY(offered->isEnabled());
        QVERIFY(offered->toolTip() != why);
        QVERIFY(offered->statusTip() != why);
    }

    void smsBarNeedsSmsAndACarrierWithIt()
    {
        CFrameSettings settings = Settings();
        settings.carrierId = 3;
        QVERIFY(!CMainFrame(settings).Commands().IsEnabled(FrameCmd::SmsBar));
        settings.carrierId = 1;
        settings.smsAvailable = false;
        QVERIFY(!CMainFrame(settings).Commands().IsEnabled(FrameCmd::SmsBar));
        settings.smsAvailable = true;
        CMainFrame frame(settings);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.Commands().Execute(FrameCmd::FleetBar));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::FleetBarId});
        QVERIFY(frame.Commands().Execute(FrameCmd::SmsBar));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::SmsBarId});
        QVERIFY(frame.Commands().IsChecked(FrameCmd::SmsBar));
        QVERIFY(!frame.Commands().IsChecked(FrameCmd::FleetBar));
    }

    void placementIsKeptOnTheScreen()
    {
        const QRect workArea(0, 30, 1920, 1050);
        const QRect screen(0, 0, 1920, 1080);
        QRect geometry;
        bool maximized = true;
        CFramePlacement::Values values{CFramePlacement::ShowNormal, 10, 20, 410, 620};
        QVERIFY(CFramePlacement::Restore(values, workArea, screen, geometry, maximized));
        QCOMPARE(geometry, QRect(20, 40, 600, 400));
        QVERIFY(!maximized);

        // Off the screen to the right and below: an icon's size stays visible.
        values = {CFramePlacement::ShowMaximized, 3000, 5000, 3400, 5600};
        QVERIFY(CFramePlacement::Restore(values, workArea, screen, geometry, maximized));
        QCOMPARE(geometry, QRect(1920 - 32, 1080 - 32, 600, 400));
        QVERIFY(maximized);
        // Off to the left and above: back to the screen's edge.
        values = {CFramePlacement::ShowNormal, -600, -900, -200, -300};
        QVERIFY(CFramePlacement::Restore(values, workArea, screen, geometry, maximized));
        QCOMPARE(geometry.topLeft(), QPoint(0, 0));
        // A window kept from a larger screen is no larger than this one.
        values = {CFramePlacement::ShowNormal, 0, 0, 1600, 2560};
        QVERIFY(CFramePlacement::Restore(values, workArea, screen, geometry, maximized));
        QCOMPARE(geometry, QRect(0, 30, 1920, 1080));
        // A window that was minimised comes back normal.
        values = {CFramePlacement::ShowMinimized, 10, 20, 410, 620};
        QVERIFY(CFramePlacement::Restore(values, workArea, screen, geometry, maximized));
        QVERIFY(!maximized);

        // Any missing value, or an empty rectangle, leaves the default placement.
        QVERIFY(!CFramePlacement::Restore({-1, 10, 20, 410, 620}, workArea, screen, geometry, maximized));
        QVERIFY(!CFramePlacement::Restore({1, 10, 20, 410, -1}, workArea, screen, geometry, maximized));
        QVERIFY(!CFramePlacement::Restore({1, 10, 20, 10, 620}, workArea, screen, geometry, maximized));
    }

    void placementSurvivesARestart()
    {
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed(workArea.left() + 40, workArea.top() + 50, 500, 360);
        {
            CMainFrame frame(Settings());
            QVERIFY(!frame.RestorePlacement());
            frame.setGeometry(placed);
            frame.ShowAtStartup();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QVERIFY(frame.close());
        }
        const CFramePlacement::Values stored = CFramePlacement::Read();
        QCOMPARE(stored.status, int(CFramePlacement::ShowNormal));
        QCOMPARE(stored.right - stored.left, 500);
        {
            CMainFrame frame(Settings());
            QCOMPARE(frame.geometry(), placed);
            frame.ShowAtStartup();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QVERIFY(!frame.isMaximized());
            frame.showMaximized();
            QTRY_VERIFY(frame.isMaximized());
            QVERIFY(frame.close());
        }
        QCOMPARE(CFramePlacement::Read().status, int(CFramePlacement::ShowMaximized));
        CMainFrame frame(Settings());
        // The normal rectangle is kept under the maximised window.
        QCOMPARE(frame.geometry().size(), placed.size());
        frame.ShowAtStartup();
        QTRY_VERIFY(frame.isMaximized());
    }

    void droppedFilesOpenByFamily()
    {
        using Route = CMainFrame::DropRoute;
        QCOMPARE(CMainFrame::RouteDroppedFile(FrameFamily::Fleet, QStringLiteral("/d/book.pim")),
                 Route::Fleet);
        QCOMPARE(CMainFrame::RouteDroppedFile(FrameFamily::Pim, QStringLiteral("/d/fleet.vlf")), Route::Pim);
        for (int family : {int(FrameFamily::None), int(FrameFamily::Other)}) {
            QCOMPARE(CMainFrame::RouteDroppedFile(family, QStringLiteral("/d/book.PIM")), Route::Pim);
            QCOMPARE(CMainFrame::RouteDroppedFile(family, QStringLiteral("/d/fleet.vlf")), Route::Fleet);
            QCOMPARE(CMainFrame::RouteDroppedFile(family, QStringLiteral("/d/notes.txt")), Route::Fleet);
        }

        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("drops"));
        const QString fleet = folder + QStringLiteral("/Dropped Fleet.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(fleet, CFleetFixtures::Units(2)));
        const QString book = folder + QStringLiteral("/book.pim");
        QFile(book).open(QIODevice::WriteOnly);

        CMainFrame frame(Settings());
        QStringList pimFiles;
        frame.SetPimOpener([&pimFiles](const QString& path) {
            pimFiles << path;
            return true;
        });
        QVERIFY(frame.acceptDrops());
        // No window: each file by its extension.
        Drop(frame, {fleet, book});
        QCOMPARE(frame.Documents().Count(), 1);
        QCOMPARE(frame.Documents().ActiveDocument()->PathName(), fleet);
        QCOMPARE(pimFiles, QStringList{book});
        // In the fleet family everything is a fleet file: the PIM file is refused as one.
        QCOMPARE(frame.ActiveFamily(), int(FrameFamily::Fleet));
        answers.Clear();
        Drop(frame, {book});
        QCOMPARE(pimFiles.size(), 1);
        QCOMPARE(answers.Ids(), QList<int>{1603});
        QCOMPARE(frame.Documents().Count(), 1);
    }

    void viewCommandsReachTheirViews()
    {
        CMainFrame frame(Settings());
        CPhoneFeature::Register(frame.Registry());
        frame.Documents().SetViewFactory(CChildFrame::UnitsTab, [](CVelmoraDoc&) {
            return new CFakeView(FrameFamily::Fleet, {FrameCmd::UnitsCommand, FrameCmd::PagePhoneList});
        });
        frame.Documents().SetViewFactory(CChildFrame::TalkgroupsTab, [](CVelmoraDoc&) {
            return new CFakeView(FrameFamily::Fleet, {FrameCmd::TalkgroupManager, FrameCmd::DeleteTalkgroup});
        });
        CCommandTable& commands = frame.Commands();
        // Commands of parts that are not there yet stay disabled; writing a phone needs a fleet.
        for (int id : {FrameCmd::WritePhone, FrameCmd::CopyWizard, FrameCmd::AutoFill, FrameCmd::EditCopy,
                       FrameCmd::TalkgroupManager, FrameCmd::AppendFleet})
            QVERIFY2(!commands.IsEnabled(id), qPrintable(QString::number(id)));
        QVERIFY(commands.IsEnabled(FrameCmd::ReadPhone));
        QVERIFY(commands.IsEnabled(FrameCmd::CodeplugRecovery));

        CVelmoraDoc* doc = frame.Documents().NewFleet();
        QVERIFY(doc);
        QVERIFY(commands.IsEnabled(FrameCmd::WritePhone));
        CChildFrame* child = frame.Documents().FrameOf(doc);
        auto* units = dynamic_cast<CFakeView*>(child->View(CChildFrame::UnitsTab));
        auto* talkgroups = dynamic_cast<CFakeView*>(child->View(CChildFrame::TalkgroupsTab));
        QVERIFY(units && talkgroups);
        QCOMPARE(child->Tabs()->currentIndex(), 0);

        // The talkgroup command brings its tab to the front, then runs there.
        QVERIFY(commands.Execute(FrameCmd::TalkgroupManager));
        QCOMPARE(child->Tabs()->currentIndex(), int(CChildFrame::TalkgroupsTab));
        QCOMPARE(talkgroups->ran, QList<int>{FrameCmd::TalkgroupManager});
        QVERIFY(commands.Execute(FrameCmd::DeleteTalkgroup));
        // Refresh is the active view's, and the talkgroup view does not take it.
        QVERIFY(!commands.IsEnabled(FrameCmd::Refresh));
        QVERIFY(commands.Execute(FrameCmd::UnitsCommand));
        QCOMPARE(child->Tabs()->currentIndex(), int(CChildFrame::UnitsTab));
        QVERIFY(commands.Execute(FrameCmd::PagePhoneList));
        QVERIFY(!commands.Execute(FrameCmd::PagePrivateList));
        QCOMPARE(units->ran, (QList<int>{FrameCmd::UnitsCommand, FrameCmd::PagePhoneList}));
        // With the units tab active, the talkgroup view's own command is not the active view's.
        QVERIFY(!commands.Execute(FrameCmd::DeleteTalkgroup));

        // Update stores the view's pending work, then marks the fleet changed.
        QVERIFY(!doc->IsModified());
        QVERIFY(commands.Execute(FrameCmd::UpdateFleet));
        QCOMPARE(units->finished, 1);
        QVERIFY(doc->IsModified());
        QVERIFY(doc->IsChanged());
        QCOMPARE(frame.StatusPane(1)->text(), CVelmoraWrap::LoadString(7224));
        QVERIFY(frame.windowTitle().contains(doc->Title()));
    }

    void theActiveViewDisablesFrameCommands()
    {
        CMainFrame frame(Settings());
        frame.Documents().SetViewFactory(CChildFrame::TalkgroupsTab, [](CVelmoraDoc&) {
            auto* view = new CFakeView(FrameFamily::Fleet, {FrameCmd::TalkgroupManager});
            view->disables = {FrameCmd::UpdateFleet, FrameCmd::AppendFleet};
            return view;
        });
        CCommandTable& commands = frame.Commands();
        CVelmoraDoc* doc = frame.Documents().NewFleet();
        QVERIFY(doc);
        QVERIFY(commands.IsEnabled(FrameCmd::UpdateFleet));
        QVERIFY(commands.Execute(FrameCmd::TalkgroupManager));
        QVERIFY(!commands.IsEnabled(FrameCmd::UpdateFleet));
        QVERIFY(!commands.Execute(FrameCmd::AppendFleet));
        QVERIFY(!commands.Action(FrameCmd::UpdateFleet)->isEnabled());
        QVERIFY(commands.IsEnabled(FrameCmd::FileSave));
        // Back on the units tab the commands are the frame's again.
        frame.Documents().FrameOf(doc)->ShowTab(CChildFrame::UnitsTab);
        QVERIFY(commands.IsEnabled(FrameCmd::UpdateFleet));
        QVERIFY(commands.Action(FrameCmd::UpdateFleet)->isEnabled());
    }

    void aFeatureRegisteredThroughTheApiIsRunAndShown()
    {
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        IFrameRegistry& registry = frame.Registry();
        IFrameServices& services = registry.Services();

        // The copy wizard's command belongs to no feature yet: its menu item stays disabled until one
        // registers it, then shows what the feature's test says and runs its handler.
        QAction* action = frame.Commands().Action(FrameCmd::CopyWizard);
        QVERIFY(action && !action->isEnabled());
        bool allowed = false;
        QList<int> family;
        registry.AddCommand(
            FrameCmd::CopyWizard, [&]() { family << services.ActiveFamily(); },
            [&allowed]() { return allowed; });
        QVERIFY(!action->isEnabled());
        action->trigger();
        QVERIFY(family.isEmpty());
        allowed = true;
        frame.Commands().UpdateAll();
        QVERIFY(action->isEnabled());
        action->trigger();
        QCOMPARE(family, QList<int>{FrameFamily::None});
        QVERIFY(services.ExecuteCommand(FrameCmd::CopyWizard));
        QCOMPARE(family.size(), 2);

        // Its tab view fills every new fleet window, and its list-bar handler gets the fleet bar's clicks.
        registry.AddTabView(FrameTab::Talkgroups, [](CVelmoraDoc&) {
            return new CFakeView(FrameFamily::Fleet, {FrameCmd::DeleteTalkgroup});
        });
        QStringList clicked;
        registry.AddListBarHandler(FrameFamily::Fleet, [&clicked](const QString& label) {
            clicked << label;
            return true;
        });
        CVelmoraDoc* doc = services.NewFleet();
        QVERIFY(doc);
        QCOMPARE(services.ActiveDocument(), doc);
        QCOMPARE(services.ActiveFamily(), int(FrameFamily::Fleet));
        QCOMPARE(VisibleBars(frame), QList<int>{CMainFrame::FleetBarId});
        QVERIFY(frame.ListBar(CMainFrame::FleetBarId)->ItemsEnabled());
        QVERIFY(frame.DispatchListBarClick(QStringLiteral("Units")));
        QCOMPARE(clicked, QStringList{QStringLiteral("Units")});
        CChildFrame* child = frame.Documents().FrameOf(doc);
        auto* talkgroups = dynamic_cast<CFakeView*>(child->View(CChildFrame::TalkgroupsTab));
        QVERIFY(talkgroups);
        services.ShowTab(*doc, FrameTab::Talkgroups);
        QCOMPARE(child->Tabs()->currentIndex(), int(CChildFrame::TalkgroupsTab));
        QVERIFY(frame.Commands().IsEnabled(FrameCmd::DeleteTalkgroup));

        // The status line and the wait state over the main window.
        services.SetStatusText(QStringLiteral("Reading"));
        QCOMPARE(frame.StatusPane(0)->text(), QStringLiteral("Reading"));
        services.SetStatusText(QString());
        QCOMPARE(frame.StatusPane(0)->text(), CVelmoraWrap::LoadString(FrameText::StatusReady));
        services.BeginWait();
        services.BeginWait();
        services.EndWait();
        QVERIFY(!frame.isEnabled());
        QCOMPARE(frame.findChildren<CPleaseWait*>().size(), 1);
        services.EndWait();
        QVERIFY(frame.isEnabled());
        QVERIFY(frame.findChildren<CPleaseWait*>().isEmpty());
        frame.Documents().CloseAllWithoutAsking();
    }

    void settingsAnnouncedByTheApplicationReachTheStatusBar()
    {
        CVelmoraApp app;
        CMainFrame frame(Settings());
        QCOMPARE(frame.StatusPane(3)->text(), CVelmoraWrap::LoadString(FrameText::StatusComPort).arg(1));
        CAppSettings changed = frame.Settings();
        changed.comPort = 0x104;
        Q_EMIT app.settingsChanged(changed);
        QCOMPARE(frame.Settings().comPort, 0x104);
        QCOMPARE(frame.StatusPane(3)->text(), CVelmoraWrap::LoadString(FrameText::StatusComPort).arg(4));
        changed.usbPort = 2;
        Q_EMIT app.settingsChanged(changed);
        QCOMPARE(frame.StatusPane(3)->text(), CVelmoraWrap::LoadString(FrameText::StatusUsbPort).arg(2));
    }

    void resetPhoneReportsTheLibrarysAnswer()
    {
        const QString bench = CTestEnvironment::ProgramFolder() + QStringLiteral("/phones");
        AgentSetDelayFunction([](int) {});
        AgentSetBenchFolder(bench);
        QCOMPARE(AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0), 1);
        CMainFrame frame(Settings());
        CPhoneFeature::Register(frame.Registry());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(frame.Commands().Execute(FrameCmd::ResetPhone));
        QCOMPARE(answers.Ids(), QList<int>{1405});
        // The window is usable again and the wait window gone.
        QVERIFY(frame.isEnabled());
        QVERIFY(frame.findChildren<CPleaseWait*>().isEmpty());

        QVERIFY(CPhoneBench(bench).Disconnect());
        answers.Clear();
        QVERIFY(frame.Commands().Execute(FrameCmd::ResetPhone));
        QCOMPARE(answers.Ids(), QList<int>{6005});
        QVERIFY(frame.isEnabled());
        AgentCloseLink();
        AgentSetDelayFunction({});
    }

    void synchronizationProgramAndHelp()
    {
        CMainFrame frame(Settings());
        // The synchronisation command belongs to the PIM feature: without it, it stays disabled.
        QVERIFY(!frame.Commands().Execute(FrameCmd::SyncPim));
        QCOMPARE(answers.Count(), 0);

        // Help shows the language's pages in the help window.
        QVERIFY(frame.Commands().Execute(FrameCmd::HelpTopics));
        CHelpWnd* help = frame.findChild<CHelpWnd*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Browser()->source().toLocalFile(), Settings().helpFile);
    }
};

VELMORA_TEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
