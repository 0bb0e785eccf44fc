#include "CCliSignals.h"

namespace {

const int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t g_pending = 0;

// Runs in the signal's context: notes the signal; asked a second time, ends the run as the signal would.
void OnSignal(int signal)
{
    if (g_pending != 0) {
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    g_pending = signal;
}

} // namespace

CCliSignals::CHold::CHold()
{
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &action, &m_old[i]);
}

CCliSignals::CHold::~CHold()
{
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &m_old[i], nullptr);
}

int CCliSignals::Pending()
{
    return int(g_pending);
}

int CCliSignals::Take()
{
    const int signal = int(g_pending);
    g_pending = 0;
    return signal;
}

const char* CCliSignals::Name(int signal)
{
    switch (signal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "signal";
    }
}
