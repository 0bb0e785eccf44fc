#pragma once

#include "IFrameView.h"

#include <QWidget>

class CPIMTabWnd;

// The view of a PIM document in its window. It draws nothing of its own: it holds the tab window of
// the two books, and tells the main frame that a PIM window is active (its menu and list bar).
class CPhoneCenterView : public QWidget, public IFrameView
{
    Q_OBJECT
public:
    explicit CPhoneCenterView(QWidget* parent = nullptr);

    CPIMTabWnd* TabWnd() const { return m_tabs; }

    // IFrameView
    int ViewFamily() const override;
    bool FinishPendingWork() override;

private:
    CPIMTabWnd* m_tabs = nullptr;
};
