#include "CAppendFile.h"

#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetSchema.h"
#include "CFleetSettings.h"
#include "CSafeFile.h"
#include "CTransaction.h"
#include "CUnitCascade.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "IAppendQuestion.h"
#include "IVelmoraQuestion.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>

namespace {

const QString kCopySet = QStringLiteral("temp.velmora_copyset");
const QString kListed = QStringLiteral("temp.velmora_listed");
const QString kMirrorPrefix = QStringLiteral("velmora_src_");

QString Key(const QString& imei)
{
    return imei.isNull() ? QString(QLatin1String("")) : imei;
}

QString QuotedList(const QStringList& columns, const QString& prefix = QString())
{
    QStringList quoted;
    for (const QString& c : columns)
        quoted << prefix + CFleetSchema::Quote(c);
    return quoted.join(QStringLiteral(", "));
}

// True when the connection is inside a transaction (its changes are not in the file yet).
bool InTransaction(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    return connection && sqlite3_get_autocommit(connection) == 0;
}

bool SameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool Exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {})
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& v : values)
        query.addBindValue(v);
    return query.exec();
}

} // namespace

CAppendFile::CAppendFile(CVelmoraDoc& destination, IAppendQuestion* question)
    : m_destinationDoc(&destination), m_destination(destination.Database()), m_question(question)
{
}

CAppendFile::CAppendFile(const QSqlDatabase& destination, const QSqlDatabase& source,
                         IAppendQuestion* question)
    : m_destination(destination), m_source(source), m_question(question)
{
}

CAppendFile::~CAppendFile()
{
    End();
    m_source = QSqlDatabase();
}

void CAppendFile::SetDocuments(CVelmoraDoc* destination, CVelmoraDoc* source)
{
    m_destinationDoc = destination;
    m_sourceDoc = source;
}

QStringList CAppendFile::PairTables()
{
    return CFleetSchema::PerUnitTables() << QStringLiteral("talk_grp_header");
}

void CAppendFile::Fail(const CVelmoraError& error)
{
    m_failed = true;
    m_errors << error;
}

void CAppendFile::Report(const QSqlError& error)
{
    Fail(CFleetConnection::Error(error));
}

void CAppendFile::ReportText(const QString& error)
{
    Fail(CVelmoraError::Text(error));
}

void CAppendFile::ReportMissingTable()
{
    Fail(CVelmoraError::Message(FleetMsg::CannotReadFleet));
}

bool CAppendFile::OpenSourceFile(const QString& path, const CFleetSettings& settings)
{
    // The source may be expanded, upgraded and stored again: no other program changes it meanwhile.
    if (const CVelmoraError error = CVelmoraDoc::HoldForChange(path, m_sourceLock)) {
        Fail(error);
        return false;
    }
    if (!CFleetFile::CheckAndPrepare(path, settings, m_errors)) {
        m_errors << CVelmoraError::Message(FleetMsg::CannotReadFleet);
        return false;
    }
    m_ownedSource = std::make_unique<CFleetConnection>();
    if (!m_ownedSource->Open(path)) {
        Report(m_ownedSource->LastError());
        m_ownedSource.reset();
        return false;
    }
    m_source = m_ownedSource->Database();
    return true;
}

bool CAppendFile::LendPhoneReadSource(const QSqlDatabase& scratch)
{
    m_source = scratch;
    return true;
}

bool CAppendFile::OpenTablePairs()
{
    return m_destination.isOpen() && m_source.isOpen();
}

void CAppendFile::ReleaseSourceFile(const QString& path)
{
    End();
    m_source = QSqlDatabase();
    m_ownedSource.reset();
    CFleetFile::StoreFleetFile(path);
    m_sourceLock.Unlock();
}

void CAppendFile::RefreshViews()
{
    if (m_destinationDoc)
        m_destinationDoc->RefreshUnitsViews();
    if (m_sourceDoc)
        m_sourceDoc->RefreshUnitsViews();
}

