#include "CSmsRecipients.h"

#include "SmsMessageIds.h"

#include <QRegularExpression>

QStringList CSmsRecipients::Split(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

CVelmoraError CSmsRecipients::Check(const QStringList& numbers)
{
    if (numbers.size() > MaxNumbers)
        return CVelmoraError::Message(SmsMsg::TooManyRecipients, {QString::number(numbers.size())});
    for (const QString& number : numbers) {
        if (number.size() > MaxNumberLength)
            return CVelmoraError::Message(SmsMsg::NumberTooLong, {number});
    }
    return {};
}

QString CSmsRecipients::Append(const QString& current, const QString& chosen)
{
    if (chosen.isEmpty())
        return current;
    QString result = current;
    if (!result.isEmpty() && !result.endsWith(QLatin1Char(';')))
        result += QLatin1Char(';');
    return result + chosen;
}

int CSmsRecipients::FreeSlots(int lastSendCount)
{
    return qBound(0, MaxNumbers - lastSendCount, int(MaxNumbers));
}
