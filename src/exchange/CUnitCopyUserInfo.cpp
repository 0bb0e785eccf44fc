#include "CUnitCopyUserInfo.h"

#include "CFleetConnection.h"
#include "CModelRules.h"
#include "CTransaction.h"
#include "CUnitErgoRecord.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const char* const kAdvancedColumns[] = {"unit_power_mode",
                                        "unit_language",
                                        "unit_tg_type",
                                        "unit_timer_auto_power_down_value",
                                        "unit_call_alert_stack_timer",
                                        "unit_Line1_ring_tone",
                                        "unit_Line2_ring_tone",
                                        "unit_iso_enabled",
                                        "unit_silent_audio_enabled",
                                        "unit_active_line_indicator",
                                        "unit_emergency_id",
                                        "unit_net_mode",
                                        "unit_auto_baud_flag",
                                        "unit_baud_rate"};

const char* const kBasicColumns[] = {"unit_auto_radio_lock",
                                     "unit_reset_passcode",
                                     "unit_one_min_beep",
                                     "unit_vadk",
                                     "unit_grp_call_tone",
                                     "unit_talk_permit",
                                     "unit_ptt_id",
                                     "unit_auto_display_timer",
                                     "unit_muted_dtmf",
                                     "unit_tg_scan",
                                     "unit_desk_set_acc_support",
                                     "unit_call_alert_stack",
                                     "unit_sms_call_back_disable",
                                     "unit_emergency_button",
                                     "unit_emergency_talkgroup",
                                     "unit_lock_override",
                                     "unit_theft_alarm",
                                     "unit_external_speaker",
                                     "unit_horn_and_lights",
                                     "unit_phone_only_mode",
                                     "unit_inactivity_revert",
                                     "unit_auto_revert",
                                     "unit_photo_sensor",
                                     "unit_vibrate_enable",
                                     "unit_sim_pin_warning"};

const char* const kErgonomicTables[] = {"unit_alder_styles_details", "unit_alder_shortcut_details",
                                        "unit_alder_quick_notes", "unit_alder_personalize_details"};
const char* const kCedarTable = "unit_cedar_personalize_details";

// The source rows of a list in its twin: the select and how a row becomes an entry.
QString SourceSelect(CExchangeKind kind)
{
    switch (kind) {
    case CExchangeKind::PhoneBook:
        return QStringLiteral("SELECT unit_name, unit_phone_num, unit_language FROM unit_phone_details_tmp "
                              "WHERE unit_imei_num = ? AND unit_program_flag ORDER BY unit_speed_dial");
    case CExchangeKind::Private:
        return QStringLiteral("SELECT unit_name, unit_urban_id, unit_fleet_id, unit_member_id, unit_language "
                              "FROM unit_private_details_tmp WHERE unit_imei_num = ? AND unit_nam = ? AND "
                              "unit_program_flag ORDER BY unit_loc_no");
    case CExchangeKind::Talkgroups:
        return QStringLiteral(
            "SELECT unit_tg_name, unit_tg_id, unit_language FROM unit_tg_details_tmp "
            "WHERE unit_imei_num = ? AND unit_nam = ? AND unit_program_flag ORDER BY unit_loc_no");
    case CExchangeKind::Consolidated:
        return QStringLiteral("SELECT unit_name, unit_num, unit_num_type, unit_language FROM "
                              "unit_consolid_call_list_tmp WHERE unit_imei_num = ? ORDER BY unit_rec_num");
    case CExchangeKind::Status:
        return QStringLiteral(
            "SELECT unit_msg_text, unit_msg_id FROM unit_status_msg_list_tmp WHERE "
            "unit_imei_num = ? AND unit_nam = ? AND unit_program_flag ORDER BY unit_loc_no");
    case CExchangeKind::Scan:
        return QStringLiteral(
            "SELECT unit_tg_alias, unit_tg_id FROM unit_tg_scan_tmp WHERE unit_imei_num = ? "
            "AND unit_nam = ? AND unit_program_flag ORDER BY unit_loc_no");
    }
    return QString();
}

