#pragma once

#include "CFleetSettings.h"

#include <QString>

// What the main frame reads from the application: language, carrier, ports, folders. Taken from the
// application object in the program; tests fill it themselves.
struct CFrameSettings
{
    QString programFolder;
    QString languageName = QStringLiteral("English");
    int languageCode = 2; // English 2, French 1, Hebrew 3
    int carrierId = 1;
    bool smsAvailable = true;
    bool systemIsHebrew = false;
    int comPort = 1;
    int quickComm = 0;
    int usbPort = 0;
    QString helpFile;
    QString displayName;
    QString templatePath;
    QString tabFontFamily = QStringLiteral("Times New Roman");

    bool IsHebrew() const { return languageCode == 3; }
    CFleetSettings Fleet() const;

    // The running application's settings (defaults when there is no application object).
    static CFrameSettings FromApp();
};
