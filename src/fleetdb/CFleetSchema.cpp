#include "CFleetSchema.h"

#include "CFleetConnection.h"
#include "CSafeFile.h"
#include "CTransaction.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

// Text lengths. SQLite does not enforce them; they document what the program's edit controls and the
// phone accept, so that a longer value is a sign of a bug, not a normal case:
//   IMEI 20 (15 digits; room for a SIM-derived "...0" form), phone and fax numbers 32 (20 stored, with
//   room for a prefix), names and aliases 50, private-id texts 32, IP address 15, online identity 64,
//   dates as text 32, comments and message texts 255, ergonomic setting values 32, quick notes 64,
//   the version number 16.
//
// Indexes: unit_details has a unique IMEI; every other per-unit table and every twin has a plain index
// on unit_imei_num (every per-unit query filters on it). talk_grp_detail is indexed on its IMEI too.
//
// Counters: unit_rec_num of unit_details, unit_tg_details and unit_tg_scan, tg_row_num, user_row_num,
// tg_user_row_num and message_id are INTEGER PRIMARY KEY columns, numbered from 1 by the database
// when an insert leaves them NULL or out.
//
// Versions: 7 is the first version of this program's files. Files of versions 1 to 6, and files without
// version_num_table, come from older programs; the upgrade brings them to the tables below.

