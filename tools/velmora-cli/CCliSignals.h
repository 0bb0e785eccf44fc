#pragma once

// The signals that ask a run to end (TERM, INT, HUP) are held back while the tool works, so a run is
// never cut off half-way with a fleet expanded or a copy left in the temporary folder. A fleet change
// not yet committed when one arrives is rolled back; the run then ends with 128 + the signal.
class CCliSignals
{
public:
    // Holds the signals back until the guard goes (the mask the process had is put back).
    class CHold
    {
    public:
        CHold();
        ~CHold();
        CHold(const CHold&) = delete;
        CHold& operator=(const CHold&) = delete;

    private:
        unsigned char m_old[128];
    };

    // The held-back signal waiting, or 0.
    static int Pending();
    // Takes the waiting signal (it is then gone), or 0.
    static int Take();
    // The signal's name, as "SIGTERM".
    static const char* Name(int signal);
};
