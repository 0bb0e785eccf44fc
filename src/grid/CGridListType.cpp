#include "CGridListType.h"

#include <array>

namespace {

const std::array<const char*, 16> kNames = {
    "PHONE_LIST",        "PRIVATE_LIST",   "TG_CALL_LIST",    "CONSOL_CALL_LIST",
    "TG_SCAN_LIST",      "SMS_MSG",        "TG_USER",         "TG_HEADER",
    "TG_DETAIL",         "COPY_USER_INFO", "AUTO_FILL_GRID",  "CHOOSE_PHONE_GRID",
    "DISPLAY_UNIT_GRID", "LOAD_SMS_GRID",  "PHONE_BOOK_GRID", "ALDER_ERGO_LIST",
};

const char* const kDialChars = "0-9,#,*,o,+,P";

CGridCellStyle NameColumn(int captionId, bool green = true)
{
    CGridCellStyle s;
    s.maxLength = 11;
    s.attr1415 = 0;
    if (green)
        s.interior = CGridListType::Green();
    s.captionId = captionId;
    return s;
}

CGridCellStyle CheckColumn(int captionId)
{
    CGridCellStyle s;
    s.control = CGridCellStyle::CheckBox;
    s.centred = true;
    s.captionId = captionId;
    s.initialValue = QStringLiteral("0");
    return s;
}

// An id column that must hold a number low..high.
CGridCellStyle IdColumn(const QString& chars, int maxLength, qint64 low, qint64 high, int captionId)
{
    CGridCellStyle s;
    s.validChars = chars;
    s.maxLength = maxLength;
    s.minValue = low;
    s.maxValue = high;
    s.formatType = 1;
    s.numericSort = true;
    s.captionId = captionId;
    return s;
}

CGridCellStyle ReadOnly(const QColor& interior, int captionId, bool rtl = false)
{
    CGridCellStyle s;
    s.control = CGridCellStyle::StaticText;
    s.readOnly = true;
    s.interior = interior;
    s.captionId = captionId;
    s.rtlReading = rtl;
    return s;
}

CGridCellStyle Hidden(int captionId = 0)
{
    CGridCellStyle s;
    s.control = CGridCellStyle::StaticText;
    s.readOnly = true;
    s.hidden = true;
    s.captionId = captionId;
    return s;
}

CGridCellStyle TypeCombo(bool readOnly)
{
    CGridCellStyle s;
    s.control = CGridCellStyle::TabbedCombo;
    s.choiceSource = CGridCellStyle::CallListTypeChoices;
    s.initialValue = QStringLiteral("-1");
    s.readOnly = readOnly;
    s.widthMm = 11;
    s.numericSort = true;
    s.captionId = 1738;
    return s;
}

} // namespace

QString CGridListType::Name(int type)
{
    return IsValid(type) ? QString::fromLatin1(kNames[type - 1]) : QString();
}

int CGridListType::FromName(const QString& name)
{
    for (int t = FirstType; t <= LastType; ++t) {
        if (name == QLatin1String(kNames[t - 1]))
            return t;
    }
    return 0;
}

bool CGridListType::RowsCanBeInserted(int type)
{
    switch (type) {
    case CopyUserInfo:
    case AutoFillGrid:
    case ChoosePhoneGrid:
    case LoadSmsGrid:
    case AlderErgoList:
        return false;
    default:
        return IsValid(type);
    }
}

bool CGridListType::AutoAppends(int type)
{
    if (!IsValid(type))
        return false;
    return type < CopyUserInfo || type == LoadSmsGrid;
}

bool CGridListType::HasBlueText(int type)
{
    switch (type) {
    case AutoFillGrid:
    case ChoosePhoneGrid:
    case DisplayUnitGrid:
    case PhoneBookGrid:
        return false;
    default:
        return IsValid(type);
    }
}

