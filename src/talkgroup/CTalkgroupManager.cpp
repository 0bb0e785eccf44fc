#include "CTalkgroupManager.h"

#include "CFleetConnection.h"
#include "CModelRules.h"
#include "CTransaction.h"
#include "CVelmoraWrap.h"
#include "IVelmoraQuestion.h"
#include "TalkgroupMessageIds.h"

#include <QHash>
#include <QSqlQuery>
#include <memory>

namespace {

CVelmoraError QueryError(const QSqlQuery& query)
{
    return CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
}

// An entry without a name is stored as NULL or as an empty text; both are the unnamed talkgroup.
QString NameTest(const QString& column, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column)
                          : QStringLiteral("%1 = ?").arg(column);
}

void BindName(QSqlQuery& query, const QString& name)
{
    if (!name.isEmpty())
        query.addBindValue(name);
}

} // namespace

CTalkgroupManager::CTalkgroupManager(const QSqlDatabase& db, CapacityOf capacityOf)
    : m_db(db), m_capacityOf(std::move(capacityOf))
{
}

CTalkgroupManager::CapacityOf CTalkgroupManager::CapacitiesOf(const CModelRules& rules)
{
    auto cache = std::make_shared<QHash<QPair<int, int>, CModelProfile::ListCapacities>>();
    return [&rules, cache](int modelType, int releaseId, int nam) {
        const QPair<int, int> key(modelType, releaseId);
        auto it = cache->constFind(key);
        if (it == cache->constEnd()) {
            CModelProfile profile;
            rules.SetupListCapacities(modelType, CModelRules::IsSpecialVariant(releaseId, modelType),
                                      profile);
            it = cache->insert(key, profile.capacities);
        }
        return nam >= 1 && nam <= 3 ? it->talkgroups[nam - 1] : 0;
    };
}

bool CTalkgroupManager::NeedsRebuild(bool documentChanged, int namCount, int lastNamCount, bool firstShowing)
{
    return documentChanged || namCount != lastNamCount || firstShowing;
}

int CTalkgroupManager::ClampNam(int nam, int namCount)
{
    const int count = qBound(1, namCount, 3);
    return nam >= 1 && nam <= count ? nam : count;
}

QList<int> CTalkgroupManager::ModelTypesOf(const QString& alderModels)
{
    QList<int> types;
    QString digits;
    for (const QChar c : alderModels) {
        if (c.isDigit()) {
            digits += c;
        } else if (c == QLatin1Char('#')) {
            const int type = digits.toInt();
            digits.clear();
            if (type != 0 && types.size() < 250)
                types.append(type);
        }
    }
    return types;
}

QList<CTalkgroupManager::Unit> CTalkgroupManager::Units(bool hideSimpleList, const QString& alderModels,
                                                        CVelmoraError* error) const
{
    QList<Unit> units;
    const QList<int> hidden = hideSimpleList ? ModelTypesOf(alderModels) : QList<int>();
    QString sql =
        QStringLiteral("SELECT unit_imei_num, unit_user_name, unit_display_prvt_id, unit_model_type, "
                       "unit_prod_release_id FROM unit_details");
    QStringList tests;
    for (int i = 0; i < hidden.size(); ++i)
        tests << QStringLiteral("unit_model_type <> ?");
    if (!tests.isEmpty())
        sql += QStringLiteral(" WHERE ") + tests.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY unit_imei_num");
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (int type : hidden)
        query.addBindValue(type);
    if (!query.exec()) {
        if (error)
            *error = QueryError(query);
        return units;
    }
    while (query.next())
        units.append(Unit{CVelmoraWrap::strVARIANT(query.value(0)), CVelmoraWrap::strVARIANT(query.value(1)),
                          CVelmoraWrap::strVARIANT(query.value(2)), query.value(3).toInt(),
                          query.value(4).toInt()});
    return units;
}

QList<CTalkgroupManager::Header> CTalkgroupManager::Headers(int nam, CVelmoraError* error) const
{
    QList<Header> headers;
    QSqlQuery query(m_db);
    // An unnamed talkgroup may be indexed twice (NULL and empty): one row, keyed by the first.
    query.prepare(QStringLiteral("SELECT MIN(tg_row_num), tg_id, COALESCE(tg_name, '') AS name "
                                 "FROM talk_grp_header WHERE unit_nam = ? AND tg_id <> 0 "
                                 "GROUP BY tg_id, name ORDER BY tg_id, name"));
    query.addBindValue(nam);
    if (!query.exec()) {
        if (error)
            *error = QueryError(query);
        return headers;
    }
    while (query.next())
        headers.append(Header{query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()});
    return headers;
}

