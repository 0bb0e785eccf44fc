#pragma once

#include "IWaitIndicator.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class CPleaseWait;

// The wait state over one window: the wait cursor, the please-wait window and the window disabled.
// Nested waits count, so only the outermost one shows and hides.
class CWidgetWait : public IWaitIndicator
{
public:
    explicit CWidgetWait(QWidget* window);
    ~CWidgetWait() override;

    void BeginWait() override;
    void EndWait() override;
    bool Waiting() const { return m_depth > 0; }

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<CPleaseWait> m_wait;
    int m_depth = 0;
};
