#include "CAutoFillEntry.h"

#include "CConsolNumberType.h"

#include <QSet>
#include <algorithm>

QString CAutoFillEntry::PrivateIdText() const
{
    return HasPrivateId() ? CConsolNumberType::PrivateIdText(urban, fleet, member) : QString();
}

CAutoFillEntry CAutoFillEntry::FromUnit(const QString& imei, const QString& userName,
                                        const QString& nam1Number, const QString& displayPrivateId,
                                        int nam1PrivateId)
{
    CAutoFillEntry e;
    e.imei = imei;
    e.name = EntryName(userName);
    e.number = nam1Number.trimmed();
    if (displayPrivateId.contains(QLatin1Char('*'))) {
        const QStringList parts = displayPrivateId.split(QLatin1Char('*'));
        bool ok[3] = {false, false, false};
        const int u = parts.value(0).trimmed().toInt(&ok[0]);
        const int f = parts.value(1).trimmed().toInt(&ok[1]);
        const int m = parts.value(2).trimmed().toInt(&ok[2]);
        // A damaged id gives no private entry rather than a wrong one.
        if (parts.size() == 3 && ok[0] && ok[1] && ok[2] && m > 0) {
            e.urban = u;
            e.fleet = f;
            e.member = m;
        }
    } else if (nam1PrivateId > 0) {
        e.member = nam1PrivateId;
    }
    return e;
}

int CAutoFillEntry::FirstFreeLocation(const QList<int>& used, int capacity)
{
    QList<int> sorted = used;
    std::sort(sorted.begin(), sorted.end());
    int previous = 0;
    for (int location : sorted) {
        if (location <= previous)
            continue; // repeated or non-positive locations take no room of their own
        if (location > previous + 1)
            break;
        previous = location;
    }
    const int slot = previous + 1;
    return slot <= capacity ? slot : NoLocation;
}

CAutoFillConsolList::CAutoFillConsolList(QList<CAutoFillConsolEntry> entries, int capacity)
    : m_entries(std::move(entries)), m_capacity(capacity)
{
}

int CAutoFillConsolList::NextRecNum() const
{
    QList<int> used;
    used.reserve(m_entries.size());
    for (const CAutoFillConsolEntry& e : m_entries)
        used.append(e.recNum);
    return CAutoFillEntry::FirstFreeLocation(used, m_capacity);
}

int CAutoFillConsolList::NameIndexFor(const QString& name, int type) const
{
    int highest = 0;
    int sameNameIndex = 0;
    bool typeTaken = false;
    for (const CAutoFillConsolEntry& e : m_entries) {
        highest = std::max(highest, e.nameIndex);
        if (e.name != name || name.isEmpty())
            continue;
        if (e.type == type)
            typeTaken = true;
        else if (sameNameIndex == 0)
            sameNameIndex = e.nameIndex;
    }
    if (!typeTaken && sameNameIndex > 0)
        return sameNameIndex;
    if (highest < MaxNameIndex)
        return highest + 1;
    // The indexes run up to the phone's limit: the smallest one no entry holds.
    QSet<int> held;
    for (const CAutoFillConsolEntry& e : m_entries)
        held.insert(e.nameIndex);
    for (int index = 1; index <= MaxNameIndex; ++index) {
        if (!held.contains(index))
            return index;
    }
    return 0;
}

CAutoFillConsolList::Result CAutoFillConsolList::Add(const QString& name, const QString& number, int type,
                                                     CAutoFillConsolEntry* placed)
{
    if (number.isEmpty())
        return Result::Duplicate;
    for (const CAutoFillConsolEntry& e : m_entries) {
        if (e.name == name && e.number == number && e.type == type)
            return Result::Duplicate;
    }
    if (Count() >= m_capacity)
        return Result::Full;
    const int recNum = NextRecNum();
    if (recNum == CAutoFillEntry::NoLocation)
        return Result::Full;
    const int nameIndex = NameIndexFor(name, type);
    if (nameIndex == 0)
        return Result::Full;
    CAutoFillConsolEntry entry{name, number, type, nameIndex, recNum};
    m_entries.append(entry);
    if (placed)
        *placed = entry;
    return Result::Added;
}
