#include "CProcessPhone.h"

#include "AgentApi.h"
#include "CAlderErgoQuickNotesRecSet.h"
#include "CAlderErgoShortcutsRecSet.h"
#include "CAlderErgoStylesRecSet.h"
#include "CAlderGroups.h"
#include "CErgoBits.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CListBlockCodec.h"
#include "CModelRules.h"
#include "CPersonalizeRecSet.h"
#include "CPhoneItems.h"
#include "CPhoneUnitWriter.h"
#include "CRadioModelRecSet.h"
#include "CSimPreparation.h"
#include "CTGScanListRecSet.h"
#include "CUnitConCallListRecSet.h"
#include "CUnitPhoneDetRecSet.h"
#include "CUnitPhoneErgoRecSet.h"
#include "CUnitPrvtDetRecSet.h"
#include "CUnitRecSet.h"
#include "CUnitStatusMsgRecSet.h"
#include "CUnitTGDetRecSet.h"
#include "CVelmoraDoc.h"
#include "CodeplugItemIds.h"
#include "IPhoneMessages.h"
#include "PhoneMessageIds.h"

#include <QDir>
#include <QFile>

namespace {

enum : int
{
    NumberLength = 20,
    MillisecondsPerMinute = 60000,
};

bool Ok(int code)
{
    return CPhoneItems::Ok(code);
}

QString IpText(const QByteArray& bytes)
{
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts << QString::number(i < bytes.size() ? quint8(bytes.at(i)) : 0);
    const QString text = parts.join(QLatin1Char('.'));
    return text == QLatin1String("0.0.0.0") ? QString() : text;
}

QString TwoDigits(int value)
{
    return value < 10 ? QStringLiteral("0%1").arg(value) : QString::number(value);
}

} // namespace

CProcessPhone::CProcessPhone(int mode, const CPhoneSettings& settings, const CModelRules& rules,
                             ISimPinPrompt* prompt)
    : m_mode(mode), m_settings(settings), m_rules(rules), m_prompt(prompt),
      m_sim(std::make_unique<CSimPreparation>(settings, prompt))
{
}

CProcessPhone::~CProcessPhone()
{
    CloseRecordsets();
    m_db = QSqlDatabase();
    m_connection.reset();
}

// ---- database -------------------------------------------------------------------------------------

QString CProcessPhone::ScratchPath() const
{
    return QDir(m_settings.programFolder).filePath(QStringLiteral("phone.tem"));
}

CVelmoraError CProcessPhone::OpenDatabaseFile(const QString& path)
{
    // The fleet is this operation's until it lets go of it: no other program changes it meanwhile.
    CFleetLock lock;
    if (const CVelmoraError error = CVelmoraDoc::HoldForChange(path, lock))
        return error;
    CFleetErrors errors;
    const bool prepared = CFleetFile::CheckAndPrepare(path, m_settings.Fleet(), errors);
    // What the check met reaches the user before the read goes on or stops.
    if (m_messages) {
        for (const CVelmoraError& error : errors)
            m_messages->Report(error);
    }
    if (!prepared)
        return CVelmoraError::Message(PhoneMsg::CannotReadFleet);
    auto connection = std::make_unique<CFleetConnection>();
    if (!connection->Open(path, CFleetConnection::Mode::Shared))
        return CVelmoraError::Message(PhoneMsg::CannotReadFleet);
    CloseRecordsets();
    m_connection = std::move(connection);
    m_db = m_connection->Database();
    m_fleetLock = std::move(lock);
    return CVelmoraError();
}

CVelmoraError CProcessPhone::OpenScratchDatabase()
{
    const QString path = ScratchPath();
    const QString templatePath = m_settings.Fleet().templatePath;
    // The scratch file of the last operation is replaced by a fresh copy of the template.
    CloseRecordsets();
    m_db = QSqlDatabase();
    m_connection.reset();
    m_fleetLock.Unlock();
    // Another program reading a phone has the scratch file: it is not taken from under it.
    if (const CVelmoraError error = m_fleetLock.Lock(path))
        return error;
    QFile::remove(path);
    if (!QFile::copy(templatePath, path))
        return CVelmoraError::Message(PhoneMsg::CannotReadFleet);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    return OpenDatabaseFile(path);
}

CVelmoraError CProcessPhone::OpenFleetFile(const QString& path)
{
    return OpenDatabaseFile(path);
}

