#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace {
std::atomic<int> g_sequence{0};
}

CTransaction::CTransaction(const QSqlDatabase& db)
    : m_db(db), m_name(QStringLiteral("velmora_tx_%1").arg(++g_sequence))
{
    // A savepoint outside a transaction starts one; inside, it nests.
    m_active = Exec(QStringLiteral("SAVEPOINT ") + m_name);
}

CTransaction::~CTransaction()
{
    Rollback();
}

bool CTransaction::Exec(const QString& sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql)) {
        m_error = query.lastError().text();
        return false;
    }
    return true;
}

bool CTransaction::Commit()
{
    if (!m_active)
        return false;
    if (!Exec(QStringLiteral("RELEASE ") + m_name))
        return false;
    m_active = false;
    return true;
}

void CTransaction::Rollback()
{
    if (!m_active)
        return;
    m_active = false;
    Exec(QStringLiteral("ROLLBACK TO ") + m_name);
    Exec(QStringLiteral("RELEASE ") + m_name);
}