void CAppendFile::MarkModified()
{
    if (m_destinationDoc) {
        m_destinationDoc->SetModifiedFlag(true);
        m_destinationDoc->SetChanged(true);
    }
}

// ---- source access -------------------------------------------------------------------------------

bool CAppendFile::Begin()
{
    End();
    if (!m_destination.isOpen() || !m_source.isOpen())
        return false;
    const QString sourcePath = m_source.databaseName();
    if (SameFile(sourcePath, m_destination.databaseName()))
        return false;
    QSqlQuery query(m_destination);
    // Reading the source's file directly is the fast way; it needs the file to be free and every
    // change of the source to be in it.
    if (QFileInfo(sourcePath).isFile() && !InTransaction(m_destination) && !InTransaction(m_source)) {
        if (Exec(query, QStringLiteral("ATTACH DATABASE ? AS velmora_src"), {sourcePath})) {
            m_attached = query.exec(QStringLiteral("PRAGMA velmora_src.locking_mode = NORMAL")) &&
                         query.exec(QStringLiteral("SELECT count(*) FROM velmora_src.sqlite_master"));
            query.finish();
            if (!m_attached)
                query.exec(QStringLiteral("DETACH DATABASE velmora_src"));
        }
    }
    m_mirrored = !m_attached;
    const bool ok = query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(kCopySet)) &&
                    query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(kListed)) &&
                    query.exec(QStringLiteral(
                        "CREATE TEMP TABLE velmora_copyset (imei TEXT PRIMARY KEY, src_row INTEGER, "
                        "model_type INTEGER, over INTEGER)")) &&
                    query.exec(QStringLiteral("CREATE TEMP TABLE velmora_listed (imei TEXT PRIMARY KEY)"));
    if (!ok) {
        Report(query.lastError());
        query.finish();
        End();
        return false;
    }
    return true;
}

void CAppendFile::End()
{
    if (!m_attached && !m_mirrored)
        return;
    QSqlQuery query(m_destination);
    query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(kCopySet));
    query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(kListed));
    if (m_mirrored) {
        QStringList tables = PairTables() + CFleetSchema::FleetTables();
        for (const QString& table : tables)
            query.exec(QStringLiteral("DROP TABLE IF EXISTS temp.%1")
                           .arg(CFleetSchema::Quote(kMirrorPrefix + table)));
    }
    if (m_attached)
        query.exec(QStringLiteral("DETACH DATABASE velmora_src"));
    m_attached = false;
    m_mirrored = false;
}

QString CAppendFile::Src(const QString& table) const
{
    return m_attached ? QStringLiteral("velmora_src.") + CFleetSchema::Quote(table)
                      : QStringLiteral("temp.") + CFleetSchema::Quote(kMirrorPrefix + table);
}

QStringList CAppendFile::SourceColumns(const QString& table) const
{
    QStringList columns;
    QSqlQuery query(m_destination);
    const QVariantList args =
        m_attached ? QVariantList{QVariant(table), QVariant(QStringLiteral("velmora_src"))}
                   : QVariantList{QVariant(kMirrorPrefix + table), QVariant(QStringLiteral("temp"))};
    if (Exec(query, QStringLiteral("SELECT name FROM pragma_table_info(?, ?) ORDER BY cid"), args)) {
        while (query.next())
            columns << query.value(0).toString();
    }
    return columns;
}

QStringList CAppendFile::DestinationColumns(const QString& table) const
{
    QStringList columns;
    QSqlQuery query(m_destination);
    if (Exec(query, QStringLiteral("SELECT name FROM pragma_table_info(?, 'main') ORDER BY cid"), {table})) {
        while (query.next())
            columns << query.value(0).toString();
    }
    return columns;
}

