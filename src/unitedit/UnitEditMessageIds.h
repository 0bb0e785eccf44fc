#pragma once

// Text ids of the unit property sheet and its pages (texts in the language files).
namespace UnitEditText {
enum : int
{
    SheetTitle = 1733,    // the unit property sheet
    OutOfRange = 1645,    // "%1" to "%2"
    AutomaticBaud = 1396, // the automatic entry of the baud rates

    ButtonOk = 7244,
    ButtonCancel = 7245,
    SimInfoTitle = 7413,

    CommentsTitle = 7500,
    CommentsLabel = 7501,
    WhatsThis = 7502,
    ButtonApply = 7503,
    ButtonHelp = 7504,
    ButtonBack = 7505,
    ButtonNext = 7506,
    ButtonFinish = 7507,

    // Basic page captions, in the order of the page's controls.
    BasicAutoRadioLock = 7510,
    BasicResetPasscode = 7511,
    BasicOneMinuteBeep = 7512,
    BasicVadk = 7513,
    BasicGroupCallTone = 7514,
    BasicPhoneOnlyMode = 7515,
    BasicTalkPermit = 7516,
    BasicPttId = 7517,
    BasicAutoDisplayTimer = 7518,
    BasicMutedDtmf = 7519,
    BasicTalkgroupScan = 7520,
    BasicDeskSet = 7521,
    BasicCallAlertStackOff = 7522,
    BasicSmsCallBackOff = 7523,
    BasicEmergencyButton = 7524,
    BasicPhoneLockout = 7525,
    BasicLockOverride = 7526,
    BasicTheftAlarm = 7527,
    BasicExternalSpeaker = 7528,
    BasicHornAndLights = 7529,
    BasicPrivateLockout = 7530,
    BasicInactivityRevert = 7531,
    BasicAutoRevert = 7532,
    BasicPhotoSensor = 7533,
    BasicVibrate = 7534,
    BasicSimPinWarning = 7535,
    BasicEmergencyTalkgroup = 7536,
    BasicFeatures = 7537, // group captions
    BasicSecurity = 7538,

    // Advanced page captions.
    AdvPowerMode = 7540,
    AdvTalkgroupType = 7541,
    AdvActiveLine = 7542,
    AdvLine1Ring = 7543,
    AdvLine2Ring = 7544,
    AdvPowerDownTimer = 7545,
    AdvCallAlertTimer = 7546,
    AdvIso = 7547,
    AdvSilentAudio = 7548,
    AdvNetMode = 7549,
    AdvLanguage = 7550,
    AdvBaudRate = 7551,

    // Phone list page buttons and counter.
    PhoneMoveUp = 7560,
    PhoneMoveDown = 7561,
    PhoneClear = 7562,
    PhoneSortByName = 7563,
    PhoneSortByNumber = 7564,
    PhoneCopyUserInfo = 7565,
    PhoneAutoFill = 7566,
    PhoneBookTransfer = 7567,
    PhoneEntryCount = 7568, // "%1 of %2"

    // Per-NAM list pages (their other buttons are the phone list's).
    ListNam = 7580,
    ListSortById = 7585,
    ListMarkAll = 7586,
    ListUnmarkAll = 7587,

    // Consolidated call list page.
    ConsolNoFreeIndex = 7610, // every name index is in use
    ConsolSortByType = 7611,
    ConsolEntryCount = 7612, // "%1 of %2"
    ConsolSort = 7613,       // the sort buttons' group
};
} // namespace UnitEditText
