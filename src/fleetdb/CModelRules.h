#pragma once

#include <QSqlDatabase>
#include <QString>
#include <array>

class CRadioModelRecSet;

// What the program offers for a radio model (choice list, phone class, list capacities, ergonomic field
// flags, names, carrier switches), and the model state of the unit about to be edited.
class CModelRules
{
public:
    enum : int
    {
        ErgoFieldCount = 41,
        MaxCodeplugId = 24,
        ConsolidatedCapacity = 250,
        SpecialModelType = 90, // release 39 of this model carries the large list block
        SpecialReleaseId = 39,
        SpecialCallListType = 8,
    };

    // The fourteen list capacities of a model; NAM-dependent lists are indexed by NAM - 1.
    struct ListCapacities
    {
        int phoneBook = 0;
        std::array<int, 3> privateList{};
        std::array<int, 3> talkgroups{};
        std::array<int, 3> scanList{};
        std::array<int, 3> statusMessages{};
        int consolidated = ConsolidatedCapacity;
    };

    CModelRules() = default;
    explicit CModelRules(const QSqlDatabase& db) : m_db(db) {}

    void SetDatabase(const QSqlDatabase& db) { m_db = db; }
    QSqlDatabase Database() const { return m_db; }

    // --- Start-up ---
    // Builds the model choice list ("name\tvalue\n" lines) from [Model Types] and the sub-models of
    // [SubId Rel_Models]. A name without a catalogue row shows message 1631. False when the list
    // cannot be built or is empty; the list is kept for the supported-phone check.
    bool BuildModelList(QString& modelList);
    // Reads AlderModels, InternationalPhones and Q700PhoneModels. False after message 1837 when any
    // is missing or empty (a missing key is also named on stderr).
    bool LoadInternationalLists();

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
    // Default call-list language of a release: 3 (Hebrew) for 39, 70, 89, 91; 2 (Korean) for 71,
    // 92, 93, 94; else 0.
    static int DefaultCallListLanguage(int releaseId);

    // --- Model state of the unit being edited ---
    // Phone class, call list type, list capacities and the scan-and-status flag of the model; a
    // model without a row changes nothing and answers false.
    bool SetupListCapacities(int modelType, bool special);
    // Ergonomic field flags 1..41 from the model's rule table; 1 on success, 0 after message 1642
    // (unknown codeplug id), 1643 (rule table unreadable) or 1644 (a field row missing), or for a
    // model without a row. Flags start cleared, so a failure leaves every field disabled.
    int SetupErgoFieldFlags(int modelType, bool special);
    // Both set-ups for a unit, with the special flag worked out from its release. True when both
    // succeeded.
    bool ApplyModel(int modelType, int releaseId);

    int CallListType() const { return m_callListType; }
    int PhoneClass() const { return m_phoneClass; }
    const ListCapacities& Capacities() const { return m_capacities; }
    bool ScanAndStatus() const { return m_scanAndStatus; }
    // Flag of an ergonomic field id 1..41 (0 for any other id).
    int ErgoFieldFlag(int fieldId) const;
    // Cross-fleet capability of the model last identified on the cable.
    bool CrossFleetModel() const { return m_crossFleetModel; }
    void SetCrossFleetModel(bool capable) { m_crossFleetModel = capable; }

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
    // The same, showing message 1635 when the phone is not supported.
    bool CheckSupportedPhone(int modelType, int subReleaseId, int releaseId) const;

private:
    static QString SubModelValue(const QString& key);

    QSqlDatabase m_db;
    QString m_modelList;
    QString m_alderModels;
    QString m_internationalPhones;
    QString m_q700PhoneModels;

    int m_callListType = 0;
    int m_phoneClass = 1;
    ListCapacities m_capacities;
    bool m_scanAndStatus = false;
    std::array<int, ErgoFieldCount + 1> m_ergoFlags{}; // index 0 unused
    bool m_crossFleetModel = false;
};
