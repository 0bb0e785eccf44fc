#pragma once

// Message and text ids of the units view (texts in the language files).
namespace UnitsMsg {
enum : int
{
    UserNameMissing = 1492,    // the row has no user name
    ImeiTooShort = 1493,       // fewer than 15 IMEI digits
    DuplicateImei = 1584,      // another unit has the IMEI, or its settings record could not be made
    ConfirmDelete = 1585,      // yes/no: delete the selected units
    RowNotStored = 1633,       // double-click on a row that is not a stored unit
    RecordIncomplete = 1634,   // the stored unit has no record number
    OutOfRange = 1645,         // "%1" to "%2"
    ModelMissing = 1647,       // no model chosen
    DragOneRange = 1715,       // more than one block of rows dragged
    InvalidIp = 1825,          // the IP address does not pass
    DeleteWhileEditing = 1838, // delete while a cell is being edited
    InvalidTrinum = 1854,      // cross-fleet private id not urban*fleet*member

    // Captions.
    CaptionIp = 1369,
    CaptionOnline = 1370,
    CaptionFaxNumber = 1371, // "%1 Number"
    CaptionPrivateId = 1372,
    CaptionPhoneNumber = 1373,
    CaptionModel = 1374,
    CaptionImei = 1376,
    CaptionUserName = 1378,
    CaptionCrossFleet = 1609,
    CaptionCallListLanguage = 632,

    // The new-unit prompt.
    NewUnitTitle = 7600,
    NewUnitQuestion = 7601,
    NewUnitByHand = 7602,
    NewUnitFromPhone = 7603,
    NewUnitDontAsk = 7604,
};
} // namespace UnitsMsg

// Program error code shown when a stored unit has no IMEI.
constexpr int kUnitsEmptyImeiCode = -260;
