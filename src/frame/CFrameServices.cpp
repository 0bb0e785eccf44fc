#include "CFrameServices.h"

#include "CChildFrame.h"
#include "CCommandTable.h"
#include "CDocManager.h"
#include "CMainFrame.h"
#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

CFrameServices::CFrameServices(CMainFrame& frame) : m_frame(frame), m_wait(&frame) {}

QWidget* CFrameServices::MainWindow() const
{
    return &m_frame;
}

CVelmoraDoc* CFrameServices::ActiveDocument() const
{
    return m_frame.Documents().ActiveDocument();
}

int CFrameServices::ActiveFamily() const
{
    return m_frame.ActiveFamily();
}

CVelmoraDoc* CFrameServices::NewFleet()
{
    CVelmoraDoc* document = m_frame.Documents().NewFleet();
    if (document)
        m_frame.ShowListBar(CMainFrame::FleetBarId);
    return document;
}

void CFrameServices::SetStatusText(const QString& text)
{
    m_frame.StatusPane(0)->setText(text.isEmpty() ? CVelmoraWrap::LoadString(FrameText::StatusReady) : text);
}

void CFrameServices::ShowTab(CVelmoraDoc& document, int tab)
{
    if (CChildFrame* frame = m_frame.Documents().FrameOf(&document))
        frame->ShowTab(tab);
}

bool CFrameServices::FinishPendingWork(CVelmoraDoc& document)
{
    return m_frame.Documents().FinishUnitsRow(&document);
}

bool CFrameServices::ExecuteCommand(int id)
{
    return m_frame.Commands().Execute(id);
}

void CFrameServices::UpdateCommands()
{
    m_frame.Commands().UpdateAll();
}

void CFrameServices::AddWindow(QMdiSubWindow* window)
{
    m_frame.MdiArea()->addSubWindow(window);
    window->show();
    ActivateWindow(window);
}

void CFrameServices::ShowHelp(int context)
{
    m_frame.ShowHelp(context);
}

void CFrameServices::ActivateWindow(QMdiSubWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    m_frame.MdiArea()->setActiveSubWindow(window);
    window->widget()->setFocus();
    m_frame.UpdateFamily();
}

void CFrameServices::AddCommand(int id, Run run, Test enabled, Test checked)
{
    m_frame.Commands().SetHandler(id, std::move(run), std::move(enabled), std::move(checked));
}

void CFrameServices::AddTabView(int tab, ViewFactory factory)
{
    m_frame.Documents().SetViewFactory(tab, std::move(factory));
}

void CFrameServices::AddListBarHandler(int family, ListBarHandler handler)
{
    m_frame.SetListBarHandler(family, std::move(handler));
}

void CFrameServices::AddRecentFile(const QString& path)
{
    m_frame.Documents().AddRecentFile(path);
}

void CFrameServices::RemoveRecentFile(const QString& path)
{
    m_frame.Documents().RemoveRecentFile(path);
}

void CFrameServices::AddFamilyCommand(int family, int id, Run run, Test enabled)
{
    m_frame.SetFamilyCommand(family, id, std::move(run), std::move(enabled));
}

void CFrameServices::SetPimFileOpener(FileOpener opener)
{
    m_frame.SetPimOpener(std::move(opener));
}