CExchangeEntry EntryOf(CExchangeKind kind, const QSqlQuery& q)
{
    CExchangeEntry e;
    e.name = q.value(0).toString();
    switch (kind) {
    case CExchangeKind::PhoneBook:
        e.number = q.value(1).toString();
        e.language = q.value(2).toInt();
        break;
    case CExchangeKind::Private:
        e.privateId = {q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong()};
        e.language = q.value(4).toInt();
        break;
    case CExchangeKind::Talkgroups:
        e.id = q.value(1).toLongLong();
        e.language = q.value(2).toInt();
        break;
    case CExchangeKind::Consolidated:
        e.number = q.value(1).toString();
        e.numType = q.value(2).toInt();
        e.language = q.value(3).toInt();
        break;
    case CExchangeKind::Status:
    case CExchangeKind::Scan:
        e.id = q.value(1).toLongLong();
        break;
    }
    return e;
}

// Columns of a table but the unit's key and the table's own row number.
QStringList CopiedColumns(const QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return columns;
    while (q.next()) {
        const QString name = q.value(1).toString();
        if (name != QLatin1String("unit_imei_num") && q.value(5).toInt() == 0)
            columns << name;
    }
    return columns;
}

} // namespace

CUnitCopyUserInfo::CUnitCopyUserInfo(const QSqlDatabase& db, const CModelRules& rules, int mode,
                                     const QString& sourceImei, const Options& options)
    : m_db(db), m_rules(rules), m_capacities(rules), m_mode(mode), m_sourceImei(sourceImei),
      m_options(options)
{
    m_options.nam = qBound(1, m_options.nam, 3);
}

bool CUnitCopyUserInfo::IsListMode(int mode)
{
    switch (mode) {
    case PhoneBook:
    case Private:
    case Talkgroups:
    case Consolidated:
    case StatusMessages:
    case ScanList:
        return true;
    default:
        return false;
    }
}

bool CUnitCopyUserInfo::IsKnownMode(int mode)
{
    return IsListMode(mode) || IsSettingsMode(mode) || mode == AlderErgonomics;
}

CVelmoraError CUnitCopyUserInfo::Load()
{
    m_others.clear();
    m_source = CCopyUnitRow();
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "SELECT unit_imei_num, unit_user_name, unit_model_type, unit_prod_release_id, "
        "unit_cross_fleet_enable, "
        "unit_phone_num_nam1, unit_display_prvt_id, unit_private_nam1_urban_id, unit_private_nam1_fleet_id, "
        "unit_private_nam2_urban_id, unit_private_nam2_fleet_id, unit_private_nam3_urban_id, "
        "unit_private_nam3_fleet_id, unit_prod_sub_release_id FROM unit_details ORDER BY unit_imei_num"));
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    bool found = false;
    while (q.next()) {
        CCopyUnitRow row;
        row.imei = q.value(0).toString();
        row.name = q.value(1).toString();
        row.modelType = q.value(2).toInt();
        row.releaseId = q.value(3).toInt();
        row.crossFleet = q.value(4).toBool();
        row.phoneNumber = q.value(5).toString();
        row.displayPrivate = q.value(6).toString();
        for (int nam = 0; nam < 3; ++nam) {
            row.namUrban[nam] = q.value(7 + 2 * nam).toLongLong();
            row.namFleet[nam] = q.value(8 + 2 * nam).toLongLong();
        }
        row.subReleaseId = q.value(13).toInt();
        row.modelName = m_rules.ModelDisplayName(row.modelType, row.subReleaseId, row.releaseId);
        if (row.modelName.isEmpty())
            row.modelName = QString::number(row.modelType);
        if (row.imei == m_sourceImei) {
            m_source = row;
            found = true;
        } else if (!row.imei.isEmpty()) {
            m_others << row;
        }
    }
    return found ? CVelmoraError() : CVelmoraError::Message(MsgNoSource, {m_sourceImei});
}

