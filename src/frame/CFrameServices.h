#pragma once

#include "CWindowWait.h"
#include "IFrameRegistry.h"
#include "IFrameServices.h"

class CMainFrame;

// The main frame's side of its API: the services features call, and the registry that puts their
// commands, tab views and list-bar handlers into the frame's command table, documents and bars.
class CFrameServices : public IFrameServices, public IFrameRegistry
{
public:
    explicit CFrameServices(CMainFrame& frame);

    // IFrameServices
    QWidget* MainWindow() const override;
    CVelmoraDoc* ActiveDocument() const override;
    int ActiveFamily() const override;
    CVelmoraDoc* NewFleet() override;
    void SetStatusText(const QString& text) override;
    void ShowTab(CVelmoraDoc& document, int tab) override;
    bool FinishPendingWork(CVelmoraDoc& document) override;
    void BeginWait() override { m_wait.Begin(); }
    void EndWait() override { m_wait.End(); }
    bool ExecuteCommand(int id) override;
    void UpdateCommands() override;
    void AddWindow(QMdiSubWindow* window) override;
    void ActivateWindow(QMdiSubWindow* window) override;
    void ShowHelp(int context) override;
    void AddRecentFile(const QString& path) override;
    void RemoveRecentFile(const QString& path) override;

    // IFrameRegistry
    IFrameServices& Services() override { return *this; }
    void AddCommand(int id, Run run, Test enabled = Test(), Test checked = Test()) override;
    void AddTabView(int tab, ViewFactory factory) override;
    void AddListBarHandler(int family, ListBarHandler handler) override;
    void AddFamilyCommand(int family, int id, Run run, Test enabled = Test()) override;
    void SetPimFileOpener(FileOpener opener) override;

private:
    CMainFrame& m_frame;
    CWindowWait m_wait;
};
