#pragma once

#include "CAppSettings.h"

#include <QString>

// What the main frame reads from the application (language, carrier, ports, folders), with the face
// of its tab labels. Taken from the application object in the program; tests fill it themselves.
struct CFrameSettings : CAppSettings
{
    QString tabFontFamily = QStringLiteral("Times New Roman");

    // The running application's settings (defaults when there is no application object).
    static CFrameSettings FromApp();
};
