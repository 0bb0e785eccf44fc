#include "CEndSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Runs in the signal's context: only a write, which is safe there.
void OnSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    (void)!::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

CEndSignals::CEndSignals(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CEndSignals::ReadSignal);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

CEndSignals::~CEndSignals()
{
    if (!m_notifier)
        return;
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void CEndSignals::ReadSignal()
{
    unsigned char byte = 0;
    if (::read(g_pipe[0], &byte, 1) == 1)
        Q_EMIT endRequested(int(byte));
}
