#include "CModelRules.h"

#include "CModelListParser.h"
#include "CRadioModelRecSet.h"
#include "CUIFieldsRecSet.h"
#include "CVelmoraWrap.h"

#include <QStringList>
#include <cstdio>

namespace {

const QString kModelTypes = QStringLiteral("Model Types");
const QString kSubModels = QStringLiteral("SubId Rel_Models");
const QString kInternational = QStringLiteral("International Models");

// Model types are bytes, so no "Model<n>" key beyond this can name one.
constexpr int kHighestModelType = 255;

enum MessageId : int
{
    MsgModelNameUnknown = 1631,
    MsgPhoneNotSupported = 1635,
    MsgCodeplugIdUnknown = 1642,
    MsgRuleTableUnreadable = 1643,
    MsgRuleRowMissing = 1644,
    MsgInternationalListMissing = 1837,
};

void StartupLine(const QString& why)
{
    std::fprintf(stderr, "velmora: start-up stopped: %s\n", qPrintable(why));
    std::fflush(stderr);
}

QString Ini(const QString& section, const QString& key)
{
    QString value;
    if (!CVelmoraWrap::GetCarrierIniValue(section, key, value))
        return QString();
    return value;
}

// Why a carrier key could not be read, for the stderr line.
QString MissingKey(const QString& section, const QString& key)
{
    const QString why = CVelmoraWrap::CarrierIniError();
    QString line = QStringLiteral("the carrier settings have no \"%1\" in [%2]").arg(key, section);
    if (!why.isEmpty())
        line += QStringLiteral(" (%1)").arg(why);
    return line;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Start-up

CVelmoraError CModelRules::BuildModelList(QString& modelList)
{
    modelList.clear();
    QString totalText;
    if (!CVelmoraWrap::GetCarrierIniValue(kModelTypes, QStringLiteral("Total Models"), totalText)) {
        StartupLine(MissingKey(kModelTypes, QStringLiteral("Total Models")));
        return CVelmoraError();
    }
    bool numeric = false;
    const int total = totalText.trimmed().toInt(&numeric);
    if (!numeric) {
        StartupLine(
            QStringLiteral("\"Total Models\" in [%1] is not a number: %2").arg(kModelTypes, totalText));
        return CVelmoraError();
    }
    // One "Model<n>" key per model type, and types are bytes: any other count is a damaged file.
    if (total < 0 || total > kHighestModelType) {
        StartupLine(QStringLiteral("\"Total Models\" in [%1] is out of range (0 to %2): %3")
                        .arg(kModelTypes)
                        .arg(kHighestModelType)
                        .arg(totalText));
        return CVelmoraError();
    }

    QStringList names;
    for (int i = 0; i <= total; ++i) {
        const QString name = Ini(kModelTypes, QStringLiteral("Model%1").arg(i));
        if (!name.isEmpty())
            names << name;
    }

    QString list;
    CRadioModelRecSet row(m_db);
    for (const QString& name : names) {
        if (!row.OpenByDisplayName(name)) {
            StartupLine(QStringLiteral("the model table cannot be read: %1").arg(row.LastError()));
            return CVelmoraError();
        }
        if (row.IsEOF()) {
            StartupLine(QStringLiteral("the model \"%1\" of [%2] has no row in the model table")
                            .arg(name, kModelTypes));
            return CVelmoraError::Message(MsgModelNameUnknown);
        }
        list += name + QLatin1Char('\t') + QString::number(row.m_ModelType) + QLatin1Char('\n');
    }

    // Sub-models are optional: a carrier without international models has none.
    bool numericSubs = false;
    const int subModels = Ini(kSubModels, QStringLiteral("Total SubModels")).trimmed().toInt(&numericSubs);
    if (numericSubs) {
        for (int i = 0; i <= subModels; ++i) {
            const QString key = Ini(kSubModels, QStringLiteral("RelModel%1").arg(i));
            if (key.isEmpty())
                continue;
            const QString name = Ini(kSubModels, QStringLiteral("RelModelName") + key);
            if (!name.isEmpty())
                list += name + QLatin1Char('\t') + key + QLatin1Char('\n');
        }
    }

    if (list.isEmpty())
        return CVelmoraError();
    m_modelList = list;
    modelList = list;
    return CVelmoraError();
}

CVelmoraError CModelRules::LoadInternationalLists()
{
    struct Entry
    {
        const char* key;
        QString* target;
    };
    const Entry entries[] = {{"AlderModels", &m_alderModels},
                             {"InternationalPhones", &m_internationalPhones},
                             {"Q700PhoneModels", &m_q700PhoneModels}};
    bool complete = true;
    for (const Entry& entry : entries) {
        const QString key = QString::fromLatin1(entry.key);
        QString value;
        if (!CVelmoraWrap::GetCarrierIniValue(kInternational, key, value)) {
            StartupLine(MissingKey(kInternational, key));
            value.clear();
            complete = false;
        } else if (value.isEmpty()) {
            StartupLine(QStringLiteral("\"%1\" in [%2] is empty").arg(key, kInternational));
            complete = false;
        }
        *entry.target = value;
    }
    return complete ? CVelmoraError() : CVelmoraError::Message(MsgInternationalListMissing);
}

// ---------------------------------------------------------------------------------------------
// Phone class

bool CModelRules::IsAlderModel(int modelType) const
{
    return CModelListParser::ListHas(m_alderModels, modelType);
}

bool CModelRules::IsInternationalModel(int modelType) const
{
    return CModelListParser::ListHas(m_internationalPhones, modelType);
}

bool CModelRules::IsQ700Model(int modelType) const
{
    return CModelListParser::ListHas(m_q700PhoneModels, modelType);
}

int CModelRules::PhoneClassOf(int modelType) const
{
    if (IsAlderModel(modelType))
        return 3;
    if (IsQ700Model(modelType))
        return 2;
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Catalogue

bool CModelRules::IsSpecialVariant(int releaseId, int modelType)
{
    return releaseId == SpecialReleaseId && modelType == SpecialModelType;
}

bool CModelRules::GetModelRow(int modelType, CRadioModelRecSet& row) const
{
    row.SetDatabase(m_db);
    return row.OpenByModelType(modelType) && !row.IsEOF();
}

bool CModelRules::LookupModel(int modelType, bool special, int& callListType, int& codeplugId) const
{
    CRadioModelRecSet row;
    if (!GetModelRow(modelType, row))
        return false;
    callListType = (special && modelType == SpecialModelType) ? int(SpecialCallListType) : row.m_CallListType;
    codeplugId = row.m_codeplug_id;
    return true;
}

bool CModelRules::HasModel(int modelType) const
{
    CRadioModelRecSet row;
    return GetModelRow(modelType, row);
}

bool CModelRules::IsCrossFleetCapable(int modelType) const
{
    CRadioModelRecSet row;
    return GetModelRow(modelType, row) && row.m_CrossFleetCapable;
}

int CModelRules::CrossFleetCPVersion(int modelType) const
{
    CRadioModelRecSet row;
    return GetModelRow(modelType, row) ? row.m_CrossFleetCPVersion : 0;
}

bool CModelRules::IsPlusSeriesPhone(int modelType) const
{
    CRadioModelRecSet row;
    return GetModelRow(modelType, row) && row.m_IsPlusSeriesPhone;
}

QString CModelRules::SupportedLang(int modelType) const
{
    CRadioModelRecSet row;
    return GetModelRow(modelType, row) ? row.m_supported_lang : QString();
}

bool CModelRules::CrossFleetFlag(bool capable, int crossFleetCPVersion, int structureVersion)
{
    return capable && (crossFleetCPVersion == 0 || crossFleetCPVersion == structureVersion);
}

int CModelRules::StructureVersionNumber(int structureVersion)
{
    if (structureVersion == UnreadStructureVersion)
        return 0;
    // The phone keeps its version as decimal digits in hexadecimal places (0x16 is version 16).
    const QString hex = QStringLiteral("%1").arg(uint(structureVersion) & 0xFFFF, 2, 16, QLatin1Char('0'));
    int number = 0;
    for (const QChar c : hex) {
        if (!c.isDigit())
            break;
        number = number * 10 + c.digitValue();
    }
    return number;
}

bool CModelRules::LockoutsLinked(int phoneClass, bool codeControl, int structureVersion)
{
    if (phoneClass != AlderPhoneClass)
        return false;
    const int number = StructureVersionNumber(structureVersion);
    return codeControl || (number >= 1 && number <= 15);
}

int CModelRules::DefaultCallListLanguage(int releaseId)
{
    switch (releaseId) {
    case 39:
    case 70:
    case 89:
    case 91:
        return 3;
    case 71:
    case 92:
    case 93:
    case 94:
        return 2;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------------
// Model state

bool CModelRules::CapacitiesForCallListType(int callListType, ListCapacities& capacities, bool& scanAndStatus)
{
    capacities = ListCapacities();
    scanAndStatus = false;
    const auto nams = [](int first, int others) { return std::array<int, 3>{first, others, others}; };
    switch (callListType) {
    case 0:
    case 5:
    case 8:
        capacities.phoneBook = 100;
        capacities.privateList = nams(100, 5);
        capacities.talkgroups = nams(30, 5);
        break;
    case 1:
    case 6:
    case 9:
        capacities.phoneBook = 100;
        capacities.privateList = nams(100, 5);
        capacities.talkgroups = callListType == 9 ? nams(30, 5) : nams(100, 5);
        capacities.scanList = nams(30, 5);
        capacities.statusMessages = nams(10, 5);
        scanAndStatus = true;
        break;
    case 2:
    case 4:
        capacities.phoneBook = 100;
        capacities.privateList = nams(100, 5);
        capacities.talkgroups = nams(50, 5);
        break;
    case 3:
        capacities.phoneBook = 15;
        capacities.privateList = nams(15, 0);
        capacities.talkgroups = nams(15, 0);
        break;
    case 7:
        capacities.phoneBook = 100;
        capacities.privateList = nams(100, 0);
        capacities.talkgroups = nams(30, 0);
        break;
    default:
        return false;
    }
    return true;
}

bool CModelRules::SetupListCapacities(int modelType, bool special, CModelProfile& profile) const
{
    int callListType = 0;
    int codeplugId = 0;
    if (!LookupModel(modelType, special, callListType, codeplugId))
        return false;
    profile.known = true;
    profile.phoneClass = PhoneClassOf(modelType);
    CapacitiesForCallListType(callListType, profile.capacities, profile.scanAndStatus);
    profile.callListType = callListType;
    return true;
}

QString CModelRules::RuleTableForCodeplugId(int codeplugId)
{
    switch (codeplugId) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 5:
    case 14:
        return QStringLiteral("Larch_UI_CP_Fields_details");
    case 4:
    case 6:
    case 7:
    case 12:
    case 15:
    case 18:
    case 20:
        return QStringLiteral("Birch_CP_Fields_details");
    case 22:
    case 23:
    case 24:
        return QStringLiteral("Alder_UI_CP_Fields_details");
    default:
        if (codeplugId < 0 || codeplugId > MaxCodeplugId)
            return QString();
        return QStringLiteral("Larch_FDIUI_CP_Fields_details");
    }
}

int CModelRules::EditRuleEnables(int editRules)
{
    switch (editRules) {
    case 1:
    case 4:
    case 5:
        return 0;
    default:
        return 1;
    }
}

int CModelRules::EvaluateRuleRow(const QString& models, int editRules, int modelType)
{
    if (!CModelListParser::Matches(models, modelType))
        return 0;
    return EditRuleEnables(editRules);
}

CVelmoraError CModelRules::SetupErgoFieldFlags(int modelType, bool special, CModelProfile& profile) const
{
    profile.ergoFlags.fill(0);
    profile.hasErgoFlags = false;
    int callListType = 0;
    int codeplugId = 0;
    if (!LookupModel(modelType, special, callListType, codeplugId))
        return CVelmoraError();
    const QString table = RuleTableForCodeplugId(codeplugId);
    if (table.isEmpty())
        return CVelmoraError::Message(MsgCodeplugIdUnknown);
    const QString select = QStringLiteral("SELECT * FROM ") + table;
    CUIFieldsRecSet rules(m_db);
    if (!rules.OpenSql(select))
        return CVelmoraError::Message(MsgRuleTableUnreadable);
    const int rowCount = rules.GetRecordCount();
    std::array<int, ErgoFieldCount + 1> flags{};
    for (int id = 1; id <= rowCount; ++id) {
        if (!rules.OpenSql(select + QStringLiteral(" WHERE Ergo_Field_id = ? "), {id}) || rules.IsEOF())
            return CVelmoraError::Message(MsgRuleRowMissing);
        const int flag = EvaluateRuleRow(rules.m_Models, rules.m_Edit_rules, modelType);
        if (id <= ErgoFieldCount)
            flags[size_t(id)] = flag;
        // Families without a SIM PIN warning row let it follow the vibrate row.
        if (id == ErgoFieldCount - 1)
            flags[ErgoFieldCount] = flag;
    }
    profile.ergoFlags = flags;
    profile.hasErgoFlags = true;
    return CVelmoraError();
}

CVelmoraError CModelRules::ApplyModel(int modelType, int releaseId, CModelProfile& profile) const
{
    const bool special = IsSpecialVariant(releaseId, modelType);
    profile.modelType = modelType;
    profile.releaseId = releaseId;
    SetupListCapacities(modelType, special, profile);
    return SetupErgoFieldFlags(modelType, special, profile);
}

CModelProfile CModelRules::ProfileOf(int modelType, int releaseId, int subReleaseId,
                                     CVelmoraError* error) const
{
    CModelProfile profile;
    const CVelmoraError setUp = ApplyModel(modelType, releaseId, profile);
    if (error)
        *error = setUp;
    profile.subReleaseId = subReleaseId;
    profile.modelKey = ModelKey(modelType, subReleaseId, releaseId);
    CRadioModelRecSet row;
    if (GetModelRow(modelType, row)) {
        profile.crossFleetCapable = row.m_CrossFleetCapable;
        profile.crossFleetCPVersion = row.m_CrossFleetCPVersion;
    }
    return profile;
}

// ---------------------------------------------------------------------------------------------
// Names

QString CModelRules::SubModelKey(int subReleaseId, int releaseId, int modelType)
{
    return QStringLiteral("-%1#%2#%3").arg(subReleaseId).arg(releaseId).arg(modelType);
}

QString CModelRules::ModelKey(int modelType, int subReleaseId, int releaseId) const
{
    if (HasSubReleases(modelType))
        return SubModelKey(subReleaseId, releaseId, modelType);
    return QString::number(modelType);
}

QString CModelRules::ModelDisplayName(int modelType, int subReleaseId, int releaseId) const
{
    if (IsInternationalModel(modelType))
        return SubModelValue(QStringLiteral("RelModelName") +
                             SubModelKey(subReleaseId, releaseId, modelType));
    return Ini(kModelTypes, QStringLiteral("Model%1").arg(modelType));
}

QString CModelRules::ModelDescription(int modelType, int subReleaseId, int releaseId) const
{
    if (IsInternationalModel(modelType))
        return SubModelValue(QStringLiteral("RelModelDesc") +
                             SubModelKey(subReleaseId, releaseId, modelType));
    CRadioModelRecSet row;
    return GetModelRow(modelType, row) ? row.m_ModelDescription : QString();
}

// ---------------------------------------------------------------------------------------------
// Sub-model switches

QString CModelRules::SubModelValue(const QString& key)
{
    return Ini(kSubModels, key);
}

bool CModelRules::SubModelSwitch(const QString& name, int subReleaseId, int releaseId, int modelType) const
{
    return SubModelValue(name + SubModelKey(subReleaseId, releaseId, modelType)) == QLatin1String("1");
}

bool CModelRules::HideStyles(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("HideStyles"), subReleaseId, releaseId, modelType);
}

bool CModelRules::HideShortcuts(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("HideShortcuts"), subReleaseId, releaseId, modelType);
}

bool CModelRules::HidePersonalize(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("HidePersonalize"), subReleaseId, releaseId, modelType);
}

bool CModelRules::HideMOSMS(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("HideMOSMS"), subReleaseId, releaseId, modelType);
}