namespace {

using T = CFleetType;

constexpr int kImei = 20;
constexpr int kNumber = 32;
constexpr int kName = 50;
constexpr int kPrivateId = 32;
constexpr int kIp = 15;
constexpr int kOnline = 64;
constexpr int kDate = 32;
constexpr int kLong = 255;
constexpr int kValue = 32;
constexpr int kNote = 64;

CFleetColumn Text(const char* name, int length)
{
    return CFleetColumn{name, T::Text, length, false};
}
CFleetColumn Byte(const char* name)
{
    return CFleetColumn{name, T::Byte, 0, false};
}
CFleetColumn Int(const char* name)
{
    return CFleetColumn{name, T::Integer, 0, false};
}
CFleetColumn Long(const char* name)
{
    return CFleetColumn{name, T::Long, 0, false};
}
CFleetColumn YesNo(const char* name)
{
    return CFleetColumn{name, T::YesNo, 0, false};
}
CFleetColumn Counter(const char* name)
{
    return CFleetColumn{name, T::Long, 0, true};
}
CFleetColumn Imei()
{
    return Text("unit_imei_num", kImei);
}

CFleetTable UnitTable(const char* name, std::vector<CFleetColumn> columns, bool twin = false)
{
    CFleetTable table;
    table.name = QString::fromLatin1(name);
    table.columns = std::move(columns);
    table.twin = twin;
    table.perUnit = true;
    table.role = CFleetRole::Unit;
    return table;
}

CFleetTable FleetTable(const char* name, std::vector<CFleetColumn> columns)
{
    CFleetTable table;
    table.name = QString::fromLatin1(name);
    table.columns = std::move(columns);
    return table;
}

// Menu slot names must outlive the table list: they are made once.
const char* MenuSlot(int n)
{
    static std::vector<QByteArray> names = [] {
        std::vector<QByteArray> v;
        for (int i = 1; i <= 32; ++i)
            v.push_back("unit_main_menu_" + QByteArray::number(i));
        return v;
    }();
    return names[size_t(n - 1)].constData();
}

CFleetTable Personalize(const char* name, int slots, int modelType)
{
    std::vector<CFleetColumn> columns{Imei(), Long("unit_left_key"), Long("unit_right_key"),
                                      Long("unit_powerup_app")};
    for (int i = 1; i <= slots; ++i)
        columns.push_back(Byte(MenuSlot(i)));
    CFleetTable table = UnitTable(name, std::move(columns));
    table.personalizeFor = modelType;
    return table;
}

std::vector<CFleetTable> MakeTables()
{
    std::vector<CFleetTable> tables;

    CFleetTable details = UnitTable("unit_details", {Text("unit_user_name", kName),
                                                     Imei(),
                                                     Byte("unit_model_type"),
                                                     Text("unit_phone_num_nam1", kNumber),
                                                     Byte("unit_currentNAMSelection"),
                                                     Text("unit_phone_num_nam2", kNumber),
                                                     Text("unit_phone_num_nam3", kNumber),
                                                     Text("unit_display_prvt_id", kPrivateId),
                                                     Long("unit_private_nam1_urban_id"),
                                                     Long("unit_private_nam1_fleet_id"),
                                                     Long("unit_private_nam1_member_id"),
                                                     Long("unit_private_nam2_urban_id"),
                                                     Long("unit_private_nam2_fleet_id"),
                                                     Long("unit_private_nam2_member_id"),
                                                     Long("unit_private_nam3_urban_id"),
                                                     Long("unit_private_nam3_fleet_id"),
                                                     Long("unit_private_nam3_member_id"),
                                                     YesNo("unit_cross_fleet_enable"),
                                                     Long("unit_nam1_private_id"),
                                                     Long("unit_nam2_private_id"),
                                                     Long("unit_nam3_private_id"),
                                                     Text("unit_tarn_online", kOnline),
                                                     Text("unit_fax_num", kNumber),
                                                     Text("unit_ip_address", kIp),
                                                     Int("unit_cp_structure_version"),
                                                     Int("unit_cp_default_version"),
                                                     Text("unit_last_mod_date", kDate),
                                                     Text("units_comments", kLong),
                                                     Counter("unit_rec_num"),
                                                     Long("unit_sim_version"),
                                                     Long("unit_prod_sub_release_id"),
                                                     Byte("unit_def_call_list_lang_id"),
                                                     Long("unit_prod_release_id")});
    details.uniqueImei = true;
    tables.push_back(details);

    tables.push_back(UnitTable("unit_phone_details",
                               {Imei(), Byte("unit_speed_dial"), Text("unit_phone_num", kNumber),
                                Text("unit_name", kName), YesNo("unit_program_flag"), Byte("unit_language")},
                               true));

    tables.push_back(
        UnitTable("unit_consolid_call_list",
                  {Imei(), Text("unit_name", kName), Byte("unit_phone_num_len"), Byte("unit_reserved"),
                   Byte("unit_tonNP"), Text("unit_num", kNumber), Byte("unit_capabilityID"),
                   Byte("unit_extnRecID"), Byte("unit_num_type"), Byte("unit_language"),
                   Long("unit_voiceTag"), Long("unit_timeStamp"), Int("unit_syncStatus"), Long("unit_tempID"),
                   Byte("unit_nameIndex"), Byte("unit_rec_num"), Byte("unit_NameLang")},
                  true));

    tables.push_back(UnitTable("unit_private_details",
                               {Imei(), Byte("unit_nam"), Long("unit_urban_id"), Long("unit_fleet_id"),
                                Long("unit_member_id"), Text("unit_name", kName), Byte("unit_loc_no"),
                                YesNo("unit_program_flag"), Byte("unit_language")},
                               true));

    tables.push_back(UnitTable("unit_tg_details",
                               {Imei(), Byte("unit_nam"), Long("unit_tg_id"), Text("unit_tg_name", kName),
                                Counter("unit_rec_num"), Byte("unit_loc_no"), YesNo("unit_program_flag"),
                                Byte("unit_language")},
                               true));

    tables.push_back(
        UnitTable("unit_tg_scan",
                  {Imei(), Byte("unit_nam"), Long("unit_tg_id"), Counter("unit_rec_num"), Byte("unit_loc_no"),
                   Text("unit_tg_alias", kName), YesNo("unit_program_flag")},
                  true));

    tables.push_back(UnitTable("unit_status_msg_list",
                               {Imei(), Text("unit_msg_text", kLong), Byte("unit_nam"), Long("unit_msg_id"),
                                Byte("unit_loc_no"), YesNo("unit_program_flag")},
                               true));

    tables.push_back(UnitTable(
        "unit_phone_ergo_settings",
        {// left column of the settings
         Imei(), YesNo("unit_auto_radio_lock"), YesNo("unit_reset_passcode"), YesNo("unit_one_min_beep"),
         YesNo("unit_vadk"), YesNo("unit_grp_call_tone"), YesNo("unit_talk_permit"), YesNo("unit_ptt_id"),
         YesNo("unit_auto_display_timer"), YesNo("unit_muted_dtmf"), YesNo("unit_tg_scan"),
         YesNo("unit_desk_set_acc_support"), YesNo("unit_call_alert_stack"),
         YesNo("unit_sms_call_back_disable"), YesNo("unit_emergency_button"), YesNo("unit_phone_lock_out"),
         YesNo("unit_private_lock_out"), YesNo("unit_code_control"), Int("unit_emergency_talkgroup"),
         // right column
         YesNo("unit_lock_override"), YesNo("unit_theft_alarm"), YesNo("unit_external_speaker"),
         YesNo("unit_horn_and_lights"), Byte("unit_power_mode"), Byte("unit_tg_type"),
         Long("unit_timer_auto_power_down_value"), Long("unit_call_alert_stack_timer"),
         Text("unit_emergency_id", kValue), Byte("unit_Line1_ring_tone"), Byte("unit_Line2_ring_tone"),
         YesNo("unit_iso_enabled"), Byte("unit_active_line_indicator"), YesNo("unit_net_mode"),
         Long("unit_baud_rate"), YesNo("unit_auto_baud_flag"), YesNo("unit_silent_audio_enabled"),
         YesNo("unit_phone_only_mode"), YesNo("unit_inactivity_revert"), YesNo("unit_auto_revert"),
         Byte("unit_language"), YesNo("unit_photo_sensor"), YesNo("unit_vibrate_enable"),
         YesNo("unit_sim_pin_warning")}));

    tables.push_back(UnitTable("unit_alder_styles_details", {Imei(),
                                                             Int("unit_style_number"),
                                                             Text("unit_style_name", kName),
                                                             Int("unit_style_ringer_volume"),
                                                             Int("unit_style_ringer_keypad_volume"),
                                                             Int("unit_style_ringer_mail_volume"),
                                                             Int("unit_style_ringer_javaordata_volume"),
                                                             Int("unit_style_ringer_headset"),
                                                             YesNo("unit_style_vibe_all"),
                                                             Int("unit_style_line1_style"),
                                                             Int("unit_style_line1_type"),
                                                             Int("unit_style_line2_style"),
                                                             Int("unit_style_line2_type"),
                                                             Int("unit_style_prvtgrp_type"),
                                                             Int("unit_style_callalert_ring_style"),
                                                             Int("unit_style_callalert_ring_type"),
                                                             Int("unit_style_text_messages"),
                                                             Int("unit_style_reminders"),
                                                             Int("unit_style_voicemail"),
                                                             Int("unit_style_netmail"),
                                                             Text("unit_style_backlight", kValue),
                                                             Int("unit_style_display"),
                                                             Int("unit_style_call_filter_phone"),
                                                             YesNo("unit_style_call_filter_prvtgrp"),
                                                             YesNo("unit_style_call_filter_alerts"),
                                                             Int("unit_style_call_filter_notifications"),
                                                             Int("unit_style_auto_answer_line1"),
                                                             Int("unit_style_auto_answer_line2")}));

    tables.push_back(UnitTable("unit_alder_shortcut_details",
                               {Imei(), Int("unit_shortcut_number"), Text("unit_shortcut_value", kValue)}));

    std::vector<CFleetColumn> notes{Imei()};
    static const char* const kNotes[] = {"unit_quick_notes_1", "unit_quick_notes_2", "unit_quick_notes_3",
                                         "unit_quick_notes_4", "unit_quick_notes_5", "unit_quick_notes_6",
                                         "unit_quick_notes_7", "unit_quick_notes_8", "unit_quick_notes_9",
                                         "unit_quick_notes_10"};
    for (const char* note : kNotes)
        notes.push_back(Text(note, kNote));
    notes.push_back(YesNo("unit_sms_status_report"));
    tables.push_back(UnitTable("unit_alder_quick_notes", std::move(notes)));

    tables.push_back(Personalize("unit_alder_personalize_details", 15, kOtherModels));
    tables.push_back(Personalize("unit_agps_personalize_details", 16, 116));
    tables.push_back(Personalize("unit_cedar_personalize_details", 32, 114));

    tables.push_back(FleetTable(
        "talk_grp_header", {Text("tg_name", kName), Long("tg_id"), Counter("tg_row_num"), Byte("unit_nam")}));
    // unit_imei_num is not bound by the recordset; it follows the unit when its IMEI changes.
    CFleetTable detail =
        FleetTable("talk_grp_detail", {Text("tg_user_name", kName), Text("tg_user_prvt_id", kPrivateId),
                                       Long("tg_user_tg_id"), Counter("tg_user_row_num"), Imei()});
    detail.perUnit = true;
    detail.role = CFleetRole::UnitLink;
    tables.push_back(detail);
    tables.push_back(
        FleetTable("master_user_table",
                   {Text("user_name", kName), Text("user_prvt_id", kPrivateId), Counter("user_row_num")}));
    tables.push_back(
        FleetTable("tarn_velmora_sms_saved_message", {Counter("message_id"), Text("message_text", kLong),
                                                      CFleetColumn{"message_date", T::DateTime, 0, false}}));
    CFleetTable version = FleetTable("version_num_table", {Text("version_number_field", 16)});
    version.role = CFleetRole::Version;
    tables.push_back(version);
    return tables;
}

} // namespace

