#include "CPhoneUnitWriter.h"

#include "AgentApi.h"
#include "CAlderErgoQuickNotesRecSet.h"
#include "CAlderErgoShortcutsRecSet.h"
#include "CAlderErgoStylesRecSet.h"
#include "CAlderGroups.h"
#include "CConsolidatedDerivation.h"
#include "CErgoBits.h"
#include "CListBlockCodec.h"
#include "CModelRules.h"
#include "CPersonalizeRecSet.h"
#include "CPhoneItems.h"
#include "CProcessPhone.h"
#include "CSimBlockFill.h"
#include "CSimPreparation.h"
#include "CUnitListRows.h"
#include "CUnitPhoneErgoRecSet.h"
#include "CUnitRecSet.h"
#include "CVelmoraWrap.h"
#include "CodeplugItemIds.h"
#include "IPhoneMessages.h"
#include "PhoneMessageIds.h"

#include <QDateTime>

namespace {

enum : int
{
    UnscaledBaudModel = 92,
    MillisecondsPerMinute = 60000,
    MaxTimerMinutes = 71582, // the most minutes a 32-bit count of milliseconds holds
    CarrierWithLockouts = 2,
};

bool Ok(int code)
{
    return CPhoneItems::Ok(code);
}

// Minutes as the phone counts them, in milliseconds; more than the count holds is its largest value.
quint32 TimerToPhone(int minutes)
{
    return quint32(qBound(0, minutes, int(MaxTimerMinutes))) * MillisecondsPerMinute;
}

} // namespace

CVelmoraError CPhoneUnitWriter::Fail(int velmoraCode, int agentCode)
{
    return CProcessPhone::Fail(velmoraCode, agentCode);
}

CVelmoraError CPhoneUnitWriter::FailAgent(int agentCode)
{
    return CPhoneItems::Failure(agentCode);
}

void CPhoneUnitWriter::ShowRemarks(const QList<CVelmoraError>& remarks) const
{
    if (!m_phone.m_messages)
        return;
    for (const CVelmoraError& remark : remarks)
        m_phone.m_messages->Report(remark);
}

int CPhoneUnitWriter::BaudRateFromPhone(int value, int modelType, bool plusSeries)
{
    return (modelType == UnscaledBaudModel && !plusSeries) ? value : value * 100;
}

int CPhoneUnitWriter::BaudRateToPhone(int baudRate, int modelType, bool plusSeries)
{
    return (modelType == UnscaledBaudModel && !plusSeries) ? baudRate : baudRate / 100;
}

QByteArray CPhoneUnitWriter::PrivateIdsText(int nam1, int nam2, int nam3, int length)
{
    QByteArray text;
    for (const int id : {nam1, nam2, nam3})
        text += QByteArray::number(qMax(0, id)).rightJustified(6, '0', true);
    return text.left(length);
}

QByteArray CPhoneUnitWriter::IpBytes(const QString& address)
{
    QByteArray bytes(4, '\0');
    const QStringList parts = address.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return bytes;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const int value = parts.at(i).trimmed().toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return QByteArray(4, '\0');
        bytes[i] = char(value);
    }
    return bytes;
}

// ---- unit items -----------------------------------------------------------------------------------

CVelmoraError CPhoneUnitWriter::PrepareAndWriteUnitItems()
{
    CProcessPhone& p = m_phone;
    if (const CVelmoraError error = p.ReadIdentity(true))
        return error;
    if (!p.LookupModel())
        return Fail(PhoneErr::UnknownModel, 0);
    if (const CVelmoraError error = p.IdentifyPhone(true))
        return error;
    if (const CVelmoraError error = p.OpenUnitRecordsets(p.m_imei))
        return error;
    CUnitRecSet& unit = p.Unit();
    // A phone whose IMEI the fleet does not know compares against an empty unit.
    const bool found = !unit.IsEOF();
    const int unitModel = found ? unit.m_unit_model_type : 0;
    const int unitSubRelease = found ? unit.m_unit_prod_sub_release_id : 0;
    if (p.m_modelType != unitModel || p.m_subRelease != unitSubRelease)
        return MismatchError();
    if (!found)
        return Fail(PhoneErr::NoUnit, 0);
    if (const CVelmoraError unsupported =
            p.m_rules.CheckSupportedPhone(p.m_modelType, p.m_subRelease, p.m_release))
        return unsupported;
    if (const CVelmoraError error = p.ReadStructureVersion())
        return error;
    if (p.m_crossFleet && !unit.m_unit_cross_fleet_enable)
        return CVelmoraError::Message(PhoneMsg::CrossFleetOffForUnit);
    if (!p.m_crossFleet && unit.m_unit_cross_fleet_enable)
        return CVelmoraError::Message(PhoneMsg::CrossFleetOnForUnit);
    if (const CVelmoraError error = WriteIdentityItems())
        return error;
    return WriteSettingsAndLists();
}

