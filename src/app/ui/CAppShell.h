#pragma once

#include "IAppShell.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class CMainFrame;
class IFrameRegistry;

// The windowed half of start-up: makes, shows and raises the main frame.
class CAppShell : public IAppShell
{
public:
    CAppShell();
    ~CAppShell() override;

    void EnableSplashScreen() override;
    bool CreateMainFrame(const QString& title) override;
    bool ProcessShellCommand(const QStringList& files) override;
    void ShowMainWindow() override;
    void ActivateFromOtherInstance(const QStringList& files) override;
    void ShowStartupMessage(const CVelmoraError& error) override;
    void DestroyMainFrame() override;
    bool MainWindowShown() const override;
    void BringMainWindowToFront() override;
    bool OpenDocuments(const QStringList& files) override;
    void NewDocument() override;
    void RunWhenFree(std::function<void()> work) override;
    void SetMainWindowClosedHandler(std::function<void()> handler) override;

    CMainFrame* MainFrame() const { return m_frame.get(); }
    // Every feature of the program plugs its commands, tab views and list-bar handlers into the frame.
    static void RegisterFeatures(IFrameRegistry& frame);
    static void RegisterSms(IFrameRegistry& frame);
    // The organisation and program names the settings are kept under, and the window icon.
    static void SetProgramIdentity();

private:
    // Runs the waiting work (files other starts handed over, automation calls) in order, once the main
    // window takes input: a phone operation keeps it disabled (its waits let the event loop turn) and
    // a modal dialog holds the documents.
    void RunWaitingWork();

    std::unique_ptr<CMainFrame> m_frame;
    std::vector<std::function<void()>> m_waiting;
    std::function<void()> m_closedHandler;
    bool m_retryPending = false;
};
