#pragma once

// Messages and texts of the SMS screens (texts in the language files).
namespace SmsMsg {
enum : int
{
    ConfirmDelete = 1388,
    NoModem = 1389,
    Sent = 1390,
    Saved = 1391,
    NoMessageSelected = 1392,
    MoreUnitsThanSlots = 1394,
    SendFailed = 1395, // "%1" = the failing number, "%2" = the library's text
    NotAFleet = 1603,
    EmptyMessage = 1630,
    ServiceNotStarted = 1641,
    CutToMaximum = 1663,
    NoRecipient = 1664,
    SendCancelled = 1666,
    ReplaceSaved = 1698,

    // Our own texts.
    TooManyRecipients = 8030, // "%1" = the count, "%2" = the limit
    NumberTooLong = 8031,     // "%1" = the number, "%2" = the limit
    ViewTitle = 8032,
    LabelTo = 8033,
    LabelMessage = 8034,
    LabelOption = 8035,
    ButtonChoose = 8036,
    ButtonSend = 8037,
    CharCount = 8038, // "%1" = characters typed, "%2" = the maximum
    StatusTitle = 8039,
    StatusStarting = 8040,
    LoadTitle = 8041,
    ButtonDelete = 8042,
    ModemTitle = 8043,
    ModemLabel = 8044,
    UnitsTitle = 8045,
    LabelFleetFile = 8046,
    ButtonBrowse = 8047,
    ButtonLoad = 8048,
    ButtonSelectAll = 8049,
    FreeSlots = 8050, // "%1" = free places
    FilterBackup = 8051,
    SendingMark = 8052,
    NoModemsFound = 8053,
    RecipientsHint = 8054,
};
} // namespace SmsMsg
