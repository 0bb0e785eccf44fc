#include "CTmpTwin.h"

#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

namespace {

QString Key(const QString& imei)
{
    return imei.isNull() ? QString(QLatin1String("")) : imei;
}

CVelmoraError NoTwin(const QString& table)
{
    return CVelmoraError::Text(QStringLiteral("%1 has no _tmp twin").arg(table));
}

// Replaces the unit's rows in one table with its rows in the other, in one transaction.
CVelmoraError Replace(const QSqlDatabase& db, const QString& to, const QString& from, const QString& imei)
{
    CTransaction transaction(db);
    if (CVelmoraError error = CFleetConnection::Exec(
            db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(to), {Key(imei)}))
        return error;
    if (CVelmoraError error = CFleetConnection::Exec(
            db, QStringLiteral("INSERT INTO %1 SELECT * FROM %2 WHERE %2.unit_imei_num = ?").arg(to, from),
            {Key(imei)}))
        return error;
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

} // namespace

bool CTmpTwin::HasTwin(const QString& table)
{
    const CFleetTable* t = CFleetSchema::Find(table);
    return t && t->twin && t->name.compare(table, Qt::CaseInsensitive) == 0;
}

CVelmoraError CTmpTwin::CopyToTwin(const QSqlDatabase& db, const QString& table, const QString& imei)
{
    if (!HasTwin(table))
        return NoTwin(table);
    return Replace(db, CFleetSchema::TwinName(table), table, imei);
}

CVelmoraError CTmpTwin::CommitFromTwin(const QSqlDatabase& db, const QString& table, const QString& imei)
{
    if (!HasTwin(table))
        return NoTwin(table);
    return Replace(db, table, CFleetSchema::TwinName(table), imei);
}

CVelmoraError CTmpTwin::ClearTwin(const QSqlDatabase& db, const QString& table)
{
    if (!HasTwin(table))
        return NoTwin(table);
    return CFleetConnection::Exec(db, QStringLiteral("DELETE FROM %1").arg(CFleetSchema::TwinName(table)),
                                  {});
}
