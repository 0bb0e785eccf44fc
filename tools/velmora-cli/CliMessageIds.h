#pragma once

// Text ids of velmora-cli (texts in the language files). The tool's own lines keep their fixed shape
// around these texts: "velmora-cli: TEXT" and "velmora-cli: note: TEXT" on stderr, "PATH: TEXT" for
// the result of a command on stdout. Command names, options and the operand names of the synopses
// (FILE, IMEI, DEST, SRC, DIR...) are what the user types, so they are never translated.
namespace CliMsg {
enum : int
{
    // Usage errors.
    NoCommand = 7900,        // no command on the command line
    UnknownCommand = 7901,   // "%1" = the word given
    NeedsValue = 7902,       // "%1" = the option
    TakesNoValue = 7903,     // "%1" = the option
    DoesNotTake = 7904,      // "%1" = the command, "%2" = the option
    ArgumentEmpty = 7905,    // "%1" = the command
    ExcludeEachOther = 7906, // "%1", "%2" = the options
    NamRange = 7907,         // "%1" = --nam
    NeedsFolder = 7908,      // "%1" = --program-folder
    SeeHelp = 7909,          // "%1" = velmora-cli --help
    Interrupted = 7910,      // "%1" = the signal that stopped the run

    // Help.
    Usage = 7911,     // "%1" = the synopsis of the tool or of a command
    HelpIntro = 7912, // "%1" = the shape of the program's message lines
    HelpCommands = 7913,
    HelpOptions = 7914,
    HelpProgramFolder = 7915, // the --program-folder option
    HelpHelp = 7916,          // the -h, --help option
    HelpExitStatus = 7917,
    // One text per command: its summary on the first line, its help after it.
    HelpNew = 7918,
    HelpInfo = 7919,
    HelpStore = 7920,
    HelpExpand = 7921,
    HelpUpgrade = 7922,
    HelpUnits = 7923,
    HelpShow = 7924,
    HelpAppend = 7925,
    HelpDelete = 7926,
    HelpTalkgroups = 7927,
    HelpReadPhone = 7928,
    HelpWritePhone = 7929,
    HelpRecover = 7930,

    // Questions and the PIN at the terminal.
    NotAnswered = 7931, // "%1" = the option(s) that answer it
    CannotAnswer = 7932,
    EitherOption = 7933, // "%1" or "%2"
    CodeplugUnsupported = 7934,
    PinNeeded = 7935, // "%1" = --pin PIN
    PinNotPossible = 7936,

    // Start-up and working copies.
    FolderNotSetUp = 7937, // "%1" = why
    NotStarted = 7938,
    NoTemporaryFolder = 7939,  // "%1" = why
    CannotKeepCopy = 7940,     // "%1" = the file, "%2" = the temporary folder
    ExistsAlready = 7941,      // "%1" = the file
    TemplateUnreadable = 7942, // "%1" = the template's path
    CannotCopy = 7943,         // "%1" = the file, "%2" = the copy

    // Failed commands ("%1" = the fleet file unless said otherwise).
    CannotRead = 7944,
    CannotOpen = 7945,
    NotSaved = 7946,
    NotMade = 7947,
    CannotCount = 7948,
    OnlyVlfStored = 7949,
    NotStored = 7950,
    NotUpgraded = 7951,
    NoSuchUnit = 7952, // "%2" = the IMEI
    SameFile = 7953,   // "%1" = DEST, "%2" = SRC
    NothingAppended = 7954,
    NothingDeleted = 7955, // "%2" = the IMEIs
    NotDeleted = 7956,
    NoTalkgroupIndex = 7957, // "%2" = the database's words
    PhoneNotRead = 7958,
    CannotPickUnit = 7959,    // "%1" = the IMEI, "%2" = the fleet file
    OtherPhoneRefused = 7960, // "%1" = --imei, "%2" = the IMEI
    NothingWritten = 7961,
    NothingRestored = 7962,
    NoBackupName = 7963,
    NotRestored = 7964,              // "%1" = the backup file
    ShownUpgraded = 7965,            // note: "%2" = the file's version, "%3" = this program's
    ShownUpgradedUnversioned = 7994, // note: "%2" = this program's version

    // Results ("PATH: " before them).
    NewFleet = 7966,
    StoredAlready = 7967,
    Stored = 7968, // also the form "stored" of info
    PlainAlready = 7969,
    Expanded = 7970,
    VersionCurrent = 7971,      // "%1" = the version
    Upgraded = 7972,            // "%1" = the old version, "%2" = the new one
    UpgradedUnversioned = 7993, // "%1" = the new version
    NoVersion = 7973,           // a file without a schema version
    Appended = 7974,            // "%1" = SRC, "%2" = units added, "%3" = units in the fleet
    Deleted = 7975,             // "%1" = units deleted
    PhoneRead = 7976,           // "%1" = the IMEI, "%2" = units in the fleet
    PhoneReplaced = 7977,       // "%1" = units in the fleet
    PhoneWritten = 7978,        // "%1" = the backup folder
    Restored = 7979,

    // info.
    InfoFile = 7980,
    InfoForm = 7981,
    InfoVersion = 7982,
    InfoUnits = 7983,
    Plain = 7984,
    VersionNewer = 7985,     // "%1" = the file's version, "%2" = this program's
    VersionOlder = 7986,     // "%1" = the file's version, "%2" = this program's
    VersionIsCurrent = 7987, // "%1" = the version

    // show.
    UnitHeading = 7988, // "%1" = the IMEI
    ListHeading = 7989, // "%1" = the list, "%2" = its table, "%3" = its number of rows
    PhoneSettings = 7990,
    Personalisation = 7991,

    // Column captions of the plain tables (CSV headers stay fixed).
    CaptionNam = 7992,
};
} // namespace CliMsg

// Texts of the rest of the program that the tool shows as they are.
namespace CliShared {
enum : int
{
    // Captions of the units grid's columns.
    CaptionPrivateId = 1372,
    CaptionPhoneNumber = 1373,
    CaptionModel = 1374,
    CaptionImei = 1376,
    CaptionUserName = 1378,
    // Captions of the talkgroup lists and the fleet window's units tab.
    CaptionTalkgroupName = 1610,
    CaptionTalkgroupId = 1611,
    CaptionUnits = 1680,
    // Names of the lists of a unit.
    ListPrivate = 1623,
    ListStatus = 1626,
    ListScan = 1627,
    ListTalkgroup = 1694,
    ListConsolidated = 1740,
    ListPhoneBook = 1742,
    ListQuickNotes = 2009,
    ListStyles = 2011,
    ListShortcuts = 2012,
};
} // namespace CliShared
