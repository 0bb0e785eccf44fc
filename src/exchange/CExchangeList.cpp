#include "CExchangeList.h"

#include "CConsolidatedRecord.h"
#include "CFleetConnection.h"

#include <QDateTime>
#include <QSqlQuery>

namespace {

// Columns of each list: the table, the name column and the columns of the other identifying values.
struct ListColumns
{
    const char* table;
    const char* name;
    const char* values; // the other identifying columns, in Key order
};

ListColumns ColumnsOf(CExchangeKind kind)
{
    switch (kind) {
    case CExchangeKind::PhoneBook:
        return {"unit_phone_details", "unit_name", "unit_phone_num"};
    case CExchangeKind::Private:
        return {"unit_private_details", "unit_name", "unit_urban_id, unit_fleet_id, unit_member_id"};
    case CExchangeKind::Talkgroups:
        return {"unit_tg_details", "unit_tg_name", "unit_tg_id"};
    case CExchangeKind::Consolidated:
        return {"unit_consolid_call_list", "unit_name", "unit_num, unit_num_type"};
    case CExchangeKind::Status:
        return {"unit_status_msg_list", "unit_msg_text", "unit_msg_id"};
    case CExchangeKind::Scan:
        return {"unit_tg_scan", "unit_tg_alias", "unit_tg_id"};
    }
    return {"", "", ""};
}

QString Joined(const QStringList& parts)
{
    QString key;
    for (const QString& part : parts)
        key += QString::number(part.size()) + QLatin1Char(':') + part; // no separator can be faked
    return key;
}

} // namespace

CExchangeList::CExchangeList(const QSqlDatabase& db, CExchangeKind kind, const QString& imei, int nam,
                             int capacity, Table table)
    : m_db(db), m_kind(kind), m_imei(imei), m_nam(nam), m_capacity(capacity), m_table(table)
{
}

QString CExchangeList::TableName() const
{
    const QString table = QString::fromLatin1(ColumnsOf(m_kind).table);
    return m_table == Table::Twin ? table + QStringLiteral("_tmp") : table;
}

bool CExchangeList::PerNam() const
{
    return m_kind != CExchangeKind::PhoneBook && m_kind != CExchangeKind::Consolidated;
}

QString CExchangeList::LocationColumn() const
{
    return m_kind == CExchangeKind::PhoneBook ? QStringLiteral("unit_speed_dial")
                                              : QStringLiteral("unit_loc_no");
}

QString CExchangeList::StoredName(CExchangeKind kind, const QString& name)
{
    return kind == CExchangeKind::Status ? name : CExchangePlacement::EntryName(name);
}

QString CExchangeList::Key(CExchangeKind kind, const CExchangeEntry& e)
{
    const QString name = StoredName(kind, e.name);
    switch (kind) {
    case CExchangeKind::PhoneBook:
        return Joined({name, e.number});
    case CExchangeKind::Private:
        return Joined({name, QString::number(e.privateId.urban), QString::number(e.privateId.fleet),
                       QString::number(e.privateId.member)});
    case CExchangeKind::Consolidated:
        return Joined({name, e.number, QString::number(e.numType)});
    case CExchangeKind::Talkgroups:
    case CExchangeKind::Status:
    case CExchangeKind::Scan:
        return Joined({name, QString::number(e.id)});
    }
    return QString();
}

CVelmoraError CExchangeList::ExecStatement(const QString& sql, const QVariantList& values)
{
    // A list takes many entries in a row: each statement is prepared once.
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery q(m_db);
        if (!q.prepare(sql))
            return CFleetConnection::Error(q.lastError());
        it = m_statements.insert(sql, q);
    }
    QSqlQuery& q = it.value();
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(int(i), values.at(i));
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    return CVelmoraError();
}

CVelmoraError CExchangeList::Load()
{
    m_keys.clear();
    m_added = 0;
    if (m_kind == CExchangeKind::Consolidated)
        return LoadConsolidated();
    const ListColumns c = ColumnsOf(m_kind);
    QString sql = QStringLiteral("SELECT %1, %2, %3, unit_program_flag FROM %4 WHERE unit_imei_num = ?")
                      .arg(QLatin1String(c.name), QLatin1String(c.values), LocationColumn(), TableName());
    if (PerNam())
        sql += QStringLiteral(" AND unit_nam = ?");
    QSqlQuery q(m_db);
    q.prepare(sql);
    q.addBindValue(m_imei);
    if (PerNam())
        q.addBindValue(m_nam);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    QList<int> used;
    const int valueCount = m_kind == CExchangeKind::Private ? 3 : 1;
    while (q.next()) {
        CExchangeEntry e;
        e.name = q.value(0).toString();
        if (m_kind == CExchangeKind::PhoneBook)
            e.number = q.value(1).toString();
        else if (m_kind == CExchangeKind::Private)
            e.privateId = {q.value(1).toLongLong(), q.value(2).toLongLong(), q.value(3).toLongLong()};
        else
            e.id = q.value(1).toLongLong();
        m_keys.insert(Key(m_kind, e));
        if (q.value(valueCount + 2).toBool())
            used << q.value(valueCount + 1).toInt();
    }
    m_slots = CExchangeSlots(used, m_capacity);
    return CVelmoraError();
}