QStringList CUnitCopyUserInfo::SameModel() const
{
    QStringList imeis;
    for (const CCopyUnitRow& row : m_others) {
        if (row.modelType == m_source.modelType)
            imeis << row.imei;
    }
    return imeis;
}

QList<CExchangeEntry> CUnitCopyUserInfo::OwnEntries(const CCopyUnitRow& unit) const
{
    QList<CExchangeEntry> entries;
    CExchangeEntry e;
    e.name = unit.name;
    e.language = m_options.language;
    switch (Kind()) {
    case CExchangeKind::PhoneBook:
        e.number = unit.phoneNumber;
        if (!e.name.isEmpty() && !e.number.isEmpty())
            entries << e;
        break;
    case CExchangeKind::Private:
        if (CExchangePrivateId::Parse(unit.displayPrivate, e.privateId) && e.privateId.member != 0)
            entries << e;
        break;
    case CExchangeKind::Consolidated:
        e.number = unit.phoneNumber;
        e.numType = 0; // a phone number
        if (!e.number.isEmpty())
            entries << e;
        e.number = unit.displayPrivate;
        e.numType = 1; // a private id
        if (!e.number.isEmpty())
            entries << e;
        break;
    default:
        break;
    }
    return entries;
}

CVelmoraError CUnitCopyUserInfo::LoadSourceEntries()
{
    m_entries.clear();
    QSqlQuery q(m_db);
    q.prepare(SourceSelect(Kind()));
    q.addBindValue(m_sourceImei);
    if (Kind() != CExchangeKind::PhoneBook && Kind() != CExchangeKind::Consolidated)
        q.addBindValue(m_options.nam);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    while (q.next()) {
        const CExchangeEntry e = EntryOf(Kind(), q);
        if (!e.name.isEmpty() || !e.number.isEmpty())
            m_entries << e;
    }
    // The source unit itself follows its list.
    m_entries << OwnEntries(m_source);
    return CVelmoraError();
}

CCopyUserInfoResult CUnitCopyUserInfo::Copy(const QStringList& targets)
{
    CCopyUserInfoResult result;
    if (!IsKnownMode(m_mode)) {
        result.error = CVelmoraError::Message(MsgNoTarget);
        return result;
    }
    CTransaction transaction(m_db);
    if (IsListMode(m_mode)) {
        if ((result.error = LoadSourceEntries()))
            return result;
    }
    for (const QString& imei : targets) {
        for (const CCopyUnitRow& target : std::as_const(m_others)) {
            if (target.imei != imei)
                continue;
            bool received = false;
            if ((result.error = CopyTo(target, result, received))) {
                result.targetsReceived = 0;
                return result; // the transaction takes back every target's copy
            }
            if (received)
                ++result.targetsReceived;
            break;
        }
    }
    if (!transaction.Commit()) {
        result.error = CVelmoraError::Text(transaction.LastError());
        result.targetsReceived = 0;
    }
    return result;
}

CVelmoraError CUnitCopyUserInfo::CopyTo(const CCopyUnitRow& target, CCopyUserInfoResult& result,
                                        bool& received)
{
    received = false;
    if (IsListMode(m_mode))
        return CopyList(target, result, received);
    const CVelmoraError error = IsSettingsMode(m_mode) ? CopySettings(target) : CopyErgonomics(target);
    received = !error;
    return error;
}

