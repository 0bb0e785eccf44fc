#include "CConsolNumberType.h"

#include "CConsolidatedDerivation.h"
#include "CGridCellCheck.h"
#include "CVelmoraWrap.h"

#include <QStringList>

QString CConsolNumberType::Choices()
{
    QString choices;
    for (int type = FirstType; type <= LastType; ++type)
        choices += CVelmoraWrap::LoadString(CaptionId(type)) + QLatin1Char('\t') + QString::number(type) +
                   QLatin1Char('\n');
    return choices;
}

CVelmoraError CConsolNumberType::CheckPrivateId(const QString& number, const CPrivateIdForm& privateIds)
{
    const int error = privateIds.CrossFleet() ? MsgInvalidTrinum : MsgPrivateRange;
    if (number.isEmpty() || number.contains(QLatin1Char('+')))
        return error == MsgInvalidTrinum
                   ? CVelmoraError::Message(MsgInvalidTrinum)
                   : CVelmoraError::Message(MsgPrivateRange, {QStringLiteral("1"), QStringLiteral("65535")});
    return privateIds.Read(number).error;
}

CVelmoraError CConsolNumberType::CheckTalkgroup(const QString& number)
{
    if (number.isEmpty())
        return CVelmoraError::Message(MsgNoTalkgroup);
    bool digits = number.size() <= 3;
    for (const QChar c : number)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int id = digits ? number.toInt() : 0;
    if (id < 1 || id > 255)
        return CVelmoraError::Message(MsgBadTalkgroup);
    return CVelmoraError();
}

CVelmoraError CConsolNumberType::CheckIpAddress(const QString& number)
{
    if (number.isEmpty())
        return CVelmoraError::Message(MsgNoIp);
    if (number.count(QLatin1Char('.')) != 3 || number.endsWith(QLatin1Char('.')))
        return CVelmoraError::Message(MsgBadIp);
    for (const QChar c : number) {
        if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return CVelmoraError::Message(MsgIpChars);
    }
    // Four numbers, none empty (a part left out is no address) and each below 256.
    for (const QString& part : number.split(QLatin1Char('.'))) {
        if (part.isEmpty() || part.size() > 3 || part.toInt() > 255)
            return CVelmoraError::Message(MsgBadIp);
    }
    return CVelmoraError();
}

CVelmoraError CConsolNumberType::CheckNumber(int type, const QString& number,
                                             const CPrivateIdForm& privateIds)
{
    switch (type) {
    case PrivateId:
        return CheckPrivateId(number, privateIds);
    case Talkgroup:
        return CheckTalkgroup(number);
    case IpAddress:
        return CheckIpAddress(number);
    default:
        break;
    }
    const CGridCheckResult dial = CGridCellCheck::DialString(number);
    if (!dial.ok)
        return CVelmoraError::Message(dial.messageId, dial.args);
    return CVelmoraError();
}

QString CConsolNumberType::PrivateIdText(int urban, int fleet, int member)
{
    return CConsolidatedDerivation::PrivateNumber(quint32(urban), quint32(fleet), quint32(member));
}
