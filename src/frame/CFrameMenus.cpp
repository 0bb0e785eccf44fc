#include "CFrameMenus.h"

#include "CBidiText.h"
#include "CCommandTable.h"
#include "CFrameIcons.h"
#include "CRecentFileList.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "FrameMessageIds.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QToolBar>

CFrameMenus::CFrameMenus(CCommandTable& commands, QMdiArea& area, QWidget* owner)
    : QObject(owner), m_commands(commands), m_area(area), m_owner(owner)
{
    AddCommands();

    using namespace FrameCmd;
    const auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_commands.Action(id));
        }
    };

    QMenu* view = NewMenu(FrameText::MenuView);
    add(view, {MainToolbar, SideToolbar, ViewStatusBar, 0, FleetBar, SmsBar, PimWindow});

    QMenu* phoneNoDoc = NewMenu(FrameText::MenuPhone);
    add(phoneNoDoc, {ReadPhone, ResetPhone, CodeplugRecovery, 0, CopyWizard});
    QMenu* phone = NewMenu(FrameText::MenuPhone);
    add(phone, {ReadPhone, WritePhone, ResetPhone, CodeplugRecovery, 0, CopyWizard});

    QMenu* tools = NewMenu(FrameText::MenuTools);
    add(tools, {Options});
    QMenu* language = tools->addMenu(CVelmoraWrap::LoadString(FrameText::MenuLanguage));
    add(language, {LangEnglish, LangFrench, LangHebrew});
    ExplainHebrew(language);
    add(tools, {0, SyncPim});

    QMenu* help = NewMenu(FrameText::MenuHelp);
    add(help, {HelpTopics, HelpUsing, 0, AppAbout});

    QMenu* edit = NewMenu(FrameText::MenuEdit);
    add(edit, {EditCopy});

    QMenu* units = NewMenu(FrameText::MenuUnits);
    add(units, {UpdateFleet, Refresh, UnitsCommand, 0});
    QMenu* pages = units->addMenu(CVelmoraWrap::LoadString(FrameText::MenuUnitProperties));
    add(pages, {PagePhoneList, PagePrivateList, PageTalkgroupList, PageConsolidated, PageBasic, PageAdvanced,
                PageStatusMessages, PageScanList, PagePhoneInfo});
    add(units, {0, TalkgroupManager, DeleteTalkgroup, 0, AutoFill});

    QMenu* sms = NewMenu(FrameText::MenuSms);
    add(sms, {SmsLoad, SmsSave, SmsModem, SmsOptions, 0, SmsHelp});

    QMenu* pim = NewMenu(FrameText::MenuPim);
    add(pim, {SyncPim});

    m_windowMenu = NewMenu(FrameText::MenuWindow);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &CFrameMenus::FillWindowMenu);

    m_menus[FrameFamily::None] = {FileMenu(FrameFamily::None), view, phoneNoDoc, tools, help};
    m_menus[FrameFamily::Fleet] = {
        FileMenu(FrameFamily::Fleet), edit, view, units, phone, tools, m_windowMenu, help};
    m_menus[FrameFamily::Other] = {
        FileMenu(FrameFamily::Other), edit, view, sms, phone, tools, m_windowMenu, help};
    m_menus[FrameFamily::Pim] = {FileMenu(FrameFamily::Pim), view, pim, tools, m_windowMenu, help};

    // Every menu brings its items up to date as it opens.
    for (QMenu* menu : std::as_const(m_owned))
        connect(menu, &QMenu::aboutToShow, &m_commands, &CCommandTable::UpdateAll);
}

CFrameMenus::~CFrameMenus()
{
    qDeleteAll(m_owned);
}

int CFrameMenus::MenuResource(int family)
{
    switch (family) {
    case FrameFamily::Fleet:
        return 139;
    case FrameFamily::Other:
        return 134;
    case FrameFamily::Pim:
        return 143;
    default:
        return 132;
    }
}

const QList<QMenu*>& CFrameMenus::Menus(int family) const
{
    return m_menus[qBound(0, family, 3)];
}

