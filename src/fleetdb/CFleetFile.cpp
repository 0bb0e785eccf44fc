#include "CFleetFile.h"

#include "CFleetConnection.h"
#include "CFleetLock.h"
#include "CFleetSettings.h"
#include "CFleetUpgrade.h"
#include "CSafeFile.h"
#include "FleetMessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <zstd.h>

namespace {

constexpr quint32 kSkippableMagic = 0x184D2A56;
constexpr quint32 kHeaderPayload = 16;
constexpr int kHeaderSize = 8 + int(kHeaderPayload);
constexpr quint32 kFormatVersion = 1;
const QByteArray kTag = QByteArrayLiteral("VLF1");
const QByteArray kSqliteHeader = QByteArray("SQLite format 3\0", 16);

struct CCtxFree
{
    void operator()(ZSTD_CCtx* c) const { ZSTD_freeCCtx(c); }
};
struct DCtxFree
{
    void operator()(ZSTD_DCtx* d) const { ZSTD_freeDCtx(d); }
};

QByteArray Header(quint64 plainSize)
{
    QByteArray h(kHeaderSize, '\0');
    char* p = h.data();
    qToLittleEndian<quint32>(kSkippableMagic, p);
    qToLittleEndian<quint32>(kHeaderPayload, p + 4);
    memcpy(p + 8, kTag.constData(), 4);
    qToLittleEndian<quint32>(kFormatVersion, p + 12);
    qToLittleEndian<quint64>(plainSize, p + 16);
    return h;
}

// The plain size the header announces, or -1 when the bytes are no stored-form header.
qint64 ParseHeader(const QByteArray& h)
{
    if (h.size() < kHeaderSize)
        return -1;
    const char* p = h.constData();
    if (qFromLittleEndian<quint32>(p) != kSkippableMagic ||
        qFromLittleEndian<quint32>(p + 4) != kHeaderPayload || memcmp(p + 8, kTag.constData(), 4) != 0 ||
        qFromLittleEndian<quint32>(p + 12) != kFormatVersion)
        return -1;
    const quint64 size = qFromLittleEndian<quint64>(p + 16);
    return size > quint64(std::numeric_limits<qint64>::max()) ? -1 : qint64(size);
}

constexpr qint64 kChunk = 1 << 20;

// Compresses in into out (which gets the header first). Flushed but not synced.
bool Compress(QFile& in, QFile& out)
{
    std::unique_ptr<ZSTD_CCtx, CCtxFree> cctx(ZSTD_createCCtx());
    if (!cctx)
        return false;
    const qint64 plainSize = in.size();
    ZSTD_CCtx_setParameter(cctx.get(), ZSTD_c_compressionLevel, CFleetFile::CompressionLevel());
    ZSTD_CCtx_setParameter(cctx.get(), ZSTD_c_checksumFlag, 1);
    ZSTD_CCtx_setPledgedSrcSize(cctx.get(), quint64(plainSize));
    const QByteArray header = Header(quint64(plainSize));
    if (out.write(header) != header.size())
        return false;
    QByteArray input(kChunk, Qt::Uninitialized);
    QByteArray output(int(ZSTD_CStreamOutSize()) * 4, Qt::Uninitialized);
    qint64 total = 0;
    qint64 started = 0;
    for (;;) {
        const qint64 n = in.read(input.data(), input.size());
        if (n < 0)
            return false;
        total += n;
        CSafeFile::StartWriteback(out, &started);
        const bool last = n == 0;
        ZSTD_inBuffer src{input.constData(), size_t(n), 0};
        for (;;) {
            ZSTD_outBuffer dst{output.data(), size_t(output.size()), 0};
            const size_t left =
                ZSTD_compressStream2(cctx.get(), &dst, &src, last ? ZSTD_e_end : ZSTD_e_continue);
            if (ZSTD_isError(left))
                return false;
            if (dst.pos > 0 && out.write(output.constData(), qint64(dst.pos)) != qint64(dst.pos))
                return false;
            if (last ? left == 0 : src.pos == src.size)
                break;
        }
        if (last)
            break;
    }
    return total == plainSize && out.flush();
}

// Decompresses the zstd frame that follows the header into out (or only reads it through when out is
// null). True only for a whole frame, its checksum matching, of exactly the announced size, holding a
// database.
bool Decompress(QFile& in, QFile* out, qint64 plainSize)
{
    std::unique_ptr<ZSTD_DCtx, DCtxFree> dctx(ZSTD_createDCtx());
    if (!dctx)
        return false;
    QByteArray input(int(ZSTD_DStreamInSize()) * 8, Qt::Uninitialized);
    QByteArray output(kChunk, Qt::Uninitialized);
    QByteArray head;
    qint64 total = 0;
    qint64 started = 0;
    const auto take = [&](const ZSTD_outBuffer& dst) {
        if (head.size() < kSqliteHeader.size())
            head += QByteArray(output.constData(), int(std::min<size_t>(dst.pos, kSqliteHeader.size())));
        total += qint64(dst.pos);
        if (total > plainSize)
            return false;
        if (!out)
            return true;
        if (out->write(output.constData(), qint64(dst.pos)) != qint64(dst.pos))
            return false;
        CSafeFile::StartWriteback(*out, &started);
        return true;
    };
    size_t left = 1;
    for (;;) {
        const qint64 n = in.read(input.data(), input.size());
        if (n < 0)
            return false;
        if (n == 0)
            break;
        ZSTD_inBuffer src{input.constData(), size_t(n), 0};
        while (src.pos < src.size) {
            if (left == 0)
                return false; // bytes after the end of the frame
            ZSTD_outBuffer dst{output.data(), size_t(output.size()), 0};
            left = ZSTD_decompressStream(dctx.get(), &dst, &src);
            if (ZSTD_isError(left) || !take(dst))
                return false;
        }
    }
    // Drain what the decoder still holds.
    while (left != 0) {
        ZSTD_inBuffer src{nullptr, 0, 0};
        ZSTD_outBuffer dst{output.data(), size_t(output.size()), 0};
        left = ZSTD_decompressStream(dctx.get(), &dst, &src);
        if (ZSTD_isError(left) || dst.pos == 0 || !take(dst))
            return false;
    }
    return total == plainSize && head.startsWith(kSqliteHeader) && (!out || out->flush());
}

} // namespace

