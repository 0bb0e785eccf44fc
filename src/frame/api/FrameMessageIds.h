#pragma once

// Text ids of the main frame, its menus, bars and dialogs (texts in the language files).
namespace FrameText {
enum : int
{
    MenuFile = 7200,
    MenuEdit = 7201,
    MenuView = 7202,
    MenuUnits = 7203,
    MenuPhone = 7204,
    MenuTools = 7205,
    MenuWindow = 7206,
    MenuHelp = 7207,
    MenuSms = 7208,
    MenuPim = 7209,
    FileNew = 7210,
    FileOpen = 7211,
    FileClose = 7212,
    FileSave = 7213,
    FileSaveAs = 7214,
    AppExit = 7215,
    EditCopy = 7216,
    ViewStatusBar = 7217,
    MenuLanguage = 7218,
    MenuUnitProperties = 7219,
    WindowCascade = 7220,
    WindowTile = 7221,
    AppAbout = 7222,
    StatusReady = 7223,
    StatusModified = 7224,
    StatusComPort = 7225, // "%1" = the port number
    StatusUsbPort = 7226, // "%1" = the port number
    ListBarTitle = 7227,
    RecentFileNone = 7228,
    FilterFleet = 7230,
    FilterPim = 7231,
    FilterCodeplug = 7232,
    DialogOpen = 7233,
    DialogSaveAs = 7234,
    DialogAppend = 7235,
    FleetFileLabel = 7236, // "%1" = the fleet file
    AboutCaption = 7240,   // "%1" = the program's name
    AboutVersion = 7241,   // "%1" = the version
    AboutPurpose = 7242,
    AboutSupport = 7243,
    ButtonOk = 7244,
    ButtonCancel = 7245,
    AboutWebSite = 7246,
    SupportCaption = 7250,
    SupportIntro = 7251,
    SupportPhone = 7252,
    SupportVersions = 7253,
    AppendOverwrite = 7256,
    AppendOverwriteAll = 7257,
    AppendSkip = 7258,
    AppendSkipAll = 7259,
    HelpCaption = 7280,
    HelpMissing = 7281, // "%1" = the help page
    HebrewNeedsSystem = 7285,
};
} // namespace FrameText
