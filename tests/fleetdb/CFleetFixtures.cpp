#include "CFleetFixtures.h"

#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CFleetUpgrade.h"
#include "CSafeFile.h"
#include "CTestEnvironment.h"
#include "CTransaction.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

using Row = std::pair<QString, QVariantMap>;

QList<Row> UnitRows(const CUnitSpec& u)
{
    const QStringList names = CFleetFixtures::AwkwardNames();
    const QString tag = u.tag;
    QList<Row> rows;
    QVariantMap details{{"unit_user_name", u.user},
                        {"unit_imei_num", u.imei},
                        {"unit_model_type", u.modelType},
                        {"unit_phone_num_nam1", QString("0521234" + u.imei.right(3))},
                        {"unit_currentNAMSelection", 1},
                        {"unit_display_prvt_id", QString("12*34*" + u.imei.right(2))},
                        {"unit_private_nam1_urban_id", 12},
                        {"unit_private_nam1_fleet_id", 34},
                        {"unit_private_nam1_member_id", u.imei.right(2).toInt()},
                        {"unit_cross_fleet_enable", true},
                        {"unit_ip_address", QString("10.0.0." + u.imei.right(2))},
                        {"unit_cp_structure_version", 16},
                        {"units_comments", QString("comment " + tag + " " + u.user)},
                        {"unit_sim_version", 2},
                        {"unit_prod_sub_release_id", u.subReleaseId},
                        {"unit_prod_release_id", u.releaseId}};
    rows.append({"unit_details", details});
    rows.append({"unit_phone_ergo_settings",
                 {{"unit_imei_num", u.imei},
                  {"unit_vadk", true},
                  {"unit_power_mode", 2},
                  {"unit_emergency_id", tag},
                  {"unit_baud_rate", 96},
                  {"unit_vibrate_enable", true}}});
    for (int i = 1; i <= u.listRows; ++i) {
        const QString name = names.at(i % names.size()) + tag;
        rows.append({"unit_phone_details",
                     {{"unit_imei_num", u.imei},
                      {"unit_speed_dial", i},
                      {"unit_phone_num", QString(QString("054%1").arg(i))},
                      {"unit_name", name},
                      {"unit_program_flag", true},
                      {"unit_language", 2}}});
        rows.append({"unit_private_details",
                     {{"unit_imei_num", u.imei},
                      {"unit_nam", 1},
                      {"unit_urban_id", 1},
                      {"unit_fleet_id", 2},
                      {"unit_member_id", i},
                      {"unit_name", name},
                      {"unit_loc_no", i},
                      {"unit_program_flag", i % 2}}});
        rows.append({"unit_tg_details",
                     {{"unit_imei_num", u.imei},
                      {"unit_nam", (1 + i % 3)},
                      {"unit_tg_id", (100 + i)},
                      {"unit_tg_name", QString("TG " + name)},
                      {"unit_loc_no", i},
                      {"unit_program_flag", true}}});
        rows.append({"unit_tg_scan",
                     {{"unit_imei_num", u.imei},
                      {"unit_nam", 1},
                      {"unit_tg_id", (100 + i)},
                      {"unit_loc_no", i},
                      {"unit_tg_alias", QString("scan " + name)},
                      {"unit_program_flag", true}}});
        rows.append({"unit_status_msg_list",
                     {{"unit_imei_num", u.imei},
                      {"unit_msg_text", QString("status " + name)},
                      {"unit_nam", 1},
                      {"unit_msg_id", i},
                      {"unit_loc_no", i}}});
        rows.append({"unit_consolid_call_list",
                     {{"unit_imei_num", u.imei},
                      {"unit_name", name},
                      {"unit_num", QString(QString("050%1").arg(i))},
                      {"unit_num_type", i % 4},
                      {"unit_nameIndex", i},
                      {"unit_rec_num", i},
                      {"unit_timeStamp", (1000 + i)}}});
    }
    rows.append({"unit_alder_styles_details",
                 {{"unit_imei_num", u.imei},
                  {"unit_style_number", 0},
                  {"unit_style_name", QString(names.at(0) + tag)},
                  {"unit_style_backlight", "4294967295"},
                  {"unit_style_vibe_all", true}}});
    rows.append({"unit_alder_shortcut_details",
                 {{"unit_imei_num", u.imei},
                  {"unit_shortcut_number", 1},
                  {"unit_shortcut_value", QString("77" + tag)}}});
    rows.append({"unit_alder_quick_notes",
                 {{"unit_imei_num", u.imei},
                  {"unit_quick_notes_1", QString(names.at(2) + tag)},
                  {"unit_quick_notes_10", "10%"}}});
    const QString own = CFleetSchema::PersonalizeTableFor(u.modelType);
    for (const QString& table : CFleetSchema::PersonalizeTables()) {
        if (table == own || u.allPersonalize)
            rows.append(
                {table,
                 {{"unit_imei_num", u.imei}, {"unit_left_key", u.modelType}, {"unit_main_menu_1", 7}}});
    }
    return rows;
}

bool Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return false;
    }
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec()) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return false;
    }
    return true;
}

