#pragma once

#include "CGridCellStyle.h"
#include "CGridCheckResult.h"

#include <QStringList>

// The checks of typed cell text: the range edit control's attributes, the dial-string rule, the
// 1..255 id cells, the number-format cell and the IP address cell. Plain functions; the grid
// model calls them when a cell is left, dialogs call them for their row checks.
class CGridCellCheck
{
public:
    // Message ids of these checks.
    enum : int
    {
        MsgTooShort = 1412,     // placeholder: the minimum length
        MsgInvalidChars = 1413, // placeholder: the range list
        MsgOutOfRange = 1645,   // placeholders: minimum, maximum
        MsgDialChars = 1847,    // a character outside "0123456789*#o+P"
        MsgPlusNotFirst = 1819, // "+" not in first place
        MsgTwoPlus = 1820,      // more than one "+"
        MsgDialTooLong = 1821,  // placeholder: 20
        MsgIpCell = 1679,       // placeholder: empty
        MsgValue1To255 = 7100,  // "Please enter a value between 1 and 255"
        MsgDuplicateSpeedDial = 7101,
        MsgInvalidIp = 7102,
        MsgNotInValueList = 7103, // placeholder: the range list
    };
    enum : int
    {
        DialStringMaxDigits = 20
    };

    // Range edit control, in this order: minimum length, valid characters, the phone's code page
    // (when set), value range (only when a maximum is set; an empty text passes), dial-string rule.
    static CGridCheckResult RangeEdit(const CGridCellStyle& style, const QString& text);

    // A text for the phone (a name of a list or of the unit): every character must be one of the code
    // page's (1252 or 1255, CPhoneTextCodec); the message names the first that is not.
    static CGridCheckResult PhoneText(const QString& text, int codePage);

    // The dial-string rule: empty passes; only "0123456789*#o+P"; "+" only first and once; at most
    // 20 characters without "+".
    static CGridCheckResult DialString(const QString& text);

    // An id cell checked when it is left: empty passes, otherwise a number 1..255.
    static CGridCheckResult Value1To255(const QString& text);

    // Number-format cell. otherValues are the same column's values of the other rows, checked for
    // a duplicate when duplicatesRefused (the phone list's speed dials).
    static CGridCheckResult NumFmt(const CGridCellStyle& style, const QString& text,
                                   const QStringList& otherValues, bool duplicatesRefused);

    // The range list a number-format cell checks against: its own, else that of its format type.
    static QString NumFmtRange(const CGridCellStyle& style);
    // The mask of a number-format type 1..4 (empty for another type).
    static QString NumFmtMask(int formatType);

    // IP address cell: four groups of three characters (or four dotted parts); all zero or empty is
    // "no address"; otherwise 1..223 then three times 0..255.
    static CGridCheckResult IpCell(const QString& text);

    // The four parts of an address cell text, or false when a part is not a number. Empty parts
    // read as 0.
    static bool IpParts(const QString& text, int parts[4]);
};
