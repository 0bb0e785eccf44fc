#include "CConsolNameIndex.h"

#include <QSet>
#include <vector>

int CConsolNameIndex::SmallestFree(const QList<CConsolIndexEntry>& entries)
{
    std::vector<bool> used(MaxIndex + 1, false);
    for (const CConsolIndexEntry& e : entries) {
        if (e.nameIndex >= MinIndex && e.nameIndex <= MaxIndex)
            used[size_t(e.nameIndex)] = true;
    }
    for (int index = MinIndex; index <= MaxIndex; ++index) {
        if (!used[size_t(index)])
            return index;
    }
    return NoIndex;
}

int CConsolNameIndex::For(const QList<CConsolIndexEntry>& others, const QString& name, int type)
{
    if (name.isEmpty() || type == TalkgroupType)
        return SmallestFree(others);
    // Indexes under which this name already has a number of this type (or a talkgroup).
    QSet<int> taken;
    for (const CConsolIndexEntry& e : others) {
        if (e.name == name && (e.type == type || e.type == TalkgroupType))
            taken.insert(e.nameIndex);
    }
    for (const CConsolIndexEntry& e : others) {
        if (e.name != name || e.type == type || e.type == TalkgroupType || taken.contains(e.nameIndex))
            continue;
        return e.nameIndex != 0 ? e.nameIndex : SmallestFree(others);
    }
    return SmallestFree(others);
}