void CFrameMenus::AddCommands()
{
    using namespace FrameCmd;
    const auto own = [this](int id, bool checkable = false) {
        m_commands.Add(id, CVelmoraWrap::LoadString(id), CFrameIcons::ForCommand(id), checkable);
    };
    // The platform's keys for a command; some platforms have none for Quit or Save As, and those keep
    // the usual desktop key all the same.
    const auto standard = [this](int id, int textId, QKeySequence::StandardKey key = QKeySequence::UnknownKey,
                                 const QKeySequence& usual = QKeySequence()) {
        QAction* action = m_commands.Add(id, CVelmoraWrap::LoadString(textId), CFrameIcons::ForCommand(id));
        QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        if (!usual.isEmpty() && !keys.contains(usual))
            keys << usual;
        action->setShortcuts(keys);
    };
    standard(FileNew, FrameText::FileNew, QKeySequence::New);
    standard(FileOpen, FrameText::FileOpen, QKeySequence::Open);
    standard(FileClose, FrameText::FileClose, QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W));
    standard(FileSave, FrameText::FileSave, QKeySequence::Save);
    standard(FileSaveAs, FrameText::FileSaveAs, QKeySequence::SaveAs,
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    standard(AppExit, FrameText::AppExit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    standard(EditCopy, FrameText::EditCopy, QKeySequence::Copy);
    standard(WindowCascade, FrameText::WindowCascade);
    standard(WindowTile, FrameText::WindowTile);
    standard(AppAbout, FrameText::AppAbout);
    m_commands.Add(ViewStatusBar, CVelmoraWrap::LoadString(FrameText::ViewStatusBar), QIcon(), true);
    for (int i = 0; i < CRecentFileList::kSize; ++i)
        m_commands.Add(FileMru1 + i, QString())->setVisible(false);

    for (int id :
         {HelpUsing,       Refresh,           TalkgroupManager, ResetPhone, ReadPhone,    WritePhone,
          AppendFleet,     CodeplugRecovery,  Options,          CopyWizard, UnitsCommand, UpdateFleet,
          DeleteTalkgroup, PagePhoneList,     PagePrivateList,  PageBasic,  PageAdvanced, PageStatusMessages,
          PageScanList,    PagePhoneInfo,     SmsLoad,          SmsSave,    SmsModem,     SmsOptions,
          SmsHelp,         PageTalkgroupList, PageConsolidated, SyncPim,    NewFleet,     AutoFill,
          HelpTopics})
        own(id);
    m_commands.Action(HelpTopics)->setShortcuts(QKeySequence::HelpContents);
    for (int id :
         {LangEnglish, LangFrench, LangHebrew, FleetBar, SmsBar, PimWindow, MainToolbar, SideToolbar})
        own(id, true);
}

void CFrameMenus::ExplainHebrew(QMenu* language)
{
    // Hebrew is offered on a Hebrew system only; a greyed entry says why, as a tip on the item and in
    // the status bar.
    language->setToolTipsVisible(true);
    QAction* hebrew = m_commands.Action(FrameCmd::LangHebrew);
    const QString plain = hebrew->toolTip();
    const QString why = CVelmoraWrap::LoadString(FrameText::HebrewNeedsSystem);
    const auto explain = [hebrew, plain, why](bool enabled) {
        hebrew->setToolTip(enabled ? plain : why);
        hebrew->setStatusTip(enabled ? plain : why);
    };
    explain(hebrew->isEnabled());
    connect(hebrew, &QAction::enabledChanged, this, explain);
    // A menu shows the status tips of enabled items only: the greyed one's is shown by hand.
    language->installEventFilter(this);
}

bool CFrameMenus::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    const bool move = event->type() == QEvent::MouseMove;
    if (menu && m_owner && (move || event->type() == QEvent::Hide)) {
        QAction* hebrew = m_commands.Action(FrameCmd::LangHebrew);
        const bool over = move && !hebrew->isEnabled() &&
                          menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()) == hebrew;
        if (over) {
            // After the menu has handled the move: leaving an enabled entry clears the status bar.
            QMetaObject::invokeMethod(
                this,
                [this, hebrew]() {
                    if (!m_hebrewTipShown)
                        return; // the menu closed meanwhile
                    QStatusTipEvent tip(hebrew->statusTip());
                    QCoreApplication::sendEvent(m_owner, &tip);
                },
                Qt::QueuedConnection);
        } else if (m_hebrewTipShown) {
            QStatusTipEvent tip{QString()};
            QCoreApplication::sendEvent(m_owner, &tip);
        }
        m_hebrewTipShown = over;
    }
    return QObject::eventFilter(watched, event);
}

