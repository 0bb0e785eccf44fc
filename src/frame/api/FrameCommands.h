#pragma once

// Command ids of the main frame. The program's own commands carry the ids of their menu texts; the
// standard file, window and help commands keep the toolkit's numbers so every command has one id.
namespace FrameCmd {
enum : int
{
    HelpUsing = 1174,
    Refresh = 1176,
    TalkgroupManager = 1177,
    ResetPhone = 1179,
    LangEnglish = 1180,
    LangFrench = 1181,
    FleetBar = 1182,
    SmsBar = 1183,
    ReadPhone = 1184,
    WritePhone = 1185,
    AppendFleet = 1186,
    CodeplugRecovery = 1187,
    Options = 1188,
    CopyWizard = 1189,
    UnitsCommand = 1190,
    UpdateFleet = 1191,
    HelpTopics = 1192,
    DeleteTalkgroup = 1314,
    PagePhoneList = 1315,
    PagePrivateList = 1316,
    PageBasic = 1317,
    PageAdvanced = 1318,
    PageStatusMessages = 1319,
    PageScanList = 1320,
    PagePhoneInfo = 1321,
    SmsLoad = 1322,
    SmsSave = 1323,
    SmsModem = 1324,
    SmsOptions = 1325,
    SmsHelp = 1326,
    PageTalkgroupList = 1327,
    MainToolbar = 1328,
    SideToolbar = 1329,
    PageConsolidated = 1330,
    SyncPim = 1334,
    LangHebrew = 1335,
    NewFleet = 1336,
    AutoFill = 1337,
    // No menu entry: the fleet list bar's ergonomic settings item opens its page through it.
    PageErgonomic = 1816,
    // View menu: the phone book and date book window (the last PIM file, or a new one).
    PimWindow = 8160,

    FileNew = 0xE100,
    FileOpen = 0xE101,
    FileClose = 0xE102,
    FileSave = 0xE103,
    FileSaveAs = 0xE104,
    FileMru1 = 0xE110, // to FileMru1 + 3
    EditCopy = 0xE122,
    WindowCascade = 0xE132,
    WindowTile = 0xE133,
    AppAbout = 0xE140,
    AppExit = 0xE141,
    DefaultHelp = 0xE147,
    ViewStatusBar = 0xE801,
};
} // namespace FrameCmd

// View families: what kind of view is active decides the menu, the list bar, dropped files and
// list-bar clicks.
namespace FrameFamily {
enum : int
{
    None = 0,  // no document window
    Fleet = 1, // units or talkgroups of a fleet
    Other = 2, // SMS, or a window without a view
    Pim = 3,   // phone book and date book
};
} // namespace FrameFamily

// The tabs of a fleet document window; features register the view of each.
namespace FrameTab {
enum : int
{
    Units = 0,
    Talkgroups = 1,
};
} // namespace FrameTab
