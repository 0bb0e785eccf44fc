#pragma once

// Text ids of the options dialog (texts in the language files).
namespace OptionsText {
enum : int
{
    ButtonOk = 7244,
    ButtonCancel = 7245,
    Caption = 7260,
    LinkTab = 7261,
    BackupTab = 7262,
    SmsTab = 7263,
    ComPort = 7264,
    UsbPort = 7265,
    QuickComm = 7266,
    BenchFolder = 7267,
    BackupFolder = 7268,
    Browse = 7269,
    StripSpace = 7270,
    AutoSplit = 7271,
    AddIndex = 7272,
    BreakWords = 7273,
    NextStart = 7274,
    UsbNone = 7275,
    ChooseFolder = 7276,
    BackupNote = 7277,
    SmsNote = 7278,
    FolderNotFull = 7800, // "%1" = the folder as typed
    BackupFolderEmpty = 7801,
};
} // namespace OptionsText
