#pragma once

// Shows that a long phone operation runs: the wait cursor, the wait window, and the window it
// belongs to disabled. EndWait undoes all three.
class IWaitIndicator
{
public:
    virtual ~IWaitIndicator() = default;
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
};
