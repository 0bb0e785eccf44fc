#include "CPhoneCommandHost.h"

#include "CPhoneCommands.h"
#include "CPhoneSettings.h"
#include "CRecoverCPDlg.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IFleetView.h"
#include "IFrameServices.h"
#include "NoCPSupport.h"

CPhoneCommandHost::CPhoneCommandHost(IFrameServices& frame) : m_frame(frame), m_prompt(frame.MainWindow()) {}

CVelmoraDoc* CPhoneCommandHost::ActiveFleet()
{
    return m_frame.ActiveDocument();
}

CVelmoraDoc* CPhoneCommandHost::NewFleet()
{
    return m_frame.NewFleet();
}

void CPhoneCommandHost::BeginWait()
{
    m_frame.BeginWait();
}

void CPhoneCommandHost::EndWait()
{
    m_frame.EndWait();
}

void CPhoneCommandHost::SetStatusText(const QString& text)
{
    m_frame.SetStatusText(text);
}

void CPhoneCommandHost::ShowNoCPSupport()
{
    NoCPSupport dialog(m_frame.MainWindow());
    dialog.exec();
}

void CPhoneCommandHost::Report(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

void CPhoneCommandHost::ShowUnitsView(CVelmoraDoc& document, const QString& imei)
{
    m_frame.ShowTab(document, FrameTab::Units);
    for (IFleetView* view : document.Views())
        view->ShowUnit(imei);
}

bool CPhoneCommandHost::StorePendingEdits(CVelmoraDoc& document)
{
    return m_frame.FinishPendingWork(document);
}

bool CPhoneCommandHost::ReadPhone(IFrameServices& frame)
{
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return false;
    CPhoneCommandHost host(frame);
    return CPhoneCommands::ReadPhone(host, CPhoneSettings::FromApp(), app->ModelRules());
}

bool CPhoneCommandHost::WritePhone(IFrameServices& frame)
{
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return false;
    CPhoneCommandHost host(frame);
    return CPhoneCommands::WritePhone(host, CPhoneSettings::FromApp(), app->ModelRules());
}

bool CPhoneCommandHost::RecoverCodeplug(IFrameServices& frame)
{
    return CRecoverCPDlg::Run(CPhoneSettings::FromApp(), frame.MainWindow(),
                              [&frame](int context) { frame.ShowHelp(context); });
}
