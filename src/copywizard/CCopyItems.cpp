#include "CCopyItems.h"

#include "CModelProfile.h"
#include "CopyWizardIds.h"

namespace {

struct ItemDef
{
    int textId;
    int group;
    int nam;
};

// The items of each NAM count in the order the page lists them.
const QList<ItemDef>& Defs(int namCount)
{
    using G = CCopyItems::Group;
    static const QList<ItemDef> one = {
        {1398, G::PhoneBook, 1}, {1399, G::Private, 1}, {1695, G::Talkgroup, 1}, {1402, G::Basic, 1},
        {1403, G::Further, 1},   {1404, G::Scan, 1},    {1660, G::Status, 1},    {1765, G::Consolidated, 1}};
    static const QList<ItemDef> two = {
        {1398, G::PhoneBook, 1}, {1399, G::Private, 1}, {1400, G::Private, 2}, {1695, G::Talkgroup, 1},
        {1696, G::Talkgroup, 2}, {1402, G::Basic, 1},   {1403, G::Further, 1}, {1404, G::Scan, 1},
        {1656, G::Scan, 2},      {1660, G::Status, 1},  {1659, G::Status, 2},  {1765, G::Consolidated, 1}};
    static const QList<ItemDef> three = {
        {1398, G::PhoneBook, 1},   {1399, G::Private, 1},   {1400, G::Private, 2},
        {1401, G::Private, 3},     {1695, G::Talkgroup, 1}, {1696, G::Talkgroup, 2},
        {1697, G::Talkgroup, 3},   {1402, G::Basic, 1},     {1403, G::Further, 1},
        {1404, G::Scan, 1},        {1656, G::Scan, 2},      {1657, G::Scan, 3},
        {1660, G::Status, 1},      {1659, G::Status, 2},    {1658, G::Status, 3},
        {1765, G::Consolidated, 1}};
    if (namCount <= 1)
        return one;
    return namCount == 2 ? two : three;
}

bool Enabled(const ItemDef& def, const CModelProfile& profile, int phoneClass)
{
    using G = CCopyItems::Group;
    const size_t nam = size_t(def.nam - 1);
    switch (def.group) {
    case G::Scan:
    case G::Status:
        return profile.scanAndStatus;
    case G::Consolidated:
        return phoneClass == 3;
    case G::Private:
        return def.nam == 1 || profile.capacities.privateList[nam] > 0;
    case G::Talkgroup:
        return def.nam == 1 || profile.capacities.talkgroups[nam] > 0;
    default:
        return true;
    }
}

} // namespace

void CCopyItems::Fill(int namCount, const CModelProfile& profile, int phoneClass)
{
    m_items.clear();
    for (const ItemDef& def : Defs(namCount)) {
        Item item;
        item.textId = def.textId;
        item.group = def.group;
        item.nam = def.nam;
        item.enabled = Enabled(def, profile, phoneClass);
        m_items << item;
    }
}

bool CCopyItems::SetChecked(int index, bool checked)
{
    if (index < 0 || index >= m_items.size() || !m_items.at(index).enabled)
        return false;
    m_items[index].checked = checked;
    return true;
}

void CCopyItems::SetAllChecked(bool checked)
{
    for (Item& item : m_items) {
        if (item.enabled)
            item.checked = checked;
    }
}

int CCopyItems::CheckedCount() const
{
    int count = 0;
    for (const Item& item : m_items)
        count += item.checked ? 1 : 0;
    return count;
}

CVelmoraError CCopyItems::Flags(CWriteFlags& flags) const
{
    flags = CWriteFlags();
    bool any = false;
    for (const Item& item : m_items) {
        if (!item.checked)
            continue;
        any = true;
        const size_t nam = size_t(item.nam - 1);
        switch (item.group) {
        case PhoneBook:
            flags.phoneBook = true;
            break;
        case Private:
            flags.privateList[nam] = true;
            break;
        case Talkgroup:
            flags.talkgroups[nam] = true;
            break;
        case Basic:
            flags.basicSettings = true;
            break;
        case Further:
            flags.furtherSettings = true;
            break;
        case Scan:
            flags.scanList[nam] = true;
            break;
        case Status:
            flags.statusMessages[nam] = true;
            break;
        default:
            flags.consolidated = true;
            break;
        }
    }
    return any ? CVelmoraError() : CVelmoraError::Message(CopyWizMsg::NothingChecked);
}

QList<int> CCopyItems::TextIds(int namCount)
{
    QList<int> ids;
    for (const ItemDef& def : Defs(namCount))
        ids << def.textId;
    return ids;
}

QString CCopyItems::Key(const Item& item)
{
    static const char* const names[] = {"phonebook", "private", "talkgroup", "basic",
                                        "further",   "scan",    "status",    "consolidated"};
    const QString name = QLatin1String(names[item.group]);
    const bool perNam =
        item.group == Private || item.group == Talkgroup || item.group == Scan || item.group == Status;
    return perNam ? name + QString::number(item.nam) : name;
}

int CCopyItems::IndexOfKey(const QString& key) const
{
    const QString wanted = key.trimmed().toLower();
    for (int i = 0; i < m_items.size(); ++i) {
        if (Key(m_items.at(i)) == wanted)
            return i;
    }
    return -1;
}