void CProcessPhone::AttachDatabase(const QSqlDatabase& db)
{
    CloseRecordsets();
    m_connection.reset();
    m_fleetLock.Unlock();
    m_db = db;
}

void CProcessPhone::CloseRecordsets()
{
    for (auto& recordset : m_recordsets)
        recordset.reset();
}

CRecordset* CProcessPhone::Recordset(int slot) const
{
    return slot >= 0 && slot < SlotCount ? m_recordsets[size_t(slot)].get() : nullptr;
}

CUnitRecSet& CProcessPhone::Unit() const
{
    return SlotAs<CUnitRecSet>(SlotUnit);
}

CPhoneTextCodec CProcessPhone::UnitTextCodec() const
{
    // The unit's fields: the fleet's row when writing, the one being read (added) when reading.
    return CPhoneTextCodec::ForUnit(int(Unit().m_unit_def_call_list_lang_id), m_settings.IsHebrew());
}

CUnitPhoneErgoRecSet& CProcessPhone::Ergo() const
{
    return SlotAs<CUnitPhoneErgoRecSet>(SlotErgo);
}

CPersonalizeRecSet* CProcessPhone::Personalize() const
{
    return m_recordsets[SlotPersonalize] ? &SlotAs<CPersonalizeRecSet>(SlotPersonalize) : nullptr;
}

CVelmoraError CProcessPhone::OpenUnitRecordsets(const QString& imei)
{
    CloseRecordsets();
    m_unitImei = imei;
    m_recordsets[SlotUnit] = std::make_unique<CUnitRecSet>(m_db);
    m_recordsets[SlotErgo] = std::make_unique<CUnitPhoneErgoRecSet>(m_db);
    m_recordsets[SlotShortcuts] = std::make_unique<CAlderErgoShortcutsRecSet>(m_db);
    m_recordsets[SlotStyles] = std::make_unique<CAlderErgoStylesRecSet>(m_db);
    m_recordsets[SlotPhoneBook] = std::make_unique<CUnitPhoneDetRecSet>(m_db);
    m_recordsets[SlotPrivate] = std::make_unique<CUnitPrvtDetRecSet>(m_db);
    m_recordsets[SlotTalkgroup] = std::make_unique<CUnitTGDetRecSet>(m_db);
    m_recordsets[SlotScan] = std::make_unique<CTGScanListRecSet>(m_db);
    m_recordsets[SlotStatus] = std::make_unique<CUnitStatusMsgRecSet>(m_db);
    m_recordsets[SlotConsolidated] = std::make_unique<CUnitConCallListRecSet>(m_db);
    m_recordsets[SlotQuickNotes] = std::make_unique<CAlderErgoQuickNotesRecSet>(m_db);
    m_recordsets[SlotPersonalize] = CPersonalizeRecSet::ForModel(m_modelType, m_db);

    const QString byImei = QStringLiteral("unit_imei_num = ?");
    for (int slot = 0; slot < SlotCount; ++slot) {
        CRecordset* rs = m_recordsets[size_t(slot)].get();
        if (!rs)
            continue;
        QString order;
        if (slot == SlotStyles)
            order = QStringLiteral("unit_style_number");
        else if (slot == SlotShortcuts)
            order = QStringLiteral("unit_shortcut_number");
        else if (slot == SlotPhoneBook)
            order = QStringLiteral("unit_speed_dial");
        else if (slot == SlotConsolidated)
            order = QStringLiteral("unit_rec_num");
        if (!rs->Open(byImei, {imei}, order))
            return CVelmoraError::Text(rs->LastError());
    }
    return CVelmoraError();
}

// ---- identity -------------------------------------------------------------------------------------

CVelmoraError CProcessPhone::Fail(int velmoraCode, int agentCode)
{
    // A cancel on the cable ends the operation without a word.
    if (agentCode == AGENT_CANCELLED)
        return CVelmoraError::Cancelled();
    return CVelmoraError::FromVelmoraCode(velmoraCode);
}

CVelmoraError CProcessPhone::FailMessage(int messageId, int agentCode)
{
    if (agentCode == AGENT_CANCELLED)
        return CVelmoraError::Cancelled();
    return CVelmoraError::Message(messageId);
}

int CProcessPhone::SubReleaseNumber(int letter)
{
    if (letter >= 'A' && letter <= 'Z')
        return letter - 'A' + 1;
    if (letter >= 'a' && letter <= 'z')
        return letter - 'a' + 1;
    return 0;
}

