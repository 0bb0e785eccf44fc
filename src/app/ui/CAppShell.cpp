#include "CAppShell.h"

#include "CAutoFillFeature.h"
#include "CCommandTable.h"
#include "CCopyWizardFeature.h"
#include "CFrameSettings.h"
#include "CMainFrame.h"
#include "CPhoneFeature.h"
#include "CPimFeature.h"
#include "CProgramFolderSetup.h"
#include "CSmsFeature.h"
#include "CSmsLibrary.h"
#include "CSplashWnd.h"
#include "CTalkgroupFeature.h"
#include "CUnitCopyUserInfoDlg.h"
#include "CUnitEditFeature.h"
#include "CUnitsFeature.h"
#include "CVelmoraApp.h"
#include "CVelmoraError.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>
#include <utility>

namespace {
// How often files handed over while the window is busy are tried again.
constexpr int kBusyRetryMs = 250;
} // namespace

CAppShell::CAppShell() = default;
CAppShell::~CAppShell() = default;

void CAppShell::EnableSplashScreen()
{
    CSplashWnd::EnableSplashScreen(true);
}

bool CAppShell::CreateMainFrame(const QString& title)
{
    m_frame = std::make_unique<CMainFrame>(CFrameSettings::FromApp());
    RegisterFeatures(m_frame->Registry());
    if (const CVelmoraApp* app = CVelmoraApp::Instance())
        CSplashWnd::ShowSplashScreen(m_frame.get(), app->ProgramFolder(), app->LanguageName());
    m_frame->setWindowTitle(title);
    m_frame->setLayoutDirection(QGuiApplication::layoutDirection());
    // Queued: the window is hidden only once its close event is over.
    QObject::connect(
        m_frame.get(), &CMainFrame::closed, m_frame.get(),
        [this]() {
            if (m_closedHandler)
                m_closedHandler();
        },
        Qt::QueuedConnection);
    return true;
}

void CAppShell::RegisterFeatures(IFrameRegistry& frame)
{
    // The units grid opens the unit property sheet of the unit-editing feature.
    CUnitsFeature::Register(frame, CUnitEditFeature::Register(frame));
    // The Copy buttons of the sheet's pages open the fleet exchange's copy dialog.
    CUnitCopyUserInfoDlg::Install();
    CPhoneFeature::Register(frame);
    CCopyWizardFeature::Register(frame);
    CTalkgroupFeature::Register(frame);
    CAutoFillFeature::Register(frame);
    RegisterSms(frame);
    CPimFeatureSettings pim;
    if (const CVelmoraApp* app = CVelmoraApp::Instance()) {
        pim.programFolder = app->ProgramFolder();
        pim.carrierId = app->CarrierId();
    }
    CPimFeature::Register(frame, pim);
}

void CAppShell::RegisterSms(IFrameRegistry& frame)
{
    CSmsContext sms;
    sms.sendSettings = []() {
        CSmsSendSettings settings;
        if (const CVelmoraApp* app = CVelmoraApp::Instance()) {
            const CAppSettings values = app->Settings();
            settings.autoSplit = values.autoSplit != 0;
            settings.breakBetweenWords = values.breakBetweenWords != 0;
            settings.stripExtraSpace = values.stripExtraSpace != 0;
            settings.addIndex = values.addIndex != 0;
            settings.maxLength = app->MaxSmsLength();
            settings.providerName = app->ServiceProviderName();
            settings.providerCity = app->ServiceProviderCity();
            settings.providerPrefix = app->ServiceProviderPrefix();
            settings.providerPhone = app->ServiceProviderPhone();
        }
        return settings;
    };
    sms.optionsChanged = []() {
        if (CVelmoraApp* app = CVelmoraApp::Instance())
            app->ReloadOptions();
    };
    sms.fleetSettings = []() {
        const CVelmoraApp* app = CVelmoraApp::Instance();
        return app ? app->Settings().Fleet() : CFleetSettings();
    };
    const CVelmoraApp* app = CVelmoraApp::Instance();
    const bool available = !app || (app->SmsAvailable() && app->CarrierId() != 3);
    // The modem library lives as long as the program; it is not used when it did not start.
    static CSmsLibrary library;
    if (app && app->SmsAvailable())
        sms.library = &library;
    CSmsFeature::Register(frame, sms, available);
}

bool CAppShell::ProcessShellCommand(const QStringList& files)
{
    // Each file of the command line opens as a document; one that does not open ends start-up,
    // after its message.
    return !m_frame || m_frame->OpenFiles(files);
}

void CAppShell::ShowMainWindow()
{
    if (m_frame)
        m_frame->ShowAtStartup();
    // The picture stays above the window that has just appeared under it.
    if (CSplashWnd* splash = CSplashWnd::Current())
        splash->raise();
}

void CAppShell::ActivateFromOtherInstance(const QStringList& files)
{
    if (!m_frame)
        return;
    BringMainWindowToFront();
    // The other start's files open here; a file that fails has shown its message and changes nothing else.
    if (!files.isEmpty())
        RunWhenFree([this, files]() { OpenDocuments(files); });
}

bool CAppShell::MainWindowShown() const
{
    return m_frame && m_frame->isVisible();
}

void CAppShell::BringMainWindowToFront()
{
    if (!m_frame)
        return;
    if (m_frame->isMinimized())
        m_frame->showNormal();
    else if (!m_frame->isVisible())
        m_frame->ShowAtStartup(); // first time on the screen: as the saved placement says
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
}

bool CAppShell::OpenDocuments(const QStringList& files)
{
    return m_frame && m_frame->OpenFiles(files);
}

void CAppShell::NewDocument()
{
    // A new fleet, whatever window is in front: File New would make a PIM file when the PIM window is.
    if (m_frame)
        m_frame->Commands().Execute(FrameCmd::NewFleet);
}

void CAppShell::RunWhenFree(std::function<void()> work)
{
    if (!m_frame)
        return;
    m_waiting.push_back(std::move(work));
    RunWaitingWork();
}

void CAppShell::RunWaitingWork()
{
    if (!m_frame || m_waiting.empty())
        return;
    if (!m_frame->isEnabled() || QApplication::activeModalWidget()) {
        if (!m_retryPending) {
            m_retryPending = true;
            QTimer::singleShot(kBusyRetryMs, m_frame.get(), [this]() {
                m_retryPending = false;
                RunWaitingWork();
            });
        }
        return;
    }
    // Work may show a message (and turn the event loop) or end the window: take one item at a time.
    while (m_frame && !m_waiting.empty() && m_frame->isEnabled() && !QApplication::activeModalWidget()) {
        const std::function<void()> work = std::move(m_waiting.front());
        m_waiting.erase(m_waiting.begin());
        work();
    }
    if (!m_waiting.empty())
        RunWaitingWork();
}

void CAppShell::SetMainWindowClosedHandler(std::function<void()> handler)
{
    m_closedHandler = std::move(handler);
}

void CAppShell::ShowStartupMessage(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

void CAppShell::DestroyMainFrame()
{
    m_waiting.clear();
    m_retryPending = false;
    m_frame.reset();
}

void CAppShell::SetProgramIdentity()
{
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // Ties the windows to the desktop entry (velmora.desktop): the desktop shows its icon and name for them.
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(CProgramFolderSetup::InstalledDataDir() +
                     QStringLiteral("/icons/velmora-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
}
