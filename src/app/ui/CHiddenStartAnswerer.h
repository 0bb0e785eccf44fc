#pragma once

#include "CMessageBoxAnswerer.h"
#include "CStderrAnswerer.h"

class IAppShell;

// Answers the messages of a program started for automation: on stderr (with the cautious answer) while
// its main window is hidden and nobody is there to see a box, in message boxes once the window is on
// the screen and a user works with it.
class CHiddenStartAnswerer : public IVelmoraAnswerer
{
public:
    explicit CHiddenStartAnswerer(const IAppShell& shell) : m_shell(shell) {}
    int Answer(const CVelmoraMessage& message) override;

private:
    const IAppShell& m_shell;
    CMessageBoxAnswerer m_boxes;
    CStderrAnswerer m_stderr;
};
