#pragma once

// Message ids of the fleet database, the fleet document and the fleet file (texts in the language files).
namespace FleetMsg {
enum : int
{
    FileCopyFailed = 1386,          // error, "%1" = the path that could not be written
    OverwriteQuestion = 1409,       // append question text, "%1" = the IMEI
    CannotReadFleet = 1603,         // not a fleet file, a missing table, a failed upgrade
    ReplacePhoneUnit = 1604,        // yes/no: the phone's unit exists in the fleet, replace it?
    SaveChanges = 1629,             // yes/no/cancel, "%1" = the document title
    FileMissing = 1640,             // error: the file to open does not exist
    CellBeingEdited = 1676,         // a units grid still edits a cell
    UpgradeDeclined = 1799,         // error: the user kept the old file as it is
    UpgradeQuestion = 1800,         // yes/no: the file is of an older schema, upgrade it?
    CannotOpenFleet = 1801,         // error: neither a database nor a stored fleet file
    NewerFleet = 1871,              // error: the file comes from a newer program
    ReadOnlyFleet = 1872,           // error: "%1" = the fleet file the user may not write
    FleetInUse = 1873,              // error: "%1" = the fleet file, "%2" = who holds it (1874 or 1876)
    FleetHolder = 1874,             // "%1" program, "%2" process, "%3" user, "%4" host holding a fleet
    CrashedSession = 1875,          // yes/no/cancel: "%1" = the fleet, "%2" = its backup of the last save
    FleetHolderUnknown = 1876,      // another program, when the lock file does not say which
    FleetNotLockable = 7995,        // error: "%1" = the fleet file, "%2" = why no lock could be taken
    CrashedSessionUndecided = 7996, // error: "%1" = a fleet whose crashed session is not settled yet
    DamagedStoredFleet = 1877,      // error: "%1" = a stored fleet file cut short or altered
    DamagedFleet = 1878,            // error: "%1" = the fleet file, "%2" = what the database check found
    FleetUnreadable = 1879,         // error: "%1" = the fleet file the user may not read
    FolderNotWritable = 1880,       // error: "%1" = the folder in which no file may be made
};
} // namespace FleetMsg
