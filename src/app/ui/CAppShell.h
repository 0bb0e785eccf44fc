#pragma once

#include "IAppShell.h"

#include <QStringList>
#include <memory>

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

    CMainFrame* MainFrame() const { return m_frame.get(); }
    // Every feature of the program plugs its commands, tab views and list-bar handlers into the frame.
    static void RegisterFeatures(IFrameRegistry& frame);
    static void RegisterSms(IFrameRegistry& frame);
    // The organisation and program names the settings are kept under, and the window icon.
    static void SetProgramIdentity();

private:
    // Opens the files other starts handed over, once the main window takes input: a phone operation
    // keeps it disabled (its waits let the event loop turn) and a modal dialog holds the documents.
    void OpenHandedOverFiles();

    std::unique_ptr<CMainFrame> m_frame;
    QStringList m_handedOver;
    bool m_retryPending = false;
};
