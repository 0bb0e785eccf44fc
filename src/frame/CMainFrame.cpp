#include "CMainFrame.h"

#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFleetContext.h"
#include "CFrameMenus.h"
#include "CFramePlacement.h"
#include "CFrameServices.h"
#include "CHelpKeys.h"
#include "CHelpTable.h"
#include "CHelpWnd.h"
#include "CShortcutListDockBar.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "FrameMessageIds.h"
#include "IFrameView.h"
#include "Options.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

namespace {

// Groups and items of the three list bars, by text id.
QList<CShortcutListDockBar::Group> BarGroups(int barId)
{
    switch (barId) {
    case CMainFrame::FleetBarId:
        return {{1719, {1622, 1623, 1694, 1740, 1624, 1625, 1626, 1627, 1816, 1628}}};
    case CMainFrame::SmsBarId:
        return {{1720, {1617, 1618, 1619, 1620, 1621}}};
    default:
        return {{1760, {1749, 1750, 1751, 1621}}, {1761, {1762, 1763, 1751, 1621}}};
    }
}

int BarIndex(int barId)
{
    switch (barId) {
    case CMainFrame::FleetBarId:
        return 0;
    case CMainFrame::SmsBarId:
        return 1;
    case CMainFrame::PimBarId:
        return 2;
    default:
        return -1;
    }
}

int BarOfFamily(int family)
{
    switch (family) {
    case FrameFamily::Fleet:
        return CMainFrame::FleetBarId;
    case FrameFamily::Other:
        return CMainFrame::SmsBarId;
    case FrameFamily::Pim:
        return CMainFrame::PimBarId;
    default:
        return 0;
    }
}

QString Plain(int textId)
{
    QString text = CVelmoraWrap::LoadString(textId);
    text.remove(QLatin1Char('&'));
    return text;
}

} // namespace

CMainFrame::CMainFrame(const CFrameSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_commands(std::make_unique<CCommandTable>())
{
    setObjectName(QStringLiteral("MainFrame"));
    m_title = m_settings.displayName;
    setWindowTitle(m_title);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    resize(1024, 700);

    m_menus = std::make_unique<CFrameMenus>(*m_commands, *m_mdiArea, this);
    m_docs = std::make_unique<CDocManager>(*m_mdiArea, m_settings);
    m_services = std::make_unique<CFrameServices>(*this);
    CreateBars();
    CreateStatusBar();
    ConnectCommands();

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateFamily);
    connect(m_docs.get(), &CDocManager::documentsChanged, this, &CMainFrame::UpdateFamily);
    connect(m_docs.get(), &CDocManager::documentStateChanged, this, &CMainFrame::UpdateFamily);
    connect(m_docs.get(), &CDocManager::recentFilesChanged, this,
            [this]() { m_menus->SetRecentFiles(m_docs->RecentFiles().Files()); });
    connect(&m_docs->Context(), &CFleetContext::showFleetListBar, this,
            [this]() { ShowListBar(FleetBarId); });
    connect(&m_docs->Context(), &CFleetContext::hideListBars, this, &CMainFrame::HideListBars);
    m_menus->SetRecentFiles(m_docs->RecentFiles().Files());
    if (CVelmoraApp* app = CVelmoraApp::Instance())
        connect(app, &CVelmoraApp::settingsChanged, this, &CMainFrame::OnSettingsChanged);

    // F1, Shift+F1 and "What's This?" anywhere in the program land on the control's topic.
    new CHelpKeys([this](int context) { ShowHelp(context); }, this);

    m_family = -1;
    UpdateFamily();
    RestorePlacement();
}

CMainFrame::~CMainFrame()
{
    // Documents close (stored, backups removed) while the window they report to is whole.
    m_docs->disconnect(this);
    m_docs->Context().disconnect(this);
    m_docs->CloseAllWithoutAsking();
    m_mdiArea->disconnect(this);
}

