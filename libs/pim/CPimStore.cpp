#include "CPimStore.h"

#include "PimMessageIds.h"
#include "PimSchemaSql.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> g_sequence{0};

const char kTimeFormat[] = "yyyy-MM-ddTHH:mm:ss";

QString ErrorText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

CVelmoraError SqlError(const QSqlError& error)
{
    return CVelmoraError::Text(ErrorText(error));
}

// Text columns are NOT NULL: a null QString is stored as an empty text.
QString NotNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void SetError(CVelmoraError* out, const CVelmoraError& error)
{
    if (out)
        *out = error;
}

// Wall-clock text of a time, in the form that sorts as text the way the times sort.
QString TimeText(const QDateTime& time)
{
    return time.toLocalTime().toString(QLatin1String(kTimeFormat));
}

QDateTime TimeFromText(const QString& text)
{
    return QDateTime::fromString(text, QLatin1String(kTimeFormat));
}

// The schema text as separate statements (it holds no semicolons inside literals).
QStringList SchemaStatements()
{
    QStringList statements;
    QStringList lines;
    for (const QString& line : QString::fromUtf8(kPimSchemaSql).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            lines << line;
    for (const QString& part : lines.join(QLatin1Char('\n')).split(QLatin1Char(';')))
        if (!part.trimmed().isEmpty())
            statements << part.trimmed();
    return statements;
}

bool HasSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray magic("SQLite format 3\0", 16);
    return file.read(16) == magic;
}

// Rolls back unless committed: every change of the store is one transaction.
class CPimTransaction
{
public:
    explicit CPimTransaction(QSqlDatabase db) : m_db(std::move(db)) { m_active = m_db.transaction(); }
    ~CPimTransaction()
    {
        if (m_active)
            m_db.rollback();
    }
    CPimTransaction(const CPimTransaction&) = delete;
    CPimTransaction& operator=(const CPimTransaction&) = delete;

    bool IsActive() const { return m_active; }
    QSqlError Commit()
    {
        if (!m_db.commit())
            return m_db.lastError();
        m_active = false;
        return QSqlError();
    }

private:
    QSqlDatabase m_db;
    bool m_active = false;
};

const char kContactCheck[] =
    "SELECT contact_id, name, company, email, address, note FROM pim_contact LIMIT 0";
const char kNumberCheck[] =
    "SELECT number_id, contact_id, position, kind, number FROM pim_contact_number LIMIT 0";
const char kEventCheck[] =
    "SELECT event_id, title, start_time, end_time, all_day, location, note, reminder_minutes "
    "FROM pim_event LIMIT 0";

// A program killed in the middle of a change leaves a hot journal beside the file; a read-only
// connection cannot play it back, so a writable SQLite file with one is first opened for writing, which
// restores the file to its last committed state.
void RecoverHotJournal(const QString& path)
{
    if (QFileInfo(path + QStringLiteral("-journal")).size() <= 0 || !QFileInfo(path).isWritable())
        return;
    const QString name = QStringLiteral("VELMORAPIM_RECOVER%1").arg(++g_sequence);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Checks an existing file through a read-only connection: the PIM tables and a schema version we read.
CVelmoraError CheckPimFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return CVelmoraError::Message(PimMsg::PimFileMissing, {QDir::toNativeSeparators(path)});
    if (!info.isFile() || !HasSqliteHeader(path))
        return CVelmoraError::Message(PimMsg::NotPimFile, {QDir::toNativeSeparators(path)});
    RecoverHotJournal(path);
    const QString name = QStringLiteral("VELMORAPIM_CHECK%1").arg(++g_sequence);
    CVelmoraError result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            result = CVelmoraError::Message(PimMsg::NotPimFile, {QDir::toNativeSeparators(path)});
        } else {
            QSqlQuery query(db);
            int version = -1;
            if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
                version = query.value(0).toInt();
            int tables = 0;
            if (version >= 0 &&
                query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                                          "AND name IN ('pim_contact', 'pim_contact_number', "
                                          "'pim_event')")) &&
                query.next())
                tables = query.value(0).toInt();
            // Every column this program reads must be there (a file with tables of these names but
            // another layout is not ours either).
            for (const char* sql : {kContactCheck, kNumberCheck, kEventCheck})
                if (tables == 3 && !query.exec(QLatin1String(sql)))
                    tables = -1;
            if (version > CPimStore::SchemaVersion)
                result = CVelmoraError::Message(PimMsg::PimFileNewer, {QDir::toNativeSeparators(path)});
            else if (version < 1 || tables != 3)
                result = CVelmoraError::Message(PimMsg::NotPimFile, {QDir::toNativeSeparators(path)});
            query.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

