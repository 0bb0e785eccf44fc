#pragma once

#include <QList>
#include <QObject>

class CCommandTable;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QWidget;

// The frame's commands with their texts and icons, the four menus (no document, fleet, other, PIM),
// and the contents of the two toolbars. Menus of several families share their actions.
class CFrameMenus : public QObject
{
    Q_OBJECT
public:
    CFrameMenus(CCommandTable& commands, QMdiArea& area, QWidget* owner);
    ~CFrameMenus() override;

    // Menu resource of a family (132, 139, 134, 143) and its top-level menus.
    static int MenuResource(int family);
    const QList<QMenu*>& Menus(int family) const;

    void FillMainToolbar(QToolBar& bar) const;
    void FillSideToolbar(QToolBar& bar) const;
    // The recent-file entries of the File menus.
    void SetRecentFiles(const QStringList& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddCommands();
    void ExplainHebrew(QMenu* language);
    QMenu* NewMenu(int textId);
    QMenu* FileMenu(int family);
    void AddRecent(QMenu* menu);
    void FillWindowMenu();

    CCommandTable& m_commands;
    QMdiArea& m_area;
    QWidget* m_owner;
    QList<QMenu*> m_menus[4];
    QList<QMenu*> m_owned;
    QMenu* m_windowMenu = nullptr;
    QAction* m_noRecent = nullptr;
    QList<QAction*> m_windowEntries;
    bool m_hebrewTipShown = false;
};
