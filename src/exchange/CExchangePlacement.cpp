#include "CExchangePlacement.h"

#include <QStringList>
#include <algorithm>

QString CExchangePlacement::EntryName(const QString& name)
{
    return name.left(EntryNameLength);
}

int CExchangePlacement::NextLocation(QList<int> used, int capacity)
{
    std::sort(used.begin(), used.end());
    int previous = 0;
    for (int location : used) {
        if (location <= previous)
            continue; // duplicates and locations below 1
        if (location > previous + 1)
            return previous < capacity ? previous + 1 : NoRoom;
        previous = location;
    }
    return previous < capacity ? previous + 1 : NoRoom;
}

CExchangeSlots::CExchangeSlots(const QList<int>& used, int capacity) : m_capacity(capacity)
{
    for (int location : used) {
        if (location > 0 && !m_used.contains(location))
            m_used.append(location);
    }
    std::sort(m_used.begin(), m_used.end());
}

int CExchangeSlots::Take()
{
    const int location = CExchangePlacement::NextLocation(m_used, m_capacity);
    if (location != CExchangePlacement::NoRoom)
        m_used.insert(std::lower_bound(m_used.begin(), m_used.end(), location), location);
    return location;
}

bool CExchangePrivateId::Parse(const QString& text, CExchangePrivateId& id)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('*'));
    bool ok = true;
    auto number = [&ok](const QString& part) {
        bool good = false;
        const qint64 value = part.trimmed().toLongLong(&good);
        ok = ok && good && value >= 0;
        return value;
    };
    CExchangePrivateId parsed;
    if (parts.size() == 1) {
        parsed.member = number(parts[0]);
    } else if (parts.size() == 3) {
        parsed.urban = number(parts[0]);
        parsed.fleet = number(parts[1]);
        parsed.member = number(parts[2]);
    } else {
        return false;
    }
    if (ok)
        id = parsed;
    return ok;
}

QString CExchangePrivateId::Text() const
{
    if (urban == 0 || fleet == 0)
        return QString::number(member);
    return QStringLiteral("%1*%2*%3").arg(urban).arg(fleet).arg(member);
}

CExchangePrivateRule::Outcome CExchangePrivateRule::Adjust(CExchangePrivateId& id, bool sourceCrossFleet,
                                                           bool targetCrossFleet, qint64 targetUrban,
                                                           qint64 targetFleet)
{
    if (!targetCrossFleet) {
        if (sourceCrossFleet && id.member > PlainMemberLimit)
            return Outcome::TooLarge;
        id.urban = 0;
        id.fleet = 0;
    } else if (!sourceCrossFleet) {
        id.urban = targetUrban;
        id.fleet = targetFleet;
    }
    return Outcome::Carried;
}