CPimStore::CPimStore(const QString& path, const QString& connection, bool readOnly)
    : m_path(path), m_connection(connection), m_readOnly(readOnly)
{
}

CPimStore::~CPimStore()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool CPimStore::IsPimDatabase(const QString& path)
{
    return !CheckPimFile(path).IsError();
}

std::unique_ptr<CPimStore> CPimStore::Open(const QString& path, CVelmoraError* error)
{
    SetError(error, CVelmoraError());
    const CVelmoraError check = CheckPimFile(path);
    if (check.IsError()) {
        SetError(error, check);
        return nullptr;
    }
    const bool readOnly = !QFileInfo(path).isWritable();
    const QString name = QStringLiteral("VELMORAPIM%1").arg(++g_sequence);
    QSqlError failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        // Without CREATE: a file that vanished since the check is not made anew.
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            failure = db.lastError();
        } else {
            // A rollback journal synced in full: a killed program leaves either the old or the new row.
            QSqlQuery query(db);
            for (const char* sql : {"PRAGMA synchronous = FULL", "PRAGMA foreign_keys = ON"})
                if (!query.exec(QLatin1String(sql)))
                    failure = query.lastError();
        }
        if (failure.isValid())
            db.close();
    }
    if (failure.isValid()) {
        QSqlDatabase::removeDatabase(name);
        SetError(error, CVelmoraError::Message(PimMsg::NotPimFile, {QDir::toNativeSeparators(path)}));
        return nullptr;
    }
    return std::unique_ptr<CPimStore>(new CPimStore(path, name, readOnly));
}

CVelmoraError CPimStore::CreateEmpty(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo::exists(path))
        return CVelmoraError::Message(PimMsg::PimFileExists, {shown});
    // Built beside the target under a temporary name and renamed into place once complete.
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(true);
    if (!temp.open())
        return CVelmoraError::Message(PimMsg::PimFileCreateFailed, {shown, temp.errorString()});
    temp.close();
    const QString name = QStringLiteral("VELMORAPIM_NEW%1").arg(++g_sequence);
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(temp.fileName());
        if (!db.open()) {
            failure = ErrorText(db.lastError());
        } else {
            QSqlQuery query(db);
            query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
            if (!db.transaction())
                failure = ErrorText(db.lastError());
            for (const QString& sql : SchemaStatements()) {
                if (failure.isEmpty() && !query.exec(sql))
                    failure = ErrorText(query.lastError());
            }
            query.finish();
            if (failure.isEmpty() && !db.commit())
                failure = ErrorText(db.lastError());
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (failure.isEmpty() && !QFile::rename(temp.fileName(), path))
        failure = QStringLiteral("rename failed");
    if (!failure.isEmpty())
        return CVelmoraError::Message(PimMsg::PimFileCreateFailed, {shown, failure});
    temp.setAutoRemove(false);
    return CVelmoraError();
}

namespace {

CPimContact ContactFromRow(const QSqlQuery& query)
{
    CPimContact contact;
    contact.id = query.value(0).toLongLong();
    contact.name = query.value(1).toString();
    contact.company = query.value(2).toString();
    contact.email = query.value(3).toString();
    contact.address = query.value(4).toString();
    contact.note = query.value(5).toString();
    return contact;
}

CPimEvent EventFromRow(const QSqlQuery& query)
{
    CPimEvent event;
    event.id = query.value(0).toLongLong();
    event.title = query.value(1).toString();
    event.start = TimeFromText(query.value(2).toString());
    event.end = TimeFromText(query.value(3).toString());
    event.allDay = query.value(4).toInt() != 0;
    event.location = query.value(5).toString();
    event.note = query.value(6).toString();
    event.reminderMinutes = query.value(7).toInt();
    return event;
}

const char kContactColumns[] = "SELECT contact_id, name, company, email, address, note FROM pim_contact";
const char kEventColumns[] = "SELECT event_id, title, start_time, end_time, all_day, location, note, "
                             "reminder_minutes FROM pim_event";

// Reads the numbers of the contacts in byId (all of them when contactId is 0).
QSqlError LoadNumbers(QSqlDatabase db, QHash<qint64, CPimContact*>& byId, qint64 contactId)
{
    QSqlQuery query(db);
    query.prepare(contactId ? QStringLiteral("SELECT contact_id, kind, number FROM pim_contact_number "
                                             "WHERE contact_id = :id ORDER BY contact_id, position")
                            : QStringLiteral("SELECT contact_id, kind, number FROM pim_contact_number "
                                             "ORDER BY contact_id, position"));
    if (contactId)
        query.bindValue(QStringLiteral(":id"), contactId);
    if (!query.exec())
        return query.lastError();
    while (query.next()) {
        CPimContact* contact = byId.value(query.value(0).toLongLong());
        if (contact)
            contact->numbers.append({query.value(1).toInt(), query.value(2).toString()});
    }
    return QSqlError();
}

} // namespace

