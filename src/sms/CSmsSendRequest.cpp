#include "CSmsSendRequest.h"

#include "SmsRequest.h"

#include <QRegularExpression>

namespace {

// The first character Latin-1 cannot hold, or a null QChar.
QChar FirstUnsendable(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return c;
    return QChar();
}

void WriteFlag(char* record, int offset, bool on)
{
    SmsRecord::WriteInt(record, offset, on ? 1 : 0);
}

} // namespace

QStringList CSmsSendRequest::SplitRecipients(const QString& recipients)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    return recipients.split(separators, Qt::SkipEmptyParts);
}

CVelmoraError CSmsSendRequest::Build(const Input& input, QByteArray* record)
{
    const QStringList numbers = SplitRecipients(input.recipients);
    if (numbers.isEmpty())
        return CVelmoraError::Message(SmsRequestText::NoRecipient);
    if (numbers.size() > SMS_RECIPIENT_SLOTS)
        return CVelmoraError::Message(SmsRequestText::TooManyRecipients, {QString::number(numbers.size())});
    for (const QString& number : numbers)
        if (number.size() > SMS_MAX_NUMBER_LENGTH)
            return CVelmoraError::Message(SmsRequestText::NumberTooLong, {number});
    for (const QString* text : {&input.message, &input.optionValue})
        if (const QChar c = FirstUnsendable(*text); !c.isNull())
            return CVelmoraError::Message(SmsRequestText::CharacterNotSendable, {QString(c)});

    record->fill('\0', SMS_REQUEST_SIZE);
    char* r = record->data();
    WriteFlag(r, SMS_OFF_BREAK_WORDS, input.breakBetweenWords);
    WriteFlag(r, SMS_OFF_AUTO_SPLIT, input.autoSplit);
    WriteFlag(r, SMS_OFF_STRIP_SPACE, input.stripExtraSpace);
    WriteFlag(r, SMS_OFF_ADD_INDEX, input.addIndex);
    WriteFlag(r, SMS_OFF_OPTION, input.option);
    SmsRecord::WriteText(r, SMS_OFF_OPTION_VALUE, SMS_OPTION_VALUE_SIZE, input.optionValue.toLatin1());

    const QString message = input.message.left(SMS_MAX_MESSAGE_LENGTH);
    SmsRecord::WriteInt(r, SMS_OFF_MESSAGE_LENGTH, int32_t(message.size()));
    SmsRecord::WriteInt(r, SMS_OFF_RECIPIENT_COUNT, int32_t(numbers.size()));
    for (int i = 0; i < numbers.size(); ++i)
        SmsRecord::WriteText(r, SMS_OFF_RECIPIENTS + i * SMS_RECIPIENT_SIZE, SMS_RECIPIENT_SIZE,
                             numbers.at(i).toLatin1());
    SmsRecord::WriteText(r, SMS_OFF_MESSAGE, SMS_MESSAGE_SIZE, message.toLatin1());

    // The carrier's texts are cut to their fields rather than spilling into the next one.
    SmsRecord::WriteText(r, SMS_OFF_SC_NAME, SMS_TEXT_FIELD_SIZE, input.providerName.toLatin1());
    SmsRecord::WriteText(r, SMS_OFF_SC_CITY, SMS_TEXT_FIELD_SIZE, input.providerCity.toLatin1());
    SmsRecord::WriteText(r, SMS_OFF_SC_NUMBER, SMS_TEXT_FIELD_SIZE,
                         (input.providerPrefix + input.providerPhone).toLatin1());
    SmsRecord::WriteInt(r, SMS_OFF_MAX_LENGTH, input.maxLength);
    return {};
}

int CSmsSendRequest::CurrentIndex(const QByteArray& record)
{
    return record.size() >= SMS_REQUEST_SIZE ? SmsRecord::ReadInt(record.constData(), SMS_OFF_CURRENT) : -1;
}

QString CSmsSendRequest::RecipientAt(const QByteArray& record, int index)
{
    if (record.size() < SMS_REQUEST_SIZE || index < 0 || index >= SMS_RECIPIENT_SLOTS)
        return QString();
    return QString::fromLatin1(SmsRecord::ReadText(
        record.constData(), SMS_OFF_RECIPIENTS + index * SMS_RECIPIENT_SIZE, SMS_RECIPIENT_SIZE));
}

int CSmsSendRequest::DetailCode(const QByteArray& record)
{
    return record.size() >= SMS_REQUEST_SIZE ? SmsRecord::ReadShort(record.constData(), SMS_OFF_DETAIL) : 0;
}