CVelmoraError CPhoneUnitWriter::MismatchError() const
{
    // The message names the phone on the cable, so the user can tell which unit it should have been.
    const CProcessPhone& p = m_phone;
    QString model = p.m_rules.ModelDisplayName(p.m_modelType, p.m_subRelease, p.m_release);
    if (model.isEmpty())
        model = p.m_modelDescription;
    return CVelmoraError::Message(CVelmoraWrap::CodeTextBase - PhoneErr::UnitMismatch, {p.m_imei, model});
}

CVelmoraError CPhoneUnitWriter::WriteIdentityItems()
{
    CProcessPhone& p = m_phone;
    const CUnitRecSet& unit = p.Unit();
    // What the phone's code page cannot hold stops the write with its message, not as '?'.
    const CPhoneTextCodec codec = p.UnitTextCodec();
    for (const QString* text : {&unit.m_unit_user_name, &unit.m_units_comments}) {
        if (CVelmoraError refused = codec.Check(*text))
            return refused;
    }
    int rc = CPhoneItems::WriteText(CodeplugItem::UserName, unit.m_unit_user_name, codec);
    if (!Ok(rc))
        return CProcessPhone::FailMessage(PhoneMsg::UserNameNotWritten, rc);
    rc = CPhoneItems::WriteText(CodeplugItem::Comments, unit.m_units_comments, codec, true);
    if (!Ok(rc))
        return Fail(PhoneErr::CommentsNotWritten, rc);
    // Phones keeping their lists on the SIM take their identity from it: item 59 is not theirs to
    // change, and the fleet never read it.
    if (!p.m_crossFleet && p.m_callListType != 7) {
        CPhoneItems::Item item;
        rc = CPhoneItems::Read(CodeplugItem::PrivateIds, item);
        if (Ok(rc) && !item.absent)
            rc = CPhoneItems::WriteBytes(CodeplugItem::PrivateIds, PrivateIdsText(unit.m_unit_nam1_private_id,
                                                                                  unit.m_unit_nam2_private_id,
                                                                                  unit.m_unit_nam3_private_id,
                                                                                  int(item.Bytes().size())));
        if (!Ok(rc))
            return Fail(PhoneErr::PrivateIdsNotWritten, rc);
    }
    const QString numbers[3] = {unit.m_unit_phone_num_nam1, unit.m_unit_phone_num_nam2,
                                unit.m_unit_phone_num_nam3};
    const int codes[3] = {PhoneErr::Nam1NumberNotWritten, PhoneErr::Nam2NumberNotWritten,
                          PhoneErr::Nam3NumberNotWritten};
    for (int nam = 0; nam < 3; ++nam) {
        rc = CPhoneItems::WriteText(CodeplugItem::NumberNam1 + nam, numbers[nam]);
        if (!Ok(rc))
            return Fail(codes[nam], rc);
    }
    rc = CPhoneItems::WriteText(CodeplugItem::OnlineId, unit.m_unit_tarn_online);
    if (!Ok(rc))
        return Fail(PhoneErr::Nam3NumberNotWritten, rc);
    rc = CPhoneItems::WriteBytes(CodeplugItem::IpAddress, IpBytes(unit.m_unit_ip_address));
    if (!Ok(rc))
        return Fail(PhoneErr::Nam3NumberNotWritten, rc);
    return CVelmoraError();
}

CVelmoraError CPhoneUnitWriter::PrepareAndWriteSourceItems(const QString& sourceImei)
{
    CProcessPhone& p = m_phone;
    if (const CVelmoraError error = p.ReadIdentity(false))
        return error;
    if (const CVelmoraError error = p.OpenUnitRecordsets(sourceImei))
        return error;
    if (p.Unit().IsEOF())
        return Fail(PhoneErr::NoUnit, 0);
    if (const CVelmoraError unsupported =
            p.m_rules.CheckSupportedPhone(p.m_modelType, p.m_subRelease, p.m_release))
        return unsupported;
    if (const CVelmoraError error = p.ReadStructureVersion())
        return error;
    if (!p.LookupModel())
        return Fail(PhoneErr::UnknownModel, 0);
    return WriteSettingsAndLists();
}

