#include "PhoneToolText.h"

#include "CVelmoraWrap.h"

QString PhoneToolText(int id, const QStringList& args)
{
    const QString text = CVelmoraWrap::LoadString(id);
    if (text.isEmpty()) {
        QString bare = QStringLiteral("[%1]").arg(id);
        for (const QString& arg : args)
            bare += QLatin1Char(' ') + arg;
        return bare;
    }
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 1 < text.size() && text.at(i + 1).isDigit() &&
            text.at(i + 1) != QLatin1Char('0')) {
            int n = text.at(i + 1).digitValue();
            int end = i + 2;
            if (end < text.size() && text.at(end).isDigit()) {
                n = n * 10 + text.at(end).digitValue();
                ++end;
            }
            if (n <= args.size()) {
                result += args.at(n - 1);
                i = end - 1;
                continue;
            }
        }
        result += c;
    }
    return result;
}
