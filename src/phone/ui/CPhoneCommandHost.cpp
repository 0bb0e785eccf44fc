#include "CPhoneCommandHost.h"

#include "CPhoneCommands.h"
#include "CPhoneSettings.h"
#include "CRecoverCPDlg.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "NoCPSupport.h"

CPhoneCommandHost::CPhoneCommandHost(QWidget* mainWindow, Hooks hooks)
    : m_window(mainWindow), m_hooks(std::move(hooks)), m_wait(mainWindow), m_prompt(mainWindow)
{
}

CVelmoraDoc* CPhoneCommandHost::ActiveFleet()
{
    return m_hooks.activeFleet ? m_hooks.activeFleet() : nullptr;
}

CVelmoraDoc* CPhoneCommandHost::NewFleet()
{
    return m_hooks.newFleet ? m_hooks.newFleet() : nullptr;
}

void CPhoneCommandHost::SetStatusText(const QString& text)
{
    if (m_hooks.statusText)
        m_hooks.statusText(text);
}

void CPhoneCommandHost::ShowNoCPSupport()
{
    NoCPSupport dialog(m_window);
    dialog.exec();
}

void CPhoneCommandHost::ShowError(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

void CPhoneCommandHost::SetSimKind(int simKind)
{
    if (m_hooks.simKind)
        m_hooks.simKind(simKind);
}

void CPhoneCommandHost::ShowUnitsView(CVelmoraDoc& document)
{
    if (m_hooks.showUnits)
        m_hooks.showUnits(document);
}

bool CPhoneCommandHost::StorePendingEdits(CVelmoraDoc& document)
{
    return !m_hooks.storePending || m_hooks.storePending(document);
}

bool CPhoneCommandHost::ReadPhone(QWidget* mainWindow, const Hooks& hooks)
{
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return false;
    CPhoneCommandHost host(mainWindow, hooks);
    return CPhoneCommands::ReadPhone(host, CPhoneSettings::FromApp(), app->ModelRules());
}

bool CPhoneCommandHost::WritePhone(QWidget* mainWindow, const Hooks& hooks)
{
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return false;
    CPhoneCommandHost host(mainWindow, hooks);
    return CPhoneCommands::WritePhone(host, CPhoneSettings::FromApp(), app->ModelRules());
}

bool CPhoneCommandHost::RecoverCodeplug(QWidget* mainWindow)
{
    return CRecoverCPDlg::Run(CPhoneSettings::FromApp(), mainWindow);
}
