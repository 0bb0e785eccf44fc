#include "CSafeFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString ErrnoText(const QString& path)
{
    return QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
}

bool SyncPath(const QString& path, bool folder, QString* error)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), (folder ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = ErrnoText(path);
        return false;
    }
    const bool ok = (folder ? ::fsync(fd) : ::fdatasync(fd)) == 0;
    if (!ok && error)
        *error = ErrnoText(path);
    ::close(fd);
    return ok;
}

} // namespace

QString CSafeFile::TempBeside(const QString& target)
{
    return FittingPath(target + QStringLiteral(".part"));
}

QString CSafeFile::FittingPath(const QString& path, int reserve)
{
    // A file name holds at most NAME_MAX bytes: a long target name plus our additions may not fit.
    constexpr int kNameMax = 255;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const int limit = kNameMax - reserve;
    if (QFile::encodeName(name).size() <= limit)
        return path;
    // Keep a short extension (".part", ".tmp") and as much of the start as fits; a digest of the whole
    // name keeps shortened names of different targets apart and the same target's name the same.
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString tail = (dot > 0 && name.size() - dot <= 8) ? name.mid(dot) : QString();
    const QString tag =
        QLatin1Char('~') +
        QString::fromLatin1(
            QCryptographicHash::hash(QFile::encodeName(name), QCryptographicHash::Sha1).toHex().left(10));
    QString head = name.left(name.size() - tail.size());
    const int room = limit - int(QFile::encodeName(tag + tail).size());
    while (!head.isEmpty() && QFile::encodeName(head).size() > room) {
        head.chop(1);
        if (!head.isEmpty() && head.back().isHighSurrogate())
            head.chop(1);
    }
    return folder + head + tag + tail;
}

bool CSafeFile::Exists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool CSafeFile::Remove(const QString& path)
{
    return path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path);
}

void CSafeFile::StartWriteback(QFile& file, qint64* started)
{
    constexpr qint64 kStep = 8 << 20;
    const qint64 written = file.pos();
    if (written - *started < kStep || !file.flush())
        return;
    ::sync_file_range(file.handle(), *started, written - *started, SYNC_FILE_RANGE_WRITE);
    *started = written;
}

bool CSafeFile::Sync(const QString& path, QString* error)
{
    return SyncPath(path, false, error);
}

bool CSafeFile::Replace(const QString& temp, const QString& target, QString* error)
{
    if (!Sync(temp, error))
        return false;
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        if (error)
            *error = ErrnoText(target);
        return false;
    }
    // The rename itself must reach the disk, or a crash could bring the old name back.
    SyncPath(QFileInfo(target).absolutePath(), true, nullptr);
    return true;
}

bool CSafeFile::Copy(const QString& from, const QString& to, QString* error)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(from, in.errorString());
        return false;
    }
    const QString temp = TempBeside(to);
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(to, out.errorString());
        return false;
    }
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 started = 0;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0 || (n > 0 && out.write(buffer.constData(), n) != n)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(to, n < 0 ? in.errorString() : out.errorString());
            out.close();
            QFile::remove(temp);
            return false;
        }
        if (n == 0)
            break;
        StartWriteback(out, &started);
    }
    if (!out.flush()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(to, out.errorString());
        out.close();
        QFile::remove(temp);
        return false;
    }
    out.close();
    if (!Replace(temp, to, error)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}
