#pragma once

#include "CWindowWait.h"
#include "IWaitIndicator.h"

// The phone logic's wait indicator over one window (the recovery dialog, or the main window).
class CWidgetWait : public IWaitIndicator
{
public:
    explicit CWidgetWait(QWidget* window) : m_wait(window) {}

    void BeginWait() override { m_wait.Begin(); }
    void EndWait() override { m_wait.End(); }
    bool Waiting() const { return m_wait.Waiting(); }

private:
    CWindowWait m_wait;
};