bool CAppendFile::Mirror(const QString& table, const QStringList* imeis, QString* error)
{
    QStringList columns;
    {
        QSqlQuery info(m_source);
        if (Exec(info, QStringLiteral("SELECT name FROM pragma_table_info(?, 'main') ORDER BY cid"),
                 {table})) {
            while (info.next())
                columns << info.value(0).toString();
        }
    }
    // A table the source lacks stays missing: the copy step reports it.
    if (columns.isEmpty())
        return true;
    const QString mirror = QStringLiteral("temp.") + CFleetSchema::Quote(kMirrorPrefix + table);
    QSqlQuery insert(m_destination);
    if (!insert.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(mirror)) ||
        !insert.exec(QStringLiteral("CREATE TEMP TABLE %1 (%2)")
                         .arg(CFleetSchema::Quote(kMirrorPrefix + table), QuotedList(columns)))) {
        *error = CFleetConnection::ErrorText(insert.lastError());
        return false;
    }
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    if (!insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(mirror, QuotedList(columns), marks.join(QStringLiteral(", "))))) {
        *error = CFleetConnection::ErrorText(insert.lastError());
        return false;
    }
    // Rows keep the source's order, whatever order the IMEIs were listed in.
    std::vector<std::pair<qint64, QVariantList>> rows;
    QSqlQuery select(m_source);
    select.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT rowid, %1 FROM %2%3")
                            .arg(QuotedList(columns), CFleetSchema::Quote(table),
                                 imeis ? QStringLiteral(" WHERE unit_imei_num = ?") : QString());
    if (!select.prepare(sql)) {
        *error = CFleetConnection::ErrorText(select.lastError());
        return false;
    }
    const QStringList all{QString()};
    QSet<QString> seen;
    for (const QString& imei : imeis ? *imeis : all) {
        if (imeis && seen.contains(Key(imei)))
            continue;
        seen.insert(Key(imei));
        if (imeis)
            select.addBindValue(Key(imei));
        if (!select.exec()) {
            *error = CFleetConnection::ErrorText(select.lastError());
            return false;
        }
        while (select.next()) {
            QVariantList values;
            for (int i = 1; i <= columns.size(); ++i)
                values << select.value(i);
            rows.emplace_back(select.value(0).toLongLong(), std::move(values));
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& row : rows) {
        for (const QVariant& v : row.second)
            insert.addBindValue(v);
        if (!insert.exec()) {
            *error = CFleetConnection::ErrorText(insert.lastError());
            return false;
        }
    }
    return true;
}

bool CAppendFile::MirrorUnitDetails(Selection selection, const QStringList& imeis, QString* error)
{
    return Mirror(QStringLiteral("unit_details"), selection == Selection::Listed ? &imeis : nullptr, error);
}

// ---- deciding ------------------------------------------------------------------------------------

int CAppendFile::Ask(const QString& imei)
{
    return m_question ? m_question->AskOverwrite(imei) : int(IAppendQuestion::Dismissed);
}

