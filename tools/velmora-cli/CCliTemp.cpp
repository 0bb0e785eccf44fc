#include "CCliTemp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace {

const QString kPrefix = QStringLiteral("velmora-cli-");

bool ProcessGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

QString CCliTemp::FolderTemplate()
{
    return QDir::tempPath() + QLatin1Char('/') + kPrefix +
           QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
}

int CCliTemp::RemoveLeftovers()
{
    static const QRegularExpression name(QStringLiteral("^velmora-cli-(\\d+)-[A-Za-z0-9]{6}$"));
    // The instance socket of each run ("velmora-" + its instance key + "-" + the user id).
    static const QRegularExpression socket(QStringLiteral("^velmora-velmora-cli-(\\d+)-\\d+-\\d+$"));
    int removed = 0;
    const QFileInfoList sockets =
        QDir(QDir::tempPath())
            .entryInfoList({QStringLiteral("velmora-velmora-cli-*")}, QDir::System | QDir::Files);
    for (const QFileInfo& entry : sockets) {
        const QRegularExpressionMatch match = socket.match(entry.fileName());
        if (match.hasMatch() && !entry.isSymLink() && entry.ownerId() == ::geteuid() &&
            ProcessGone(match.captured(1).toLongLong()) && QFile::remove(entry.absoluteFilePath()))
            ++removed;
    }
    const QFileInfoList entries =
        QDir(QDir::tempPath())
            .entryInfoList({kPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = name.match(entry.fileName());
        // Only our own folders: of this user, and of a process that is no more.
        if (!match.hasMatch() || entry.isSymLink() || entry.ownerId() != ::geteuid() ||
            !ProcessGone(match.captured(1).toLongLong()))
            continue;
        if (QDir(entry.absoluteFilePath()).removeRecursively())
            ++removed;
    }
    return removed;
}