int CGridListType::RowCapacity(int type, const CGridSettings::Capacities& c, int nam)
{
    const int n = qBound(1, nam, 3) - 1;
    switch (type) {
    case PhoneList:
        return c.phoneBook;
    case PrivateList:
        return c.privateList[n];
    case TgCallList:
        return c.talkgroups[n];
    case ConsolCallList:
        return c.consolidated;
    case TgScanList:
        return c.scanList[n];
    case SmsMsg:
        return c.statusMessages[n];
    default:
        return Unlimited;
    }
}

namespace {

// A column 0 holding the row number, then count editable text columns.
QList<CGridCellStyle> Blank(int count)
{
    QList<CGridCellStyle> cols;
    for (int i = 0; i <= count; ++i)
        cols.append(CGridCellStyle());
    cols[0].control = CGridCellStyle::StaticText;
    cols[0].readOnly = true;
    return cols;
}

} // namespace

// The lists a phone keeps.
QList<CGridCellStyle> CGridListType::PhoneListColumns(int type, bool crossFleet)
{
    QList<CGridCellStyle> cols;
    switch (type) {
    case PhoneList:
        cols = Blank(3);
        cols[0].captionId = 1767;
        cols[1] = NameColumn(1737);
        cols[1].rtlReading = true;
        cols[2].validChars = QString::fromLatin1(kDialChars);
        cols[2].maxLength = 20;
        cols[2].dialString = true;
        cols[2].interior = Cream();
        cols[2].captionId = 1373;
        cols[3] = CheckColumn(1752);
        return cols;
    case PrivateList:
        cols = Blank(3);
        cols[1] = NameColumn(1737);
        if (crossFleet) {
            cols[2].validChars = QStringLiteral("0-9,*");
            cols[2].maxLength = 20;
            cols[2].formatType = 1;
            cols[2].numericSort = true;
            cols[2].captionId = 1372;
        } else {
            cols[2] = IdColumn(QStringLiteral("0-9"), 5, 1, 65535, 1372);
        }
        cols[3] = CheckColumn(1752);
        return cols;
    case TgCallList:
        cols = Blank(3);
        cols[1] = NameColumn(1610);
        cols[2] = IdColumn(QString::fromLatin1(kDialChars), 3, 1, 255, 1611);
        cols[2].interior = Cream();
        cols[2].widthMm = 11;
        cols[3] = CheckColumn(1752);
        return cols;
    case TgScanList:
        cols = Blank(3);
        cols[1].maxLength = 11;
        cols[2] = IdColumn(QString::fromLatin1(kDialChars), 3, 1, 255, 1718);
        cols[2].widthMm = 11;
        cols[3] = CheckColumn(1752);
        return cols;
    case SmsMsg:
        cols = Blank(3);
        cols[1] = NameColumn(1716);
        cols[2] = IdColumn(QStringLiteral("0-9"), 3, 1, 255, 1717);
        cols[2].interior = Cream();
        cols[3] = CheckColumn(1752);
        return cols;
    case ConsolCallList:
        cols = Blank(13);
        cols[0].captionId = 1767;
        cols[1] = NameColumn(1737);
        cols[2].validChars = QStringLiteral("0-9,#,*,o,+,.,+,P");
        cols[2].maxLength = 21;
        cols[2].captionId = 1736;
        cols[3] = TypeCombo(false);
        cols[4] = ReadOnly(Cream(), 1739);
        cols[4].centred = true;
        cols[4].numericSort = true;
        for (int c = 5; c <= 13; ++c)
            cols[c] = Hidden();
        return cols;
    default:
        return {};
    }
}

