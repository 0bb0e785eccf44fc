#include "CFleetLock.h"

#include "CFleetLeftovers.h"
#include "CSafeFile.h"
#include "FleetMessageIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Hold
{
    int fd = -1;
    int count = 0;
    QString lockPath;
};

QMutex& RegistryMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, Hold>& Registry()
{
    static QHash<QString, Hold> holds;
    return holds;
}

QString Key(const QString& path)
{
    return QFileInfo(CSafeFile::RealPath(path)).absoluteFilePath();
}

QString ProgramName()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringLiteral("?");
}

QString UserName()
{
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

// What the lock file says of its holder: program, process, user and host, one a line.
QByteArray HolderRecord()
{
    const QStringList lines{ProgramName(), QString::number(QCoreApplication::applicationPid()), UserName(),
                            QSysInfo::machineHostName()};
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

QString ReadHolder(int fd)
{
    char buffer[1024];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    const QStringList lines =
        n > 0 ? QString::fromUtf8(buffer, int(n)).split(QLatin1Char('\n')) : QStringList();
    if (lines.size() < 4 || lines.at(0).isEmpty())
        return CVelmoraError::Message(FleetMsg::FleetHolderUnknown).ToText();
    return CVelmoraError::Message(FleetMsg::FleetHolder, {lines.at(0), lines.at(1), lines.at(2), lines.at(3)})
        .ToText();
}

CVelmoraError CannotLock(const QString& path, const QString& lockPath)
{
    const QString why = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(lockPath),
                                                     QString::fromLocal8Bit(std::strerror(errno)));
    return CVelmoraError::Message(FleetMsg::FleetNotLockable, {QDir::toNativeSeparators(path), why});
}

// Opens the lock file, made if need be; a user who may read it but not write it can still lock it.
int OpenLockFile(const QByteArray& name)
{
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}

// True when fd is still the file at name: a holder that let go removes the file, and a lock taken on
// the removed file keeps nobody out.
bool StillThere(int fd, const QByteArray& name)
{
    struct stat open;
    struct stat now;
    return ::fstat(fd, &open) == 0 && ::stat(name.constData(), &now) == 0 && open.st_dev == now.st_dev &&
           open.st_ino == now.st_ino;
}

} // namespace

CFleetLock::CFleetLock(CFleetLock&& other) noexcept : m_key(std::move(other.m_key)), m_first(other.m_first)
{
    other.m_key.clear();
}

CFleetLock& CFleetLock::operator=(CFleetLock&& other) noexcept
{
    if (this != &other) {
        Unlock();
        m_key = std::move(other.m_key);
        m_first = other.m_first;
        other.m_key.clear();
    }
    return *this;
}

QString CFleetLock::LockPathFor(const QString& path)
{
    return CSafeFile::FittingPath(Key(path) + QStringLiteral(".lock"));
}

bool CFleetLock::HeldHere(const QString& path)
{
    const QMutexLocker locker(&RegistryMutex());
    return Registry().contains(Key(path));
}

CVelmoraError CFleetLock::Lock(const QString& path)
{
    Unlock();
    const QString key = Key(path);
    const QMutexLocker locker(&RegistryMutex());
    auto held = Registry().find(key);
    if (held != Registry().end()) {
        ++held->count;
        m_key = key;
        m_first = false;
        return CVelmoraError();
    }
    const QString lockPath = LockPathFor(path);
    const QByteArray name = QFile::encodeName(lockPath);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = OpenLockFile(name);
        if (fd < 0)
            return CannotLock(path, lockPath);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            const CVelmoraError error =
                busy ? CVelmoraError::Message(FleetMsg::FleetInUse,
                                              {QDir::toNativeSeparators(path), ReadHolder(fd)})
                     : CannotLock(path, lockPath);
            ::close(fd);
            return error;
        }
        if (!StillThere(fd, name)) {
            ::close(fd);
            continue;
        }
        const QByteArray record = HolderRecord();
        if (::ftruncate(fd, 0) == 0)
            (void)!::pwrite(fd, record.constData(), size_t(record.size()), 0);
        Registry().insert(key, Hold{fd, 1, lockPath});
        m_key = key;
        m_first = true;
        // Nobody held the fleet: what a holder killed half-way left beside it is nobody's now.
        CFleetLeftovers::Remove(key);
        return CVelmoraError();
    }
    errno = EAGAIN;
    return CannotLock(path, lockPath);
}

void CFleetLock::Unlock()
{
    if (m_key.isEmpty())
        return;
    const QMutexLocker locker(&RegistryMutex());
    auto held = Registry().find(m_key);
    m_key.clear();
    if (held == Registry().end() || --held->count > 0)
        return;
    // Removed while still locked: whoever opened the file meanwhile sees it gone and starts again.
    ::unlink(QFile::encodeName(held->lockPath).constData());
    ::close(held->fd);
    Registry().erase(held);
}
