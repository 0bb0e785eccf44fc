#include "CFleetUpgrade.h"

#include "CAppendFile.h"
#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CFleetSettings.h"
#include "CSafeFile.h"
#include "CTransaction.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "IVelmoraQuestion.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <vector>

namespace {

struct ColumnInfo
{
    QString name;
    QString type;
    QString defaultValue;
    bool primaryKey = false;
};

CVelmoraError Fail(const QSqlQuery& query)
{
    return CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
}

std::vector<ColumnInfo> Columns(const QSqlDatabase& db, const QString& table)
{
    std::vector<ColumnInfo> columns;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT name, type, dflt_value, pk FROM pragma_table_info(?) ORDER BY cid"));
    query.addBindValue(table);
    if (!query.exec())
        return columns;
    while (query.next())
        columns.push_back(ColumnInfo{query.value(0).toString(), query.value(1).toString(),
                                     query.value(2).toString(), query.value(3).toInt() != 0});
    return columns;
}

const ColumnInfo* FindColumn(const std::vector<ColumnInfo>& columns, const QString& name)
{
    for (const ColumnInfo& c : columns) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

bool HasColumn(const std::vector<ColumnInfo>& columns, const QString& name)
{
    return FindColumn(columns, name) != nullptr;
}

// Indexes of a table in which a column takes part (other than the ones behind UNIQUE constraints).
QStringList IndexesOn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QStringList names;
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT DISTINCT l.name FROM pragma_index_list(?) AS l, pragma_index_info(l.name) AS i "
        "WHERE l.origin = 'c' AND i.name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    query.addBindValue(column);
    if (query.exec()) {
        while (query.next())
            names << query.value(0).toString();
    }
    return names;
}

} // namespace

int CFleetUpgrade::LeadingInt(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < t.size() && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (t[i].unicode() - '0');
        if (value > std::numeric_limits<int>::max())
            return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    }
    return int(negative ? -value : value);
}

bool CFleetUpgrade::HasTable(const QSqlDatabase& db, const QString& table, const QString& schema)
{
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT 1 FROM pragma_table_list WHERE schema = ? AND name = ? COLLATE NOCASE "
                       "AND type = 'table'"));
    query.addBindValue(schema);
    query.addBindValue(table);
    return query.exec() && query.next();
}

int CFleetUpgrade::ReadVersion(const QSqlDatabase& db, bool* hasVersion)
{
    if (hasVersion)
        *hasVersion = false;
    if (!HasTable(db, QStringLiteral("version_num_table")))
        return 0;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version_number_field FROM version_num_table LIMIT 1")) ||
        !query.next())
        return 0;
    if (hasVersion)
        *hasVersion = true;
    return LeadingInt(query.value(0).toString());
}

CVelmoraError CFleetUpgrade::SynchroniseSchema(const QSqlDatabase& file, const QSqlDatabase& templ)
{
    QSqlQuery tables(templ);
    if (!tables.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")))
        return Fail(tables);
    CVelmoraError result;
    QSqlQuery query(file);
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        if (!HasTable(file, table)) {
            if (!query.exec(tables.value(1).toString()))
                return Fail(query);
            continue;
        }
        const std::vector<ColumnInfo> wanted = Columns(templ, table);
        const std::vector<ColumnInfo> present = Columns(file, table);
        for (const ColumnInfo& c : wanted) {
            if (HasColumn(present, c.name))
                continue;
            // A column added later cannot be a key: a counter comes in as a plain number, which the
            // rebuild that follows turns back into the template's counter.
            QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                              .arg(CFleetSchema::Quote(table), CFleetSchema::Quote(c.name), c.type);
            if (!c.primaryKey && !c.defaultValue.isEmpty())
                sql += QStringLiteral(" DEFAULT ") + c.defaultValue;
            if (!query.exec(sql))
                return Fail(query);
        }
        for (const ColumnInfo& c : present) {
            if (HasColumn(wanted, c.name))
                continue;
            for (const QString& index : IndexesOn(file, table, c.name))
                query.exec(QStringLiteral("DROP INDEX %1").arg(CFleetSchema::Quote(index)));
            // A column SQLite cannot drop (a key, a constraint) stays until the rebuild leaves it behind.
            if (!query.exec(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                .arg(CFleetSchema::Quote(table), CFleetSchema::Quote(c.name))))
                result = Fail(query);
        }
    }
    return result;
}

