#pragma once

#include "CFrameSettings.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class CCommandTable;
class CDocManager;
class CFrameMenus;
class CFrameServices;
class CHelpWnd;
class CShortcutListDockBar;
class IFrameRegistry;
class IFrameServices;
class QLabel;
class QMdiArea;
class QToolBar;

// The program's main window: the MDI area with the document windows, the main and side toolbars,
// the status bar, the three list bars (fleet, SMS, PIM), the menus of the active view's family, and
// the commands no view handles. Its placement survives in the settings.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    enum ListBarId
    {
        FleetBarId = 141,
        SmsBarId = 142,
        PimBarId = 144
    };
    enum class DropRoute
    {
        Fleet,
        Pim
    };

    explicit CMainFrame(const CFrameSettings& settings = CFrameSettings::FromApp(),
                        QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdiArea; }
    CCommandTable& Commands() const { return *m_commands; }
    CDocManager& Documents() const { return *m_docs; }
    const CFrameSettings& Settings() const { return m_settings; }
    // Where features register their commands, tab views and list-bar handlers, and the services
    // they call.
    IFrameRegistry& Registry() const;
    IFrameServices& Services() const;

    // The family of the active document window's view (FrameFamily).
    int ActiveFamily() const { return m_family; }
    // Classifies the active window again and switches menus and list bar when the family changed.
    void UpdateFamily();

    CShortcutListDockBar* ListBar(int barId) const;
    // Hides the three bars, then shows this one.
    void ShowListBar(int barId);
    void HideListBars();
    QToolBar* MainToolbar() const { return m_mainToolbar; }
    QToolBar* SideToolbar() const { return m_sideToolbar; }
    QLabel* StatusPane(int index) const;

    // What a list-bar click does in a family: the handler gets the item's label and answers whether
    // it handled the click. Items of a bar are enabled while its family has a handler.
    using ListBarHandler = std::function<bool(const QString& label)>;
    void SetListBarHandler(int family, ListBarHandler handler);
    bool DispatchListBarClick(const QString& label);

    // Opens PIM files (the PIM feature's); without one PIM files are not opened.
    using FileOpener = std::function<bool(const QString& path)>;
    void SetPimOpener(FileOpener opener) { m_pimOpener = std::move(opener); }
    // While the active view is of this family, the command runs this instead of the frame's own.
    void SetFamilyCommand(int family, int id, std::function<void()> run, std::function<bool()> enabled);
    // Opens entry index of the recent-file list, a fleet or a PIM file.
    bool OpenRecent(int index);

    // Where a dropped file goes in a family: fleet family files are fleets, PIM family files PIM files,
    // and elsewhere the extension decides.
    static DropRoute RouteDroppedFile(int family, const QString& path);
    void OpenDroppedFiles(const QStringList& paths);
    // Files of the command line or of another start of the program; false when one did not open.
    bool OpenFiles(const QStringList& paths);

    // The saved placement, applied before the window first shows; false when there is none.
    bool RestorePlacement();
    void SavePlacement() const;
    // Shows the window as the saved placement says (maximised or normal).
    void ShowAtStartup();

    // The help window on the topic of a help context; the contents page for 0 (a control without a
    // topic). A context without a page says the page is missing.
    void ShowHelp(int context);
    // The folder of the running language's help pages.
    QString HelpFolder() const;

    // The title the window shows: the active document's name with its modified mark, and the product.
    QString Title() const { return m_title; }

Q_SIGNALS:
    // The user closed the window: its documents are closed and it is hidden.
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateBars();
    void CreateStatusBar();
    void ConnectCommands();
    void ConnectViewCommand(int id, int tab);
    void UpdateTitleAndStatus();
    void ApplyTitle();
    void UpdatePortPane();
    void OnSettingsChanged(const CAppSettings& settings);
    void UpdateListBarItems();
    int ClassifyActiveWindow() const;
    QWidget* ActiveView() const;
    QWidget* TabView(int tab) const;

    void OnFileNew();
    void OnFileOpen();
    void OnLanguage(const QString& name, CInstalledData::Language language);
    void OnHelp(const QString& page = QString());
    // The help window belongs to the open modal dialog (so it takes clicks while the dialog is up)
    // and comes back to the main window when that closes.
    void AttachHelpTo(QWidget* owner);
    void OnAbout();

    CFrameSettings m_settings;
    QMdiArea* m_mdiArea = nullptr;
    // Before the commands and documents: the features' handlers hold the services to the end.
    std::unique_ptr<CFrameServices> m_services;
    std::unique_ptr<CCommandTable> m_commands;
    std::unique_ptr<CFrameMenus> m_menus;
    std::unique_ptr<CDocManager> m_docs;
    QToolBar* m_mainToolbar = nullptr;
    QToolBar* m_sideToolbar = nullptr;
    CShortcutListDockBar* m_bars[3] = {};
    QLabel* m_panes[4] = {};
    QPointer<CHelpWnd> m_help;
    ListBarHandler m_listHandlers[4];
    FileOpener m_pimOpener;
    int m_family = -1;
    int m_languageChoice = 0; // the language chosen for the next start (CInstalledData), 0 when none
    bool m_startMaximized = false;
    QString m_title;
    bool m_applyingTitle = false;
};
