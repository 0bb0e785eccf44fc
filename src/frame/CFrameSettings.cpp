#include "CFrameSettings.h"

#include "CVelmoraApp.h"

#include <QDir>

CFleetSettings CFrameSettings::Fleet() const
{
    CFleetSettings fleet = CFleetSettings::ForProgramFolder(programFolder, carrierId);
    if (!templatePath.isEmpty())
        fleet.templatePath = templatePath;
    return fleet;
}

CFrameSettings CFrameSettings::FromApp()
{
    CFrameSettings settings;
    const CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return settings;
    settings.programFolder = app->ProgramFolder();
    settings.languageName = app->LanguageName();
    settings.languageCode = app->LanguageCode();
    settings.carrierId = app->CarrierId();
    settings.smsAvailable = app->SmsAvailable();
    settings.systemIsHebrew = app->SystemIsHebrew();
    settings.comPort = app->ComPort();
    settings.quickComm = app->QuickComm();
    settings.usbPort = app->UsbPort();
    settings.helpFile = app->HelpFile();
    settings.displayName = app->DisplayName();
    settings.templatePath = app->FleetTemplatePath();
    // Hebrew tabs take the Hebrew face start-up found for the grids.
    if (app->IsRightToLeft())
        settings.tabFontFamily = app->GridFont().family();
    return settings;
}