CVelmoraError CFleetUpgrade::FixReleaseIds(const QSqlDatabase& file, int carrierId)
{
    struct Fix
    {
        const char* sql;
        int value;
    };
    const Fix fixes[] = {
        {"UPDATE unit_details SET unit_prod_sub_release_id = 1 WHERE unit_prod_sub_release_id = 0 AND "
         "unit_model_type = 105",
         -1},
        {"UPDATE unit_details SET unit_prod_release_id = ? WHERE unit_prod_release_id = 0 AND "
         "unit_model_type = 105",
         carrierId == 3 ? 70 : 32},
        {"UPDATE unit_details SET unit_prod_release_id = ? WHERE unit_prod_release_id = 0 AND "
         "unit_model_type = 90",
         carrierId == 3 ? 39 : 0},
        {"UPDATE unit_details SET unit_prod_sub_release_id = 1 WHERE unit_prod_sub_release_id = 0 AND "
         "unit_model_type = 111",
         -1},
        {"UPDATE unit_details SET unit_prod_sub_release_id = 1 WHERE unit_prod_sub_release_id = 0 AND "
         "unit_model_type = 110",
         -1},
    };
    QSqlQuery query(file);
    for (const Fix& fix : fixes) {
        if (!query.prepare(QString::fromLatin1(fix.sql)))
            return Fail(query);
        if (fix.value >= 0)
            query.addBindValue(fix.value);
        if (!query.exec())
            return Fail(query);
    }
    return CVelmoraError();
}

CVelmoraError CFleetUpgrade::CopyVersionNumber(const QSqlDatabase& file, const QSqlDatabase& templ)
{
    QSqlQuery read(templ);
    if (!read.exec(QStringLiteral("SELECT version_number_field FROM version_num_table LIMIT 1")))
        return Fail(read);
    const QString version = read.next() ? read.value(0).toString() : QString();
    QSqlQuery query(file);
    if (!query.exec(QStringLiteral("DELETE FROM version_num_table")))
        return Fail(query);
    query.prepare(QStringLiteral("INSERT INTO version_num_table (version_number_field) VALUES (?)"));
    query.addBindValue(version);
    return query.exec() ? CVelmoraError() : Fail(query);
}

bool CFleetUpgrade::RebuildFromTemplate(const QString& path, const QString& templatePath,
                                        CFleetErrors& errors)
{
    return CAppendFile::RebuildFromTemplate(path, templatePath, errors);
}

