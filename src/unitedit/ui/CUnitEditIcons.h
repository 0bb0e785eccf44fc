#pragma once

#include <QIcon>

// The tab icons of the unit property sheet's pages, drawn so that they need no picture files.
class CUnitEditIcons
{
public:
    enum : int
    {
        SettingsPageIcon = 1197, // the Basic, Advanced and Comments pages
        ListPageIcon = 1203,     // the list pages of phone classes 2 and 3
        // Button bitmaps of the list pages.
        ClearBitmap = 1283,
        AutoFillBitmap = 1284,
        CopyUserBitmap = 1285,
        MoveDownBitmap = 1286,
        MoveUpBitmap = 1287,
        TransferBitmap = 1308,
    };

    // Icon 1197 (settings and comments pages); any other id gives the information pages' icon.
    static QIcon PageIcon(int iconId);
    // A list page's button bitmap (the ids above).
    static QIcon ButtonIcon(int bitmapId);
};
