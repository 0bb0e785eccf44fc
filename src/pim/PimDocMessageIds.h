#pragma once

// Messages of the PIM documents and the synchronisation program (texts in the language files).
namespace PimDocMsg {
enum : int
{
    FileCopyFailed = 1386, // "%1" = the file that could not be written
    FileMissing = 1787,
    SyncNotInstalled = 1812,
    NotPimFile = 1817,
    SyncNotFound = 1818, // notice
    SyncRunning = 8161,  // status line while the synchronisation program runs
    SyncEnded = 8162,    // status line once it has ended
};
} // namespace PimDocMsg

// Texts of the PIM windows.
namespace PimDocText {
enum : int
{
    PhoneBookTab = 1742,
    DateBookTab = 1743,
    DayTab = 1753,
    WeekTab = 1754,
    MonthTab = 1755,
    NewContact = 1749,
    DeleteContact = 1750,
    Synchronize = 1751,
    Help = 1621,
    NewEvent = 1762,
    DeleteEvent = 1763,
    PimWindowCommand = 8160, // View menu: the phone book and date book window
    SaveAsCaption = 8163,
    OpenCaption = 8164,
};
} // namespace PimDocText
