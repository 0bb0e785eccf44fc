#pragma once

#include "FrameCommands.h"

#include <QMdiSubWindow>

class CVelmoraDoc;
class QTabWidget;

// The window of one fleet document in the main window: a tab for the units and one for the talkgroups.
// It opens maximised the first time, and closing it asks the document first.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    enum Tab
    {
        UnitsTab = FrameTab::Units,
        TalkgroupsTab = FrameTab::Talkgroups
    };

    // tabFontFamily: the face of the tab labels (the Hebrew face for Hebrew).
    CChildFrame(CVelmoraDoc& document, const QString& tabFontFamily, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CVelmoraDoc& Document() const { return m_document; }
    QTabWidget* Tabs() const { return m_tabs; }
    // The view of the current tab.
    QWidget* ActiveView() const;
    QWidget* View(int tab) const;
    // Puts view (owned from now on) into the tab, replacing what was there.
    void SetView(int tab, QWidget* view);
    void ShowTab(int tab);
    // Labels the two tabs from the language texts.
    void LabelTabs();

    // First show maximised, later as asked.
    void Activate();
    bool WasActivated() const { return m_activated; }

    // The document has closed: the views go now, the window once control returns to the event loop.
    void DestroyViews();
    void Dispose();

Q_SIGNALS:
    // The user closes the window; the document decides whether it may.
    void closeRequested(CChildFrame* frame);
    void activeViewChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateTitle();

    CVelmoraDoc& m_document;
    QTabWidget* m_tabs = nullptr;
    bool m_activated = false;
    bool m_disposed = false;
};