QString CFleetFile::CompactionTempPath(const QString& path)
{
    const QFileInfo info(path);
    // A database: SQLite adds "-journal" (8 bytes) to the name for its journal beside it.
    return CSafeFile::FittingPath(info.absoluteFilePath() + QStringLiteral("Temp") + info.fileName(), 8);
}

QString CFleetFile::RestoreTempPath(const QString& path)
{
    const QFileInfo info(path);
    return CSafeFile::FittingPath(info.absolutePath() + QStringLiteral("/Temp") + info.fileName());
}

CFleetFile::Probe CFleetFile::ProbeDatabase(const QString& path)
{
    CVelmoraError ignored;
    return ProbeDatabase(path, ignored);
}

CFleetFile::Probe CFleetFile::ProbeDatabase(const QString& path, CVelmoraError& error)
{
    if (!QFileInfo(path).isFile())
        return Probe::Missing;
    // SQLite takes an empty file, or one too short to hold a page, for an empty database: a fleet
    // file has the database header.
    if (!HasDatabaseHeader(path)) {
        error = CVelmoraError::Text(QStringLiteral("file is not a database"));
        return Probe::NotDatabase;
    }
    CFleetConnection connection;
    if (connection.Open(path))
        return Probe::Database;
    error = CVelmoraError::Text(connection.LastErrorText());
    return CFleetConnection::IsBusy(connection.LastError()) ? Probe::Busy : Probe::NotDatabase;
}

bool CFleetFile::HasDatabaseHeader(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(kSqliteHeader.size()) == kSqliteHeader;
}

bool CFleetFile::IsStoredForm(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && ParseHeader(f.read(kHeaderSize)) >= 0;
}

