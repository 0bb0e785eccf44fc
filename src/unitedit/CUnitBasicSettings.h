#pragma once

#include "CUnitErgoRecord.h"
#include "CUnitSheetUnit.h"
#include "CVelmoraError.h"

#include <QHash>
#include <QList>
#include <QString>

// The Basic page of the unit property sheet without its widgets: every check box and the emergency
// talkgroup edit as a value with an enabled flag, worked out from the model's ergonomic field flags,
// the codeplug structure version, the carrier and its switches. Controls are named by their control
// ids. Load reads the unit's settings record (making it when missing); Check and Save run when the
// page is left and when the sheet applies it.
class CUnitBasicSettings
{
public:
    // Control ids.
    enum Control : int
    {
        AutoRadioLock = 1091,
        ResetPasscode = 1092,
        OneMinuteBeep = 1093,
        Vadk = 1094,
        GroupCallTone = 1095,
        PhoneOnlyMode = 1096,
        TalkPermit = 1097,
        PttId = 1098,
        AutoDisplayTimer = 1099,
        MutedDtmf = 1100,
        TalkgroupScan = 1101,
        DeskSetAccessory = 1102,
        CallAlertStack = 1103, // checked when call alerts are queued: the column holds the opposite
        SmsCallBackDisable = 1104,
        EmergencyButton = 1105,
        PhoneLockout = 1106,
        LockOverride = 1107,
        TheftAlarm = 1108,
        ExternalSpeaker = 1109,
        HornAndLights = 1110,
        PrivateLockout = 1111,
        InactivityRevert = 1869,
        AutoRevert = 1870,
        PhotoSensor = 999,
        VibrateEnable = 2013,
        SimPinWarning = 2015,
        EmergencyTalkgroup = 1134, // edit with spin
    };
    enum : int
    {
        EmergencyTalkgroupMin = 0,
        EmergencyTalkgroupMax = 255,
        EmergencyTalkgroupMaxLength = 3, // characters the edit takes
        MsgOutOfRange = 1645,            // "%1" to "%2"
    };

    explicit CUnitBasicSettings(const CUnitSheetUnit& unit);

    // The check boxes, in the page's order.
    static const QList<int>& CheckIds();

    // Reads the unit's record (adding it, committed at once, when missing), fills the controls and
    // works out which are enabled.
    CVelmoraError Load();
    bool IsLoaded() const { return m_record.IsLoaded(); }
    // The unit had no record and Load made one: the fleet changed, even if the sheet is cancelled.
    bool RecordCreated() const { return m_record.WasCreated(); }

    // Any control id above; an unknown id is disabled and unchecked.
    bool IsEnabled(int controlId) const;
    bool IsChecked(int controlId) const;
    // Sets a check box. When the two lockouts move together, checking or clearing either sets the
    // other too. Answers the ids whose checked state changed (for the widgets to show), including
    // controlId itself when it changed.
    QList<int> SetChecked(int controlId, bool checked);
    // The phone and private lockouts move together: an Alder unit under code control or with a
    // structure version 1..15.
    bool LockoutsMoveTogether() const;

    // The emergency talkgroup edit, as typed.
    QString EmergencyTalkgroupText() const { return m_emergencyText; }
    void SetEmergencyTalkgroupText(const QString& text) { m_emergencyText = text; }
    // Message 1645 with "0" and "255" when the edit is enabled and does not hold a number 0..255.
    CVelmoraError CheckEmergencyTalkgroup() const;
    // What must hold before the page may be left or saved (the emergency talkgroup).
    CVelmoraError Check() const;

    // Writes the page's columns into the unit's record, in the caller's transaction; refuses (with
    // Check's error, writing nothing) when the page does not pass. changed (when given) tells whether
    // a stored value changed. A page that was never loaded writes nothing.
    CVelmoraError Save(bool* changed = nullptr);

    const CUnitSheetUnit& Unit() const { return m_unit; }

private:
    struct CheckState
    {
        bool checked = false;
        bool enabled = false;
    };
    void Fill();
    void ApplyEnableRules();
    void ApplyLockoutRule();

    CUnitSheetUnit m_unit;
    CUnitErgoRecord m_record;
    QHash<int, CheckState> m_checks;
    QString m_emergencyText;
    bool m_emergencyEnabled = false;
    int m_storedEmergency = 0;
};