// The phone book grid and the talkgroup grids.
QList<CGridCellStyle> CGridListType::TalkgroupGridColumns(int type)
{
    QList<CGridCellStyle> cols;
    switch (type) {
    case PhoneBookGrid:
        cols = Blank(14);
        cols[0].captionId = 1767;
        cols[1] = ReadOnly(QColor(), 1739);
        cols[1].maxLength = 3;
        cols[1].numericSort = true;
        cols[2] = ReadOnly(QColor(), 1737);
        cols[2].maxLength = 11;
        cols[3] = TypeCombo(true);
        cols[4] = ReadOnly(QColor(), 1736);
        cols[4].maxLength = 21;
        for (int c = 5; c <= 14; ++c)
            cols[c] = Hidden();
        return cols;
    case TgUser:
    case TgHeader:
    case TgDetail:
        cols = Blank(type == TgUser ? 8 : 4);
        cols[2].validChars = QStringLiteral("0-9, ,A-Z,a-z");
        cols[2].maxLength = 11;
        cols[2].interior = Green();
        cols[3].control = CGridCellStyle::NumFmt;
        cols[3].interior = Cream();
        if (type == TgHeader) {
            cols[1].captionId = 1610;
            cols[2].captionId = 1611;
        } else if (type == TgUser) {
            cols[1].captionId = 1378;
            cols[8].captionId = 1372;
        } else {
            cols[3].captionId = 1737;
            cols[4].captionId = 1372;
        }
        return cols;
    default:
        return {};
    }
}

// The grids of the dialogs that pick or copy units and messages.
QList<CGridCellStyle> CGridListType::ChooserColumns(int type, int subMode)
{
    QList<CGridCellStyle> cols;
    switch (type) {
    case CopyUserInfo:
        cols = Blank(5);
        cols[1] = CheckColumn(0);
        cols[1].interior = Green();
        cols[2] = ReadOnly(Cream(), 1378, true);
        cols[3] = ReadOnly(Green(), 1376);
        cols[4] = Hidden(1771);
        cols[5] = ReadOnly(Cream(), 1374);
        return cols;
    case AutoFillGrid:
        cols = Blank(5);
        cols[1] = Hidden();
        cols[2] = CheckColumn(0);
        cols[2].interior = Green();
        cols[3] = ReadOnly(Cream(), 1378, true);
        cols[4] = ReadOnly(Green(), 1372);
        cols[5] = ReadOnly(Green(), 1373);
        if (subMode == 2) {
            cols[5].hidden = true;
        } else if (subMode == 1) {
            cols[4].hidden = true;
        } else {
            cols[5].interior = Cream();
        }
        return cols;
    case ChoosePhoneGrid:
        cols = Blank(3);
        cols[1] = Hidden();
        cols[2] = ReadOnly(Green(), 1378, true);
        cols[3] = ReadOnly(Cream(), 1376);
        return cols;
    case DisplayUnitGrid:
        cols = Blank(3);
        cols[1] = CheckColumn(0);
        cols[2] = ReadOnly(Green(), 1378, true);
        cols[3] = ReadOnly(Cream(), 1373);
        return cols;
    case LoadSmsGrid:
        cols = Blank(4);
        cols[1] = Hidden();
        cols[2] = ReadOnly(Green(), 1768, true);
        cols[3] = ReadOnly(Cream(), 1769, true);
        cols[4] = ReadOnly(Green(), 1770);
        cols[4].numericSort = true;
        return cols;
    case AlderErgoList:
        cols = Blank(2);
        cols[1] = ReadOnly(Green(), 1957);
        cols[2].captionId = 1958;
        return cols;
    default:
        return {};
    }
}

QList<CGridCellStyle> CGridListType::Columns(int type, int subMode, bool crossFleet)
{
    QList<CGridCellStyle> cols = PhoneListColumns(type, crossFleet);
    if (cols.isEmpty())
        cols = TalkgroupGridColumns(type);
    if (cols.isEmpty())
        cols = ChooserColumns(type, subMode);
    if (cols.isEmpty())
        cols = Blank(1);

    if (HasBlueText(type)) {
        for (int c = 1; c < cols.size(); ++c)
            cols[c].textColor = DarkBlue();
    }
    return cols;
}