bool CAppendFile::Decide(Selection selection, std::vector<Decision>& decisions)
{
    QSet<QString> existing;
    {
        QSqlQuery query(m_destination);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT unit_imei_num FROM main.unit_details"))) {
            Report(query.lastError());
            return false;
        }
        while (query.next())
            existing.insert(Key(query.value(0).toString()));
    }
    if (SourceColumns(QStringLiteral("unit_details")).isEmpty()) {
        ReportMissingTable();
        return false;
    }
    QString sql = QStringLiteral("SELECT rowid, unit_imei_num, unit_model_type FROM %1")
                      .arg(Src(QStringLiteral("unit_details")));
    if (selection == Selection::Listed)
        sql += QStringLiteral(" WHERE unit_imei_num IN (SELECT imei FROM %1)").arg(kListed);
    sql += QStringLiteral(" ORDER BY rowid");
    if (selection == Selection::First)
        sql += QStringLiteral(" LIMIT 1");
    QSqlQuery source(m_destination);
    source.setForwardOnly(true);
    if (!source.exec(sql)) {
        Report(source.lastError());
        return false;
    }
    QHash<QString, size_t> decided;
    while (source.next()) {
        const QString imei = Key(source.value(1).toString());
        const bool inDestination = existing.contains(imei);
        bool copy = false;
        if (!inDestination && !decided.contains(imei)) {
            copy = true;
        } else if (selection == Selection::First) {
            copy = IVelmoraQuestion::Shared().Ask(
                       CVelmoraError::Message(FleetMsg::ReplacePhoneUnit, {}, VMT_YESNO)) == IDYES;
        } else if (m_overwriteAll) {
            copy = true;
        } else if (!m_skipAll) {
            switch (Ask(imei)) {
            case IAppendQuestion::OverwriteAll:
                m_overwriteAll = true;
                copy = true;
                break;
            case IAppendQuestion::Overwrite:
                copy = true;
                break;
            case IAppendQuestion::SkipAll:
                m_skipAll = true;
                break;
            default:
                break;
            }
        }
        if (!copy)
            continue;
        const qint64 row = source.value(0).toLongLong();
        const int modelType = source.value(2).toInt();
        const auto it = decided.constFind(imei);
        if (it != decided.cend()) {
            // The source holds this IMEI twice: its later row is copied over the earlier one.
            decisions[it.value()].sourceRow = row;
            decisions[it.value()].modelType = modelType;
        } else {
            decided.insert(imei, decisions.size());
            decisions.push_back(Decision{imei, row, modelType, inDestination});
        }
    }
    return true;
}

// ---- copying -------------------------------------------------------------------------------------

bool CAppendFile::RunCopy(Selection selection, const QStringList& imeis)
{
    m_copied.clear();
    if (!Begin()) {
        m_failed = true;
        return false;
    }
    bool committed = false;
    std::vector<Decision> decisions;
    {
        CTransaction transaction(m_destination);
        QString error;
        bool ok = true;
        if (selection == Selection::Listed) {
            QSqlQuery listed(m_destination);
            listed.prepare(QStringLiteral("INSERT OR IGNORE INTO %1 (imei) VALUES (?)").arg(kListed));
            for (const QString& imei : imeis) {
                listed.addBindValue(Key(imei));
                if (!listed.exec()) {
                    Report(listed.lastError());
                    ok = false;
                    break;
                }
            }
        }
        if (ok && m_mirrored && !MirrorUnitDetails(selection, imeis, &error)) {
            ReportText(error);
            ok = false;
        }
        if (ok && Decide(selection, decisions) && !decisions.empty())
            CopyDecided(decisions);
        if (m_carryFleetTables)
            CarryFleetTables();
        committed = transaction.Commit();
        if (!committed)
            ReportText(transaction.LastError());
    }
    End();
    if (committed) {
        for (const Decision& d : decisions)
            m_copied << d.imei;
    }
    return committed;
}

void CAppendFile::CopyDecided(const std::vector<Decision>& decisions)
{
    QStringList imeis;
    {
        QSqlQuery insert(m_destination);
        insert.prepare(QStringLiteral("INSERT INTO %1 (imei, src_row, model_type, over) VALUES (?, ?, ?, ?)")
                           .arg(kCopySet));
        for (const Decision& d : decisions) {
            insert.addBindValue(d.imei);
            insert.addBindValue(d.sourceRow);
            insert.addBindValue(d.modelType);
            insert.addBindValue(d.over ? 1 : 0);
            if (!insert.exec()) {
                Report(insert.lastError());
                return;
            }
            imeis << d.imei;
        }
    }
    m_failedMirrors.clear();
    if (m_mirrored) {
        for (const QString& table : CFleetSchema::UnitListTables() + CFleetSchema::PersonalizeTables()) {
            QString error;
            if (!Mirror(table, &imeis, &error)) {
                ReportText(error);
                m_failedMirrors.insert(table);
            }
        }
    }
    const bool anyOver =
        std::any_of(decisions.begin(), decisions.end(), [](const Decision& d) { return d.over; });
    CopyUnitDetails(anyOver);
    for (const QString& table : CFleetSchema::UnitListTables())
        CopyListTable(table, QString(), anyOver);
    // A unit's personalisation lives only in its own model's table.
    for (const QString& table : CFleetSchema::PersonalizeTables()) {
        const auto matches = [&table](const Decision& d) {
            return CFleetSchema::PersonalizeTableFor(d.modelType) == table;
        };
        if (!std::any_of(decisions.begin(), decisions.end(), matches))
            continue;
        const bool over = std::any_of(decisions.begin(), decisions.end(),
                                      [&matches](const Decision& d) { return d.over && matches(d); });
        CopyListTable(table, CFleetSchema::PersonalizeModelCondition(table, QStringLiteral("model_type")),
                      over);
    }
}

