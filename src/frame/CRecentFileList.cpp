#include "CRecentFileList.h"

#include "CBidiText.h"
#include "CVelmoraWrap.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

// Files are the same when their absolute clean paths are.
QString Normal(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void CRecentFileList::Load()
{
    m_files.clear();
    for (int i = 0; i < kSize; ++i) {
        QString path;
        if (CVelmoraWrap::GetGroupValue(kGroup, Key(i), path) && !path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void CRecentFileList::Save() const
{
    for (int i = 0; i < kSize; ++i)
        CVelmoraWrap::SetGroupValue(kGroup, Key(i), i < m_files.size() ? m_files[i] : QString());
}

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString normal = Normal(path);
    Remove(normal);
    m_files.prepend(normal);
    while (m_files.size() > kSize)
        m_files.removeLast();
    Save();
}

void CRecentFileList::Remove(const QString& path)
{
    const QString normal = Normal(path);
    const qsizetype before = m_files.size();
    m_files.removeIf([&normal](const QString& file) { return Normal(file) == normal; });
    if (m_files.size() != before)
        Save();
}

QString CRecentFileList::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    // Long paths keep their start and their file name.
    constexpr int kMax = 60;
    if (shown.size() > kMax) {
        const QString name = QFileInfo(path).fileName();
        const int keep = qMax(3, kMax - int(name.size()) - 4);
        shown = shown.left(keep) + QStringLiteral("...") + QDir::separator() + name;
    }
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(CBidiText::IsolateLtr(shown));
}
