#include "CHiddenStartAnswerer.h"

#include "IAppShell.h"

int CHiddenStartAnswerer::Answer(const CVelmoraMessage& message)
{
    if (m_shell.MainWindowShown())
        return m_boxes.Answer(message);
    return m_stderr.Answer(message);
}
