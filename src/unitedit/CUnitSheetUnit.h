#pragma once

#include "CModelProfile.h"
#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

class CModelRules;
struct CUnitOpenInfo;

// One entry of a settings combo box: its caption, a language text (stringId) or a text of its own
// (stringId 0), and its item data.
struct CSheetComboEntry
{
    int stringId = 0;
    QString text;
    int data = 0;

    // The caption as the user reads it.
    QString Caption() const;
    bool operator==(const CSheetComboEntry& other) const
    {
        return stringId == other.stringId && text == other.text && data == other.data;
    }
};
using CSheetComboEntries = QList<CSheetComboEntry>;

// What the unit property sheet and its settings pages work on for one unit: the fleet database, the
// unit's identity, model and codeplug structure version, the model profile the sheet owns while it is
// open, and the model's catalogue values and carrier switches the pages read. A plain value: the sheet
// fills it once (FromOpenInfo), tests fill it by hand.
struct CUnitSheetUnit
{
    enum : int
    {
        AlderPhoneClass = 3,
        LockoutCarrierId = 2, // the only carrier whose units may be locked out
        MsgOutOfRange = 1645, // "Enter a value between %1 and %2."
    };

    QSqlDatabase db;
    QString imei;
    int phoneClass = 1;
    int modelType = 0;
    int releaseId = 0;
    int subReleaseId = 0;
    int structureVersion = 0; // as stored: decimal digits in hexadecimal places, 32484 when never read
    CModelProfile profile;

    int carrierId = 1;
    // Sub-model switches of the carrier settings, keyed "-sub#release#model".
    bool enableVibrateFlag = false;       // the vibrate setting may be edited
    bool enableSimPinWarningFlag = false; // the SIM PIN warning may be edited
    bool disableNetMode = false;          // net mode is forced off
    // From the model's catalogue row.
    bool plusSeries = false;
    QString supportedLang; // comma-separated language codes
    // Language entry of phone book names, for the list pages (0 when the carrier names none).
    int phoneBookLangEntryId = 0;

    // The unit as the units view opens it, with the model's catalogue values and carrier switches.
    static CUnitSheetUnit FromOpenInfo(const QSqlDatabase& db, const CUnitOpenInfo& info,
                                       const CModelRules& rules, int carrierId);
    // Reads plusSeries, supportedLang and the three switches for the unit's model from rules.
    void ReadModelSettings(const CModelRules& rules);

    bool IsAlder() const { return phoneClass == AlderPhoneClass; }
    // The structure version as the settings count it (0x16 is 16, 0x10 is 10; never read is 0).
    int StructureNumber() const;
    // Structure version 0 (never read) or at least 16: the newer codeplug layout.
    bool NewStructure() const;
    // Whether the model enables ergonomic field fieldId (1..41): its flag is exactly 1.
    bool FieldEnabled(int fieldId) const;

    // Whether text (surrounding blanks aside) is a decimal number min..max, digits only.
    static bool ParseNumber(const QString& text, int min, int max, int& value);
    // Message 1645 ("Enter a value between %1 and %2.") with the bounds.
    static CVelmoraError RangeError(int min, int max);
};