IFrameRegistry& CMainFrame::Registry() const
{
    return *m_services;
}

IFrameServices& CMainFrame::Services() const
{
    return *m_services;
}

void CMainFrame::CreateBars()
{
    m_mainToolbar = addToolBar(Plain(FrameCmd::MainToolbar));
    m_mainToolbar->setObjectName(QStringLiteral("MainToolbar"));
    m_mainToolbar->setProperty("controlId", 0xE800);
    m_mainToolbar->setIconSize(QSize(24, 24));
    m_menus->FillMainToolbar(*m_mainToolbar);

    // The side toolbar stands at the reading start of the window: the left, or the right in Hebrew.
    // (Dock and toolbar areas are not mirrored by a right-to-left layout.)
    m_sideToolbar = new QToolBar(Plain(FrameCmd::SideToolbar), this);
    m_sideToolbar->setObjectName(QStringLiteral("SideToolbar"));
    m_sideToolbar->setProperty("controlId", 135);
    m_sideToolbar->setIconSize(QSize(24, 24));
    m_sideToolbar->setOrientation(Qt::Vertical);
    m_menus->FillSideToolbar(*m_sideToolbar);
    addToolBar(m_settings.IsHebrew() ? Qt::RightToolBarArea : Qt::LeftToolBarArea, m_sideToolbar);

    // The list bars stand at the other side: the right, or the left in Hebrew.
    for (int barId : {FleetBarId, SmsBarId, PimBarId}) {
        auto* bar = new CShortcutListDockBar(barId, CVelmoraWrap::LoadString(FrameText::ListBarTitle),
                                             BarGroups(barId), this);
        addDockWidget(m_settings.IsHebrew() ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea, bar);
        bar->hide();
        connect(bar, &CShortcutListDockBar::itemClicked, this, &CMainFrame::DispatchListBarClick);
        m_bars[BarIndex(barId)] = bar;
    }
    tabifyDockWidget(m_bars[0], m_bars[1]);
    tabifyDockWidget(m_bars[0], m_bars[2]);
    UpdateListBarItems();

    // A bar closed or opened by the user shows in the check marks at once.
    for (QWidget* bar : {static_cast<QWidget*>(m_mainToolbar), static_cast<QWidget*>(m_sideToolbar),
                         static_cast<QWidget*>(m_bars[0]), static_cast<QWidget*>(m_bars[1]),
                         static_cast<QWidget*>(m_bars[2])}) {
        if (auto* toolbar = qobject_cast<QToolBar*>(bar))
            connect(toolbar, &QToolBar::visibilityChanged, m_commands.get(), &CCommandTable::UpdateAll);
        else if (auto* dock = qobject_cast<QDockWidget*>(bar))
            connect(dock, &QDockWidget::visibilityChanged, m_commands.get(), &CCommandTable::UpdateAll);
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    m_panes[0] = new QLabel(CVelmoraWrap::LoadString(FrameText::StatusReady), bar);
    bar->addWidget(m_panes[0], 1);
    for (int i = 1; i < 4; ++i) {
        m_panes[i] = new QLabel(bar);
        m_panes[i]->setMinimumWidth(72);
        m_panes[i]->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(m_panes[i]);
    }
    const int languageText = m_settings.language == CInstalledData::English
                                 ? 1856
                                 : (m_settings.language == CInstalledData::French ? 1857 : 1859);
    m_panes[2]->setText(CVelmoraWrap::LoadString(languageText));
    UpdatePortPane();
}

void CMainFrame::UpdatePortPane()
{
    m_panes[3]->setText(
        m_settings.usbPort > 0
            ? CVelmoraWrap::LoadString(FrameText::StatusUsbPort).arg(m_settings.usbPort)
            : CVelmoraWrap::LoadString(FrameText::StatusComPort).arg(m_settings.ComPortArg()));
}

void CMainFrame::OnSettingsChanged(const CAppSettings& settings)
{
    // The options dialog's values take effect at once: the status bar names the port now in use.
    static_cast<CAppSettings&>(m_settings) = settings;
    UpdatePortPane();
}

QLabel* CMainFrame::StatusPane(int index) const
{
    return index >= 0 && index < 4 ? m_panes[index] : nullptr;
}

void CMainFrame::ConnectCommands()
{
    using namespace FrameCmd;
    CCommandTable& c = *m_commands;
    const auto hasDoc = [this]() { return m_docs->ActiveDocument() != nullptr; };
    const auto fleetActive = [this]() { return m_family == FrameFamily::Fleet && m_docs->ActiveDocument(); };

    c.SetHandler(FileNew, [this]() { OnFileNew(); });
    c.SetHandler(NewFleet, [this]() {
        if (m_docs->NewFleet())
            ShowListBar(FleetBarId);
    });
    c.SetHandler(FileOpen, [this]() { OnFileOpen(); });
    c.SetHandler(
        FileClose, [this]() { m_docs->CloseActive(); }, hasDoc);
    c.SetHandler(
        FileSave, [this]() { m_docs->SaveActive(); }, fleetActive);
    c.SetHandler(
        FileSaveAs, [this]() { m_docs->SaveActiveAs(); }, fleetActive);
    for (int i = 0; i < 4; ++i)
        c.SetHandler(FileMru1 + i, [this, i]() { OpenRecent(i); });
    c.SetHandler(AppExit, [this]() { close(); });
    c.SetHandler(
        AppendFleet, [this]() { m_docs->AppendToActive(); }, fleetActive);
    c.SetHandler(
        UpdateFleet, [this]() { m_docs->UpdateActive(); }, fleetActive);

    c.SetHandler(
        FrameCmd::MainToolbar, [this]() { m_mainToolbar->setVisible(!m_mainToolbar->isVisible()); }, {},
        [this]() { return m_mainToolbar->isVisible(); });
    c.SetHandler(
        FrameCmd::SideToolbar, [this]() { m_sideToolbar->setVisible(!m_sideToolbar->isVisible()); }, {},
        [this]() { return m_sideToolbar->isVisible(); });
    c.SetHandler(
        ViewStatusBar, [this]() { statusBar()->setVisible(!statusBar()->isVisible()); }, {},
        [this]() { return statusBar()->isVisible(); });
    c.SetHandler(
        FleetBar, [this]() { ShowListBar(FleetBarId); }, {},
        [this]() { return ListBar(FleetBarId)->isVisible(); });
    c.SetHandler(
        SmsBar, [this]() { ShowListBar(SmsBarId); },
        [this]() { return m_settings.smsAvailable && m_settings.carrierId != 3; },
        [this]() { return ListBar(SmsBarId)->isVisible(); });

    c.SetHandler(
        LangEnglish, [this]() { OnLanguage(QStringLiteral("English"), CInstalledData::English); }, {},
        [this]() { return m_settings.language == CInstalledData::English; });
    c.SetHandler(
        LangFrench, [this]() { OnLanguage(QStringLiteral("French"), CInstalledData::French); }, {},
        [this]() { return m_settings.language == CInstalledData::French; });
    c.SetHandler(
        LangHebrew, [this]() { OnLanguage(QStringLiteral("Hebrew"), CInstalledData::Hebrew); },
        [this]() { return m_settings.systemIsHebrew; },
        [this]() { return m_settings.language == CInstalledData::Hebrew; });

    c.SetHandler(FrameCmd::Options, [this]() {
        DispalyOptionsDialog(this, 0);
        if (CVelmoraApp* app = CVelmoraApp::Instance())
            app->ReloadOptions();
    });
    c.SetHandler(HelpTopics, [this]() { OnHelp(); });
    c.SetHandler(DefaultHelp, [this]() { OnHelp(); });
    c.SetHandler(HelpUsing, [this]() { OnHelp(); });
    c.SetHandler(AppAbout, [this]() { OnAbout(); });
    c.SetHandler(
        WindowCascade, [this]() { m_mdiArea->cascadeSubWindows(); },
        [this]() { return !m_mdiArea->subWindowList().isEmpty(); });
    c.SetHandler(
        WindowTile, [this]() { m_mdiArea->tileSubWindows(); },
        [this]() { return !m_mdiArea->subWindowList().isEmpty(); });

    // Commands of the views: enabled while the view that handles them says so. The talkgroup and
    // units commands bring their tab to the front first; the property pages belong to the units view.
    ConnectViewCommand(TalkgroupManager, CChildFrame::TalkgroupsTab);
    ConnectViewCommand(UnitsCommand, CChildFrame::UnitsTab);
    for (int id : {PagePhoneList, PagePrivateList, PageTalkgroupList, PageConsolidated, PageBasic,
                   PageAdvanced, PageStatusMessages, PageScanList, PagePhoneInfo, PageErgonomic})
        ConnectViewCommand(id, CChildFrame::UnitsTab);
    for (int id : {Refresh, DeleteTalkgroup, SmsLoad, SmsSave, SmsModem, SmsOptions, SmsHelp})
        ConnectViewCommand(id, -1);
    m_commands->SetVeto([this](int id) {
        const auto* view = dynamic_cast<const IFrameView*>(ActiveView());
        return view && view->DisablesFrameCommand(id);
    });
}

void CMainFrame::ConnectViewCommand(int id, int tab)
{
    const auto target = [this, tab]() -> IFrameView* {
        return dynamic_cast<IFrameView*>(tab < 0 ? ActiveView() : TabView(tab));
    };
    m_commands->SetHandler(
        id,
        [this, id, tab, target]() {
            IFrameView* view = target();
            if (!view)
                return;
            if (tab >= 0 && (tab == CChildFrame::TalkgroupsTab || id == FrameCmd::UnitsCommand)) {
                if (CChildFrame* frame = m_docs->ActiveFrame())
                    frame->ShowTab(tab);
            }
            view->RunCommand(id);
        },
        [target, id]() {
            IFrameView* view = target();
            return view && view->CanRunCommand(id);
        });
}

QWidget* CMainFrame::ActiveView() const
{
    QMdiSubWindow* window = m_mdiArea->currentSubWindow();
    if (!window) {
        const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        window = windows.isEmpty() ? nullptr : windows.last();
    }
    if (!window)
        return nullptr;
    if (auto* child = qobject_cast<CChildFrame*>(window))
        return child->ActiveView();
    return window->widget();
}

QWidget* CMainFrame::TabView(int tab) const
{
    CChildFrame* frame = m_docs->ActiveFrame();
    return frame ? frame->View(tab) : nullptr;
}

int CMainFrame::ClassifyActiveWindow() const
{
    if (m_mdiArea->subWindowList().isEmpty())
        return FrameFamily::None;
    if (auto* view = dynamic_cast<IFrameView*>(ActiveView()))
        return view->ViewFamily();
    return FrameFamily::Other;
}

void CMainFrame::UpdateFamily()
{
    const int family = ClassifyActiveWindow();
    if (family != m_family) {
        m_family = family;
        menuBar()->clear();
        for (QMenu* menu : m_menus->Menus(family))
            menuBar()->addMenu(menu);
        menuBar()->setProperty("menuResource", CFrameMenus::MenuResource(family));
        if (const int bar = BarOfFamily(family))
            ShowListBar(bar);
        else
            HideListBars();
        UpdateListBarItems();
    }
    UpdateTitleAndStatus();
    m_commands->UpdateAll();
}

void CMainFrame::UpdateTitleAndStatus()
{
    const CVelmoraDoc* doc = m_docs->ActiveDocument();
    // One title in the desktop's form, "name[*] — product". The product ends it, so the platform does
    // not add the application's display name a second time.
    m_title = doc ? QStringLiteral("%1[*] \u2014 %2")
                        .arg(QFileInfo(doc->Title()).fileName(), m_settings.displayName)
                  : m_settings.displayName;
    ApplyTitle();
    setWindowModified(doc && doc->IsModified());
    m_panes[1]->setText(doc && doc->IsModified() ? CVelmoraWrap::LoadString(FrameText::StatusModified)
                                                 : QString());
}

void CMainFrame::ApplyTitle()
{
    if (windowTitle() == m_title)
        return;
    // Our filter goes first, so the document windows do not hear of this change and append
    // themselves to it again.
    installEventFilter(this);
    m_applyingTitle = true;
    setWindowTitle(m_title);
    m_applyingTitle = false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this && m_applyingTitle && event->type() == QEvent::WindowTitleChange)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::changeEvent(QEvent* event)
{
    // A maximised document window writes "title - [document]" into the main window's title; the
    // title already names the document.
    if (event->type() == QEvent::WindowTitleChange && !m_applyingTitle && !m_title.isEmpty() &&
        windowTitle() != m_title)
        QMetaObject::invokeMethod(this, &CMainFrame::ApplyTitle, Qt::QueuedConnection);
    QMainWindow::changeEvent(event);
}

CShortcutListDockBar* CMainFrame::ListBar(int barId) const
{
    const int index = BarIndex(barId);
    return index < 0 ? nullptr : m_bars[index];
}

void CMainFrame::ShowListBar(int barId)
{
    HideListBars();
    if (CShortcutListDockBar* bar = ListBar(barId)) {
        bar->show();
        bar->raise();
        resizeDocks({bar}, {bar->minimumWidth() + 10}, Qt::Horizontal);
    }
    m_commands->UpdateAll();
}

void CMainFrame::HideListBars()
{
    for (CShortcutListDockBar* bar : m_bars)
        bar->hide();
    m_commands->UpdateAll();
}

void CMainFrame::SetListBarHandler(int family, ListBarHandler handler)
{
    if (family < 0 || family > 3)
        return;
    m_listHandlers[family] = std::move(handler);
    UpdateListBarItems();
}

void CMainFrame::UpdateListBarItems()
{
    for (int family : {FrameFamily::Fleet, FrameFamily::Other, FrameFamily::Pim})
        ListBar(BarOfFamily(family))->SetItemsEnabled(bool(m_listHandlers[family]));
}

bool CMainFrame::DispatchListBarClick(const QString& label)
{
    // The active family decides what a label means, whichever bar it came from.
    const ListBarHandler& handler = m_listHandlers[qBound(0, m_family, 3)];
    return handler && m_family != FrameFamily::None && handler(label);
}

CMainFrame::DropRoute CMainFrame::RouteDroppedFile(int family, const QString& path)
{
    if (family == FrameFamily::Fleet)
        return DropRoute::Fleet;
    if (family == FrameFamily::Pim)
        return DropRoute::Pim;
    return path.endsWith(QLatin1String(".pim"), Qt::CaseInsensitive) ? DropRoute::Pim : DropRoute::Fleet;
}

void CMainFrame::OpenDroppedFiles(const QStringList& paths)
{
    const int family = m_family;
    for (const QString& path : paths) {
        if (RouteDroppedFile(family, path) == DropRoute::Fleet)
            m_docs->OpenFleet(path);
        else if (m_pimOpener)
            m_pimOpener(path);
    }
}

bool CMainFrame::OpenFiles(const QStringList& paths)
{
    bool all = true;
    for (const QString& path : paths) {
        if (path.endsWith(QLatin1String(".pim"), Qt::CaseInsensitive))
            all = (m_pimOpener && m_pimOpener(path)) && all;
        else
            all = m_docs->OpenFleet(path) != nullptr && all;
    }
    return all;
}

void CMainFrame::SetFamilyCommand(int family, int id, std::function<void()> run,
                                  std::function<bool()> enabled)
{
    m_commands->SetOverride(
        id, [this, family]() { return m_family == family; }, std::move(run), std::move(enabled));
}

bool CMainFrame::OpenRecent(int index)
{
    const QStringList& files = m_docs->RecentFiles().Files();
    if (index < 0 || index >= files.size())
        return false;
    const QString path = files.at(index);
    if (!path.endsWith(QLatin1String(".pim"), Qt::CaseInsensitive))
        return m_docs->OpenRecent(index) != nullptr;
    return m_pimOpener && m_pimOpener(path);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
    QMainWindow::dragEnterEvent(event);
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    if (paths.isEmpty()) {
        QMainWindow::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    OpenDroppedFiles(paths);
}

bool CMainFrame::RestorePlacement()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    QRect geometry;
    bool maximized = false;
    if (!CFramePlacement::Restore(CFramePlacement::Read(), screen->availableGeometry(), screen->geometry(),
                                  geometry, maximized))
        return false;
    setGeometry(geometry);
    m_startMaximized = maximized;
    return true;
}

void CMainFrame::SavePlacement() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect workArea = screen ? screen->availableGeometry() : QRect();
    CFramePlacement::Write(CFramePlacement::Capture(*this, workArea));
}

