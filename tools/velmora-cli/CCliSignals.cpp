#include "CCliSignals.h"

#include <csignal>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <pthread.h>

namespace {

sigset_t EndSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

static_assert(sizeof(sigset_t) <= 128, "the saved mask must fit");

CCliSignals::CHold::CHold()
{
    const sigset_t set = EndSignals();
    sigset_t old;
    pthread_sigmask(SIG_BLOCK, &set, &old);
    std::memcpy(m_old, &old, sizeof old);
}

CCliSignals::CHold::~CHold()
{
    sigset_t old;
    std::memcpy(&old, m_old, sizeof old);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

int CCliSignals::Pending()
{
    sigset_t pending;
    if (sigpending(&pending) != 0)
        return 0;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        if (sigismember(&pending, signal) == 1)
            return signal;
    }
    return 0;
}

int CCliSignals::Take()
{
    if (Pending() == 0)
        return 0;
    const sigset_t set = EndSignals();
    const timespec now{0, 0};
    const int signal = sigtimedwait(&set, nullptr, &now);
    return signal > 0 ? signal : 0;
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