CVelmoraError CFleetFile::VerifyStoredForm(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return CVelmoraError::Message(FleetMsg::FleetUnreadable, {QDir::toNativeSeparators(path)});
    const qint64 plainSize = ParseHeader(in.read(kHeaderSize));
    if (plainSize < 0 || !Decompress(in, nullptr, plainSize))
        return CVelmoraError::Message(FleetMsg::DamagedStoredFleet, {QDir::toNativeSeparators(path)});
    return CVelmoraError();
}

bool CFleetFile::ExpandFleetFile(const QString& path)
{
    return !Expand(path);
}

CVelmoraError CFleetFile::Expand(const QString& given)
{
    // The temporary goes beside the real file, so the rename keeps a symlink pointing at it.
    const QString path = CSafeFile::RealPath(given);
    if (const CVelmoraError error = CheckWritable(path))
        return error;
    CFleetLock lock;
    if (const CVelmoraError error = lock.Lock(path))
        return error;
    const CVelmoraError notFleet = CVelmoraError::Message(FleetMsg::CannotOpenFleet);
    const CVelmoraError damaged =
        CVelmoraError::Message(FleetMsg::DamagedStoredFleet, {QDir::toNativeSeparators(given)});
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return CVelmoraError::Message(FleetMsg::FleetUnreadable, {QDir::toNativeSeparators(given)});
    const qint64 plainSize = ParseHeader(in.read(kHeaderSize));
    if (plainSize < 0)
        return notFleet;
    // The restore temporary is "<folder>/Temp<name>". A file of that name that is already there may
    // be the user's (another fleet called "Temp..."): it is left alone and a name of our own is taken.
    QString temp = RestoreTempPath(path);
    const CVelmoraError cannotWrite = CVelmoraError::Message(FleetMsg::FileCopyFailed, {temp});
    QFile out(temp);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (!QFileInfo::exists(temp))
            return cannotWrite;
        QTemporaryFile unique(CSafeFile::FittingPath(temp, 7) + QStringLiteral(".XXXXXX"));
        unique.setAutoRemove(false);
        if (!unique.open())
            return cannotWrite;
        temp = unique.fileName();
        unique.close();
        out.setFileName(temp);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QFile::remove(temp);
            return cannotWrite;
        }
    }
    CSafeFile::KeepIdentity(path, temp);
    const bool whole = Decompress(in, &out, plainSize);
    // A short write (a full disk) is no damage of the file.
    const bool written = out.error() == QFileDevice::NoError;
    out.close();
    in.close();
    // Only a whole database goes in the file's place.
    if (!whole || !CSafeFile::Replace(temp, path)) {
        QFile::remove(temp);
        return whole || !written ? CVelmoraError::Message(FleetMsg::FileCopyFailed, {temp}) : damaged;
    }
    return CVelmoraError();
}

bool CFleetFile::StoreFleetFile(const QString& given)
{
    if (QFileInfo(given).suffix().toUpper() != QLatin1String("VLF"))
        return true;
    const QString path = CSafeFile::RealPath(given);
    CFleetLock lock;
    if (lock.Lock(path))
        return false;
    // A stored file has nothing left to store, as long as it is whole; a file that is missing, held
    // open elsewhere, no database or no fleet was not stored, and the caller must hear so.
    if (IsStoredForm(path))
        return !VerifyStoredForm(path);
    if (!OpensAsDatabase(path) || !CSafeFile::IsWritable(path) || !IsFleetDatabase(path))
        return false;
    const QString compacted = CompactionTempPath(path);
    QFile::remove(compacted);
    {
        CFleetConnection connection;
        if (!connection.Open(path))
            return false;
        QSqlQuery query(connection.Database());
        query.prepare(QStringLiteral("VACUUM INTO ?"));
        query.addBindValue(compacted);
        if (!query.exec()) {
            query.finish();
            QFile::remove(compacted);
            return false;
        }
    }
    QFile in(compacted);
    const QString temp = CSafeFile::TempBeside(path);
    QFile out(temp);
    bool ok = in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (ok)
        CSafeFile::KeepIdentity(path, temp);
    ok = ok && Compress(in, out);
    out.close();
    in.close();
    ok = ok && CSafeFile::Replace(temp, path);
    if (!ok)
        QFile::remove(temp);
    QFile::remove(compacted);
    return ok;
}