void CMainFrame::ShowAtStartup()
{
    if (m_startMaximized)
        showMaximized();
    else
        show();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SavePlacement();
    // Each fleet asks its own save question; a cancel keeps the program running.
    if (!m_docs->CloseAll()) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    event->accept();
    Q_EMIT closed();
}

void CMainFrame::OnFileNew()
{
    // A feature's documents take this command over in their family; elsewhere New makes a fleet.
    m_docs->NewFleet();
}

void CMainFrame::OnFileOpen()
{
    m_docs->PromptAndOpen();
}

void CMainFrame::OnLanguage(const QString& name, CInstalledData::Language language)
{
    CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), name);
    m_languageChoice = language;
    CVelmoraWrap::ShowError(1845, VMT_NOTICE);
}

QString CMainFrame::HelpFolder() const
{
    QString file = m_settings.helpFile;
    if (file.isEmpty())
        file = CFrameSettings::FromApp().helpFile;
    if (file.isEmpty() && !m_settings.programFolder.isEmpty())
        file = QDir(m_settings.programFolder).filePath(QStringLiteral("help/en/index.html"));
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

void CMainFrame::OnHelp(const QString& page)
{
    const QString folder = HelpFolder();
    const QString file = folder.isEmpty()
                             ? QString()
                             : QDir(folder).filePath(page.isEmpty() ? QStringLiteral("index.html") : page);
    if (!m_help)
        m_help = new CHelpWnd(this);
    QWidget* modal = QApplication::activeModalWidget();
    AttachHelpTo(modal && modal != m_help ? modal : this);
    m_help->ShowPage(file);
}

void CMainFrame::ShowHelp(int context)
{
    if (context == 0) {
        OnHelp();
        return;
    }
    const QString page = HelpTable::PageOf(CVelmoraApp::MapHelpContext(context));
    if (page.isEmpty()) {
        CVelmoraWrap::ShowError(CVelmoraWrap::LoadString(FrameText::HelpMissing).arg(context), VMT_ERROR);
        return;
    }
    OnHelp(page);
}

void CMainFrame::AttachHelpTo(QWidget* owner)
{
    if (!m_help || m_help->parentWidget() == owner)
        return;
    const QRect geometry = m_help->geometry();
    const bool shown = m_help->isVisible();
    m_help->setParent(owner, Qt::Window);
    m_help->setGeometry(geometry);
    if (shown)
        m_help->show();
    if (auto* dialog = qobject_cast<QDialog*>(owner); dialog && owner != this)
        connect(dialog, &QDialog::finished, this, [this]() { AttachHelpTo(this); });
}

void CMainFrame::OnAbout()
{
    CAboutDlg about(m_settings.displayName, this);
    about.exec();
}