int CProcessPhone::DecimalPrefix(const QByteArray& text)
{
    int i = 0;
    while (i < text.size() && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == '-' || text.at(i) == '+'))
        negative = text.at(i++) == '-';
    qint64 value = 0;
    for (; i < text.size() && text.at(i) >= '0' && text.at(i) <= '9' && value < 0x7FFFFFFF; ++i)
        value = value * 10 + (text.at(i) - '0');
    return int(negative ? -value : qMin<qint64>(value, 0x7FFFFFFF));
}

CVelmoraError CProcessPhone::ReadStructureVersion()
{
    quint32 value = 0;
    const int rc = CPhoneItems::ReadValue(CodeplugItem::StructureVersion, value);
    if (!Ok(rc))
        return FailMessage(PhoneMsg::StructureVersion, rc);
    m_structureVersion = int(value & 0xFFFF);
    return CVelmoraError();
}

CVelmoraError CProcessPhone::ReadIdentity(bool withStructure)
{
    quint32 value = 0;
    int rc = CPhoneItems::ReadValue(CodeplugItem::ModelType, value);
    if (!Ok(rc))
        return Fail(PhoneErr::ModelType, rc);
    m_modelType = int(value & 0xFF);
    uint8_t subRelease[AGENT_SUB_RELEASE_SIZE] = {0, 0};
    rc = AgentGetSubRelease(subRelease);
    if (!Ok(rc))
        return Fail(PhoneErr::SubRelease, rc);
    m_subRelease = SubReleaseNumber(subRelease[0]);
    rc = CPhoneItems::ReadValue(CodeplugItem::Release, value);
    if (!Ok(rc))
        return Fail(PhoneErr::Release, rc);
    m_release = int(value & 0xFFFF);
    m_release39 = m_release == CModelRules::SpecialReleaseId && m_modelType == CModelRules::SpecialModelType;
    return withStructure ? ReadStructureVersion() : CVelmoraError();
}

bool CProcessPhone::LookupModel()
{
    CRadioModelRecSet row;
    if (!m_rules.GetModelRow(m_modelType, row))
        return false;
    m_modelDescription = row.m_ModelDescription;
    m_plusSeries = row.m_IsPlusSeriesPhone;
    m_callListType = (m_release39 && m_modelType == CModelRules::SpecialModelType)
                         ? int(CModelRules::SpecialCallListType)
                         : row.m_CallListType;
    m_phoneClass = m_rules.PhoneClassOf(m_modelType);
    m_crossFleet =
        CModelRules::CrossFleetFlag(row.m_CrossFleetCapable, row.m_CrossFleetCPVersion, m_structureVersion);
    return true;
}

bool CProcessPhone::HasPin() const
{
    return m_sim->HasPin();
}

CVelmoraError CProcessPhone::IdentifyPhone(bool simAfterReset)
{
    m_imei.clear();
    if (m_phoneClass >= 2) {
        if (const CVelmoraError error = m_sim->Prepare(m_phoneClass, simAfterReset))
            return error;
        m_imei = m_sim->Imei();
        m_simKind = m_sim->SimKind();
    }
    if (!m_imei.isEmpty())
        return CVelmoraError();
    QByteArray bytes;
    const int rc = CPhoneItems::ReadBytes(CodeplugItem::Imei, bytes);
    if (rc == AGENT_ABSENT)
        return CVelmoraError();
    if (!Ok(rc))
        return CPhoneItems::Failure(rc);
    m_imei = QString::fromLatin1(bytes.toHex().toUpper()) + QLatin1Char('0');
    return CVelmoraError();
}

// ---- read -----------------------------------------------------------------------------------------

