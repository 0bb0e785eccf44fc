#pragma once

// Message ids of phone programming (texts in the language files) and the program's own phone error
// codes, which the shared services turn into messages.
namespace PhoneMsg {
enum : int
{
    PhoneRestarted = 1405,       // notice: the phone was restarted
    ReadIntoOpenFleet = 1397,    // yes/no: add the phone to the open fleet (no: a new fleet)
    Line1RingTone = 1427,        // error: item 52 unreadable
    Line2RingTone = 1482,        // error: item 53 unreadable
    CrossFleetOffForUnit = 1483, // error: the phone is cross-fleet, the unit is not
    CrossFleetOnForUnit = 1484,  // error: the unit is cross-fleet, the phone is not
    UserNameNotWritten = 1485,   // error
    Programmed = 1503,           // notice: the write is done
    Restored = 1505,             // notice: the backup is in the phone and the phone restarted
    BackupMissing = 1508,        // error: the chosen backup file does not exist
    CannotReadFleet = 1603,      // error: the scratch fleet could not be made or opened
    NotSupported = 1635,         // error: the model or its release is not in the supported list
    StructureVersion = 1636,     // error: item 8 unreadable
    CellEditingRead = 1675,      // notice: a units grid still edits a cell
    NoUsableSim = 1710,          // error: SIM status 0 or 1
    SimBlocked = 1711,           // error: SIM status 6
    PinCancelled = 1712,         // error: the PIN dialog was cancelled
    PhoneBookCut = 1772,         // notice: more than 100 consolidated phone numbers
    PrivateCut = 1773,           // notice: more than 100 consolidated private ids
    PinRefused = 1805,           // error: the SIM still asks for its PIN
    TalkgroupCut = 1806,         // notice: more than 30 consolidated talkgroups
    CellEditingWrite = 1850,     // notice: a units grid still edits a cell
    ProgrammingStatus = 1853,    // status bar text, "%1" = the IMEI
    RecoveryQuestion = 1896,     // yes/no: write a codeplug backup into the phone?
};
} // namespace PhoneMsg

// Texts of the phone dialogs and pages, and messages of our own.
namespace PhoneText {
enum : int
{
    NoUnitsToWrite = 7400,   // notice: the open fleet has no units
    PinCaption = 7401,       // SIM PIN dialog
    PinPrompt = 7402,        //
    RecoverCaption = 7403,   // codeplug recovery dialog
    RecoverFileLabel = 7404, //
    Browse = 7405,           //
    Restore = 7406,          //
    BackupFilter = 7407,     // "Backup Files (*.dbf)"
    AllFilesFilter = 7408,   // "All Files (*.*)"
    BrowseCaption = 7409,    // file dialog caption
    NoSupportCaption = 7410, // NoCPSupport
    NoSupportText = 7411,    //
    PhonePageTitle = 7412,   // phone information page
    SimPageTitle = 7413,     // SIM information page
    StructureLabel = 7414,   //
    DefaultLabel = 7415,     //
    LastChangedLabel = 7416, //
    ImeiLabel = 7417,        //
    ModelNumberLabel = 7418, //
    ModelDescLabel = 7419,   //
    PhoneNumberLabel = 7420, //
    PrivateIdLabel = 7421,   //
    IpAddressLabel = 7422,   //
    Help = 7423,             // help button
    Close = 7424,            // close button
    SupportSiteLabel = 7425, // "Support web site:"
    ReadDone = 7430,         // status bar after a read, "%1" = the IMEI
    WriteDone = 7431,        // status bar after a write, "%1" = the IMEI
    ButtonOk = 7244,         // the main window's button texts
    ButtonCancel = 7245,
};
} // namespace PhoneText

// Program error codes of phone programming, given to CVelmoraError::FromVelmoraCode.
namespace PhoneErr {
enum : int
{
    StructureVersion = -203,
    DefaultVersion = -204,
    ModelType = -205,
    UserName = -206,
    Comments = -207,
    Nam1Number = -211, // also the online id and the IP address
    Nam2Number = -212,
    Nam3Number = -213,
    ActiveLine = -214,
    BaudRate = -215,
    TalkgroupType = -216,
    EmergencyTalkgroup = -217,
    PowerMode = -219,
    Timers = -220,
    LastModified = -221,
    UnknownModel = -222,
    NoUnit = -225,
    UnitMismatch = -227,
    CommentsNotWritten = -228,
    Nam1NumberNotWritten = -232,
    Nam2NumberNotWritten = -234,
    Nam3NumberNotWritten = -235, // also the online id and the IP address
    ActiveLineNotWritten = -236,
    BaudRateNotWritten = -237,
    TalkgroupTypeNotWritten = -238,
    EmergencyNotWritten = -239,
    RingTonesNotWritten = -240,
    PowerModeLanguage = -241,
    TimersNotWritten = -242,
    UnitModelUnknown = -245,
    PrivateIdsNotWritten = -253,
    Nam1PrivateId = -254,
    Nam2PrivateId = -255,
    Nam3PrivateId = -256,
    PrivateIds = -257,
    SubRelease = -261,
    Release = -262,
};
} // namespace PhoneErr
