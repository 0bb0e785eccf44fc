#include "CGridSortKey.h"

#include <QList>

namespace {

constexpr char16_t kAlef = 0x05D0;
constexpr char16_t kTav = 0x05EA;

bool IsHebrewLetter(QChar c)
{
    return c.unicode() >= kAlef && c.unicode() <= kTav;
}

// The numbers of a key in order, for texts such as "10*20*5"; non-digits separate them.
QList<qulonglong> Numbers(const QString& key, bool& any)
{
    QList<qulonglong> numbers;
    any = false;
    QString digits;
    auto flush = [&] {
        if (!digits.isEmpty()) {
            numbers << digits.toULongLong();
            digits.clear();
            any = true;
        }
    };
    for (const QChar c : key) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else
            flush();
    }
    flush();
    return numbers;
}

} // namespace

QString CGridSortKey::TextKey(const QString& cell)
{
    if (cell.isEmpty())
        return EmptyTextKey();
    QString key;
    key.reserve(cell.size() + 1);
    if (IsHebrewLetter(cell[0]))
        key += QLatin1Char(' ');
    for (const QChar c : cell) {
        if (c.unicode() == kAlef)
            key += QLatin1Char('9');
        else if (IsHebrewLetter(c))
            key += QChar(u'A' + (c.unicode() - kAlef - 1));
        else
            key += c;
    }
    return key;
}

QString CGridSortKey::NumericKey(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty() || t == QLatin1String("-1"))
        return EmptyNumericKey();
    return t;
}

int CGridSortKey::CompareText(const QString& keyA, const QString& keyB)
{
    // Empty cells go last whatever the texts of the others are.
    const bool emptyA = keyA == EmptyTextKey(), emptyB = keyB == EmptyTextKey();
    if (emptyA != emptyB)
        return emptyA ? 1 : -1;
    const int c = keyA.compare(keyB, Qt::CaseInsensitive);
    return c != 0 ? c : keyA.compare(keyB);
}

int CGridSortKey::CompareNumeric(const QString& keyA, const QString& keyB)
{
    const bool emptyA = keyA == EmptyNumericKey(), emptyB = keyB == EmptyNumericKey();
    if (emptyA != emptyB)
        return emptyA ? 1 : -1;
    bool anyA = false, anyB = false;
    const QList<qulonglong> a = Numbers(keyA, anyA), b = Numbers(keyB, anyB);
    if (anyA != anyB)
        return anyA ? -1 : 1; // numbers before texts without any
    for (int i = 0; i < qMin(a.size(), b.size()); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return keyA.compare(keyB);
}