int CFleetTable::ColumnIndex(const QString& column) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (column.compare(QLatin1String(columns[i].name), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QStringList CFleetTable::ColumnNames() const
{
    QStringList names;
    for (const CFleetColumn& c : columns)
        names << QString::fromLatin1(c.name);
    return names;
}

QString CFleetTable::CounterColumn() const
{
    for (const CFleetColumn& c : columns) {
        if (c.counter)
            return QString::fromLatin1(c.name);
    }
    return QString();
}

QString CFleetSchema::Version()
{
    return QString::number(VersionNumber());
}

int CFleetSchema::VersionNumber()
{
    return 7;
}

const std::vector<CFleetTable>& CFleetSchema::Tables()
{
    static const std::vector<CFleetTable> tables = MakeTables();
    return tables;
}

bool CFleetSchema::IsTwin(const QString& table)
{
    if (!table.endsWith(QLatin1String("_tmp")))
        return false;
    const CFleetTable* main = Find(table.chopped(4));
    return main && main->twin;
}

const CFleetTable* CFleetSchema::Find(const QString& table)
{
    for (const CFleetTable& t : Tables()) {
        if (t.name.compare(table, Qt::CaseInsensitive) == 0)
            return &t;
        if (t.twin && TwinName(t.name).compare(table, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QStringList CFleetSchema::PerUnitTables()
{
    QStringList names;
    for (const CFleetTable& t : Tables()) {
        if (t.role == CFleetRole::Unit)
            names << t.name;
    }
    return names;
}

QStringList CFleetSchema::UnitListTables()
{
    QStringList names;
    for (const CFleetTable& t : Tables()) {
        if (t.role == CFleetRole::Unit && !t.uniqueImei && !t.IsPersonalize())
            names << t.name;
    }
    return names;
}

QStringList CFleetSchema::PersonalizeTables()
{
    QStringList names;
    for (const CFleetTable& t : Tables()) {
        if (t.IsPersonalize())
            names << t.name;
    }
    return names;
}

QString CFleetSchema::PersonalizeTableFor(int modelType)
{
    QString others;
    for (const CFleetTable& t : Tables()) {
        if (t.IsPersonalize() && t.personalizeFor == modelType && modelType != kOtherModels)
            return t.name;
        if (t.personalizeFor == kOtherModels)
            others = t.name;
    }
    return others;
}

QString CFleetSchema::PersonalizeModelCondition(const QString& table, const QString& column)
{
    const CFleetTable* own = Find(table);
    if (!own || !own->IsPersonalize())
        return QString();
    if (own->personalizeFor != kOtherModels)
        return QStringLiteral("%1 = %2").arg(column).arg(own->personalizeFor);
    QStringList models;
    for (const CFleetTable& t : Tables()) {
        if (t.IsPersonalize() && t.personalizeFor != kOtherModels)
            models << QString::number(t.personalizeFor);
    }
    return QStringLiteral("%1 NOT IN (%2)").arg(column, models.join(QStringLiteral(", ")));
}

QStringList CFleetSchema::ImeiKeyedTables()
{
    QStringList names;
    for (const CFleetTable& t : Tables()) {
        if (t.perUnit && !t.uniqueImei)
            names << t.name;
    }
    return names;
}

QStringList CFleetSchema::FleetTables()
{
    QStringList names;
    for (const CFleetTable& t : Tables()) {
        if (t.role == CFleetRole::Fleet || t.role == CFleetRole::UnitLink)
            names << t.name;
    }
    return names;
}

QString CFleetSchema::Quote(const QString& identifier)
{
    QString quoted = identifier;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CFleetSchema::ColumnDefinition(const CFleetColumn& column, bool twin)
{
    if (column.counter)
        return twin ? QStringLiteral("INTEGER") : QStringLiteral("INTEGER PRIMARY KEY");
    switch (column.type) {
    case CFleetType::Text:
        return QStringLiteral("VARCHAR(%1) DEFAULT ''").arg(column.length);
    case CFleetType::Byte:
        return QStringLiteral("TINYINT DEFAULT 0");
    case CFleetType::Integer:
        return QStringLiteral("SMALLINT DEFAULT 0");
    case CFleetType::Long:
        return QStringLiteral("INTEGER DEFAULT 0");
    case CFleetType::YesNo:
        return QStringLiteral("BOOLEAN DEFAULT 0");
    case CFleetType::DateTime:
        return QStringLiteral("DATETIME");
    }
    return QString();
}

QString CFleetSchema::CreateTableSql(const CFleetTable& table, bool twin)
{
    QStringList columns;
    for (const CFleetColumn& c : table.columns)
        columns << QString::fromLatin1(c.name) + QLatin1Char(' ') + ColumnDefinition(c, twin);
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(twin ? TwinName(table.name) : table.name, columns.join(QStringLiteral(", ")));
}

QStringList CFleetSchema::CreateIndexSql(const CFleetTable& table, bool twin)
{
    QStringList statements;
    if (!table.perUnit)
        return statements;
    const QString name = twin ? TwinName(table.name) : table.name;
    const bool unique = table.uniqueImei && !twin;
    statements << QStringLiteral("CREATE %1INDEX ix_%2_imei ON %2 (unit_imei_num)")
                      .arg(unique ? QStringLiteral("UNIQUE ") : QString(), name);
    return statements;
}

QStringList CFleetSchema::CreateStatements()
{
    QStringList statements;
    for (const CFleetTable& t : Tables()) {
        statements << CreateTableSql(t, false) << CreateIndexSql(t, false);
        if (t.twin)
            statements << CreateTableSql(t, true) << CreateIndexSql(t, true);
    }
    return statements;
}

CVelmoraError CFleetSchema::Create(const QSqlDatabase& db)
{
    CTransaction transaction(db);
    QSqlQuery query(db);
    for (const QString& sql : CreateStatements()) {
        if (!query.exec(sql))
            return CVelmoraError::Text(query.lastError().text());
    }
    query.prepare(QStringLiteral("INSERT INTO version_num_table (version_number_field) VALUES (?)"));
    query.addBindValue(Version());
    if (!query.exec() || !transaction.Commit())
        return CVelmoraError::Text(query.lastError().isValid() ? query.lastError().text()
                                                               : transaction.LastError());
    return CVelmoraError();
}

CVelmoraError CFleetSchema::WriteTemplate(const QString& path)
{
    const QString temp = path + QStringLiteral(".part");
    QFile::remove(temp);
    {
        CFleetConnection connection;
        if (!connection.Create(temp))
            return CVelmoraError::Text(connection.LastErrorText());
        if (CVelmoraError error = Create(connection.Database())) {
            connection.Close();
            QFile::remove(temp);
            return error;
        }
    }
    QString why;
    if (!CSafeFile::Replace(temp, path, &why)) {
        QFile::remove(temp);
        return CVelmoraError::Text(why);
    }
    return CVelmoraError();
}
