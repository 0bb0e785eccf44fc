#pragma once

#include "CGridCellStyle.h"

#include <QString>
#include <QStringList>

// The 33 columns of the units grid, one per field of unit_details in field order (grid column n is
// field n), with the cell control, colour, caption and visibility of each.
class CUnitsColumns
{
public:
    enum Column : int
    {
        UserName = 1,
        Imei = 2,
        ModelType = 3,
        PhoneNam1 = 4,
        CurrentNam = 5,
        PhoneNam2 = 6,
        PhoneNam3 = 7,
        DisplayPrivateId = 8,
        Nam1Urban = 9, // urban, fleet, member of NAM 1, then of NAM 2 (12-14) and NAM 3 (15-17)
        Nam3Member = 17,
        CrossFleet = 18,
        Nam1PrivateId = 19, // NAM 2 and NAM 3 follow
        Nam3PrivateId = 21,
        TarnOnline = 22,
        FaxNum = 23,
        IpAddress = 24,
        CpStructureVersion = 25,
        CpDefaultVersion = 26,
        LastModDate = 27,
        Comments = 28,
        RecNum = 29,
        SimVersion = 30,
        SubReleaseId = 31,
        DefCallListLang = 32,
        ReleaseId = 33,
        Count = 33
    };

    // The language choices of the call-list language column ("text\tvalue\n" lines).
    static QString CallListLanguages();

    // Field name of a column (1..33).
    static QString FieldName(int col);
    // Whether a column holds text (the others hold numbers; the cross-fleet column 0 or 1).
    static bool IsTextColumn(int col);
    // The value a new row starts with in a column.
    static QString InitialValue(int col);
    // The style of a column. faxLabel fills the placeholder of the fax column's caption.
    static CGridCellStyle Style(int col);
    // The caption text of a column in the running language (empty for a column without one).
    static QString Caption(int col, const QString& faxLabel);
    // The hidden set the grid starts with.
    static bool HiddenAtStart(int col);

    // Names of the fields in column order.
    static const QStringList& FieldNames();
};
