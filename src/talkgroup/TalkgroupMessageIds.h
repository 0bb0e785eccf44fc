#pragma once

// Messages of the talkgroup manager (texts in the language files).
namespace TalkgroupMsg {
enum : int
{
    ConfirmDelete = 1585, // yes/no
    NothingSelected = 1602,
    NoUnits = 1612,
    NoTalkgroup = 1613,
    ValueRange = 1645, // "%1" to "%2"
    IdDiscarded = 1686,
    Duplicate = 1701,
    ListFull = 1734,
    StillEditing = 1735,
    NothingToDelete = 1788,
};
} // namespace TalkgroupMsg

// Texts of the talkgroup manager's window.
namespace TalkgroupText {
enum : int
{
    NamFirst = 1707, // NAM 1, 2, 3: 1707 to 1709
    TalkgroupName = 1610,
    TalkgroupId = 1611,
    IdOutOfRange = 7750, // the id cell
    UnitsCaption = 7751,
    TalkgroupsCaption = 7752,
    MembersCaption = 7753, // "%1" name, "%2" id, "%3" how many members
    AddSelected = 7754,
    AddAll = 7755,
    RemoveSelected = 7756,
    RemoveAll = 7757,
    NamLabel = 7758,
    Adding = 7759,          // "%1" units done of "%2"
    AddedStatus = 7760,     // "%1" units added, "%2" skipped
    NoTalkgroupName = 7761, // how a talkgroup without a name is shown
    MembersNone = 7762,     // the members caption without a talkgroup
};
} // namespace TalkgroupText
