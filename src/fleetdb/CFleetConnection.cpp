#include "CFleetConnection.h"

#include "FleetMessageIds.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace {

std::atomic<int> g_sequence{0};

// SQLite primary result codes as QSQLITE reports them in nativeErrorCode().
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADb = 26;

int Native(const QSqlError& error)
{
    return error.nativeErrorCode().toInt();
}

} // namespace

CFleetConnection::~CFleetConnection()
{
    Close();
}

QString CFleetConnection::ErrorText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

bool CFleetConnection::IsNotDatabase(const QSqlError& error)
{
    const int code = Native(error);
    return code == kSqliteNotADb || code == kSqliteCorrupt;
}

bool CFleetConnection::IsBusy(const QSqlError& error)
{
    const int code = Native(error);
    return code == kSqliteBusy || code == kSqliteLocked;
}

bool CFleetConnection::IsMissingTable(const QSqlError& error)
{
    return error.databaseText().startsWith(QLatin1String("no such table"));
}

CVelmoraError CFleetConnection::Error(const QSqlError& error)
{
    if (IsNotDatabase(error) || IsMissingTable(error))
        return CVelmoraError::Message(FleetMsg::CannotReadFleet);
    return CVelmoraError::Text(ErrorText(error));
}

QString CFleetConnection::LastErrorText() const
{
    return ErrorText(m_error);
}

bool CFleetConnection::Fail(const QSqlError& error)
{
    m_error = error;
    Close();
    return false;
}

bool CFleetConnection::OpenConnection(const QString& path, bool create)
{
    Close();
    m_error = QSqlError();
    if (!create && !QFileInfo(path).isFile()) {
        m_error =
            QSqlError(QString(), QStringLiteral("%1: no such file").arg(path), QSqlError::ConnectionError);
        return false;
    }
    m_name = QStringLiteral("VELMORA%1").arg(++g_sequence);
    m_path = path;
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(path);
    // One thread works on every connection: waiting for a lock that this same thread holds, or that
    // another program keeps for as long as it has the file open, would only delay the error.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    if (!m_db.open())
        return Fail(m_db.lastError());
    return true;
}

bool CFleetConnection::Create(const QString& path)
{
    return OpenConnection(path, true);
}

bool CFleetConnection::Open(const QString& path, Mode mode)
{
    if (!OpenConnection(path, false))
        return false;
    QSqlError error;
    {
        QSqlQuery query(m_db);
        QStringList statements;
        // The exclusive lock is taken by the first write and then kept until the connection closes.
        if (mode == Mode::Exclusive)
            statements << QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")
                       << QStringLiteral("BEGIN EXCLUSIVE") << QStringLiteral("COMMIT");
        statements << QStringLiteral("SELECT count(*) FROM sqlite_master");
        for (const QString& sql : statements) {
            if (!query.exec(sql)) {
                error = query.lastError();
                break;
            }
        }
    }
    if (!error.isValid())
        error = DropForeignCode();
    return error.isValid() ? Fail(error) : true;
}

QSqlError CFleetConnection::DropForeignCode()
{
    // The fleet schema defines tables and indexes only: a trigger or view in the file came from
    // elsewhere and must not run its own statements on our writes.
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master "
                                   "WHERE type IN ('trigger', 'view') ORDER BY type")))
        return query.lastError();
    QStringList drops;
    while (query.next()) {
        const QString type = query.value(0).toString() == QLatin1String("view") ? QStringLiteral("VIEW")
                                                                                : QStringLiteral("TRIGGER");
        QString name = query.value(1).toString();
        name.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        drops << QStringLiteral("DROP %1 IF EXISTS \"%2\"").arg(type, name);
    }
    query.finish();
    if (drops.isEmpty())
        return QSqlError();
    if (!m_db.transaction())
        return m_db.lastError();
    for (const QString& sql : drops) {
        if (!query.exec(sql)) {
            const QSqlError error = query.lastError();
            m_db.rollback();
            return error;
        }
    }
    return m_db.commit() ? QSqlError() : m_db.lastError();
}

void CFleetConnection::Close()
{
    if (m_name.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

CVelmoraError CFleetConnection::Exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    if (query.prepare(sql)) {
        for (const QVariant& v : values)
            query.addBindValue(v);
        if (query.exec())
            return CVelmoraError();
    }
    return CVelmoraError::Text(ErrorText(query.lastError()));
}
