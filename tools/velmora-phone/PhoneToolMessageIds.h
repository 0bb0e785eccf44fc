#pragma once

// Message ids of velmora-phone (texts in the language files). "%n" are filled in by the tool.
namespace PhoneToolMsg {
enum : int
{
    NeedsValue = 7650,          // "%1" = the option
    UnknownCommand = 7651,      // "%1" = the command
    UsageOf = 7652,             // "%1" = the command's syntax
    NoAppDatabase = 7653,       // "%1" = the path
    CarrierUnreadable = 7654,   // "%1" = the path, "%2" = why
    AppDatabaseUnusable = 7655, // "%1" = the path, "%2" = the database's reason
    CatalogueUnreadable = 7656, // "%1" = the path, "%2" = the database's reason
    CatalogueEmpty = 7657,      // "%1" = the path
    NotAPhoneName = 7658,       // "%1" = the name
    NothingConnected = 7659,    // "%1" = the bench folder
    PhoneUnusable = 7660,       // "%1" = the path, "%2" = why, "%3" = the result code's name
    CannotWrite = 7661,         // "%1" = the path, "%2" = why
    ModelUnknown = 7662,        // "%1" = the model as given
    ValueOutOfRange = 7663,     // "%1" = the option or argument, "%2" = the values it takes
    PhoneExists = 7664,         // "%1" = the path
    ImeiInUse = 7665,           // "%1" = the IMEI
    ItemAbsent = 7666,          // "%1" = item, "%2" = bank
    TextNeedsByteItem = 7667,
    TooManyElements = 7668,   // "%1" = item, "%2" = its element count
    ElementTooWide = 7669,    // "%1" = the value, "%2" = element bits
    TooManyBytes = 7670,      // "%1" = item, "%2" = its size in bytes
    ItemAlreadyAbsent = 7671, // "%1" = item, "%2" = bank
    BadFaultTarget = 7672,    // "%1" = the target, "%2" = the operations
    NoSimSlot = 7673,         // "%1" = the phone file
    PinDigits = 7674,
    PinNeeded = 7675,
    NoFolder = 7676,         // "%1" = the folder
    Created = 7677,          // "%1" = file, "%2" = model name, "%3" = IMEI
    ConnectedFile = 7678,    // "%1" = file
    ConnectedPhone = 7679,   // "%1" = file, "%2" = label, "%3" = IMEI
    ConnectedRefused = 7680, // "%1" = file, "%2" = why the program refuses it
    Kept = 7681,             // "%1" = file
    BenchFolder = 7682,      // "%1" = the folder
    BenchEmpty = 7683,
    PhoneRefused = 7684, // "%1" = why, "%2" = the result code's name
    PhoneLine = 7685, // "%1" = mark, "%2" = file, "%3" = model, "%4" = label, "%5" = IMEI, "%6" = user, "%7"
                      // = faults mark
    FaultsMark = 7686,
    ConnectedMissing = 7687, // "%1" = the name the bench's "connected" holds
    Disconnected = 7688,
    ItemSet = 7689,          // "%1" = item, "%2" = bank, "%3" = the value
    ItemRemoved = 7690,      // "%1" = item, "%2" = bank
    NoBackups = 7691,        // "%1" = the folder
    BackupUnreadable = 7692, // "%1" = file, "%2" = why
    BackupLine = 7693, // "%1" = file, "%2" = IMEI, "%3" = model, "%4" = when saved, "%5" = unfinished mark
    UnfinishedWrite = 7694,
    ModelColumns = 7695, // the titles of the models table, separated by "|"
    HelpIntro = 7696,    // the --help text, in four parts
    HelpMaking = 7697,
    HelpLooking = 7698,
    HelpFaults = 7699,
};
} // namespace PhoneToolMsg
