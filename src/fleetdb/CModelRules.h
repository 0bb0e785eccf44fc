#pragma once

#include "CModelProfile.h"
#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>

class CRadioModelRecSet;

// The model catalogue: what the program offers for a radio model (choice list, phone class, list
// capacities, ergonomic field flags, names, carrier switches). Loaded once at start-up and read-only
// after it; the model state of a unit is a CModelProfile its editor owns.
class CModelRules
{
public:
    enum : int
    {
        ErgoFieldCount = CModelProfile::ErgoFieldCount,
        MaxCodeplugId = 24,
        ConsolidatedCapacity = CModelProfile::ConsolidatedCapacity,
        SpecialModelType = 90, // release 39 of this model carries the large list block
        SpecialReleaseId = 39,
        SpecialCallListType = 8,
        AlderPhoneClass = 3,
        UnreadStructureVersion = 32484, // what a unit holds when its codeplug was never read
    };

    using ListCapacities = CModelProfile::ListCapacities;

    CModelRules() = default;
    explicit CModelRules(const QSqlDatabase& db) : m_db(db) {}

    void SetDatabase(const QSqlDatabase& db) { m_db = db; }
    QSqlDatabase Database() const { return m_db; }

    // --- Start-up ---
    // Builds the model choice list ("name\tvalue\n" lines) from [Model Types] and the sub-models of
    // [SubId Rel_Models]; the list is kept for the supported-phone check. A name without a catalogue
    // row answers message 1631. On any failure the list is left empty (the reason is on stderr).
    CVelmoraError BuildModelList(QString& modelList);
    // Reads AlderModels, InternationalPhones and Q700PhoneModels. Message 1837 when any is missing or
    // empty (a missing key is also named on stderr).
    CVelmoraError LoadInternationalLists();

    const QString& ModelList() const { return m_modelList; }
    const QString& AlderModels() const { return m_alderModels; }
    const QString& InternationalPhones() const { return m_internationalPhones; }
    const QString& Q700PhoneModels() const { return m_q700PhoneModels; }

    // --- Phone class and model families ---
    bool IsAlderModel(int modelType) const;
    bool IsInternationalModel(int modelType) const;
    bool IsQ700Model(int modelType) const;
    // 3 Alder, else 2 q700, else 1.
    int PhoneClassOf(int modelType) const;
    // Units of these models are keyed by sub-model ("-sub#release#model") rather than model type.
    bool HasSubReleases(int modelType) const { return IsInternationalModel(modelType); }

    // --- Catalogue ---
    // The special flag is set for release 39 of model type 90, whose lists use call list type 8.
    static bool IsSpecialVariant(int releaseId, int modelType);
    // Call list type (8 for the special variant of model 90) and codeplug id of a model; false
    // when the model has no row.
    bool LookupModel(int modelType, bool special, int& callListType, int& codeplugId) const;
    // Opens row on the model's catalogue row; false when there is none.
    bool GetModelRow(int modelType, CRadioModelRecSet& row) const;
    bool HasModel(int modelType) const;
    bool IsCrossFleetCapable(int modelType) const;
    int CrossFleetCPVersion(int modelType) const;
    bool IsPlusSeriesPhone(int modelType) const;
    QString SupportedLang(int modelType) const;
    // Whether a phone with this codeplug structure version is cross-fleet: the model must be
    // capable, and its CrossFleetCPVersion either 0 (every version) or that version.
    static bool CrossFleetFlag(bool capable, int crossFleetCPVersion, int structureVersion);
    // --- Codeplug structure version ---
    // The stored structure version as the settings count it: its hexadecimal digits read as a decimal
    // number, up to the first letter (0x16 is 16, 0x12 is 12, 0x0C is 0, 0x1A is 1); the unread
    // marker 32484 counts as 0.
    static int StructureVersionNumber(int structureVersion);
    // Whether an Alder phone's phone and private lock-outs move together (either set sets both): under
    // code control, or with a structure version counting 1..15. Other phone classes: never.
    static bool LockoutsLinked(int phoneClass, bool codeControl, int structureVersion);
    // Default call-list language of a release: 3 (Hebrew) for 39, 70, 89, 91; 2 (Korean) for 71,
    // 92, 93, 94; else 0.
    static int DefaultCallListLanguage(int releaseId);

