#include "CFrameSettings.h"

#include "CVelmoraApp.h"

CFrameSettings CFrameSettings::FromApp()
{
    CFrameSettings settings;
    const CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return settings;
    static_cast<CAppSettings&>(settings) = app->Settings();
    // Hebrew tabs take the Hebrew face start-up found for the grids.
    if (app->IsRightToLeft())
        settings.tabFontFamily = app->GridFont().family();
    return settings;
}