// ---- settings and lists ---------------------------------------------------------------------------

CVelmoraError CPhoneUnitWriter::WriteSettingsAndLists()
{
    const CWriteFlags& flags = m_phone.m_flags;
    // SIM lists are written after the codeplug: their names are checked before it is programmed.
    if (m_phone.m_callListType == 7) {
        CUnitListRows rows;
        if (CVelmoraError error = rows.Load(m_phone.m_db, m_phone.m_unitImei))
            return error;
        if (CVelmoraError refused = CListBlockCodec::CheckNames(CListBlockLayout::SimRegions(), rows, flags,
                                                                m_phone.UnitTextCodec().Page()))
            return refused;
    }
    if (flags.basicSettings || flags.furtherSettings) {
        if (const CVelmoraError error = WritePackedItems())
            return error;
    }
    if (flags.furtherSettings) {
        if (const CVelmoraError error = WriteFurtherItems())
            return error;
    }
    if (m_phone.m_phoneClass == 3) {
        if (const CVelmoraError error = WriteAlderGroups())
            return error;
    }
    return WriteListBlock(false);
}

CVelmoraError CPhoneUnitWriter::WritePackedItems()
{
    CProcessPhone& p = m_phone;
    CUnitPhoneErgoRecSet& ergo = p.Ergo();
    if (ergo.IsEOF())
        return CVelmoraError(); // no settings stored for the unit: the phone keeps its own
    const CWriteFlags& flags = p.m_flags;
    if (CModelRules::LockoutsLinked(p.m_phoneClass, ergo.m_unit_code_control, p.m_structureVersion) &&
        (ergo.m_unit_phone_lock_out || ergo.m_unit_private_lock_out)) {
        ergo.m_unit_phone_lock_out = true;
        ergo.m_unit_private_lock_out = true;
    }
    const bool lockouts = p.m_settings.carrierId == CarrierWithLockouts;
    for (const int id : CErgoBits::Items()) {
        CPhoneItems::Item item;
        int rc = CPhoneItems::Read(id, item);
        if (!Ok(rc))
            return FailAgent(rc);
        if (item.absent || item.elements.isEmpty())
            continue;
        item.elements[0] = CErgoBits::Overlay(id, item.elements[0], ergo, flags.basicSettings,
                                              flags.furtherSettings, lockouts);
        rc = CPhoneItems::Write(id, item);
        if (!Ok(rc))
            return FailAgent(rc);
    }
    // A passcode reset is a basic setting: a write of the further settings alone leaves the passcode.
    if (flags.basicSettings && ergo.m_unit_reset_passcode) {
        const int rc = AgentResetItem(CodeplugItem::Passcode);
        if (!Ok(rc))
            return FailAgent(rc);
    }
    const int rc =
        CPhoneItems::WriteValue(CodeplugItem::EmergencyTalkgroup, quint32(ergo.m_unit_emergency_talkgroup));
    if (!Ok(rc))
        return Fail(PhoneErr::EmergencyNotWritten, rc);
    return CVelmoraError();
}