bool CModelRules::HideStyleRows(int subReleaseId, int releaseId, int modelType, QString& rows) const
{
    const QString value =
        SubModelValue(QStringLiteral("HideStyleRows") + SubModelKey(subReleaseId, releaseId, modelType));
    if (value == QLatin1String("1")) {
        rows.clear();
        return false;
    }
    rows = value;
    return true;
}

bool CModelRules::DisableNetMode(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("DisableNetMode"), subReleaseId, releaseId, modelType);
}

bool CModelRules::EnableVibrateFlag(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("EnableVibrateFlag"), subReleaseId, releaseId, modelType);
}

bool CModelRules::EnableSimPinWarningFlag(int subReleaseId, int releaseId, int modelType) const
{
    return SubModelSwitch(QStringLiteral("EnableSimPinWarningFlag"), subReleaseId, releaseId, modelType);
}

bool CModelRules::EnableVibrateFlag(const QString& modelKey) const
{
    return SubModelValue(QStringLiteral("EnableVibrateFlag") + modelKey) == QLatin1String("1");
}

bool CModelRules::DisableNetMode(const QString& modelKey) const
{
    return SubModelValue(QStringLiteral("DisableNetMode") + modelKey) == QLatin1String("1");
}

int CModelRules::PhoneBookLangEntryID(const QString& modelKey) const
{
    return SubModelValue(QStringLiteral("PhoneBookLangEntryID") + modelKey).trimmed().toInt();
}

// ---------------------------------------------------------------------------------------------
// Supported phones

bool CModelRules::IsSupportedPhone(int modelType, int subReleaseId, int releaseId) const
{
    const QString line =
        IsInternationalModel(modelType)
            ? QString(QLatin1Char('\t') + SubModelKey(subReleaseId, releaseId, modelType) + QLatin1Char('\n'))
            : QStringLiteral("\t%1\n").arg(modelType);
    return m_modelList.contains(line);
}

CVelmoraError CModelRules::CheckSupportedPhone(int modelType, int subReleaseId, int releaseId) const
{
    if (IsSupportedPhone(modelType, subReleaseId, releaseId))
        return CVelmoraError();
    return CVelmoraError::Message(MsgPhoneNotSupported);
}
