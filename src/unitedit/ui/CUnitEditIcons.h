#pragma once

#include <QIcon>

// The tab icons of the unit property sheet's pages, drawn so that they need no picture files.
class CUnitEditIcons
{
public:
    enum : int
    {
        SettingsPageIcon = 1197, // the Basic, Advanced and Comments pages
    };

    // Icon 1197 (settings and comments pages); any other id gives the information pages' icon.
    static QIcon PageIcon(int iconId);
};
