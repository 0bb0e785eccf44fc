#pragma once

#include <QString>

// Paths and file names shown inside right-to-left text (Hebrew menus) keep their left-to-right order:
// without it the bidirectional algorithm moves their slashes, dots and digits around.
class CBidiText
{
public:
    // The text as a left-to-right run isolated from what surrounds it (LRI ... PDI).
    static QString IsolateLtr(const QString& text);
};