void CAppendFile::CopyUnitDetails(bool anyOver)
{
    const QString table = QStringLiteral("unit_details");
    const QStringList destination = DestinationColumns(table);
    const QStringList source = SourceColumns(table);
    if (destination.isEmpty() || source.isEmpty()) {
        ReportMissingTable();
        return;
    }
    // The destination keeps its own record number (and numbers a new unit itself).
    const QString counter = CFleetSchema::Find(table)->CounterColumn();
    QStringList columns;
    for (const QString& c : destination) {
        if (c.compare(counter, Qt::CaseInsensitive) != 0 && source.contains(c, Qt::CaseInsensitive))
            columns << c;
    }
    CTransaction step(m_destination);
    QSqlQuery query(m_destination);
    const QString from =
        QStringLiteral("%1 AS s JOIN %2 AS c ON s.rowid = c.src_row").arg(Src(table), kCopySet);
    bool ok =
        query.exec(QStringLiteral("INSERT INTO main.unit_details (%1) SELECT %2 FROM %3 WHERE c.over = 0 "
                                  "ORDER BY s.rowid")
                       .arg(QuotedList(columns), QuotedList(columns, QStringLiteral("s.")), from));
    if (ok && anyOver) {
        ok = query.exec(
            QStringLiteral("UPDATE main.unit_details SET (%1) = (SELECT %2 FROM %3 "
                           "WHERE c.imei = main.unit_details.unit_imei_num) "
                           "WHERE unit_imei_num IN (SELECT imei FROM %4 WHERE over <> 0)")
                .arg(QuotedList(columns), QuotedList(columns, QStringLiteral("s.")), from, kCopySet));
    }
    if (!ok) {
        const QSqlError error = query.lastError();
        query.finish();
        step.Rollback();
        Report(error);
        return;
    }
    step.Commit();
}

void CAppendFile::CopyListTable(const QString& table, const QString& modelFilter, bool anyOver)
{
    if (m_failedMirrors.contains(table))
        return;
    const QStringList destination = DestinationColumns(table);
    const QStringList source = SourceColumns(table);
    if (destination.isEmpty() || source.isEmpty()) {
        ReportMissingTable();
        return;
    }
    // A list's own counter is numbered by the destination; every other column is copied.
    const CFleetTable* description = CFleetSchema::Find(table);
    const QString counter = description ? description->CounterColumn() : QString();
    QStringList columns;
    for (const QString& c : destination) {
        if (c.compare(counter, Qt::CaseInsensitive) != 0 && source.contains(c, Qt::CaseInsensitive))
            columns << c;
    }
    const QString units =
        QStringLiteral("SELECT imei FROM %1%2")
            .arg(kCopySet, modelFilter.isEmpty() ? QString() : QStringLiteral(" WHERE ") + modelFilter);
    CTransaction step(m_destination);
    QSqlQuery query(m_destination);
    bool ok = true;
    if (anyOver) {
        ok = query.exec(
            QStringLiteral(
                "DELETE FROM main.%1 WHERE unit_imei_num IN (SELECT imei FROM %2 WHERE over <> 0%3)")
                .arg(CFleetSchema::Quote(table), kCopySet,
                     modelFilter.isEmpty() ? QString() : QStringLiteral(" AND ") + modelFilter));
    }
    ok = ok &&
         query.exec(QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM %3 WHERE unit_imei_num IN (%4)")
                        .arg(CFleetSchema::Quote(table), QuotedList(columns), Src(table), units));
    if (!ok) {
        const QSqlError error = query.lastError();
        query.finish();
        step.Rollback();
        Report(error);
        return;
    }
    step.Commit();
}

