#pragma once

#include <csignal>

// The signals that ask a run to end (TERM, INT, HUP) are noted, not obeyed at once, while the tool
// works, so a run is never cut off half-way with a fleet expanded or a copy left in the temporary
// folder. A fleet change not yet committed when one arrives is rolled back; the run then ends with
// 128 + the signal. A second signal while the first waits ends the run at once (a run that hangs).
class CCliSignals
{
public:
    // Notes the signals until the guard goes (the handling the process had is put back).
    class CHold
    {
    public:
        CHold();
        ~CHold();
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        struct sigaction m_old[3];
    };

    // The signal that came and waits, or 0.
    static int Pending();
    // Takes the waiting signal (it is then gone), or 0.
    static int Take();
    // The signal's name, as "SIGTERM".
    static const char* Name(int signal);
};
