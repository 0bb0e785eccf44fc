#include "CSafeFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

QString CSafeFile::RealPath(const QString& path)
{
    QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A link whose file is not there yet: the file is made where the link points.
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

bool CSafeFile::IsWritable(const QString& path)
{
    const QByteArray real = QFile::encodeName(RealPath(path));
    struct stat st;
    if (::stat(real.constData(), &st) != 0)
        return true;
    // root may write anything; a file nobody may write was still meant to stay as it is.
    if (::geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return ::access(real.constData(), W_OK) == 0;
}

void CSafeFile::KeepIdentity(const QString& model, const QString& file)
{
    struct stat st;
    if (model.isEmpty() || ::stat(QFile::encodeName(model).constData(), &st) != 0)
        return;
    const QByteArray name = QFile::encodeName(file);
    // Owner and group first: changing them may clear set-id bits that the mode then puts back. Only
    // root may give a file away; the group alone is still worth keeping when that fails.
    struct stat now;
    if (::stat(name.constData(), &now) == 0 && (now.st_uid != st.st_uid || now.st_gid != st.st_gid)) {
        if (::chown(name.constData(), st.st_uid, st.st_gid) != 0)
            (void)::chown(name.constData(), static_cast<uid_t>(-1), st.st_gid);
    }
    ::chmod(name.constData(), st.st_mode & 07777);
}

QString CSafeFile::TempBeside(const QString& target)
{
    return FittingPath(RealPath(target) + QStringLiteral(".part"));
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
    // A link stays a link: the file it points to is the one replaced.
    const QString real = RealPath(target);
    // Renaming over a read-only file would succeed in a writable folder; the file says no.
    if (!IsWritable(real)) {
        errno = EACCES;
        if (error)
            *error = ErrnoText(real);
        return false;
    }
    KeepIdentity(real, temp);
    if (!Sync(temp, error))
        return false;
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(real).constData()) != 0) {
        // A temporary on another file system than the real file goes there by a copy.
        if (errno == EXDEV && Copy(temp, real, error)) {
            QFile::remove(temp);
            return true;
        }
        if (error)
            *error = ErrnoText(real);
        return false;
    }
    // The rename itself must reach the disk, or a crash could bring the old name back.
    SyncPath(QFileInfo(real).absolutePath(), true, nullptr);
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
    const QString real = RealPath(to);
    if (!IsWritable(real)) {
        errno = EACCES;
        if (error)
            *error = ErrnoText(real);
        return false;
    }
    const QString temp = TempBeside(real);
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(to, out.errorString());
        return false;
    }
    // A new copy is as private as what it copies; a replaced file keeps its own mode and owner.
    KeepIdentity(QFileInfo::exists(real) ? real : from, temp);
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
    if (!Replace(temp, real, error)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool CSafeFile::SameContent(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    constexpr qint64 kChunk = 1 << 20;
    for (;;) {
        const QByteArray x = fa.read(kChunk);
        const QByteArray y = fb.read(kChunk);
        if (x != y)
            return false;
        if (x.isEmpty())
            return fa.atEnd() && fb.atEnd();
    }
}