bool Insert(const QSqlDatabase& db, const QString& table, const QVariantMap& row)
{
    const QStringList present = CFleetFixtures::Columns(db, table);
    if (present.isEmpty())
        return true;
    QStringList columns;
    QStringList marks;
    QVariantList values;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (!present.contains(it.key(), Qt::CaseInsensitive))
            continue;
        columns << it.key();
        marks << "?";
        values << it.value();
    }
    return Exec(db,
                QString("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(", "), marks.join(", ")),
                values);
}

} // namespace

QString CFleetFixtures::TemplatePath()
{
    return CTestEnvironment::ProgramFolder() + "/VelmoraVLF.vdf";
}

CFleetSettings CFleetFixtures::Settings(int carrierId)
{
    return CFleetSettings::ForProgramFolder(CTestEnvironment::ProgramFolder(), carrierId);
}

QStringList CFleetFixtures::AwkwardNames()
{
    return {QStringLiteral("O'Brien"), QStringLiteral("100% \"sure\""), QString::fromUtf8("דוד כהן")};
}

QList<CUnitSpec> CFleetFixtures::Units(int count, const QString& tag)
{
    static const int models[] = {105, 114, 116, 90};
    QList<CUnitSpec> units;
    const QStringList names = AwkwardNames();
    for (int i = 0; i < count; ++i) {
        CUnitSpec u;
        u.imei = QString("3500000000000%1").arg(i + 10, 2, 10, QLatin1Char('0'));
        u.user = names.at(i % names.size()) + QString(" %1").arg(i);
        u.modelType = models[i % 4];
        u.tag = tag;
        units << u;
    }
    return units;
}

bool CFleetFixtures::AddUnit(const QSqlDatabase& db, const CUnitSpec& unit)
{
    for (const Row& row : UnitRows(unit)) {
        if (!Insert(db, row.first, row.second))
            return false;
    }
    return true;
}

bool CFleetFixtures::AddFleetRows(const QSqlDatabase& db)
{
    const QStringList names = AwkwardNames();
    bool ok = true;
    for (int i = 0; i < names.size(); ++i) {
        ok = ok && Insert(db, "talk_grp_header",
                          {{"tg_name", QString("TG " + names.at(i))}, {"tg_id", (100 + i)}, {"unit_nam", 1}});
        ok = ok && Insert(db, "talk_grp_detail",
                          {{"tg_user_name", names.at(i)},
                           {"tg_user_prvt_id", "1*2*3"},
                           {"tg_user_tg_id", (100 + i)},
                           {"unit_imei_num", "350000000000010"}});
        ok = ok && Insert(db, "master_user_table",
                          {{"user_name", names.at(i)}, {"user_prvt_id", QString(QString("1*2*%1").arg(i))}});
        ok = ok &&
             Insert(db, "tarn_velmora_sms_saved_message", {{"message_text", QString(names.at(i) + " 50%")}});
    }
    return ok;
}

