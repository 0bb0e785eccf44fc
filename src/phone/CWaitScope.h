#pragma once

#include "IWaitIndicator.h"

// Holds the wait state for a scope, so every way out of a long operation ends it.
class CWaitScope
{
public:
    explicit CWaitScope(IWaitIndicator& indicator) : m_indicator(&indicator) { m_indicator->BeginWait(); }
    ~CWaitScope() { End(); }
    CWaitScope(const CWaitScope&) = delete;
    CWaitScope& operator=(const CWaitScope&) = delete;

    void End()
    {
        if (m_indicator)
            m_indicator->EndWait();
        m_indicator = nullptr;
    }

private:
    IWaitIndicator* m_indicator;
};