CVelmoraError CExchangeList::LoadConsolidated()
{
    m_consol.clear();
    m_recNums.clear();
    QSqlQuery q(m_db);
    q.prepare(
        QStringLiteral("SELECT unit_name, unit_num, unit_num_type, unit_nameIndex, unit_rec_num FROM %1 "
                       "WHERE unit_imei_num = ? ORDER BY unit_rec_num")
            .arg(TableName()));
    q.addBindValue(m_imei);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    while (q.next()) {
        CExchangeEntry e;
        e.name = q.value(0).toString();
        e.number = q.value(1).toString();
        e.numType = q.value(2).toInt();
        m_keys.insert(Key(m_kind, e));
        if (q.value(3).toInt() != 0)
            m_consol << CConsolIndexEntry{e.name, e.numType, q.value(3).toInt()};
        m_recNums.insert(q.value(4).toInt());
    }
    return CVelmoraError();
}

void CExchangeList::AddOwnEntry(const CExchangeEntry& entry)
{
    m_keys.insert(Key(m_kind, entry));
}

bool CExchangeList::IsDuplicate(const CExchangeEntry& entry) const
{
    return m_keys.contains(Key(m_kind, entry));
}

bool CExchangeList::IsFull() const
{
    if (m_kind == CExchangeKind::Consolidated)
        return m_recNums.size() >= m_capacity;
    return m_slots.IsFull();
}

CVelmoraError CExchangeList::Add(const CExchangeEntry& entry, Outcome& outcome)
{
    outcome = Outcome::Duplicate;
    if (IsDuplicate(entry))
        return CVelmoraError();
    outcome = Outcome::Full;
    if (m_kind == CExchangeKind::Consolidated)
        return AddConsolidated(entry, outcome);
    if (IsFull())
        return CVelmoraError();
    const int location = m_slots.Take();
    if (location == CExchangePlacement::NoRoom)
        return CVelmoraError();
    if (CVelmoraError error = AddAt(entry, location))
        return error;
    m_keys.insert(Key(m_kind, entry));
    ++m_added;
    outcome = Outcome::Added;
    return CVelmoraError();
}

CVelmoraError CExchangeList::AddAt(const CExchangeEntry& e, int location)
{
    QString remove = QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ? AND %2 = ?")
                         .arg(TableName(), LocationColumn());
    QVariantList keys{m_imei, location};
    if (PerNam()) {
        remove += QStringLiteral(" AND unit_nam = ?");
        keys << m_nam;
    }
    if (CVelmoraError error = ExecStatement(remove, keys))
        return error;
    const QString name = StoredName(m_kind, e.name);
    QString columns;
    QVariantList values;
    switch (m_kind) {
    case CExchangeKind::PhoneBook:
        columns =
            QStringLiteral("unit_speed_dial, unit_phone_num, unit_name, unit_program_flag, unit_language");
        values = {location, e.number, name, e.program, e.language};
        break;
    case CExchangeKind::Private:
        columns =
            QStringLiteral("unit_nam, unit_urban_id, unit_fleet_id, unit_member_id, unit_name, unit_loc_no, "
                           "unit_program_flag, unit_language");
        values = {m_nam, e.privateId.urban, e.privateId.fleet, e.privateId.member,
                  name,  location,          e.program,         e.language};
        break;
    case CExchangeKind::Talkgroups:
        columns = QStringLiteral(
            "unit_nam, unit_tg_id, unit_tg_name, unit_loc_no, unit_program_flag, unit_language");
        values = {m_nam, e.id, name, location, e.program, e.language};
        break;
    case CExchangeKind::Scan:
        columns = QStringLiteral("unit_nam, unit_tg_id, unit_tg_alias, unit_loc_no, unit_program_flag");
        values = {m_nam, e.id, name, location, e.program};
        break;
    case CExchangeKind::Status:
        columns = QStringLiteral("unit_nam, unit_msg_id, unit_msg_text, unit_loc_no, unit_program_flag");
        values = {m_nam, e.id, name, location, e.program};
        break;
    case CExchangeKind::Consolidated:
        return CVelmoraError();
    }
    values.prepend(m_imei);
    QStringList marks;
    for (qsizetype i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    return ExecStatement(QStringLiteral("INSERT INTO %1 (unit_imei_num, %2) VALUES (%3)")
                             .arg(TableName(), columns, marks.join(QStringLiteral(", "))),
                         values);
}

CVelmoraError CExchangeList::AddConsolidated(const CExchangeEntry& e, Outcome& outcome)
{
    if (IsFull())
        return CVelmoraError();
    const QString name = StoredName(m_kind, e.name);
    const int nameIndex = CConsolNameIndex::For(m_consol, name, e.numType);
    if (nameIndex == CConsolNameIndex::NoIndex)
        return CVelmoraError();
    int recNum = 1;
    while (m_recNums.contains(recNum))
        ++recNum;
    const quint32 stamp = CConsolidatedRecord::PhoneMinutes(QDateTime::currentDateTimeUtc());
    const int syncStatus = !name.isEmpty() && !e.number.isEmpty() ? 128 : 0;
    const CVelmoraError error = ExecStatement(
        QStringLiteral(
            "INSERT INTO %1 (unit_imei_num, unit_name, unit_phone_num_len, unit_reserved, unit_tonNP, "
            "unit_num, unit_capabilityID, unit_extnRecID, unit_num_type, unit_language, unit_voiceTag, "
            "unit_timeStamp, unit_syncStatus, unit_tempID, unit_nameIndex, unit_rec_num, unit_NameLang) "
            "VALUES (?, ?, ?, 0, 0, ?, 0, 0, ?, ?, 0, ?, ?, 0, ?, ?, 0)")
            .arg(TableName()),
        {m_imei, name, int(e.number.size()), e.number, e.numType, e.language, qint64(stamp), syncStatus,
         nameIndex, recNum});
    if (error)
        return error;
    m_consol << CConsolIndexEntry{name, e.numType, nameIndex};
    m_recNums.insert(recNum);
    m_keys.insert(Key(m_kind, e));
    ++m_added;
    outcome = Outcome::Added;
    return CVelmoraError();
}
