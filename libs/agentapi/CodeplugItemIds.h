#pragma once

// The codeplug items the program and the bench phones read and write, by the number the programming
// library knows them by. Items are in bank 0 (the phone) unless marked bank 1 (the SIM).
namespace CodeplugItem {

enum : int
{
    LastModified = 1, // five bytes: year, month, day, hour, minute
    UserName = 3,
    Comments = 5,
    Imei = 6, // the first 14 digits, two per byte
    StructureVersion = 8,
    DefaultVersion = 9,
    ModelType = 10,
    PowerMode = 13,
    TalkgroupType = 15,
    GeneralBits = 17, // horn and lights, speaker, beeps, display timer, alarms, radio lock
    Passcode = 18,
    ActiveLine = 20,
    BaudRate = 21,
    EmergencyTalkgroup = 22,
    Language = 23,
    PowerDownTimer = 28, // milliseconds
    CallBits = 29,       // audio, tones, reverts, talk permit
    CurrentNam = 30,
    NumberNam1 = 33,       // 33..35: the numbers of NAM 1..3
    ProgrammingState = 40, // five bytes; 25, 241, 0, 0, 0 must end in 2 before the phone is programmed
    LockoutBits = 46,      // lockouts, call alert stack, net mode, code control
    ButtonBits = 47,       // emergency button, automatic baud rate, talkgroup scan
    VibrateBits = 50,
    Line1RingTone = 52,
    Line2RingTone = 53,
    PrivateIds = 59, // six decimal characters per NAM
    PhoneOnlyBits = 61,
    CrossFleetUrban = 64,  // 64..66: urban id of NAM 1..3
    CrossFleetFleet = 67,  // 67..69: fleet id of NAM 1..3
    CrossFleetMember = 70, // 70..72: member id of NAM 1..3
    CallAlertTimer = 113,  // milliseconds
    IpAddress = 114,       // four bytes
    OnlineId = 115,
    SimNumber = 117,    // bank 1
    SimUrban = 119,     // bank 1
    SimFleet = 120,     // bank 1
    SimMember = 121,    // bank 1
    SimIpAddress = 122, // bank 1
    Release = 123,
    PhotoSensorBits = 124,
    ShortcutCount = 127,  // Alder
    ShortcutValues = 128, // Alder
    SimPinWarningBits = 129,
    FirstQuickNote = 130, // Alder: quick notes 1..10 in items 130..139
    LeftKey = 140,        // Alder
    RightKey = 141,       // Alder
    PowerUpApp = 142,     // Alder
    MenuSlots = 143,      // Alder: the personalised menu's slots, one byte each
    FirstStyle = 1000,    // Alder: the settings of ring style s are from 1000 + 100 * s on
    StyleStride = 100,
};

// The bank of the items on the SIM.
constexpr int SimBank = 1;

// The item of setting s (0..25) of ring style r (0..10), or -1 (style 0 has no name).
constexpr int StyleItem(int style, int setting)
{
    // Item offset d of each setting: the item is 1000 + 100 * style + d - 1.
    constexpr int offsets[26] = {2,  4, 14, 23, 25, 15, 24, 5,  5,  6,  6,  11, 12,
                                 12, 7, 9,  8,  13, 1,  16, 17, 18, 19, 20, 21, 22};
    if (style < 0 || style > 10 || setting < 0 || setting > 25)
        return -1;
    if (style == 0 && setting == 0)
        return -1;
    // The last style keeps its call-alert ring type with its second auto-answer setting.
    const int d = (style == 10 && setting == 13) ? 22 : offsets[setting];
    return FirstStyle + StyleStride * style + d - 1;
}

} // namespace CodeplugItem