QList<CTalkgroupIndex::Member> CTalkgroupManager::Members(const Talkgroup& talkgroup,
                                                          CVelmoraError* error) const
{
    return CTalkgroupIndex(m_db).Members(talkgroup, error);
}

CVelmoraError CTalkgroupManager::CheckIdText(const QString& text)
{
    bool ok = false;
    const int id = text.trimmed().toInt(&ok);
    if (!ok || id < MinId || id > MaxId)
        return CVelmoraError::Message(TalkgroupText::IdOutOfRange);
    return CVelmoraError();
}

CVelmoraError CTalkgroupManager::StoreHeader(int nam, Header& header) const
{
    if (header.id < MinId || header.id > MaxId)
        return CVelmoraError::Message(TalkgroupMsg::ValueRange, {QStringLiteral("1"), QStringLiteral("255")});
    header.name = PhoneName(header.name);

    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM talk_grp_header WHERE unit_nam = ? AND tg_id = ? AND "
                                 "tg_row_num <> ? AND ") +
                  NameTest(QStringLiteral("tg_name"), header.name));
    query.addBindValue(nam);
    query.addBindValue(header.id);
    query.addBindValue(header.key);
    BindName(query, header.name);
    if (!query.exec() || !query.next())
        return QueryError(query);
    if (query.value(0).toInt() > 0)
        return CVelmoraError::Message(TalkgroupMsg::Duplicate);

    CTransaction transaction(m_db);
    if (header.key == 0) {
        query.prepare(
            QStringLiteral("INSERT INTO talk_grp_header (tg_name, tg_id, unit_nam) VALUES (?, ?, ?)"));
        for (const QVariant& v : QVariantList{header.name, header.id, nam})
            query.addBindValue(v);
        if (!query.exec())
            return QueryError(query);
        header.key = query.lastInsertId().toInt();
    } else {
        // The units carrying the talkgroup follow its new id and name.
        query.prepare(
            QStringLiteral("SELECT tg_id, COALESCE(tg_name, '') FROM talk_grp_header WHERE tg_row_num = ?"));
        query.addBindValue(header.key);
        if (!query.exec())
            return QueryError(query);
        if (query.next()) {
            const int oldId = query.value(0).toInt();
            const QString oldName = query.value(1).toString();
            query.prepare(QStringLiteral("UPDATE unit_tg_details SET unit_tg_id = ?, unit_tg_name = ? "
                                         "WHERE unit_nam = ? AND unit_tg_id = ? AND ") +
                          NameTest(QStringLiteral("unit_tg_name"), oldName));
            for (const QVariant& v : QVariantList{header.id, header.name, nam, oldId})
                query.addBindValue(v);
            BindName(query, oldName);
            if (!query.exec())
                return QueryError(query);
            query.prepare(QStringLiteral("UPDATE talk_grp_header SET tg_id = ?, tg_name = ? "
                                         "WHERE unit_nam = ? AND tg_id = ? AND ") +
                          NameTest(QStringLiteral("tg_name"), oldName));
            for (const QVariant& v : QVariantList{header.id, header.name, nam, oldId})
                query.addBindValue(v);
            BindName(query, oldName);
            if (!query.exec())
                return QueryError(query);
        }
    }
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

CTalkgroupManager::Placement CTalkgroupManager::ChooseLocation(const QList<Slot>& slots, int capacity)
{
    Placement placement;
    const int count = int(slots.size());
    if (count == 0) {
        placement.location = 1;
        return placement;
    }
    if (count >= capacity) {
        // A full list takes the talkgroup in its first unprogrammed row, which keeps its place.
        if (count > capacity)
            return placement;
        for (int i = 0; i < count; ++i) {
            if (!slots.at(i).programmed) {
                placement.reuseIndex = i;
                placement.location = slots.at(i).location > 0 ? slots.at(i).location : i + 1;
                return placement;
            }
        }
        return placement;
    }
    // The place after the last gap in the locations; without a gap, after the highest.
    int previous = 0;
    int remembered = 0;
    int highest = 0;
    for (const Slot& slot : slots) {
        if (slot.location - previous >= 2)
            remembered = previous + 1;
        previous = slot.location;
        highest = qMax(highest, slot.location);
    }
    placement.location = remembered > 0 ? remembered : highest + 1;
    return placement;
}

