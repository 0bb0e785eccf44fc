#include "CCrossFleet.h"

#include <QStringList>

namespace {

// One part: one to five decimal digits.
bool ReadPart(const QString& text, int& value)
{
    if (text.isEmpty() || text.size() > CCrossFleet::MaxDigits)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    value = text.toInt();
    return true;
}

bool InRange(int value, int min)
{
    return value >= min && value <= CCrossFleet::MaxPart;
}

} // namespace

CCrossFleet::CCrossFleet(int ownUrban, int ownFleet, int options, int format)
    : m_ownUrban(ownUrban), m_ownFleet(ownFleet), m_options(options), m_format(format)
{
}

int CCrossFleet::ValidateTrinumID(const QString& id, int mode) const
{
    if (m_format != FormatTrinum)
        return Malformed;
    const QStringList parts = id.split(QLatin1Char('*'));
    if (parts.size() > 3 || (mode == FullFormOnly && parts.size() != 3))
        return Malformed;
    int values[3] = {m_ownUrban, m_ownFleet, 0};
    // The parts given are the last ones: "fleet*member" keeps the own urban.
    const int first = 3 - int(parts.size());
    for (int i = 0; i < parts.size(); ++i) {
        if (!ReadPart(parts[i], values[first + i]))
            return Malformed;
    }
    if (first > 0 && !InRange(m_ownUrban, 0))
        return OwnIdsInvalid;
    if (first > 1 && !InRange(m_ownFleet, 0))
        return OwnIdsInvalid;
    if (!InRange(values[0], 0))
        return UrbanRange;
    if (!InRange(values[1], 0))
        return FleetRange;
    if (!InRange(values[2], 1))
        return MemberRange;
    return Valid;
}