bool CFleetFixtures::MakeFleet(const QString& path, const QList<CUnitSpec>& units)
{
    QFile::remove(path);
    if (!QFile::copy(TemplatePath(), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection connection;
    if (!connection.Open(path))
        return false;
    CTransaction transaction(connection.Database());
    for (const CUnitSpec& u : units) {
        if (!AddUnit(connection.Database(), u))
            return false;
    }
    return AddFleetRows(connection.Database()) && transaction.Commit();
}

bool CFleetFixtures::WriteOldFleet(const QString& path, Kind kind, const QList<CUnitSpec>& units)
{
    QFile::remove(path);
    CFleetConnection connection;
    if (!connection.Create(path))
        return false;
    const QSqlDatabase db = connection.Database();
    CTransaction transaction(db);
    QStringList missingTables;
    QMap<QString, QStringList> missingColumns;
    QString version;
    if (kind == Kind::Versionless) {
        missingTables = {"version_num_table",
                         "unit_consolid_call_list",
                         "unit_alder_styles_details",
                         "unit_alder_shortcut_details",
                         "unit_alder_quick_notes",
                         "unit_alder_personalize_details",
                         "unit_agps_personalize_details",
                         "unit_cedar_personalize_details",
                         "tarn_velmora_sms_saved_message"};
        missingColumns["unit_details"] = QStringList{"unit_prod_sub_release_id", "unit_def_call_list_lang_id",
                                                     "unit_prod_release_id", "unit_sim_version"};
        missingColumns["unit_phone_ergo_settings"] =
            QStringList{"unit_photo_sensor", "unit_vibrate_enable", "unit_sim_pin_warning"};
    } else if (kind == Kind::Version5) {
        version = "5";
        missingTables = {"unit_agps_personalize_details"};
        missingColumns["unit_details"] =
            QStringList{"unit_prod_sub_release_id", "unit_def_call_list_lang_id"};
        missingColumns["unit_phone_ergo_settings"] = QStringList{"unit_sim_pin_warning"};
    } else {
        version = "99 (test)";
    }
    for (const CFleetTable& table : CFleetSchema::Tables()) {
        if (missingTables.contains(table.name))
            continue;
        QStringList columns;
        for (const CFleetColumn& c : table.columns) {
            if (missingColumns.value(table.name).contains(QLatin1String(c.name)))
                continue;
            // Older programs numbered rows themselves: their counters were plain numbers.
            const QString type = kind == Kind::Versionless && c.counter
                                     ? QStringLiteral("INTEGER")
                                     : CFleetSchema::ColumnDefinition(c, false);
            columns << QString("%1 %2").arg(QLatin1String(c.name), type);
        }
        if (kind == Kind::Versionless && table.name == "unit_details")
            columns << "unit_pager_num VARCHAR(20)";
        if (kind == Kind::Version5 && table.name == "unit_phone_ergo_settings")
            columns << "unit_old_flag BOOLEAN DEFAULT 0";
        if (!Exec(db, QString("CREATE TABLE %1 (%2)").arg(table.name, columns.join(", "))))
            return false;
        if (kind != Kind::Versionless && table.twin && !Exec(db, CFleetSchema::CreateTableSql(table, true)))
            return false;
    }
    if (kind == Kind::Version5 &&
        !Exec(db, "CREATE INDEX ix_old_flag ON unit_phone_ergo_settings (unit_old_flag)"))
        return false;
    if (!version.isEmpty() &&
        !Exec(db, "INSERT INTO version_num_table (version_number_field) VALUES (?)", {version}))
        return false;
    int recNum = 1;
    for (const CUnitSpec& u : units) {
        if (!AddUnit(db, u))
            return false;
        if (kind == Kind::Versionless &&
            !Exec(db,
                  "UPDATE unit_details SET unit_rec_num = ?, unit_pager_num = '555' WHERE unit_imei_num = ?",
                  {recNum++, u.imei}))
            return false;
    }
    return AddFleetRows(db) && transaction.Commit();
}

bool CFleetFixtures::WriteHalfUpgradedFleet(const QString& path, const QList<CUnitSpec>& units)
{
    if (!WriteOldFleet(path, Kind::Versionless, units))
        return false;
    // What an upgrade that stamped the version in place before its rebuild left when it was killed.
    CFleetConnection file;
    CFleetConnection templ;
    return file.Open(path) && templ.Open(TemplatePath()) &&
           !CFleetUpgrade::SynchroniseSchema(file.Database(), templ.Database()) &&
           !CFleetUpgrade::CopyVersionNumber(file.Database(), templ.Database());
}

bool CFleetFixtures::DamagePage(const QString& path, int page)
{
    const QByteArray bytes = Bytes(path);
    if (bytes.size() < 100)
        return false;
    // The page size is a big-endian number at offset 16 of the database header (1 stands for 65536).
    int pageSize = (quint8(bytes[16]) << 8) | quint8(bytes[17]);
    if (pageSize == 1)
        pageSize = 65536;
    const int pages = bytes.size() / pageSize;
    if (pageSize < 512 || pages < 3)
        return false;
    // All ones make any page unreadable, whatever it held.
    const auto damaged = [&](int p) {
        QByteArray copy = bytes;
        copy.replace(p * pageSize, pageSize, QByteArray(pageSize, char(0xFF)));
        return copy;
    };
    if (page == kSchemaPage) {
        // The first page after the header's whose damage keeps the file from opening holds schema.
        const QString probe = path + QStringLiteral(".probe");
        for (int p = 1; p < pages; ++p) {
            bool opens = WriteBytes(probe, damaged(p));
            {
                CFleetConnection connection;
                opens = opens && connection.Open(probe);
            }
            QFile::remove(probe);
            if (!opens)
                return WriteBytes(path, damaged(p));
        }
        return false;
    }
    if (page < 0)
        page = pages / 2;
    return page >= 1 && page < pages && WriteBytes(path, damaged(page));
}

QStringList CFleetFixtures::Columns(const QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QSqlQuery query(db);
    query.prepare("SELECT name FROM pragma_table_info(?) ORDER BY cid");
    query.addBindValue(table);
    if (query.exec()) {
        while (query.next())
            columns << query.value(0).toString();
    }
    return columns;
}

QList<QVariantList> CFleetFixtures::Rows(const QSqlDatabase& db, const QString& table, const QString& imei,
                                         const QStringList& skip)
{
    QStringList columns;
    for (const QString& c : Columns(db, table)) {
        if (!skip.contains(c, Qt::CaseInsensitive))
            columns << c;
    }
    QList<QVariantList> rows;
    QSqlQuery query(db);
    query.prepare(
        QString("SELECT %1 FROM %2%3 ORDER BY rowid")
            .arg(columns.join(", "), table, imei.isNull() ? QString() : " WHERE unit_imei_num = ?"));
    if (!imei.isNull())
        query.addBindValue(imei);
    if (!query.exec())
        return rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < columns.size(); ++i)
            row << query.value(i);
        rows << row;
    }
    return rows;
}

int CFleetFixtures::Count(const QSqlDatabase& db, const QString& table, const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(QString("SELECT count(*) FROM %1%2")
                      .arg(table, imei.isNull() ? QString() : " WHERE unit_imei_num = ?"));
    if (!imei.isNull())
        query.addBindValue(imei);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

QByteArray CFleetFixtures::Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool CFleetFixtures::WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