bool CFleetUpgrade::MatchesTemplate(const QSqlDatabase& file, const QSqlDatabase& templ)
{
    QSqlQuery tables(templ);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")))
        return false;
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        if (!HasTable(file, table))
            return false;
        const std::vector<ColumnInfo> present = Columns(file, table);
        for (const ColumnInfo& wanted : Columns(templ, table)) {
            const ColumnInfo* column = FindColumn(present, wanted.name);
            // A counter that came in as a plain column numbers nothing.
            if (!column || column->primaryKey != wanted.primaryKey)
                return false;
        }
    }
    QSqlQuery indexes(templ);
    if (!indexes.exec(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL")))
        return false;
    QSqlQuery has(file);
    has.prepare(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE"));
    while (indexes.next()) {
        has.bindValue(0, indexes.value(0));
        if (!has.exec() || !has.next())
            return false;
    }
    return true;
}

QStringList CFleetUpgrade::Temporaries(const QString& path)
{
    const QString real = CSafeFile::RealPath(path);
    const QString work = WorkPath(real);
    const QString rebuild = CAppendFile::RebuildTempPath(real);
    const QString journal = QStringLiteral("-journal");
    return {work,
            work + journal,
            CSafeFile::TempBeside(work),
            rebuild,
            rebuild + journal,
            CSafeFile::TempBeside(rebuild),
            CSafeFile::TempBeside(real)};
}

QString CFleetUpgrade::WorkPath(const QString& path)
{
    // Room is left for SQLite's "-journal" beside the copy.
    return CSafeFile::FittingPath(CSafeFile::RealPath(path) + QStringLiteral(".upgrade"), 8);
}

bool CFleetUpgrade::UpgradeCopy(const QString& path, const CFleetSettings& settings, bool fixReleaseIds,
                                CFleetErrors& errors)
{
    const QString real = CSafeFile::RealPath(path);
    // What an upgrade that was cut short left beside the file goes first.
    RemoveTemporaries(real);
    // Every step works on a copy, and the rebuilt file takes the fleet's place in one rename: until
    // then the fleet is as it was, old version and all.
    const QString work = WorkPath(real);
    bool upgraded = QFile::copy(real, work) &&
                    QFile::setPermissions(work, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (upgraded) {
        CFleetConnection file;
        CFleetConnection templ;
        upgraded = file.Open(work) && templ.Open(settings.templatePath);
        if (upgraded) {
            // A scratch copy: what a crash leaves of it is thrown away.
            QSqlQuery pragma(file.Database());
            pragma.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
            pragma.finish();
            CTransaction transaction(file.Database());
            // A column that cannot be dropped now is left behind by the rebuild.
            SynchroniseSchema(file.Database(), templ.Database());
            upgraded = (!fixReleaseIds || !FixReleaseIds(file.Database(), settings.carrierId)) &&
                       !CopyVersionNumber(file.Database(), templ.Database()) && transaction.Commit();
        }
    }
    upgraded = upgraded && CAppendFile::RebuildFromTemplate(real, settings.templatePath, errors, work);
    RemoveTemporaries(real);
    return upgraded;
}

void CFleetUpgrade::RemoveTemporaries(const QString& path)
{
    for (const QString& temporary : Temporaries(path))
        CSafeFile::Remove(temporary);
}

bool CFleetUpgrade::OpenAndUpgrade(const QString& path, const CFleetSettings& settings, CFleetErrors& errors)
{
    const CVelmoraError cannotRead = CVelmoraError::Message(FleetMsg::CannotReadFleet);
    // An upgrade killed after its rename leaves a full copy of the fleet that no later upgrade
    // would find.
    RemoveTemporaries(path);
    bool fixReleaseIds = false;
    {
        CFleetConnection file;
        CFleetConnection templ;
        if (!file.Open(path) || !templ.Open(settings.templatePath) ||
            !HasTable(file.Database(), QStringLiteral("unit_details"))) {
            errors << cannotRead;
            return false;
        }
        bool hasVersion = false;
        const int fileVersion = ReadVersion(file.Database(), &hasVersion);
        const int templateVersion = ReadVersion(templ.Database());
        bool unfinished = false;
        if (hasVersion) {
            if (templateVersion < fileVersion) {
                errors << CVelmoraError::Message(FleetMsg::NewerFleet);
                return false;
            }
            // The current version on tables that are not the template's: an upgrade (of an earlier
            // program, or one killed half-way) stamped the file and never rebuilt it. The user agreed
            // to that upgrade; it is finished now.
            if (templateVersion == fileVersion) {
                if (MatchesTemplate(file.Database(), templ.Database()))
                    return true;
                unfinished = true;
            }
        }
        if (!unfinished) {
            if (IVelmoraQuestion::Shared().Ask(
                    CVelmoraError::Message(FleetMsg::UpgradeQuestion, {}, VMT_YESNO)) == IDNO) {
                errors << CVelmoraError::Message(FleetMsg::UpgradeDeclined);
                return false;
            }
            fixReleaseIds = hasVersion;
        }
    }
    if (!UpgradeCopy(path, settings, fixReleaseIds, errors)) {
        errors << cannotRead;
        return false;
    }
    return true;
}