CVelmoraError CProcessPhone::ReadPhone()
{
    if (!m_db.isOpen())
        return CVelmoraError::Cancelled();
    if (const CVelmoraError error = ReadIdentity(true))
        return error;
    if (!LookupModel())
        return Fail(PhoneErr::UnknownModel, 0);
    if (const CVelmoraError error = IdentifyPhone(false))
        return error;
    if (const CVelmoraError error = OpenUnitRecordsets(m_imei))
        return error;
    CUnitRecSet& unit = Unit();
    CUnitPhoneErgoRecSet& ergo = Ergo();
    unit.AddNew();
    ergo.AddNew();
    unit.m_unit_imei_num = m_imei;
    ergo.m_unit_imei_num = m_imei;
    unit.m_unit_sim_version = m_simKind;
    if (const CVelmoraError error = ReadUnitItems()) {
        unit.CancelUpdate();
        ergo.CancelUpdate();
        return error;
    }
    unit.m_unit_sim_version = m_simKind;
    if (!unit.Update())
        return CVelmoraError::Text(unit.LastError());
    if (!ergo.Update())
        return CVelmoraError::Text(ergo.LastError());
    return CVelmoraError();
}

CVelmoraError CProcessPhone::ReadUnitItems()
{
    CUnitRecSet& unit = Unit();
    quint32 value = 0;
    int rc = CPhoneItems::ReadValue(CodeplugItem::StructureVersion, value);
    if (!Ok(rc))
        return Fail(PhoneErr::StructureVersion, rc);
    unit.m_unit_cp_structure_version = int(value & 0xFFFF);
    rc = CPhoneItems::ReadValue(CodeplugItem::DefaultVersion, value);
    if (!Ok(rc))
        return Fail(PhoneErr::DefaultVersion, rc);
    unit.m_unit_cp_default_version = int(value & 0xFFFF);
    if (const CVelmoraError error = ReadIdentity(false))
        return error;

    if (const CVelmoraError unsupported = m_rules.CheckSupportedPhone(m_modelType, m_subRelease, m_release))
        return unsupported;
    unit.m_unit_model_type = m_modelType;
    unit.m_unit_prod_sub_release_id = m_subRelease;
    unit.m_unit_prod_release_id = m_release;
    unit.m_unit_def_call_list_lang_id = CModelRules::DefaultCallListLanguage(m_release);
    if (!LookupModel())
        return Fail(PhoneErr::UnknownModel, 0);
    unit.m_unit_cross_fleet_enable = m_crossFleet;

    rc = CPhoneItems::ReadText(CodeplugItem::UserName, unit.m_unit_user_name, UnitTextCodec());
    if (!Ok(rc))
        return Fail(PhoneErr::UserName, rc);
    rc = CPhoneItems::ReadText(CodeplugItem::Comments, unit.m_units_comments, UnitTextCodec());
    if (!Ok(rc))
        return Fail(PhoneErr::Comments, rc);
    if (const CVelmoraError error = ReadPrivateIds())
        return error;

    rc = CPhoneItems::ReadValue(CodeplugItem::CurrentNam, value);
    if (!Ok(rc))
        return Fail(PhoneErr::PrivateIds, rc);
    unit.m_unit_currentNAMSelection = 1;
    SetDisplayPrivateId();

    QString* numbers[3] = {&unit.m_unit_phone_num_nam1, &unit.m_unit_phone_num_nam2,
                           &unit.m_unit_phone_num_nam3};
    const int numberCodes[3] = {PhoneErr::Nam1Number, PhoneErr::Nam2Number, PhoneErr::Nam3Number};
    for (int nam = 0; nam < 3; ++nam) {
        rc = CPhoneItems::ReadText(CodeplugItem::NumberNam1 + nam, *numbers[nam]);
        if (!Ok(rc))
            return Fail(numberCodes[nam], rc);
        *numbers[nam] = numbers[nam]->left(NumberLength);
    }
    rc = CPhoneItems::ReadText(CodeplugItem::OnlineId, unit.m_unit_tarn_online);
    if (!Ok(rc))
        return Fail(PhoneErr::Nam1Number, rc);
    QByteArray bytes;
    rc = CPhoneItems::ReadBytes(CodeplugItem::IpAddress, bytes);
    if (!Ok(rc))
        return Fail(PhoneErr::Nam1Number, rc);
    unit.m_unit_ip_address = IpText(bytes);

    rc = CPhoneItems::ReadBytes(CodeplugItem::LastModified, bytes);
    if (!Ok(rc))
        return Fail(PhoneErr::LastModified, rc);
    bytes.append(QByteArray(qMax(0, 5 - int(bytes.size())), '\0'));
    unit.m_unit_last_mod_date = QStringLiteral("%1/%2/%3 (%4:%5)")
                                    .arg(quint8(bytes.at(1)))
                                    .arg(quint8(bytes.at(2)))
                                    .arg(quint8(bytes.at(0)))
                                    .arg(TwoDigits(quint8(bytes.at(3))), TwoDigits(quint8(bytes.at(4))));

    if (const CVelmoraError error = ReadErgoItems())
        return error;
    if (const CVelmoraError error = ReadPackedItems())
        return error;
    CUnitPhoneErgoRecSet& ergo = Ergo();
    if (CModelRules::LockoutsLinked(m_phoneClass, ergo.m_unit_code_control, m_structureVersion) &&
        (ergo.m_unit_phone_lock_out || ergo.m_unit_private_lock_out)) {
        ergo.m_unit_phone_lock_out = true;
        ergo.m_unit_private_lock_out = true;
    }
    return ReadLists();
}

