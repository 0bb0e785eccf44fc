#include "CPimSync.h"

#include "CVelmoraWrap.h"
#include "PimDocMessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// How often a process that cannot be watched through a process descriptor is looked at.
constexpr int kPollMs = 500;

// A process that has ended but not been reaped yet (state Z in /proc) counts as ended.
bool ProcessAlive(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}

} // namespace

CPimSync::CPimSync(QObject* parent) : QObject(parent) {}

CPimSync::~CPimSync()
{
    if (m_pidFd >= 0)
        ::close(m_pidFd);
}

QString CPimSync::SettingsGroup()
{
    return QStringLiteral("Brightwave/SyncDesk");
}

QString CPimSync::ProgramName()
{
    return QStringLiteral("SyncDesk");
}

QString CPimSync::ProgramPath()
{
    QString folder;
    if (!CVelmoraWrap::GetGroupValue(SettingsGroup(), QStringLiteral("InstallDir"), folder) ||
        folder.isEmpty())
        return QString();
    return QDir(folder).filePath(ProgramName());
}

CVelmoraError CPimSync::CheckInstalled()
{
    return ProgramPath().isEmpty() ? CVelmoraError::Message(PimDocMsg::SyncNotFound, {}, VMT_NOTICE)
                                   : CVelmoraError();
}

CVelmoraError CPimSync::Launch()
{
    if (IsRunning())
        return CVelmoraError();
    const QString program = ProgramPath();
    const QFileInfo info(program);
    qint64 pid = 0;
    if (program.isEmpty() || !info.isFile() || !info.isExecutable() ||
        !QProcess::startDetached(program, {}, info.absolutePath(), &pid) || pid <= 0)
        return CVelmoraError::Message(PimDocMsg::SyncNotInstalled);
    m_pid = pid;
    Q_EMIT started();
    Watch();
    return CVelmoraError();
}

void CPimSync::Watch()
{
    // A process descriptor reports the end of exactly this process, even once its number is reused.
#ifdef SYS_pidfd_open
    m_pidFd = int(::syscall(SYS_pidfd_open, pid_t(m_pid), 0));
#endif
    if (m_pidFd >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_pidFd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &CPimSync::End);
        return;
    }
    // Without one (an older kernel), the process is looked at now and then.
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setInterval(kPollMs);
        connect(m_poll, &QTimer::timeout, this, &CPimSync::CheckEnded);
    }
    m_poll->start();
    // It may have ended already (before the descriptor could be made).
    QTimer::singleShot(0, this, &CPimSync::CheckEnded);
}

void CPimSync::CheckEnded()
{
    if (m_pid > 0 && !ProcessAlive(m_pid))
        End();
}

void CPimSync::End()
{
    if (m_pid <= 0)
        return;
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier.release()->deleteLater();
    }
    if (m_pidFd >= 0) {
        ::close(m_pidFd);
        m_pidFd = -1;
    }
    if (m_poll)
        m_poll->stop();
    m_pid = 0;
    Q_EMIT finished();
}