void CAppendFile::CarryFleetTables()
{
    for (const QString& table : CFleetSchema::FleetTables()) {
        if (m_mirrored) {
            QString error;
            if (!Mirror(table, nullptr, &error)) {
                ReportText(error);
                continue;
            }
        }
        const QStringList source = SourceColumns(table);
        const QStringList destination = DestinationColumns(table);
        if (source.isEmpty() || destination.isEmpty())
            continue;
        const CFleetTable* description = CFleetSchema::Find(table);
        const QString counter = description ? description->CounterColumn() : QString();
        QSqlQuery query(m_destination);
        // Numbers are kept when they can be: an old file may hold none, or the same one twice.
        bool keepCounter = false;
        if (!counter.isEmpty() && source.contains(counter, Qt::CaseInsensitive) &&
            query.exec(QStringLiteral("SELECT count(*) = count(DISTINCT %1) FROM %2")
                           .arg(CFleetSchema::Quote(counter), Src(table))) &&
            query.next())
            keepCounter = query.value(0).toBool();
        QStringList columns;
        for (const QString& c : destination) {
            if (source.contains(c, Qt::CaseInsensitive) &&
                (keepCounter || c.compare(counter, Qt::CaseInsensitive) != 0))
                columns << c;
        }
        if (!query.exec(QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM %3 ORDER BY rowid")
                            .arg(CFleetSchema::Quote(table), QuotedList(columns), Src(table))))
            Report(query.lastError());
    }
}

// ---- entries -------------------------------------------------------------------------------------

void CAppendFile::CopyAllUnits()
{
    RunCopy(Selection::All, {});
    MarkModified();
}

bool CAppendFile::CopyOnePhoneUnit()
{
    if (!RunCopy(Selection::First, {}) || m_copied.isEmpty())
        return false;
    MarkModified();
    return !m_failed;
}

void CAppendFile::CopyListedUnits(const QStringList& imeis, bool move)
{
    const bool committed = RunCopy(Selection::Listed, imeis);
    if (committed && move && !m_copied.isEmpty() && !m_failed) {
        // Only once the copies are safely and wholly in the destination do the units leave the source:
        // after a table failed to copy they stay where they are.
        const CVelmoraError error = CUnitCascade::DeleteUnits(m_source, m_copied);
        if (error)
            Fail(error);
        else if (m_sourceDoc) {
            m_sourceDoc->SetModifiedFlag(true);
            m_sourceDoc->SetChanged(true);
        }
    }
    MarkModified();
}

void CAppendFile::MergeTalkgroupHeaders(bool keepExisting)
{
    if (!Begin())
        return;
    {
        CTransaction transaction(m_destination);
        const QString table = QStringLiteral("talk_grp_header");
        QString error;
        bool ok = true;
        if (m_mirrored && !Mirror(table, nullptr, &error)) {
            ReportText(error);
            ok = false;
        }
        if (ok && (SourceColumns(table).isEmpty() || DestinationColumns(table).isEmpty())) {
            ReportMissingTable();
            ok = false;
        }
        QSqlQuery write(m_destination);
        if (ok && !keepExisting && !write.exec(QStringLiteral("DELETE FROM main.talk_grp_header"))) {
            Report(write.lastError());
            ok = false;
        }
        QSqlQuery read(m_destination);
        read.setForwardOnly(true);
        if (ok &&
            !read.exec(QStringLiteral("SELECT tg_name, tg_id, tg_row_num, unit_nam FROM %1 ORDER BY rowid")
                           .arg(Src(table)))) {
            Report(read.lastError());
            ok = false;
        }
        QSqlQuery used(m_destination);
        used.prepare(QStringLiteral("SELECT 1 FROM main.talk_grp_header WHERE tg_row_num = ?"));
        while (ok && read.next()) {
            // A row number the destination already uses is left to the destination to choose.
            used.addBindValue(read.value(2));
            const bool keepNumber = !read.value(2).isNull() && used.exec() && !used.next();
            used.finish();
            ok = keepNumber
                     ? Exec(write,
                            QStringLiteral(
                                "INSERT INTO main.talk_grp_header (tg_name, tg_id, tg_row_num, unit_nam) "
                                "VALUES (?, ?, ?, ?)"),
                            {read.value(0), read.value(1), read.value(2), read.value(3)})
                     : Exec(write,
                            QStringLiteral("INSERT INTO main.talk_grp_header (tg_name, tg_id, unit_nam) "
                                           "VALUES (?, ?, ?)"),
                            {read.value(0), read.value(1), read.value(3)});
            if (!ok)
                Report(write.lastError());
        }
        read.finish();
        if (!transaction.Commit())
            ReportText(transaction.LastError());
    }
    End();
}