QMenu* CFrameMenus::NewMenu(int textId)
{
    auto* menu = new QMenu(CVelmoraWrap::LoadString(textId));
    menu->setObjectName(QStringLiteral("Menu%1").arg(textId));
    menu->setProperty("textId", textId);
    m_owned << menu;
    return menu;
}

QMenu* CFrameMenus::FileMenu(int family)
{
    using namespace FrameCmd;
    QMenu* menu = NewMenu(FrameText::MenuFile);
    menu->addAction(m_commands.Action(FileNew));
    if (family == FrameFamily::Pim)
        menu->addAction(m_commands.Action(NewFleet));
    menu->addAction(m_commands.Action(FileOpen));
    if (family != FrameFamily::None)
        menu->addAction(m_commands.Action(FileClose));
    if (family == FrameFamily::Fleet) {
        menu->addAction(m_commands.Action(FileSave));
        menu->addAction(m_commands.Action(FileSaveAs));
        menu->addSeparator();
        menu->addAction(m_commands.Action(AppendFleet));
    } else if (family == FrameFamily::Pim) {
        menu->addAction(m_commands.Action(FileSaveAs));
    }
    menu->addSeparator();
    AddRecent(menu);
    menu->addSeparator();
    menu->addAction(m_commands.Action(AppExit));
    return menu;
}

void CFrameMenus::AddRecent(QMenu* menu)
{
    if (!m_noRecent) {
        m_noRecent = new QAction(CVelmoraWrap::LoadString(FrameText::RecentFileNone), this);
        m_noRecent->setEnabled(false);
    }
    menu->addAction(m_noRecent);
    for (int i = 0; i < CRecentFileList::kSize; ++i)
        menu->addAction(m_commands.Action(FrameCmd::FileMru1 + i));
}

void CFrameMenus::SetRecentFiles(const QStringList& files)
{
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = m_commands.Action(FrameCmd::FileMru1 + i);
        const bool used = i < files.size();
        action->setText(used ? CRecentFileList::MenuText(i, files[i]) : QString());
        action->setToolTip(used ? files[i] : QString());
        action->setVisible(used);
    }
    m_noRecent->setVisible(files.isEmpty());
}

void CFrameMenus::FillMainToolbar(QToolBar& bar) const
{
    using namespace FrameCmd;
    for (int id : std::initializer_list<int>{FileNew, FileOpen, FileSave, 0, AppendFleet, 0, ReadPhone,
                                             WritePhone, 0, CopyWizard, 0, HelpTopics, AppAbout}) {
        if (id == 0)
            bar.addSeparator();
        else
            bar.addAction(m_commands.Action(id));
    }
}

void CFrameMenus::FillSideToolbar(QToolBar& bar) const
{
    using namespace FrameCmd;
    for (int id : std::initializer_list<int>{FleetBar, SmsBar, 0, UpdateFleet, TalkgroupManager, 0,
                                             ResetPhone, CodeplugRecovery, 0, Options}) {
        if (id == 0)
            bar.addSeparator();
        else
            bar.addAction(m_commands.Action(id));
    }
}

void CFrameMenus::FillWindowMenu()
{
    // Cascade, tile, then one entry per document window, the active one checked.
    // clear() deletes the entries the menu made itself.
    m_windowEntries.clear();
    m_windowMenu->clear();
    m_windowMenu->addAction(m_commands.Action(FrameCmd::WindowCascade));
    m_windowMenu->addAction(m_commands.Action(FrameCmd::WindowTile));
    const QList<QMdiSubWindow*> windows = m_area.subWindowList();
    if (!windows.isEmpty())
        m_windowEntries << m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QString title = window->windowTitle();
        title.replace(QStringLiteral("[*]"), window->isWindowModified() ? QStringLiteral("*") : QString());
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action =
            m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(CBidiText::IsolateLtr(title)));
        action->setCheckable(true);
        action->setChecked(window == m_area.currentSubWindow());
        connect(action, &QAction::triggered, &m_area,
                [this, window]() { m_area.setActiveSubWindow(window); });
        m_windowEntries << action;
    }
}