// The talkgroup entries of the units for one NAM, read once for a bulk add (or unit by unit for a few
// units), and the statements that write them.
class CTalkgroupManager::CEntryWriter
{
public:
    struct Entry
    {
        qint64 rowid = 0;
        Slot slot;
        int id = 0;
        QString name;
    };

    CEntryWriter(const QSqlDatabase& db, int nam, bool readAll)
        : m_nam(nam), m_readAll(readAll), m_select(db), m_insert(db), m_update(db)
    {
        const QString columns =
            QStringLiteral("SELECT unit_imei_num, rowid, unit_loc_no, unit_program_flag, "
                           "unit_tg_id, COALESCE(unit_tg_name, '') FROM unit_tg_details ");
        m_select.setForwardOnly(true);
        m_select.prepare(columns + (readAll ? QStringLiteral("WHERE unit_nam = ? ORDER BY unit_imei_num, "
                                                             "unit_loc_no, rowid")
                                            : QStringLiteral("WHERE unit_imei_num = ? AND unit_nam = ? "
                                                             "ORDER BY unit_loc_no, rowid")));
        m_insert.prepare(
            QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_tg_id, unit_tg_name, "
                           "unit_program_flag, unit_language, unit_nam, unit_loc_no) "
                           "VALUES (?, ?, ?, 1, 0, ?, ?)"));
        m_update.prepare(QStringLiteral("UPDATE unit_tg_details SET unit_tg_id = ?, unit_tg_name = ?, "
                                        "unit_program_flag = 1, unit_language = 0, unit_loc_no = ? "
                                        "WHERE rowid = ?"));
    }

    // The unit's entries in location order; false with the database's words.
    bool Read(const QString& imei, QList<Entry>& entries, CVelmoraError& error)
    {
        if (m_readAll && m_loaded) {
            entries = m_entries.value(imei);
            return true;
        }
        if (!m_readAll)
            m_select.addBindValue(imei);
        m_select.addBindValue(m_nam);
        if (!m_select.exec()) {
            error = QueryError(m_select);
            return false;
        }
        m_entries.clear();
        while (m_select.next()) {
            m_entries[CVelmoraWrap::strVARIANT(m_select.value(0))].append(
                Entry{m_select.value(1).toLongLong(),
                      Slot{m_select.value(2).toInt(), m_select.value(3).toInt() != 0},
                      m_select.value(4).toInt(), m_select.value(5).toString()});
        }
        m_loaded = true;
        entries = m_entries.value(imei);
        return true;
    }

    bool Write(const QString& imei, const Talkgroup& talkgroup, const Placement& placement,
               const QList<Entry>& entries, CVelmoraError& error)
    {
        QSqlQuery& query = placement.reuseIndex >= 0 ? m_update : m_insert;
        const QVariantList values =
            placement.reuseIndex >= 0
                ? QVariantList{talkgroup.id, PhoneName(talkgroup.name), placement.location,
                               entries.at(placement.reuseIndex).rowid}
                : QVariantList{imei, talkgroup.id, PhoneName(talkgroup.name), talkgroup.nam,
                               placement.location};
        for (const QVariant& v : values)
            query.addBindValue(v);
        if (!query.exec()) {
            error = QueryError(query);
            return false;
        }
        return true;
    }

private:
    int m_nam;
    bool m_readAll;
    bool m_loaded = false;
    QSqlQuery m_select, m_insert, m_update;
    QHash<QString, QList<Entry>> m_entries;
};

CVelmoraError CTalkgroupManager::AddToUnit(CEntryWriter& writer, const Talkgroup& talkgroup, const Unit& unit,
                                           int capacity, bool& added) const
{
    added = false;
    CVelmoraError error;
    QList<CEntryWriter::Entry> entries;
    if (!writer.Read(unit.imei, entries, error))
        return error;
    QList<Slot> slots;
    for (const CEntryWriter::Entry& entry : entries) {
        if (entry.slot.programmed && entry.id == talkgroup.id && entry.name == PhoneName(talkgroup.name))
            return CVelmoraError(); // already a member
        slots.append(entry.slot);
    }
    const Placement placement = ChooseLocation(slots, capacity);
    if (placement.location == 0)
        return CVelmoraError::Message(TalkgroupMsg::ListFull);
    if (!writer.Write(unit.imei, talkgroup, placement, entries, error))
        return error;
    added = true;
    return CVelmoraError();
}

