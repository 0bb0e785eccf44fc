#pragma once

#include "CFleetSettings.h"
#include "CInstalledData.h"

#include <QString>

// The application-wide settings windows and commands read: folders, language, carrier, the phone
// link's ports and the values of the options dialog. The application object holds the program's one
// value (and announces it again when the options dialog changed it); tests fill their own.
struct CAppSettings
{
    using Language = CInstalledData::Language;

    QString programFolder;
    QString templatePath; // the fleet template new fleets and scratch databases are copied from
    QString languageName = QStringLiteral("English");
    Language language = CInstalledData::English;
    int carrierId = 1;
    bool smsAvailable = true;
    bool systemIsHebrew = false;
    int comPort = 1;
    int quickComm = 0;
    int usbPort = 0;
    QString backupFolder; // "Codeplug Backup Path"
    QString benchFolder;  // the virtual phones behind the cable
    int stripExtraSpace = 0;
    int autoSplit = 0;
    int addIndex = 0;
    int breakBetweenWords = 0;
    QString helpFile;
    QString displayName;

    bool IsHebrew() const { return language == CInstalledData::Hebrew; }
    // The port arguments as the library takes them: the COM port's low byte, and 0 for no USB port.
    int ComPortArg() const { return comPort & 0xFF; }
    int UsbPortArg() const { return usbPort < 0 ? 0 : usbPort; }
    CFleetSettings Fleet() const;

    // Reads again the values the options dialog edits, in the forms start-up gives them; a value
    // missing from the store, or not a number, keeps what it was.
    void ReloadOptions();
};
