#include "CModelListParser.h"

#include <utility>

namespace {

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads one number of at most three digits at pos, skipping what is not a digit before it (but not
// past the end of the entry). Digits beyond the third belong to no number and are passed over.
bool ReadNumber(const QString& text, int& pos, int end, int& number)
{
    while (pos < end && !IsAsciiDigit(text.at(pos)))
        ++pos;
    if (pos >= end)
        return false;
    number = 0;
    int digits = 0;
    while (pos < end && IsAsciiDigit(text.at(pos))) {
        if (digits < 3)
            number = number * 10 + text.at(pos).digitValue();
        ++digits;
        ++pos;
    }
    return true;
}

} // namespace

bool CModelListParser::Matches(const QString& models, int modelType)
{
    const QString text = models.trimmed();
    if (text.isEmpty() || text.compare(QLatin1String("All"), Qt::CaseInsensitive) == 0)
        return true;
    const int model = modelType & 0xFFFF;
    int start = 0;
    while (start <= text.size()) {
        int end = text.indexOf(QLatin1Char(','), start);
        if (end < 0)
            end = text.size();
        int pos = start;
        int low = 0;
        if (ReadNumber(text, pos, end, low)) {
            int high = low;
            while (pos < end && text.at(pos).isSpace())
                ++pos;
            if (pos < end && text.at(pos) == QLatin1Char('-')) {
                ++pos;
                if (!ReadNumber(text, pos, end, high))
                    high = low;
            }
            if (high < low)
                std::swap(low, high);
            if (model >= low && model <= high)
                return true;
        }
        start = end + 1;
    }
    return false;
}

bool CModelListParser::ListHas(const QString& list, int modelType)
{
    return list.contains(QStringLiteral("#%1#").arg(modelType));
}