CVelmoraError CProcessPhone::ReadPrivateIds()
{
    CUnitRecSet& unit = Unit();
    if (m_crossFleet) {
        int* ids[3][3] = {{&unit.m_unit_private_nam1_urban_id, &unit.m_unit_private_nam1_fleet_id,
                           &unit.m_unit_private_nam1_member_id},
                          {&unit.m_unit_private_nam2_urban_id, &unit.m_unit_private_nam2_fleet_id,
                           &unit.m_unit_private_nam2_member_id},
                          {&unit.m_unit_private_nam3_urban_id, &unit.m_unit_private_nam3_fleet_id,
                           &unit.m_unit_private_nam3_member_id}};
        const int codes[3] = {PhoneErr::Nam1PrivateId, PhoneErr::Nam2PrivateId, PhoneErr::Nam3PrivateId};
        const int firstItems[3] = {CodeplugItem::CrossFleetUrban, CodeplugItem::CrossFleetFleet,
                                   CodeplugItem::CrossFleetMember};
        for (int nam = 0; nam < 3; ++nam) {
            for (int part = 0; part < 3; ++part) {
                quint32 value = 0;
                const int rc = CPhoneItems::ReadValue(firstItems[part] + nam, value);
                if (!Ok(rc))
                    return Fail(codes[nam], rc);
                *ids[nam][part] = int(value);
            }
        }
        unit.m_unit_nam1_private_id = unit.m_unit_nam2_private_id = unit.m_unit_nam3_private_id = 0;
        return CVelmoraError();
    }
    QByteArray bytes;
    const int rc = CPhoneItems::ReadBytes(CodeplugItem::PrivateIds, bytes);
    if (!Ok(rc))
        return Fail(PhoneErr::PrivateIds, rc);
    int* privateIds[3] = {&unit.m_unit_nam1_private_id, &unit.m_unit_nam2_private_id,
                          &unit.m_unit_nam3_private_id};
    for (int nam = 0; nam < 3; ++nam) {
        // Six decimal characters per NAM; a NAM the item does not hold is 0.
        const QByteArray text = bytes.mid(6 * nam, 6);
        *privateIds[nam] = text.size() == 6 ? DecimalPrefix(text) : 0;
    }
    unit.m_unit_private_nam1_member_id = unit.m_unit_private_nam2_member_id =
        unit.m_unit_private_nam3_member_id = 0;
    return CVelmoraError();
}

void CProcessPhone::SetDisplayPrivateId()
{
    CUnitRecSet& unit = Unit();
    QString text;
    if (unit.m_unit_private_nam1_member_id != 0)
        text = QStringLiteral("%1*%2*%3")
                   .arg(unit.m_unit_private_nam1_urban_id)
                   .arg(unit.m_unit_private_nam1_fleet_id)
                   .arg(unit.m_unit_private_nam1_member_id);
    else
        text = QString::number(unit.m_unit_nam1_private_id);
    unit.m_unit_display_prvt_id = text == QLatin1String("0") ? QString() : text;
}

