#pragma once

class CVelmoraDoc;
class QMdiSubWindow;
class QString;
class QWidget;

// What the main frame does for the features: the active fleet and family, new fleets, the status
// line, a tab of a fleet window brought forward, a document's pending edits stored, the wait state
// over the main window, its commands run by id, feature windows, the recent-file list and the help of a
// dialog or page.
class IFrameServices
{
public:
    virtual ~IFrameServices() = default;

    // The parent of the features' dialogs.
    virtual QWidget* MainWindow() const = 0;
    virtual CVelmoraDoc* ActiveDocument() const = 0;
    // FrameFamily of the active window's view.
    virtual int ActiveFamily() const = 0;
    // File New with the fleet list bar shown; nullptr when no fleet was made.
    virtual CVelmoraDoc* NewFleet() = 0;
    // First pane of the status bar; empty shows the ready text.
    virtual void SetStatusText(const QString& text) = 0;
    // Brings the tab (FrameTab) of the document's window to the front.
    virtual void ShowTab(CVelmoraDoc& document, int tab) = 0;
    // The document's units grid stores the row being typed; false when its checks refused it.
    virtual bool FinishPendingWork(CVelmoraDoc& document) = 0;
    // Wait cursor, the please-wait window and the main window disabled until EndWait; waits nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // Runs a frame command as its menu item does; false when it is disabled.
    virtual bool ExecuteCommand(int id) = 0;
    // A view's command states changed: menus and toolbars show them now.
    virtual void UpdateCommands() = 0;
    // A feature's own window (not a fleet's) joins the document area, shown and active; the area owns it.
    virtual void AddWindow(QMdiSubWindow* window) = 0;
    virtual void ActivateWindow(QMdiSubWindow* window) = 0;
    // The help window on the topic of a help context (a dialog's or page's "helpContext").
    virtual void ShowHelp(int context) = 0;
    // A file a feature opened goes first on the recent-file list; one that is gone leaves it.
    virtual void AddRecentFile(const QString& path) = 0;
    virtual void RemoveRecentFile(const QString& path) = 0;
};
