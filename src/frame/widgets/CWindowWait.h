#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

class CPleaseWait;

// The wait state over one window: the wait cursor, the please-wait window and the window disabled.
// Nested waits count, so only the outermost one shows and hides.
class CWindowWait
{
public:
    explicit CWindowWait(QWidget* window);
    ~CWindowWait();
    CWindowWait(const CWindowWait&) = delete;
    CWindowWait& operator=(const CWindowWait&) = delete;

    void Begin();
    void End();
    bool Waiting() const { return m_depth > 0; }

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<CPleaseWait> m_wait;
    int m_depth = 0;
};