CVelmoraError CUnitCopyUserInfo::CopyList(const CCopyUnitRow& target, CCopyUserInfoResult& result,
                                          bool& received)
{
    const int nam = m_options.nam;
    const int capacity = m_capacities.Capacity(target.modelType, target.releaseId, Kind(), nam);
    CExchangeList list(m_db, Kind(), target.imei, nam, capacity);
    if (CVelmoraError error = list.Load())
        return error;
    // A target is not added to its own list.
    for (const CExchangeEntry& own : OwnEntries(target))
        list.AddOwnEntry(own);
    // A full list takes nothing; it is reported only when an entry it does not hold was left out.
    bool tooLarge = false;
    bool full = false;
    for (int i = 0; i < m_entries.size() && !full; ++i) {
        CExchangeEntry e = m_entries.at(i);
        if (Kind() == CExchangeKind::Private) {
            const auto outcome =
                CExchangePrivateRule::Adjust(e.privateId, m_source.crossFleet, target.crossFleet,
                                             target.namUrban[nam - 1], target.namFleet[nam - 1]);
            if (outcome == CExchangePrivateRule::Outcome::TooLarge) {
                tooLarge = true;
                continue;
            }
        }
        CExchangeList::Outcome outcome;
        if (CVelmoraError error = list.Add(e, outcome))
            return error;
        full = outcome == CExchangeList::Outcome::Full;
    }
    if (tooLarge)
        result.tooLarge << target.name;
    if (full)
        result.full << target.name;
    received = list.Added() > 0;
    return CVelmoraError();
}

CVelmoraError CUnitCopyUserInfo::CopySettings(const CCopyUnitRow& target)
{
    QStringList columns;
    if (m_mode == AdvancedSettings) {
        for (const char* c : kAdvancedColumns)
            columns << QLatin1String(c);
    } else {
        for (const char* c : kBasicColumns)
            columns << QLatin1String(c);
        if (m_options.carrierId == LockoutCarrier)
            columns << QStringLiteral("unit_phone_lock_out") << QStringLiteral("unit_private_lock_out");
    }
    if (CVelmoraError error = CUnitErgoRecord::Ensure(m_db, m_sourceImei))
        return error;
    if (CVelmoraError error = CUnitErgoRecord::Ensure(m_db, target.imei))
        return error;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT %1 FROM unit_phone_ergo_settings WHERE unit_imei_num = ?")
                  .arg(columns.join(QStringLiteral(", "))));
    q.addBindValue(m_sourceImei);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    if (!q.next())
        return CVelmoraError();
    QVariantList values;
    for (int i = 0; i < columns.size(); ++i)
        values << q.value(i);
    if (m_mode == BasicSettings && m_options.carrierId == LockoutCarrier && m_options.lockoutsLinked) {
        const qsizetype phone = columns.indexOf(QStringLiteral("unit_phone_lock_out"));
        const bool either = values.at(phone).toBool() || values.at(phone + 1).toBool();
        values[phone] = either;
        values[phone + 1] = either;
    }
    QStringList sets;
    for (const QString& c : columns)
        sets << c + QStringLiteral(" = ?");
    values << target.imei;
    return CFleetConnection::Exec(
        m_db,
        QStringLiteral("UPDATE unit_phone_ergo_settings SET %1 WHERE unit_imei_num = ?").arg(sets.join(", ")),
        values);
}

CVelmoraError CUnitCopyUserInfo::CopyErgonomics(const CCopyUnitRow& target)
{
    QStringList tables;
    for (const char* t : kErgonomicTables)
        tables << QLatin1String(t);
    if (target.modelType == CedarModel && m_source.modelType == CedarModel)
        tables << QLatin1String(kCedarTable);
    for (const QString& table : tables) {
        const QStringList columns = CopiedColumns(m_db, table);
        if (columns.isEmpty())
            return CVelmoraError::Text(QStringLiteral("%1: no such table").arg(table));
        if (CVelmoraError error = CFleetConnection::Exec(
                m_db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table), {target.imei}))
            return error;
        const QString list = columns.join(QStringLiteral(", "));
        if (CVelmoraError error = CFleetConnection::Exec(
                m_db,
                QStringLiteral(
                    "INSERT INTO %1 (unit_imei_num, %2) SELECT ?, %2 FROM %1 WHERE unit_imei_num = ? "
                    "ORDER BY rowid")
                    .arg(table, list),
                {target.imei, m_sourceImei}))
            return error;
    }
    return CVelmoraError();
}
