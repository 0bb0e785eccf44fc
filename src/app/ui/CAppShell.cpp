#include "CAppShell.h"

#include "CAutoFillFeature.h"
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
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
    m_handedOver += files;
    OpenHandedOverFiles();
}

void CAppShell::OpenHandedOverFiles()
{
    if (!m_frame || m_handedOver.isEmpty())
        return;
    if (!m_frame->isEnabled() || QApplication::activeModalWidget()) {
        if (!m_retryPending) {
            m_retryPending = true;
            QTimer::singleShot(kBusyRetryMs, m_frame.get(), [this]() {
                m_retryPending = false;
                OpenHandedOverFiles();
            });
        }
        return;
    }
    // The other start's files open here; a file that fails has shown its message and changes nothing else.
    const QStringList files = std::exchange(m_handedOver, QStringList());
    m_frame->OpenFiles(files);
}

void CAppShell::ShowStartupMessage(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

void CAppShell::DestroyMainFrame()
{
    m_handedOver.clear();
    m_retryPending = false;
    m_frame.reset();
}

void CAppShell::SetProgramIdentity()
{
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(CProgramFolderSetup::InstalledDataDir() +
                     QStringLiteral("/icons/velmora-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
}
