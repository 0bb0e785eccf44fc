#pragma once

// Messages and texts of the Copy Wizard.
namespace CopyWizMsg {
enum : int
{
    EmptyPath = 1489,    // error: a fleet-file source without a path
    NoUnits = 1495,      // error: the fleet file holds no units
    NoUnitChosen = 1496, // error: the choose-a-unit dialog was cancelled
    NothingChecked = 1654,
    Programmed = 1504,    // notice: the phone was programmed
    SimProgrammed = 1852, // notice: the phone and its SIM were programmed
};
} // namespace CopyWizMsg

namespace CopyWizText {
enum : int
{
    Caption = 7810,
    SourcePage = 7811,
    CustomPage = 7812,
    WritePage = 7813,
    FromPhone = 7814,
    FromFile = 7815,
    PathLabel = 7816,
    Browse = 7817,
    PhoneHint = 7818,
    CheckAll = 7819,
    UncheckAll = 7820,
    ItemsLabel = 7821,
    WriteButton = 7822,
    RestartAfter = 7823,
    WriteHint = 7824,
    LogLabel = 7825,
    SaveLog = 7826,
    LogTime = 7827,
    LogImei = 7828,
    LogModel = 7829,
    LogResult = 7830,
    LogBackup = 7831,
    ResultWritten = 7832,
    ResultFailed = 7833,
    ResultCancelled = 7834,
    ChooseTitle = 7835,
    FileFilter = 7836,
    LogSaveFailed = 7837,
    SourceShown = 7838,
    CsvFilter = 7839,
    CliUnknownItem = 7840,
    CliItemDisabled = 7841,
    CliHelp = 7842,
    ButtonOk = 7244,
    ButtonCancel = 7245,
    ButtonHelp = 7504,
};
} // namespace CopyWizText
