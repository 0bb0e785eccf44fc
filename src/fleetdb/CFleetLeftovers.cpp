#include "CFleetLeftovers.h"

#include "CFleetFile.h"
#include "CSafeFile.h"
#include "CVelmoraDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

const QByteArray kSqliteHeader = QByteArray("SQLite format 3\0", 16);

bool RemoveIfThere(const QString& path)
{
    return QFileInfo(path).isFile() && QFile::remove(path);
}

} // namespace

bool CFleetLeftovers::IsCutShort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size == 0)
        return true;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(kSqliteHeader))
        return header.size() < kSqliteHeader.size() && kSqliteHeader.startsWith(header);
    const char* p = header.constData();
    const quint32 rawPageSize = qFromBigEndian<quint16>(p + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : qint64(rawPageSize);
    const quint32 pages = qFromBigEndian<quint32>(p + 28);
    // The page count is only to be trusted when it was written with the change counter it belongs to.
    const bool countValid = qFromBigEndian<quint32>(p + 24) == qFromBigEndian<quint32>(p + 92);
    return countValid && pages > 0 && size < pageSize * qint64(pages);
}

int CFleetLeftovers::Remove(const QString& given)
{
    const QString path = CSafeFile::RealPath(given);
    int removed = 0;
    // Our own names: the rewrite temporaries of the file and of its backup, the compaction copy.
    const QString compaction = CFleetFile::CompactionTempPath(path);
    for (const QString& own :
         QStringList{CSafeFile::TempBeside(path), CSafeFile::TempBeside(CVelmoraDoc::BackupPathFor(path)),
                     compaction, compaction + QStringLiteral("-journal")}) {
        if (RemoveIfThere(own))
            ++removed;
    }
    // The expand temporary's name may be a fleet of the user's: only one cut short goes.
    const QString restore = CFleetFile::RestoreTempPath(path);
    const QFileInfo info(restore);
    QStringList candidates{restore};
    const QString unique =
        QFileInfo(CSafeFile::FittingPath(restore, 7)).fileName() + QStringLiteral(".??????");
    for (const QFileInfo& found : info.dir().entryInfoList({unique}, QDir::Files | QDir::Hidden))
        candidates << found.absoluteFilePath();
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile() && IsCutShort(candidate) && QFile::remove(candidate))
            ++removed;
    }
    return removed;
}