CVelmoraError CPhoneUnitWriter::WriteFurtherItems()
{
    CProcessPhone& p = m_phone;
    const CUnitPhoneErgoRecSet& ergo = p.Ergo();
    if (ergo.IsEOF())
        return CVelmoraError();
    struct Setting
    {
        int item;
        quint32 value;
        int code;
    };
    const Setting settings[] = {
        {CodeplugItem::ActiveLine, quint32(ergo.m_unit_active_line_indicator),
         PhoneErr::ActiveLineNotWritten},
        {CodeplugItem::BaudRate,
         quint32(BaudRateToPhone(ergo.m_unit_baud_rate, p.m_modelType, p.m_plusSeries)),
         PhoneErr::BaudRateNotWritten},
        {CodeplugItem::TalkgroupType, quint32(ergo.m_unit_tg_type), PhoneErr::TalkgroupTypeNotWritten},
        {CodeplugItem::EmergencyTalkgroup, quint32(ergo.m_unit_emergency_talkgroup),
         PhoneErr::EmergencyNotWritten},
        {CodeplugItem::Line1RingTone, quint32(ergo.m_unit_Line1_ring_tone), PhoneErr::RingTonesNotWritten},
        {CodeplugItem::Line2RingTone, quint32(ergo.m_unit_Line2_ring_tone), PhoneErr::RingTonesNotWritten},
        {CodeplugItem::PowerMode, quint32(ergo.m_unit_power_mode), PhoneErr::PowerModeLanguage},
        {CodeplugItem::Language, quint32(ergo.m_unit_language), PhoneErr::PowerModeLanguage},
        {CodeplugItem::PowerDownTimer, TimerToPhone(ergo.m_unit_timer_auto_power_down_value),
         PhoneErr::TimersNotWritten},
        {CodeplugItem::CallAlertTimer, TimerToPhone(ergo.m_unit_call_alert_stack_timer),
         PhoneErr::TimersNotWritten},
    };
    for (const Setting& setting : settings) {
        const int rc = CPhoneItems::WriteValue(setting.item, setting.value);
        if (!Ok(rc))
            return Fail(setting.code, rc);
    }
    return CVelmoraError();
}

CVelmoraError CPhoneUnitWriter::WriteAlderGroups()
{
    CProcessPhone& p = m_phone;
    const CWriteFlags& flags = p.m_flags;
    int rc = AGENT_SUCCESS;
    const CPhoneTextCodec codec = p.UnitTextCodec();
    if (CVelmoraError refused = CAlderGroups::CheckTexts(
            flags.alderStyles ? &p.SlotAs<CAlderErgoStylesRecSet>(CProcessPhone::SlotStyles) : nullptr,
            flags.alderQuickNotes ? &p.SlotAs<CAlderErgoQuickNotesRecSet>(CProcessPhone::SlotQuickNotes)
                                  : nullptr,
            codec))
        return refused;
    if (flags.alderStyles)
        rc = CAlderGroups::WriteStyles(p.SlotAs<CAlderErgoStylesRecSet>(CProcessPhone::SlotStyles), codec);
    if (Ok(rc) && flags.alderShortcuts)
        rc = CAlderGroups::WriteShortcuts(p.SlotAs<CAlderErgoShortcutsRecSet>(CProcessPhone::SlotShortcuts));
    if (Ok(rc) && flags.alderPersonalize && p.Personalize())
        rc = CAlderGroups::WritePersonalize(*p.Personalize());
    if (Ok(rc) && flags.alderQuickNotes)
        rc = CAlderGroups::WriteQuickNotes(
            p.SlotAs<CAlderErgoQuickNotesRecSet>(CProcessPhone::SlotQuickNotes), codec);
    return Ok(rc) ? CVelmoraError() : FailAgent(rc);
}

CVelmoraError CPhoneUnitWriter::WriteListBlock(bool consolidated)
{
    CProcessPhone& p = m_phone;
    if (p.m_callListType == 7)
        return CVelmoraError(); // these phones keep their lists on the SIM: the SIM stage writes them
    const AgentListOperations* operations = AgentListOperationsFor(p.m_callListType, p.m_crossFleet);
    if (!operations)
        return CVelmoraError();
    const CUnitRecSet& unit = p.Unit();
    const bool stripPause = CListBlockCodec::StripPauseApplies(
        unit.IsEOF() ? 0 : unit.m_unit_cp_default_version, p.m_structureVersion);
    QByteArray block(operations->blockSize, '\0');
    int rc = operations->read(reinterpret_cast<uint8_t*>(block.data()));
    if (!Ok(rc))
        return FailAgent(rc);
    // A block the phone could not give starts empty: the unit's lists are still written into it.
    if (rc == AGENT_ABSENT)
        block.fill('\0');

    CUnitListRows rows;
    if (CVelmoraError error = rows.Load(p.m_db, p.m_unitImei))
        return error;
    const QList<CListBlockLayout::Region> regions =
        CListBlockLayout::Regions(CListBlockLayout::LayoutFor(p.m_callListType, p.m_crossFleet));
    const CWriteFlags& flags = p.m_flags;
    const CPhoneTextCodec::CodePage unitPage = p.UnitTextCodec().Page();
    if (!consolidated) {
        if (CVelmoraError refused =
                CListBlockCodec::Encode(block, regions, rows, flags, stripPause, unitPage))
            return refused;
    } else {
        // The phone book and the NAM 1 lists come from the consolidated call list; the rest as usual.
        using Kind = CListBlockLayout::ListKind;
        const CConsolidatedDerivation::Lists derived =
            CConsolidatedDerivation::Derive(rows.Of(Kind::Consolidated));
        ShowRemarks(derived.remarks);
        for (const CListBlockLayout::Region& region : regions) {
            const bool selected = CListBlockCodec::Selected(region, flags);
            const bool derivedList =
                region.nam == 1 && (region.kind == Kind::PhoneBook || region.kind == Kind::Private ||
                                    region.kind == Kind::Talkgroup);
            if (!derivedList) {
                if (!selected)
                    continue;
                if (CVelmoraError refused = CListBlockCodec::EncodeRegion(
                        block, region, rows.Of(region.kind, region.nam), stripPause, unitPage))
                    return refused;
                continue;
            }
            if (!selected && !flags.consolidated)
                continue;
            const QList<CListRow>& list = region.kind == Kind::PhoneBook ? derived.phoneBook
                                          : region.kind == Kind::Private ? derived.privates
                                                                         : derived.talkgroups;
            if (CVelmoraError refused =
                    CListBlockCodec::EncodeRegion(block, region, list, stripPause, unitPage))
                return refused;
        }
    }
    // A list block the library refused must not end in a report of success.
    rc = operations->write(reinterpret_cast<const uint8_t*>(block.constData()));
    return Ok(rc) ? CVelmoraError() : FailAgent(rc);
}