CVelmoraError CProcessPhone::ReadErgoItems()
{
    CUnitPhoneErgoRecSet& ergo = Ergo();
    struct Setting
    {
        int item;
        int* column;
        int code;
    };
    const Setting settings[] = {
        {CodeplugItem::ActiveLine, &ergo.m_unit_active_line_indicator, PhoneErr::ActiveLine},
        {CodeplugItem::BaudRate, &ergo.m_unit_baud_rate, PhoneErr::BaudRate},
        {CodeplugItem::TalkgroupType, &ergo.m_unit_tg_type, PhoneErr::TalkgroupType},
        {CodeplugItem::EmergencyTalkgroup, &ergo.m_unit_emergency_talkgroup, PhoneErr::EmergencyTalkgroup},
        {CodeplugItem::PowerMode, &ergo.m_unit_power_mode, PhoneErr::PowerMode},
        {CodeplugItem::Language, &ergo.m_unit_language, PhoneErr::PowerModeLanguage},
        {CodeplugItem::PowerDownTimer, &ergo.m_unit_timer_auto_power_down_value, PhoneErr::Timers},
        {CodeplugItem::CallAlertTimer, &ergo.m_unit_call_alert_stack_timer, PhoneErr::Timers},
    };
    for (const Setting& setting : settings) {
        quint32 value = 0;
        const int rc = CPhoneItems::ReadValue(setting.item, value);
        if (!Ok(rc))
            return Fail(setting.code, rc);
        *setting.column = int(value);
    }
    ergo.m_unit_baud_rate =
        CPhoneUnitWriter::BaudRateFromPhone(ergo.m_unit_baud_rate & 0xFFFF, m_modelType, m_plusSeries);
    ergo.m_unit_timer_auto_power_down_value =
        int(quint32(ergo.m_unit_timer_auto_power_down_value) / MillisecondsPerMinute);
    ergo.m_unit_call_alert_stack_timer =
        int(quint32(ergo.m_unit_call_alert_stack_timer) / MillisecondsPerMinute);
    quint32 tone = 0;
    int rc = CPhoneItems::ReadValue(CodeplugItem::Line1RingTone, tone);
    if (!Ok(rc))
        return FailMessage(PhoneMsg::Line1RingTone, rc);
    ergo.m_unit_Line1_ring_tone = int(tone);
    rc = CPhoneItems::ReadValue(CodeplugItem::Line2RingTone, tone);
    if (!Ok(rc))
        return FailMessage(PhoneMsg::Line2RingTone, rc);
    ergo.m_unit_Line2_ring_tone = int(tone);
    return CVelmoraError();
}

CVelmoraError CProcessPhone::ReadPackedItems()
{
    for (const int item : CErgoBits::Items()) {
        CPhoneItems::Item read;
        const int rc = CPhoneItems::Read(item, read);
        // Said like every other failed step: a read that ends without a word looks like nothing
        // happened. Only a cancel on the cable stays silent.
        if (!Ok(rc))
            return CPhoneItems::Failure(rc);
        if (!read.absent)
            CErgoBits::Unpack(item, read.Value(), Ergo());
    }
    return CVelmoraError();
}

CVelmoraError CProcessPhone::ReadLists()
{
    if (m_callListType == 7)
        return ReadSimLists();
    const AgentListOperations* operations = AgentListOperationsFor(m_callListType, m_crossFleet);
    if (!operations)
        return CVelmoraError();
    QByteArray block(operations->blockSize, '\0');
    const int rc = operations->read(reinterpret_cast<uint8_t*>(block.data()));
    if (rc == AGENT_ABSENT)
        return CVelmoraError();
    if (!Ok(rc))
        return CPhoneItems::Failure(rc);
    const CUnitListRows rows = CListBlockCodec::Decode(
        block, CListBlockLayout::Regions(CListBlockLayout::LayoutFor(m_callListType, m_crossFleet)), false,
        UnitTextCodec().Page());
    return rows.Store(m_imei, SlotAs<CUnitPhoneDetRecSet>(SlotPhoneBook),
                      SlotAs<CUnitPrvtDetRecSet>(SlotPrivate), SlotAs<CUnitTGDetRecSet>(SlotTalkgroup),
                      SlotAs<CTGScanListRecSet>(SlotScan), SlotAs<CUnitStatusMsgRecSet>(SlotStatus),
                      SlotAs<CUnitConCallListRecSet>(SlotConsolidated));
}

