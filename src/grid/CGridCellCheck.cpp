#include "CGridCellCheck.h"

#include "CPhoneTextCodec.h"
#include "CRangeParser.h"

namespace {

bool ParseInt(const QString& text, qint64& value)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    value = text.toLongLong(&ok);
    return ok;
}

bool ParseSignedInt(const QString& text, qint64& value)
{
    if (text.startsWith(QLatin1Char('-'))) {
        if (!ParseInt(text.mid(1), value))
            return false;
        value = -value;
        return true;
    }
    return ParseInt(text, value);
}

// A part of an address without its prompt characters.
QString Bare(QString part)
{
    part.remove(QLatin1Char('_'));
    return part.trimmed();
}

} // namespace

CGridCheckResult CGridCellCheck::RangeEdit(const CGridCellStyle& style, const QString& text)
{
    if (style.minLength > 0 && text.size() < style.minLength)
        return CGridCheckResult::Fail(MsgTooShort, {QString::number(style.minLength)});

    if (!style.validChars.isEmpty()) {
        const CRangeParser chars(style.validChars, CRangeParser::CharacterMode);
        if (!chars.ContainsAll(text))
            return CGridCheckResult::Fail(MsgInvalidChars, {style.validChars});
    }

    if (style.phoneCodePage != 0) {
        const CGridCheckResult page = PhoneText(text, style.phoneCodePage);
        if (!page.ok)
            return page;
    }

    if (style.maxValue && !text.isEmpty()) {
        const qint64 low = style.minValue.value_or(0);
        const qint64 high = *style.maxValue;
        qint64 value = 0;
        if (!ParseSignedInt(text, value) || value < low || value > high)
            return CGridCheckResult::Fail(MsgOutOfRange, {QString::number(low), QString::number(high)});
    }

    if (style.dialString)
        return DialString(text);
    return CGridCheckResult::Pass();
}

CGridCheckResult CGridCellCheck::PhoneText(const QString& text, int codePage)
{
    const CPhoneTextCodec codec(codePage == CPhoneTextCodec::Hebrew ? CPhoneTextCodec::Hebrew
                                                                    : CPhoneTextCodec::Latin);
    const CVelmoraError refused = codec.Check(text);
    return refused ? CGridCheckResult::Fail(refused.Id(), refused.Args()) : CGridCheckResult::Pass();
}

CGridCheckResult CGridCellCheck::DialString(const QString& text)
{
    if (text.isEmpty())
        return CGridCheckResult::Pass();
    static const QString allowed = QStringLiteral("0123456789*#o+P");
    for (const QChar c : text) {
        if (!allowed.contains(c))
            return CGridCheckResult::Fail(MsgDialChars);
    }
    const int plus = text.indexOf(QLatin1Char('+'));
    if (plus > 0)
        return CGridCheckResult::Fail(MsgPlusNotFirst);
    if (text.count(QLatin1Char('+')) > 1)
        return CGridCheckResult::Fail(MsgTwoPlus);
    if (plus < 0 && text.size() > DialStringMaxDigits)
        return CGridCheckResult::Fail(MsgDialTooLong, {QString::number(DialStringMaxDigits)});
    return CGridCheckResult::Pass();
}

CGridCheckResult CGridCellCheck::Value1To255(const QString& text)
{
    if (text.isEmpty())
        return CGridCheckResult::Pass();
    qint64 value = 0;
    if (!ParseInt(text, value) || value < 1 || value > 255)
        return CGridCheckResult::Fail(MsgValue1To255);
    return CGridCheckResult::Pass();
}

QString CGridCellCheck::NumFmtMask(int formatType)
{
    switch (formatType) {
    case 1:
        return QStringLiteral("###");
    case 2:
    case 3:
        return QStringLiteral("#####");
    case 4:
        return QStringLiteral("###.###.###.###");
    default:
        return QString();
    }
}

QString CGridCellCheck::NumFmtRange(const CGridCellStyle& style)
{
    if (!style.validChars.isEmpty())
        return style.validChars;
    switch (style.formatType.value_or(0)) {
    case 1:
        return QStringLiteral("1-100");
    case 2:
    case 3:
        return QStringLiteral("1-65535");
    case 4:
        return QStringLiteral("0-255");
    default:
        return QString();
    }
}

CGridCheckResult CGridCellCheck::NumFmt(const CGridCellStyle& style, const QString& text,
                                        const QStringList& otherValues, bool duplicatesRefused)
{
    const QString range = NumFmtRange(style);
    if (range.isEmpty())
        return CGridCheckResult::Pass();

    if (style.ipAttr) {
        QString digits = text;
        digits.remove(QLatin1Char('.'));
        if (Bare(digits).isEmpty())
            return CGridCheckResult::Pass();
        for (int i = 0; i < digits.size(); i += 3) {
            const QString group = Bare(digits.mid(i, 3));
            qint64 value = 0;
            if (!group.isEmpty() && (!ParseInt(group, value) || value > 255))
                return CGridCheckResult::Fail(MsgInvalidIp);
        }
        return CGridCheckResult::Pass();
    }

    const QString t = text.trimmed();
    if (t.isEmpty())
        return CGridCheckResult::Pass();
    qint64 value = 0;
    if (!ParseInt(t, value))
        return CGridCheckResult::FailSilently();
    if (duplicatesRefused) {
        for (const QString& other : otherValues) {
            qint64 otherValue = 0;
            if (other.trimmed() == t || (ParseInt(other.trimmed(), otherValue) && otherValue == value))
                return CGridCheckResult::Fail(MsgDuplicateSpeedDial);
        }
    }
    const CRangeParser parser(range, CRangeParser::NumberMode);
    if (!parser.Contains(value)) {
        qint64 low = 0, high = 0;
        if (parser.Pairs().size() == 1 && parser.Bounds(low, high))
            return CGridCheckResult::Fail(MsgOutOfRange, {QString::number(low), QString::number(high)});
        return CGridCheckResult::Fail(MsgNotInValueList, {range});
    }
    return CGridCheckResult::Pass();
}

bool CGridCellCheck::IpParts(const QString& text, int parts[4])
{
    QStringList groups;
    if (text.contains(QLatin1Char('.'))) {
        groups = text.split(QLatin1Char('.'));
        if (groups.size() != 4)
            return false;
    } else {
        if (text.size() > 12)
            return false;
        for (int i = 0; i < 12; i += 3)
            groups << text.mid(i, 3);
    }
    for (int i = 0; i < 4; ++i) {
        const QString g = Bare(groups[i]);
        qint64 value = 0;
        if (g.isEmpty()) {
            parts[i] = 0;
            continue;
        }
        if (g.size() > 3 || !ParseInt(g, value))
            return false;
        parts[i] = int(value);
    }
    return true;
}

CGridCheckResult CGridCellCheck::IpCell(const QString& text)
{
    int p[4] = {0, 0, 0, 0};
    if (!IpParts(text, p))
        return CGridCheckResult::Fail(MsgIpCell, {QString()});
    if (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0)
        return CGridCheckResult::Pass();
    if (p[0] < 1 || p[0] > 223 || p[1] > 255 || p[2] > 255 || p[3] > 255)
        return CGridCheckResult::Fail(MsgIpCell, {QString()});
    return CGridCheckResult::Pass();
}