    // --- Model profile of a unit ---
    // Phone class, call list type, list capacities and the scan-and-status flag of the model into
    // profile; a model without a row leaves profile as it was and answers false.
    bool SetupListCapacities(int modelType, bool special, CModelProfile& profile) const;
    // Ergonomic field flags 1..41 of profile from the model's rule table. The flags start cleared, so
    // a failure leaves every field disabled: message 1642 (unknown codeplug id), 1643 (rule table
    // unreadable) or 1644 (a field row missing); a model without a row fails without a message.
    // profile.hasErgoFlags tells whether the flags were read.
    CVelmoraError SetupErgoFieldFlags(int modelType, bool special, CModelProfile& profile) const;
    // Both set-ups for a unit, with the special flag worked out from its release; profile.Complete()
    // tells whether both succeeded.
    CVelmoraError ApplyModel(int modelType, int releaseId, CModelProfile& profile) const;
    // The whole profile of model, release and sub-release: the set-ups, the model key and the
    // cross-fleet capability. *error (when given) gets what the set-ups reported.
    CModelProfile ProfileOf(int modelType, int releaseId, int subReleaseId,
                            CVelmoraError* error = nullptr) const;

    // Capacities of a call list type; false (every capacity 0 but the consolidated list) for a
    // type outside 0..9.
    static bool CapacitiesForCallListType(int callListType, ListCapacities& capacities, bool& scanAndStatus);
    // The rule table of a codeplug id, or empty for an id outside 0..24.
    static QString RuleTableForCodeplugId(int codeplugId);
    // 1 when a rule row enables its field for the model: the row applies to it and its edit rule
    // allows editing.
    static int EvaluateRuleRow(const QString& models, int editRules, int modelType);
    static int EditRuleEnables(int editRules);

    // --- Names ---
    // "-sub#release#model", the suffix of every sub-model key.
    static QString SubModelKey(int subReleaseId, int releaseId, int modelType);
    // The unit's model cell text: the sub-model key for models with sub-releases, else the number.
    QString ModelKey(int modelType, int subReleaseId, int releaseId) const;
    QString ModelDisplayName(int modelType, int subReleaseId, int releaseId) const;
    // RelModelDesc for a model with sub-releases, else the catalogue's ModelDescription.
    QString ModelDescription(int modelType, int subReleaseId, int releaseId) const;

    // --- Sub-model switches of [SubId Rel_Models]: on when the value is "1" ---
    bool SubModelSwitch(const QString& name, int subReleaseId, int releaseId, int modelType) const;
    bool HideStyles(int subReleaseId, int releaseId, int modelType) const;
    bool HideShortcuts(int subReleaseId, int releaseId, int modelType) const;
    bool HidePersonalize(int subReleaseId, int releaseId, int modelType) const;
    bool HideMOSMS(int subReleaseId, int releaseId, int modelType) const;
    // The styles grid gets the rows to hide (possibly empty) unless the value is "1": then false.
    bool HideStyleRows(int subReleaseId, int releaseId, int modelType, QString& rows) const;
    bool DisableNetMode(int subReleaseId, int releaseId, int modelType) const;
    bool EnableVibrateFlag(int subReleaseId, int releaseId, int modelType) const;
    bool EnableSimPinWarningFlag(int subReleaseId, int releaseId, int modelType) const;
    // Switches keyed by the name followed by a model cell text (ModelKey); an empty key reads the
    // carrier-wide switch.
    bool EnableVibrateFlag(const QString& modelKey) const;
    bool DisableNetMode(const QString& modelKey) const;
    // Language entry id for phone book names; 0 when empty or missing.
    int PhoneBookLangEntryID(const QString& modelKey) const;

    // --- Supported phones ---
    // A phone is supported when the model list offers it: its sub-model key for a model with
    // sub-releases, else its model type.
    bool IsSupportedPhone(int modelType, int subReleaseId, int releaseId) const;
    // The same as an error value: message 1635 when the phone is not supported.
    CVelmoraError CheckSupportedPhone(int modelType, int subReleaseId, int releaseId) const;

private:
    static QString SubModelValue(const QString& key);

    QSqlDatabase m_db;
    QString m_modelList;
    QString m_alderModels;
    QString m_internationalPhones;
    QString m_q700PhoneModels;
};
