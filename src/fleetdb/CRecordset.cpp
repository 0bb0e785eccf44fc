#include "CRecordset.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QVariant Read(const CRecordset* /*unused*/,
              const std::variant<QString*, int*, bool*, qint64*, double*, QDateTime*, QByteArray*>& member)
{
    return std::visit([](auto* p) { return QVariant::fromValue(*p); }, member);
}

template <typename T> void Assign(T* p, const QVariant& v)
{
    *p = v.isNull() ? T() : v.value<T>();
}

// A text member is never NULL in the database: an empty text is stored, and matched, as ''.
QVariant Bindable(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::QString && v.toString().isNull())
        return QVariant(QString(QLatin1String("")));
    return v;
}

// The table a SELECT reads first ("... FROM [table] ..."), without brackets or quotes.
QString FirstFromTable(const QString& sql)
{
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+[\\[\"`]?([A-Za-z0-9_]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = from.match(sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

// Column names go into SQL quoted, so a column named like a keyword ("Index") works.
QString Quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

CRecordset::CRecordset(const QSqlDatabase& db) : m_db(db) {}

void CRecordset::Bind(const char* column, Member member, bool counter)
{
    m_fields.push_back(Field{QString::fromLatin1(column), member, counter});
}

void CRecordset::Bind(const QString& column, Member member, bool counter)
{
    m_fields.push_back(Field{column, member, counter});
}

void CRecordset::InitMembers()
{
    for (Field& f : m_fields)
        std::visit([](auto* p) { *p = std::remove_pointer_t<decltype(p)>(); }, f.member);
}

bool CRecordset::Fail(const QSqlError& error)
{
    m_error = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    m_nativeError = error.nativeErrorCode().toInt();
    return false;
}

bool CRecordset::Open(const QString& filter, const QVariantList& values, const QString& orderBy)
{
    // Named explicitly: SQLite reports a plain "rowid" under the name of an INTEGER PRIMARY KEY
    // column that aliases it, and the rows would not be editable.
    QStringList columns{QStringLiteral("rowid AS rowid")};
    for (const Field& f : m_fields)
        columns << Quoted(f.name);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), Table());
    if (!filter.isEmpty())
        sql += QStringLiteral(" WHERE ") + filter;
    if (!orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy;
    return Run(sql, values);
}

bool CRecordset::OpenSql(const QString& sql, const QVariantList& values)
{
    const QString table = FirstFromTable(sql);
    if (table.compare(TableName(), Qt::CaseInsensitive) == 0)
        m_table.clear();
    else if (table.compare(TableName() + QStringLiteral("_tmp"), Qt::CaseInsensitive) == 0)
        m_table = table;
    return Run(sql, values);
}

bool CRecordset::Requery()
{
    return !m_lastSql.isEmpty() && Run(m_lastSql, m_lastValues);
}

bool CRecordset::Run(const QString& sql, const QVariantList& values)
{
    Close();
    m_lastSql = sql;
    m_lastValues = values;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return Fail(query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(Bindable(v));
    if (!query.exec())
        return Fail(query.lastError());
    const QSqlRecord record = query.record();
    const int rowidIndex = record.indexOf(QStringLiteral("rowid"));
    m_hasRowId = rowidIndex >= 0;
    std::vector<int> indexes;
    for (const Field& f : m_fields)
        indexes.push_back(record.indexOf(f.name));
    while (query.next()) {
        Row row;
        if (m_hasRowId)
            row.rowid = query.value(rowidIndex).toLongLong();
        row.values.reserve(int(indexes.size()));
        for (int index : indexes)
            row.values << (index >= 0 ? query.value(index) : QVariant());
        m_rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        return Fail(query.lastError());
    m_open = true;
    m_error.clear();
    m_nativeError = 0;
    m_pos = 0;
    Load();
    return true;
}

void CRecordset::Close()
{
    m_rows.clear();
    m_deletedCurrent = false;
    m_pos = -1;
    m_open = false;
    m_mode = Mode::None;
}

void CRecordset::Load()
{
    if (m_pos < 0 || m_pos >= int(m_rows.size())) {
        InitMembers();
        return;
    }
    const QVariantList& values = m_rows[size_t(m_pos)].values;
    for (size_t i = 0; i < m_fields.size(); ++i)
        std::visit([&](auto* p) { Assign(p, values.at(int(i))); }, m_fields[i].member);
}

void CRecordset::Store(QVariantList& values) const
{
    values.clear();
    for (const Field& f : m_fields)
        values << Read(this, f.member);
}

void CRecordset::MoveFirst()
{
    m_mode = Mode::None;
    m_deletedCurrent = false;
    m_pos = 0;
    Load();
}

void CRecordset::MoveNext()
{
    m_mode = Mode::None;
    // After Delete the position already names the next row.
    if (m_deletedCurrent)
        m_deletedCurrent = false;
    else if (m_pos < int(m_rows.size()))
        ++m_pos;
    Load();
}

void CRecordset::MovePrev()
{
    m_mode = Mode::None;
    m_deletedCurrent = false;
    if (m_pos >= 0)
        --m_pos;
    Load();
}

void CRecordset::MoveLast()
{
    m_mode = Mode::None;
    m_deletedCurrent = false;
    m_pos = int(m_rows.size()) - 1;
    if (m_pos < 0)
        m_pos = 0;
    Load();
}

void CRecordset::SetAbsolutePosition(int pos)
{
    m_mode = Mode::None;
    m_deletedCurrent = false;
    m_pos = qBound(0, pos, int(m_rows.size()));
    Load();
}

int CRecordset::CountRecords()
{
    if (IsEOF())
        return 0;
    MoveLast();
    const int count = GetRecordCount();
    if (count != 0)
        MoveFirst();
    return count;
}

void CRecordset::AddNew()
{
    InitMembers();
    m_mode = Mode::Add;
}

void CRecordset::Edit()
{
    if (!IsEOF() && !IsBOF())
        m_mode = Mode::Edit;
}

void CRecordset::CancelUpdate()
{
    m_mode = Mode::None;
    Load();
}

bool CRecordset::Update()
{
    if (m_mode == Mode::None) {
        m_error = QStringLiteral("Update without AddNew or Edit");
        return false;
    }
    QSqlQuery query(m_db);
    QVariantList values;
    Store(values);
    if (m_mode == Mode::Add) {
        QStringList names;
        QStringList marks;
        QVariantList bound;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            // A counter left at 0 is filled by the database.
            if (m_fields[i].counter && values.at(int(i)).toLongLong() == 0)
                continue;
            names << Quoted(m_fields[i].name);
            marks << QStringLiteral("?");
            bound << Bindable(values.at(int(i)));
        }
        const QString sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(Table(), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        if (!query.prepare(sql))
            return Fail(query.lastError());
        for (const QVariant& v : bound)
            query.addBindValue(v);
        if (!query.exec())
            return Fail(query.lastError());
        Row row;
        row.rowid = query.lastInsertId().toLongLong();
        // Read the row back so counters and database defaults show in the members.
        QSqlQuery back(m_db);
        QStringList columns;
        for (const Field& f : m_fields)
            columns << Quoted(f.name);
        back.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                         .arg(columns.join(QStringLiteral(", ")), Table()));
        back.addBindValue(row.rowid);
        if (back.exec() && back.next()) {
            for (int i = 0; i < int(m_fields.size()); ++i)
                row.values << back.value(i);
        } else {
            row.values = values;
        }
        m_rows.push_back(std::move(row));
        m_hasRowId = true;
        m_open = true;
        m_mode = Mode::None;
        // Like a dynaset, the current record stays where it was before AddNew.
        Load();
        return true;
    }
    if (!m_hasRowId || IsEOF()) {
        m_error = QStringLiteral("the current row cannot be edited");
        return false;
    }
    QStringList sets;
    for (const Field& f : m_fields)
        sets << Quoted(f.name) + QStringLiteral(" = ?");
    if (!query.prepare(
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(Table(), sets.join(QStringLiteral(", ")))))
        return Fail(query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(Bindable(v));
    query.addBindValue(m_rows[size_t(m_pos)].rowid);
    if (!query.exec())
        return Fail(query.lastError());
    m_rows[size_t(m_pos)].values = values;
    m_mode = Mode::None;
    return true;
}

bool CRecordset::Delete()
{
    if (!m_hasRowId || IsEOF() || IsBOF()) {
        m_error = QStringLiteral("no current row to delete");
        return false;
    }
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Table())))
        return Fail(query.lastError());
    query.addBindValue(m_rows[size_t(m_pos)].rowid);
    if (!query.exec())
        return Fail(query.lastError());
    m_rows.erase(m_rows.begin() + m_pos);
    m_mode = Mode::None;
    m_deletedCurrent = true;
    Load();
    return true;
}

QVariant CRecordset::FieldValue(int index) const
{
    if (index < 0 || index >= int(m_fields.size()))
        return QVariant();
    return Read(this, m_fields[size_t(index)].member);
}

bool CRecordset::SetFieldValue(int index, const QVariant& value)
{
    if (index < 0 || index >= int(m_fields.size()))
        return false;
    std::visit([&](auto* p) { Assign(p, value); }, m_fields[size_t(index)].member);
    return true;
}

int CRecordset::FieldIndex(const QString& name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

qint64 CRecordset::RowId() const
{
    return IsEOF() || IsBOF() ? -1 : m_rows[size_t(m_pos)].rowid;
}