QList<CPimContact> CPimStore::Contacts(CVelmoraError* error) const
{
    SetError(error, CVelmoraError());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QList<CPimContact> contacts;
    QSqlQuery query(db);
    if (!query.exec(QLatin1String(kContactColumns))) {
        SetError(error, SqlError(query.lastError()));
        return {};
    }
    while (query.next())
        contacts.append(ContactFromRow(query));
    query.finish();
    QHash<qint64, CPimContact*> byId;
    for (CPimContact& contact : contacts)
        byId.insert(contact.id, &contact);
    const QSqlError failure = LoadNumbers(db, byId, 0);
    if (failure.isValid()) {
        SetError(error, SqlError(failure));
        return {};
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(contacts.begin(), contacts.end(), [&](const CPimContact& a, const CPimContact& b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.id < b.id;
    });
    return contacts;
}

std::optional<CPimContact> CPimStore::ContactById(qint64 id, CVelmoraError* error) const
{
    SetError(error, CVelmoraError());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QLatin1String(kContactColumns) + QStringLiteral(" WHERE contact_id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec()) {
        SetError(error, SqlError(query.lastError()));
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    CPimContact contact = ContactFromRow(query);
    query.finish();
    QHash<qint64, CPimContact*> byId{{contact.id, &contact}};
    const QSqlError failure = LoadNumbers(db, byId, id);
    if (failure.isValid()) {
        SetError(error, SqlError(failure));
        return std::nullopt;
    }
    return contact;
}

CVelmoraError CPimStore::SaveContact(CPimContact& contact)
{
    if (contact.name.trimmed().isEmpty())
        return CVelmoraError::Message(PimMsg::ContactNameEmpty);
    if (m_readOnly)
        return CVelmoraError::Message(PimMsg::PimFileReadOnly, {QDir::toNativeSeparators(m_path)});
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    CPimTransaction transaction(db);
    if (!transaction.IsActive())
        return SqlError(db.lastError());
    QSqlQuery query(db);
    query.prepare(contact.id == 0
                      ? QStringLiteral("INSERT INTO pim_contact (name, company, email, address, note) "
                                       "VALUES (:name, :company, :email, :address, :note)")
                      : QStringLiteral("UPDATE pim_contact SET name = :name, company = :company, "
                                       "email = :email, address = :address, note = :note "
                                       "WHERE contact_id = :id"));
    query.bindValue(QStringLiteral(":name"), NotNull(contact.name));
    query.bindValue(QStringLiteral(":company"), NotNull(contact.company));
    query.bindValue(QStringLiteral(":email"), NotNull(contact.email));
    query.bindValue(QStringLiteral(":address"), NotNull(contact.address));
    query.bindValue(QStringLiteral(":note"), NotNull(contact.note));
    if (contact.id != 0)
        query.bindValue(QStringLiteral(":id"), contact.id);
    if (!query.exec())
        return SqlError(query.lastError());
    if (contact.id != 0 && query.numRowsAffected() != 1)
        return CVelmoraError::Message(PimMsg::ContactGone, {contact.name});
    const qint64 id = contact.id != 0 ? contact.id : query.lastInsertId().toLongLong();
    query.prepare(QStringLiteral("DELETE FROM pim_contact_number WHERE contact_id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return SqlError(query.lastError());
    query.prepare(QStringLiteral("INSERT INTO pim_contact_number (contact_id, position, kind, number) "
                                 "VALUES (:id, :position, :kind, :number)"));
    int position = 0;
    for (const CPimNumber& number : contact.numbers) {
        if (number.number.trimmed().isEmpty())
            continue;
        query.bindValue(QStringLiteral(":id"), id);
        query.bindValue(QStringLiteral(":position"), position++);
        query.bindValue(QStringLiteral(":kind"), number.kind);
        query.bindValue(QStringLiteral(":number"), number.number.trimmed());
        if (!query.exec())
            return SqlError(query.lastError());
    }
    query.finish();
    const QSqlError failure = transaction.Commit();
    if (failure.isValid())
        return SqlError(failure);
    contact.id = id;
    // What is stored: numbers without blank rows.
    contact.numbers.erase(std::remove_if(contact.numbers.begin(), contact.numbers.end(),
                                         [](CPimNumber& n) {
                                             n.number = n.number.trimmed();
                                             return n.number.isEmpty();
                                         }),
                          contact.numbers.end());
    Q_EMIT contactsChanged();
    return CVelmoraError();
}

CVelmoraError CPimStore::DeleteContact(qint64 id)
{
    if (m_readOnly)
        return CVelmoraError::Message(PimMsg::PimFileReadOnly, {QDir::toNativeSeparators(m_path)});
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    CPimTransaction transaction(db);
    if (!transaction.IsActive())
        return SqlError(db.lastError());
    QSqlQuery query(db);
    for (const char* sql : {"DELETE FROM pim_contact_number WHERE contact_id = :id",
                            "DELETE FROM pim_contact WHERE contact_id = :id"}) {
        query.prepare(QLatin1String(sql));
        query.bindValue(QStringLiteral(":id"), id);
        if (!query.exec())
            return SqlError(query.lastError());
    }
    const bool deleted = query.numRowsAffected() > 0;
    query.finish();
    const QSqlError failure = transaction.Commit();
    if (failure.isValid())
        return SqlError(failure);
    if (deleted)
        Q_EMIT contactsChanged();
    return CVelmoraError();
}

QList<CPimEvent> CPimStore::Events(const QDateTime& from, const QDateTime& to, CVelmoraError* error) const
{
    SetError(error, CVelmoraError());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QLatin1String(kEventColumns) +
                  QStringLiteral(" WHERE start_time < :to AND (end_time > :from OR start_time >= :from) "
                                 "ORDER BY start_time, event_id"));
    query.bindValue(QStringLiteral(":from"), TimeText(from));
    query.bindValue(QStringLiteral(":to"), TimeText(to));
    if (!query.exec()) {
        SetError(error, SqlError(query.lastError()));
        return {};
    }
    QList<CPimEvent> events;
    while (query.next())
        events.append(EventFromRow(query));
    return events;
}

std::optional<CPimEvent> CPimStore::EventById(qint64 id, CVelmoraError* error) const
{
    SetError(error, CVelmoraError());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QLatin1String(kEventColumns) + QStringLiteral(" WHERE event_id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec()) {
        SetError(error, SqlError(query.lastError()));
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return EventFromRow(query);
}

CVelmoraError CPimStore::SaveEvent(CPimEvent& event)
{
    if (event.title.trimmed().isEmpty())
        return CVelmoraError::Message(PimMsg::EventTitleEmpty);
    if (!event.start.isValid() || (event.end.isValid() && event.end < event.start))
        return CVelmoraError::Message(PimMsg::EventTimesInvalid);
    if (m_readOnly)
        return CVelmoraError::Message(PimMsg::PimFileReadOnly, {QDir::toNativeSeparators(m_path)});
    const QDateTime end = event.end.isValid() ? event.end : event.start;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(
        event.id == 0
            ? QStringLiteral("INSERT INTO pim_event (title, start_time, end_time, all_day, location, note, "
                             "reminder_minutes) VALUES (:title, :start, :end, :allDay, :location, :note, "
                             ":reminder)")
            : QStringLiteral("UPDATE pim_event SET title = :title, start_time = :start, end_time = :end, "
                             "all_day = :allDay, location = :location, note = :note, "
                             "reminder_minutes = :reminder WHERE event_id = :id"));
    query.bindValue(QStringLiteral(":title"), NotNull(event.title));
    query.bindValue(QStringLiteral(":start"), TimeText(event.start));
    query.bindValue(QStringLiteral(":end"), TimeText(end));
    query.bindValue(QStringLiteral(":allDay"), event.allDay ? 1 : 0);
    query.bindValue(QStringLiteral(":location"), NotNull(event.location));
    query.bindValue(QStringLiteral(":note"), NotNull(event.note));
    query.bindValue(QStringLiteral(":reminder"), event.reminderMinutes < 0 ? -1 : event.reminderMinutes);
    if (event.id != 0)
        query.bindValue(QStringLiteral(":id"), event.id);
    if (!query.exec())
        return SqlError(query.lastError());
    if (event.id != 0 && query.numRowsAffected() != 1)
        return CVelmoraError::Message(PimMsg::EventGone, {event.title});
    if (event.id == 0)
        event.id = query.lastInsertId().toLongLong();
    // What is stored: whole seconds, wall-clock time.
    event.start = TimeFromText(TimeText(event.start));
    event.end = TimeFromText(TimeText(end));
    if (event.reminderMinutes < 0)
        event.reminderMinutes = -1;
    Q_EMIT eventsChanged();
    return CVelmoraError();
}

CVelmoraError CPimStore::DeleteEvent(qint64 id)
{
    if (m_readOnly)
        return CVelmoraError::Message(PimMsg::PimFileReadOnly, {QDir::toNativeSeparators(m_path)});
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM pim_event WHERE event_id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return SqlError(query.lastError());
    if (query.numRowsAffected() > 0)
        Q_EMIT eventsChanged();
    return CVelmoraError();
}
