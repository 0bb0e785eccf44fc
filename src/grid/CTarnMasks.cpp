#include "CTarnMasks.h"

bool CTarnMasks::IsMaskChar(QChar c)
{
    switch (c.unicode()) {
    case '#':
    case '?':
    case 'A':
    case '&':
    case 'B':
    case 'H':
    case 'L':
    case 'U':
        return true;
    default:
        return false;
    }
}

bool CTarnMasks::IsLiteral(int pos) const
{
    return pos >= 0 && pos < m_mask.size() && !IsMaskChar(m_mask[pos]);
}

bool CTarnMasks::AcceptChar(int pos, QChar c, QChar& stored) const
{
    if (pos < 0 || pos >= m_mask.size())
        return false;
    // Only ASCII digits count as digits: the phone keeps nothing else.
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool letter = c.isLetter();
    stored = c;
    switch (m_mask[pos].unicode()) {
    case '#':
        return digit;
    case '?':
        return letter;
    case 'A':
        return letter || digit;
    case '&':
        return c.isPrint();
    case 'B':
        return c == QLatin1Char('0') || c == QLatin1Char('1');
    case 'H': {
        const QChar up = c.toUpper();
        stored = up;
        return digit || (up >= QLatin1Char('A') && up <= QLatin1Char('F'));
    }
    case 'L':
        stored = c.toLower();
        return letter;
    case 'U':
        stored = c.toUpper();
        return letter;
    default:
        return false;
    }
}

QString CTarnMasks::Apply(const QString& typed, QChar prompt) const
{
    QString out;
    int pos = 0;
    for (const QChar c : typed) {
        if (pos >= m_mask.size())
            break;
        while (IsLiteral(pos) && m_mask[pos] != c) {
            out += m_mask[pos];
            ++pos;
        }
        if (pos >= m_mask.size())
            break;
        if (IsLiteral(pos)) { // the typed literal itself
            out += c;
            ++pos;
            continue;
        }
        QChar stored;
        if (AcceptChar(pos, c, stored)) {
            out += stored;
            ++pos;
            continue;
        }
        // A literal typed early closes the current group: jump past the next such literal.
        const int lit = m_mask.indexOf(c, pos);
        if (lit >= 0 && IsLiteral(lit)) {
            while (pos < lit) {
                out += IsLiteral(pos) ? m_mask[pos] : prompt;
                ++pos;
            }
            out += c;
            ++pos;
        }
    }
    return out;
}

QString CTarnMasks::StripLiterals(const QString& text) const
{
    if (text.size() != m_mask.size())
        return text;
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (!IsLiteral(i))
            out += text[i];
    }
    return out;
}

QString CTarnMasks::Format(const QString& value, QChar prompt) const
{
    QString out;
    int k = 0;
    for (int i = 0; i < m_mask.size(); ++i) {
        if (IsLiteral(i))
            out += m_mask[i];
        else
            out += k < value.size() ? value[k++] : prompt;
    }
    return out;
}

bool CTarnMasks::HasLiterals() const
{
    for (int i = 0; i < m_mask.size(); ++i) {
        if (IsLiteral(i))
            return true;
    }
    return false;
}

QString CTarnMasks::DisplayValue(const QString& stored) const
{
    const QString t = stored.trimmed();
    if (t.isEmpty())
        return QString::number(m_default);
    bool ok = false;
    const quint64 value = t.toULongLong(&ok);
    if (!ok)
        return stored;
    // Shown as the phone's unsigned 32-bit value.
    return QString::number(quint32(value * m_scale));
}

QString CTarnMasks::StoredValue(const QString& shown) const
{
    const QString t = shown.trimmed();
    if (t.isEmpty())
        return QString();
    bool ok = false;
    const quint64 value = t.toULongLong(&ok);
    if (!ok)
        return shown;
    return QString::number(value / m_scale);
}
