#pragma once

// Message and label ids of the PIM library (texts in data/lang/*.tsv).
namespace PimMsg {
enum : int
{
    ContactNameEmpty = 8100,     // a contact needs a name
    EventTitleEmpty = 8101,      // an event needs a title
    EventTimesInvalid = 8102,    // the end lies before the start, or no start
    NotPimFile = 8103,           // %1 is not a PIM file or is damaged
    PimFileMissing = 8104,       // %1 does not exist
    PimFileNewer = 8105,         // %1 comes from a newer version
    PimFileReadOnly = 8106,      // %1 is read-only
    ContactGone = 8107,          // the contact is no longer in the file
    EventGone = 8108,            // the event is no longer in the file
    PimFileExists = 8109,        // %1 exists already (new file)
    ConfirmDeleteContact = 8110, // delete "%1"?
    SearchPlaceholder = 8111,
    NewButton = 8112,
    DeleteButton = 8113,
    NameLabel = 8114,
    CompanyLabel = 8115,
    NumbersLabel = 8116,
    AddNumberButton = 8117,
    RemoveNumberTip = 8118,
    EmailLabel = 8119,
    AddressLabel = 8120,
    NoteLabel = 8121,
    SaveButton = 8122,
    RevertButton = 8123,
    NumberKinds = 8124,  // "Mobile|Work|Home|Fax|Pager|Other"
    ContactCount = 8125, // %1 of %2 contacts
    NoPimFileOpen = 8126,
    NewContactTitle = 8127,
    PimFileCreateFailed = 8128, // %1 could not be written: %2
    NoDatabaseOpen = 8129,      // the phone book or date book is not open
};
}
