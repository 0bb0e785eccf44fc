#pragma once

#include <array>

// Which parts of a unit a write programs into the phone. The write command sets every flag; the Copy
// Wizard sets them from its check list. A list whose flag is clear keeps what the phone holds.
struct CWriteFlags
{
    bool phoneBook = false;
    bool consolidated = false;
    std::array<bool, 3> privateList{}; // NAM 1..3
    std::array<bool, 3> talkgroups{};
    bool basicSettings = false;
    bool furtherSettings = false;
    std::array<bool, 3> scanList{};
    std::array<bool, 3> statusMessages{};
    bool alderStyles = false;
    bool alderShortcuts = false;
    bool alderPersonalize = false;
    bool alderQuickNotes = false;

    static CWriteFlags All()
    {
        CWriteFlags flags;
        flags.phoneBook = flags.consolidated = true;
        flags.privateList = flags.talkgroups = flags.scanList = flags.statusMessages = {true, true, true};
        flags.basicSettings = flags.furtherSettings = true;
        flags.alderStyles = flags.alderShortcuts = flags.alderPersonalize = flags.alderQuickNotes = true;
        return flags;
    }
};