// ---- SIM stage ------------------------------------------------------------------------------------

CVelmoraError CPhoneUnitWriter::SimStage(bool useGivenSimKind, int writeMode, int phoneClass, int simKind)
{
    CProcessPhone& p = m_phone;
    CSimPreparation& sim = *p.m_sim;
    if (const CVelmoraError error = sim.PrepareForSimStage(phoneClass))
        return error;
    if (!useGivenSimKind)
        simKind = sim.SimKind();
    const int com = p.m_settings.ComPortArg();
    QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
    QByteArray pin = sim.PinBytes();
    int rc = AgentReadSimBlock(com, reinterpret_cast<const uint8_t*>(pin.constData()),
                               reinterpret_cast<uint8_t*>(block.data()), 0);
    if (!Ok(rc))
        return FailAgent(rc);
    // Nothing on the SIM to keep: the unit's lists are still written into an empty block.
    if (rc == AGENT_ABSENT)
        block.fill('\0');
    if (p.m_modelType == UnscaledBaudModel)
        AgentDelay(AGENT_RESET_WAIT_MS);

    CUnitListRows rows;
    if (CVelmoraError error = rows.Load(p.m_db, p.m_unitImei))
        return error;
    const CUnitRecSet& unit = p.Unit();
    CSimBlockFill::Side source;
    source.phoneClass = unit.IsEOF() ? phoneClass : p.m_rules.PhoneClassOf(unit.m_unit_model_type);
    source.simKind = unit.IsEOF() ? simKind : unit.m_unit_sim_version;
    CSimBlockFill::Side target;
    target.phoneClass = phoneClass;
    target.simKind = simKind;
    const bool stripPause = CListBlockCodec::StripPauseApplies(
        unit.IsEOF() ? 0 : unit.m_unit_cp_default_version, p.m_structureVersion);
    if (CVelmoraError refused =
            CSimBlockFill::Fill(block, rows, p.m_flags, source, target, stripPause,
                                QDateTime::currentDateTimeUtc(), p.UnitTextCodec().Page())) {
        sim.DropPin();
        return refused;
    }
    const CUnitPhoneErgoRecSet& ergo = p.Ergo();
    if (p.m_flags.furtherSettings && !ergo.IsEOF())
        CSimBlockFill::SetTalkgroupType(block, ergo.m_unit_tg_type);

    pin = sim.PinBytes();
    for (int attempt = 0; attempt < AGENT_SIM_TRIES; ++attempt) {
        if (attempt > 0)
            AgentDelay(AGENT_RETRY_WAIT_MS);
        rc = AgentWriteSimBlock(com, reinterpret_cast<const uint8_t*>(pin.constData()),
                                reinterpret_cast<const uint8_t*>(block.constData()), writeMode);
        if (Ok(rc) || rc == AGENT_CANCELLED)
            break;
    }
    sim.DropPin();
    return Ok(rc) ? CVelmoraError() : FailAgent(rc);
}
