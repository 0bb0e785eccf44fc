#pragma once

#include <QSqlDatabase>
#include <QString>

// Guard around a multi-statement change: begins at construction, rolls back in the destructor unless
// Commit succeeded. Guards nest (an inner guard is a savepoint of the outer transaction), so a cascade
// can run on its own or inside a bulk copy.
class CTransaction
{
public:
    explicit CTransaction(const QSqlDatabase& db);
    ~CTransaction();
    CTransaction(const CTransaction&) = delete;
    CTransaction& operator=(const CTransaction&) = delete;

    bool IsActive() const { return m_active; }
    bool Commit();
    void Rollback();
    QString LastError() const { return m_error; }

private:
    bool Exec(const QString& sql);

    QSqlDatabase m_db;
    QString m_name;
    bool m_active = false;
    QString m_error;
};
