#include "CRangeParser.h"

#include <QStringList>

void CRangeParser::SetList(const QString& list, Mode mode)
{
    m_list = list;
    m_mode = mode;
    m_malformed = false;
    m_pairs.clear();
    m_walkPair = 0;
    m_walkValue = 0;
    if (list.isEmpty())
        return;

    const QStringList items = list.split(QLatin1Char(','));
    if (items.size() >= MaxPairs) {
        m_malformed = true;
        return;
    }
    for (const QString& item : items) {
        Pair pair;
        if (!ParseItem(item, pair)) {
            m_malformed = true;
            m_pairs.clear();
            return;
        }
        m_pairs.append(pair);
    }
}

bool CRangeParser::ParseNumber(const QString& text, qint64& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    value = t.toLongLong(&ok);
    return ok;
}

bool CRangeParser::ParseItem(const QString& item, Pair& pair) const
{
    if (m_mode == CharacterMode) {
        if (item.size() == 1) {
            pair = {item[0].unicode(), item[0].unicode()};
            return true;
        }
        if (item.size() == 3 && item[1] == QLatin1Char('-')) {
            pair = {item[0].unicode(), item[2].unicode()};
            return pair.second >= pair.first;
        }
        return false;
    }

    const int dash = item.indexOf(QLatin1Char('-'));
    if (dash < 0) {
        if (!ParseNumber(item, pair.first))
            return false;
        pair.second = pair.first;
        return true;
    }
    if (!ParseNumber(item.left(dash), pair.first) || !ParseNumber(item.mid(dash + 1), pair.second))
        return false;
    return pair.second >= pair.first;
}

bool CRangeParser::Contains(qint64 value) const
{
    if (m_malformed)
        return false;
    if (m_list.isEmpty())
        return true;
    for (const Pair& p : m_pairs) {
        if (value >= p.first && value <= p.second)
            return true;
    }
    return false;
}

bool CRangeParser::ContainsAll(const QString& text) const
{
    if (m_malformed)
        return false;
    for (const QChar c : text) {
        if (!Contains(c))
            return false;
    }
    return true;
}

bool CRangeParser::ContainsNumber(const QString& text) const
{
    qint64 value = 0;
    return ParseNumber(text, value) && Contains(value);
}

bool CRangeParser::Bounds(qint64& low, qint64& high) const
{
    if (m_malformed || m_pairs.isEmpty())
        return false;
    low = m_pairs.first().first;
    high = m_pairs.first().second;
    for (const Pair& p : m_pairs) {
        low = qMin(low, p.first);
        high = qMax(high, p.second);
    }
    return true;
}

bool CRangeParser::First(qint64& value)
{
    if (m_malformed || m_pairs.isEmpty())
        return false;
    m_walkPair = 0;
    m_walkValue = m_pairs.first().first;
    value = m_walkValue;
    return true;
}

bool CRangeParser::Next(qint64& value)
{
    if (m_malformed || m_walkPair >= m_pairs.size())
        return false;
    if (m_walkValue < m_pairs[m_walkPair].second) {
        value = ++m_walkValue;
        return true;
    }
    if (++m_walkPair >= m_pairs.size())
        return false;
    m_walkValue = m_pairs[m_walkPair].first;
    value = m_walkValue;
    return true;
}
