#pragma once

#include <QStringList>
#include <functional>

class CVelmoraError;

// The windowed half of start-up, which the application object calls at its fixed points:
// the program implements it with the main frame, tests with a recorder.
class IAppShell
{
public:
    virtual ~IAppShell() = default;
    // Start-up allows the splash picture, which the main window shows as it is made.
    virtual void EnableSplashScreen() {}
    // Creates the main window with its title; false ends start-up.
    virtual bool CreateMainFrame(const QString& title) = 0;
    // Opens the files of the command line (or starts as the command line asks); false ends start-up.
    virtual bool ProcessShellCommand(const QStringList& files) = 0;
    virtual void ShowMainWindow() = 0;
    // Another start of the program handed over: bring the window to the front and open its files.
    virtual void ActivateFromOtherInstance(const QStringList& files) = 0;
    // A start-up step failed without ending start-up (the SMS library): tell the user.
    virtual void ShowStartupMessage(const CVelmoraError& error) {}
    // Exit step: the main window and everything it owns go away.
    virtual void DestroyMainFrame() = 0;

    // What the automation object asks of the windows.
    // Whether the main window is on the screen (shown, minimised or not).
    virtual bool MainWindowShown() const { return false; }
    // Shows the main window (as the user left it, never minimised) and brings it to the front.
    virtual void BringMainWindowToFront() {}
    // Opens the files as documents; false when one did not open (it has shown its message).
    virtual bool OpenDocuments(const QStringList& files) { return ProcessShellCommand(files); }
    // A new fleet, as the main window's New Fleet command makes it.
    virtual void NewDocument() {}
    // Runs work once the main window takes input again (a modal dialog or a phone operation may hold
    // it); work that is still waiting when the window goes is dropped.
    virtual void RunWhenFree(std::function<void()> work) { work(); }
    // Called each time the user closes the main window (it is then hidden and its documents closed).
    virtual void SetMainWindowClosedHandler(std::function<void()> handler) {}
};