bool CAppendFile::AppendFleetFile(CVelmoraDoc& document, const QString& path, IAppendQuestion* question,
                                  CFleetErrors& errors)
{
    if (document.AnyViewEditing()) {
        errors << CVelmoraError::Message(FleetMsg::CellBeingEdited, {}, VMT_NOTICE);
        return false;
    }
    // The document's own file is open already: appending it to itself means nothing.
    if (path == document.PathName() || SameFile(path, document.WorkingPath()))
        return false;
    bool appended = false;
    {
        CAppendFile engine(document, question);
        if (engine.OpenSourceFile(path, document.Context().Settings())) {
            engine.CopyAllUnits();
            engine.RefreshViews();
            engine.MergeTalkgroupHeaders(true);
            engine.ReleaseSourceFile(path);
            // A table that failed to copy was reported; the append as a whole did not succeed.
            appended = !engine.HadErrors();
        }
        errors << engine.Errors();
    }
    document.SetModifiedFlag(true);
    return appended;
}

CFleetErrors CAppendFile::DragUnits(CVelmoraDoc& target, CVelmoraDoc& source, const QStringList& imeis,
                                    bool move, IAppendQuestion* question)
{
    CAppendFile engine(target.Database(), source.Database(), question);
    engine.SetDocuments(&target, &source);
    if (engine.OpenTablePairs())
        engine.CopyListedUnits(imeis, move);
    engine.RefreshViews();
    return engine.Errors();
}

bool CAppendFile::RebuildFromTemplate(const QString& given, const QString& templatePath, CFleetErrors& errors,
                                      const QString& from)
{
    const QString path = CSafeFile::RealPath(given);
    const QString temp = RebuildTempPath(path);
    if (!CSafeFile::Copy(templatePath, temp))
        return false;
    bool copied = false;
    {
        CFleetConnection destination;
        CFleetConnection source;
        if (destination.Open(temp) && source.Open(from.isEmpty() ? path : from)) {
            // The new file is not the fleet until it is renamed over it, and it is flushed before
            // that: its own journal and syncs would only cost time.
            QSqlQuery pragma(destination.Database());
            pragma.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
            pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
            pragma.finish();
            CAppendFile engine(destination.Database(), source.Database());
            engine.m_carryFleetTables = true;
            // The rebuilt file replaces the fleet only when it holds everything: a table that failed
            // to copy keeps the old file.
            copied = engine.OpenTablePairs() && engine.RunCopy(Selection::All, {}) && !engine.HadErrors();
            errors << engine.Errors();
        }
    }
    if (!copied || !CSafeFile::Replace(temp, path)) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

QString CAppendFile::RebuildTempPath(const QString& path)
{
    // Room is left for SQLite's "-journal" beside the new database.
    return CSafeFile::FittingPath(CSafeFile::RealPath(path) + QStringLiteral(".tmp"), 8);
}
