#pragma once

#include "CGridCellStyle.h"
#include "CGridSettings.h"

#include <QList>
#include <QString>

// The sixteen kinds of list a grid can be made for, as data: name (also the name of the saved
// column widths), columns, row capacity and which rows and keys the grid allows.
class CGridListType
{
public:
    enum Type
    {
        PhoneList = 1,
        PrivateList = 2,
        TgCallList = 3,
        ConsolCallList = 4,
        TgScanList = 5,
        SmsMsg = 6,
        TgUser = 7,
        TgHeader = 8,
        TgDetail = 9,
        CopyUserInfo = 10,
        AutoFillGrid = 11,
        ChoosePhoneGrid = 12,
        DisplayUnitGrid = 13,
        LoadSmsGrid = 14,
        PhoneBookGrid = 15,
        AlderErgoList = 16,
    };
    enum : int
    {
        FirstType = PhoneList,
        LastType = AlderErgoList,
        Unlimited = -1
    };

    static bool IsValid(int type) { return type >= FirstType && type <= LastType; }
    static QString Name(int type);
    static int FromName(const QString& name);

    // Whether the grid's insert-rows operation may ever add a row.
    static bool RowsCanBeInserted(int type);
    // Whether Tab (or Enter) from the last row may append a row.
    static bool AutoAppends(int type);
    static bool UsesArrowHeader(int type) { return type >= TgUser && type <= ChoosePhoneGrid; }
    // List text is dark blue except in the chooser, display, auto-fill and phone-book grids.
    static bool HasBlueText(int type);

    // How many rows the list may hold (Unlimited for the lists without a capacity); nam is 1..3.
    static int RowCapacity(int type, const CGridSettings::Capacities& capacities, int nam);

    // The column styles of a list type, indexed by grid column; entry 0 is the row header (its
    // captionId is the corner caption). Column 2 of the private list depends on cross-fleet; the
    // auto-fill grid's columns 4 and 5 on the sub-mode.
    static QList<CGridCellStyle> Columns(int type, int subMode, bool crossFleet);

    // Interior and text colours of the list grids.
    static QColor Green() { return QColor(192, 220, 192); }
    static QColor Cream() { return QColor(255, 251, 240); }
    static QColor DarkBlue() { return QColor(0, 0, 192); }

private:
    // Columns of one group of list types; empty for a type of another group.
    static QList<CGridCellStyle> PhoneListColumns(int type, bool crossFleet);
    static QList<CGridCellStyle> TalkgroupGridColumns(int type);
    static QList<CGridCellStyle> ChooserColumns(int type, int subMode);
};
