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

    // Shared with the send request.
    TooManyRecipients = 8027, // "%1" = the count
    NumberTooLong = 8028,     // "%1" = the number

    // The SMS window's own texts.
    ViewTitle = 8030,
    LabelTo = 8031,
    LabelMessage = 8032,
    LabelOption = 8033,
    ButtonChoose = 8034,
    ButtonSend = 8035,
    CharCount = 8036, // "%1" = characters typed, "%2" = the maximum
    StatusTitle = 8037,
    StatusStarting = 8038,
    LoadTitle = 8039,
    ButtonDelete = 8040,
    ModemTitle = 8041,
    ModemLabel = 8042,
    UnitsTitle = 8043,
    LabelFleetFile = 8044,
    ButtonBrowse = 8045,
    ButtonLoad = 8046,
    ButtonSelectAll = 8047,
    FreeSlots = 8048, // "%1" = free places
    FilterBackup = 8049,
    SendingMark = 8050,
    NoModemsFound = 8051,
    RecipientsHint = 8052,
    TooManyTicked = 8053, // "%1" = units ticked, "%2" = free places
};
} // namespace SmsMsg
