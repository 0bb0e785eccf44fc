#include "CAppShell.h"

#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "CVelmoraApp.h"

#include <QGuiApplication>
#include <QIcon>

CAppShell::CAppShell() = default;
CAppShell::~CAppShell() = default;

void CAppShell::EnableSplashScreen()
{
    CSplashWnd::EnableSplashScreen(true);
}

bool CAppShell::CreateMainFrame(const QString& title)
{
    m_frame = std::make_unique<CMainFrame>();
    if (const CVelmoraApp* app = CVelmoraApp::Instance())
        CSplashWnd::ShowSplashScreen(m_frame.get(), app->ProgramFolder(), app->LanguageName());
    m_frame->setWindowTitle(title);
    m_frame->setLayoutDirection(QGuiApplication::layoutDirection());
    return true;
}

bool CAppShell::ProcessShellCommand(const QStringList& files)
{
    // Fleet files on the command line are opened by the document manager once it exists; until
    // then the program starts with no document, as it does without arguments.
    Q_UNUSED(files);
    return true;
}

void CAppShell::ShowMainWindow()
{
    if (m_frame)
        m_frame->show();
    // The picture stays above the window that has just appeared under it.
    if (CSplashWnd* splash = CSplashWnd::Current())
        splash->raise();
}

void CAppShell::ActivateFromOtherInstance(const QStringList& files)
{
    if (!m_frame)
        return;
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
    ProcessShellCommand(files);
}

void CAppShell::DestroyMainFrame()
{
    m_frame.reset();
}