CTalkgroupManager::AddResult CTalkgroupManager::AddUnits(const Talkgroup& talkgroup, const QList<Unit>& units,
                                                         const Progress& progress) const
{
    AddResult result;
    if (talkgroup.id < MinId || talkgroup.id > MaxId) {
        result.error = CVelmoraError::Message(TalkgroupMsg::NoTalkgroup);
        return result;
    }
    CTransaction transaction(m_db);
    // Many units: every entry of the NAM in one read rather than one query per unit.
    CEntryWriter writer(m_db, talkgroup.nam, units.size() > kReadAllFrom);
    QSet<QString> seen;
    for (int i = 0; i < units.size(); ++i) {
        const Unit& unit = units.at(i);
        if (progress && i % 64 == 0)
            progress(i, int(units.size()));
        const int capacity = m_capacityOf ? m_capacityOf(unit.modelType, unit.releaseId, talkgroup.nam) : 0;
        if ((talkgroup.nam >= 2 && capacity == 0) || unit.imei.isEmpty() || seen.contains(unit.imei)) {
            ++result.skipped;
            continue;
        }
        seen.insert(unit.imei);
        bool added = false;
        result.error = AddToUnit(writer, talkgroup, unit, capacity, added);
        if (result.error) {
            if (result.error.Id() == TalkgroupMsg::ListFull)
                result.fullImei = unit.imei;
            result.added.clear();
            return result;
        }
        if (added)
            result.added.append(unit);
        else
            ++result.skipped;
    }
    if (!transaction.Commit()) {
        result.error = CVelmoraError::Text(transaction.LastError());
        result.added.clear();
        return result;
    }
    if (progress)
        progress(int(units.size()), int(units.size()));
    return result;
}

CVelmoraError CTalkgroupManager::RemoveMembers(const Talkgroup& talkgroup, const QStringList& imeis) const
{
    if (talkgroup.id < MinId)
        return CVelmoraError::Message(TalkgroupMsg::NoTalkgroup);
    CTransaction transaction(m_db);
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("DELETE FROM unit_tg_details WHERE unit_imei_num = ? AND unit_tg_id = ? AND "
                                 "unit_nam = ? AND ") +
                  NameTest(QStringLiteral("unit_tg_name"), talkgroup.name));
    for (const QString& imei : imeis) {
        if (imei.isEmpty())
            continue;
        query.addBindValue(imei);
        query.addBindValue(talkgroup.id);
        query.addBindValue(talkgroup.nam);
        BindName(query, talkgroup.name);
        if (!query.exec())
            return QueryError(query);
    }
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

CVelmoraError CTalkgroupManager::DeleteTalkgroup(const Talkgroup& talkgroup, IVelmoraQuestion& question) const
{
    if (question.Ask(CVelmoraError::Message(TalkgroupMsg::ConfirmDelete, {}, VMT_YESNO)) != IDYES)
        return CVelmoraError::Cancelled();
    CTransaction transaction(m_db);
    QSqlQuery query(m_db);
    // Entries are matched by the name they hold, which older files may hold longer than a phone does.
    const QString& name = talkgroup.name;
    query.prepare(QStringLiteral("DELETE FROM talk_grp_header WHERE tg_id = ? AND unit_nam = ? AND ") +
                  NameTest(QStringLiteral("tg_name"), talkgroup.name));
    query.addBindValue(talkgroup.id);
    query.addBindValue(talkgroup.nam);
    BindName(query, talkgroup.name);
    if (!query.exec())
        return QueryError(query);
    query.prepare(QStringLiteral("DELETE FROM unit_tg_details WHERE unit_tg_id = ? AND unit_nam = ? AND ") +
                  NameTest(QStringLiteral("unit_tg_name"), name));
    query.addBindValue(talkgroup.id);
    query.addBindValue(talkgroup.nam);
    BindName(query, name);
    if (!query.exec())
        return QueryError(query);
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}
