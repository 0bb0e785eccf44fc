#include "CFleetContext.h"

#include <QFileInfo>

namespace {

QString BackupKey(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

CFleetContext::CFleetContext(const CFleetSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
}

void CFleetContext::DocumentClosed()
{
    if (m_openDocuments > 0)
        --m_openDocuments;
    if (m_openDocuments == 0)
        Q_EMIT hideListBars();
}

void CFleetContext::ShowFleetListBarIfOpen()
{
    if (m_openDocuments > 0)
        Q_EMIT showFleetListBar();
}

bool CFleetContext::ClaimBackup(const QString& path, const CVelmoraDoc* document)
{
    const QString key = BackupKey(path);
    const auto it = m_backups.constFind(key);
    if (it != m_backups.cend() && it.value() != document)
        return false;
    m_backups.insert(key, document);
    return true;
}

bool CFleetContext::BackupClaimed(const QString& path) const
{
    return m_backups.contains(BackupKey(path));
}

void CFleetContext::ReleaseBackup(const QString& path, const CVelmoraDoc* document)
{
    const QString key = BackupKey(path);
    const auto it = m_backups.find(key);
    if (it != m_backups.end() && it.value() == document)
        m_backups.erase(it);
}