bool CFleetFile::IsFleetDatabase(const QString& path)
{
    CFleetConnection connection;
    return connection.Open(path) &&
           CFleetUpgrade::HasTable(connection.Database(), QStringLiteral("unit_details"));
}

CVelmoraError CFleetFile::CheckFleetDatabase(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    CFleetConnection connection;
    if (!connection.Open(path)) {
        if (CFleetConnection::IsBusy(connection.LastError()))
            return CVelmoraError::Text(connection.LastErrorText());
        return CVelmoraError::Message(FleetMsg::DamagedFleet, {shown, connection.LastErrorText()});
    }
    // A zero-length file, or a database of another program, is no fleet.
    if (!CFleetUpgrade::HasTable(connection.Database(), QStringLiteral("unit_details")))
        return CVelmoraError::Message(FleetMsg::CannotReadFleet);
    // A damaged page is found before anything reads or rewrites the fleet, not half-way through.
    QSqlQuery check(connection.Database());
    if (!check.exec(QStringLiteral("PRAGMA quick_check(1)")) || !check.next())
        return CVelmoraError::Message(FleetMsg::DamagedFleet,
                                      {shown, CFleetConnection::ErrorText(check.lastError())});
    const QString found = check.value(0).toString();
    if (found != QLatin1String("ok"))
        return CVelmoraError::Message(FleetMsg::DamagedFleet, {shown, found});
    return CVelmoraError();
}

CVelmoraError CFleetFile::CheckReadPermission(const QString& path)
{
    // Non-blocking, so a named pipe or a device under a fleet's name cannot hold the program up.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        struct stat st;
        const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
        ::close(fd);
        return regular ? CVelmoraError() : CVelmoraError::Message(FleetMsg::CannotOpenFleet);
    }
    if (errno == EACCES || errno == EPERM)
        return CVelmoraError::Message(FleetMsg::FleetUnreadable, {QDir::toNativeSeparators(path)});
    return CVelmoraError();
}

CVelmoraError CFleetFile::CheckWritable(const QString& path)
{
    const QString real = CSafeFile::RealPath(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (const CVelmoraError error = CheckReadPermission(path))
        return error;
    if (!CSafeFile::IsWritable(path))
        return CVelmoraError::Message(FleetMsg::ReadOnlyFleet, {shown});
    // Every rewrite puts a new file beside the old one and renames it over.
    const QString folder = QFileInfo(real).absolutePath();
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) != 0 &&
        (errno == EACCES || errno == EPERM || errno == EROFS))
        return CVelmoraError::Message(FleetMsg::FolderNotWritable, {QDir::toNativeSeparators(folder)});
    return CVelmoraError();
}

CVelmoraError CFleetFile::CheckReadable(const QString& path)
{
    if (!QFileInfo::exists(path))
        return CVelmoraError::Message(FleetMsg::FileMissing);
    // Opening a fleet may expand, upgrade and edit it: a file the user may not write is left alone.
    if (const CVelmoraError error = CheckWritable(path))
        return error;
    CVelmoraError why;
    const Probe probe = ProbeDatabase(path, why);
    // Another document (or program) has the fleet open.
    if (probe == Probe::Busy)
        return why;
    if (probe != Probe::Database) {
        // A database that does not open is a damaged one; anything else must be a stored fleet.
        if (HasDatabaseHeader(path))
            return CheckFleetDatabase(path);
        if (!IsStoredForm(path))
            return CVelmoraError::Message(FleetMsg::CannotOpenFleet);
        if (const CVelmoraError error = Expand(path))
            return error;
    }
    return CheckFleetDatabase(path);
}

bool CFleetFile::CheckAndPrepare(const QString& path, const CFleetSettings& settings, CFleetErrors& errors)
{
    if (const CVelmoraError error = CheckReadable(path)) {
        errors << error;
        return false;
    }
    return CFleetUpgrade::OpenAndUpgrade(path, settings, errors);
}