CVelmoraError CProcessPhone::ReadSimLists()
{
    QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
    const QByteArray pin = m_sim->PinBytes();
    int rc = AgentReadSimBlock(m_settings.ComPortArg(), reinterpret_cast<const uint8_t*>(pin.constData()),
                               reinterpret_cast<uint8_t*>(block.data()), 1);
    if (!Ok(rc))
        return CPhoneItems::Failure(rc);
    if (rc != AGENT_ABSENT && (m_simKind == 2 || m_simKind == 3)) {
        const CUnitListRows rows = CListBlockCodec::Decode(block, CListBlockLayout::SimRegions(),
                                                           m_simKind == 3, UnitTextCodec().Page());
        if (CVelmoraError error = rows.Store(
                m_imei, SlotAs<CUnitPhoneDetRecSet>(SlotPhoneBook), SlotAs<CUnitPrvtDetRecSet>(SlotPrivate),
                SlotAs<CUnitTGDetRecSet>(SlotTalkgroup), SlotAs<CTGScanListRecSet>(SlotScan),
                SlotAs<CUnitStatusMsgRecSet>(SlotStatus), SlotAs<CUnitConCallListRecSet>(SlotConsolidated)))
            return error;
    }

    // The identity of a SIM phone lives on its SIM.
    CUnitRecSet& unit = Unit();
    unit.m_unit_nam1_private_id = unit.m_unit_nam2_private_id = unit.m_unit_nam3_private_id = 0;
    unit.m_unit_private_nam1_member_id = unit.m_unit_private_nam2_member_id =
        unit.m_unit_private_nam3_member_id = 0;
    rc = CPhoneItems::ReadText(CodeplugItem::SimNumber, unit.m_unit_phone_num_nam1, CodeplugItem::SimBank);
    if (!Ok(rc))
        return Fail(PhoneErr::Nam1Number, rc);
    unit.m_unit_phone_num_nam1 = unit.m_unit_phone_num_nam1.left(NumberLength);
    const std::pair<int, int*> ids[3] = {{CodeplugItem::SimUrban, &unit.m_unit_private_nam1_urban_id},
                                         {CodeplugItem::SimFleet, &unit.m_unit_private_nam1_fleet_id},
                                         {CodeplugItem::SimMember, &unit.m_unit_private_nam1_member_id}};
    for (const auto& [item, column] : ids) {
        quint32 value = 0;
        rc = CPhoneItems::ReadValue(item, value, CodeplugItem::SimBank);
        if (!Ok(rc))
            return Fail(PhoneErr::Nam1PrivateId, rc);
        *column = int(value);
    }
    SetDisplayPrivateId();
    QByteArray bytes;
    rc = CPhoneItems::ReadBytes(CodeplugItem::SimIpAddress, bytes, CodeplugItem::SimBank);
    if (!Ok(rc))
        return Fail(PhoneErr::Nam1Number, rc);
    unit.m_unit_ip_address = IpText(bytes);

    if (m_phoneClass != 3)
        return CVelmoraError();
    Ergo().m_unit_tg_type = quint8(block.at(CListBlockLayout::SimTalkgroupTypeOffset));
    rc = CAlderGroups::ReadStyles(m_imei, SlotAs<CAlderErgoStylesRecSet>(SlotStyles), UnitTextCodec());
    if (Ok(rc))
        rc = CAlderGroups::ReadShortcuts(m_imei, SlotAs<CAlderErgoShortcutsRecSet>(SlotShortcuts));
    if (Ok(rc))
        rc = CAlderGroups::ReadQuickNotes(m_imei, SlotAs<CAlderErgoQuickNotesRecSet>(SlotQuickNotes),
                                          UnitTextCodec());
    if (Ok(rc) && Personalize())
        rc = CAlderGroups::ReadPersonalize(m_imei, *Personalize());
    if (!Ok(rc))
        return CPhoneItems::Failure(rc);
    return CVelmoraError();
}

// ---- write ----------------------------------------------------------------------------------------

CVelmoraError CProcessPhone::PrepareAndWriteUnitItems()
{
    return CPhoneUnitWriter(*this).PrepareAndWriteUnitItems();
}

CVelmoraError CProcessPhone::PrepareAndWriteSourceItems(const QString& sourceImei)
{
    return CPhoneUnitWriter(*this).PrepareAndWriteSourceItems(sourceImei);
}

CVelmoraError CProcessPhone::WriteSettingsAndLists()
{
    return CPhoneUnitWriter(*this).WriteSettingsAndLists();
}

CVelmoraError CProcessPhone::WriteListBlock(bool consolidated)
{
    return CPhoneUnitWriter(*this).WriteListBlock(consolidated);
}

CVelmoraError CProcessPhone::SimStage(bool useGivenSimKind, int writeMode, int phoneClass, int simKind)
{
    return CPhoneUnitWriter(*this).SimStage(useGivenSimKind, writeMode, phoneClass, simKind);
}
