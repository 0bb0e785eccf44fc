#include "CUnitCascade.h"

#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString Key(const QString& imei)
{
    return imei.isNull() ? QString(QLatin1String("")) : imei;
}

CVelmoraError QueryError(const QSqlQuery& query)
{
    return CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
}

} // namespace

QStringList CUnitCascade::ImeiChangeTables()
{
    return CFleetSchema::ImeiKeyedTables();
}

QStringList CUnitCascade::DeleteTables()
{
    return CFleetSchema::PerUnitTables();
}

CVelmoraError CUnitCascade::ChangeImei(const QSqlDatabase& db, const QString& oldImei, const QString& newImei)
{
    CTransaction transaction(db);
    QSqlQuery query(db);
    for (const QString& table : ImeiChangeTables()) {
        if (!query.prepare(
                QStringLiteral("UPDATE %1 SET unit_imei_num = ? WHERE unit_imei_num = ?").arg(table)))
            return QueryError(query);
        query.addBindValue(Key(newImei));
        query.addBindValue(Key(oldImei));
        if (!query.exec())
            return QueryError(query);
    }
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

CVelmoraError CUnitCascade::DeleteUnits(const QSqlDatabase& db, const QStringList& imeis)
{
    CTransaction transaction(db);
    QSqlQuery query(db);
    for (const QString& table : DeleteTables()) {
        if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table)))
            return QueryError(query);
        for (const QString& imei : imeis) {
            query.addBindValue(Key(imei));
            if (!query.exec())
                return QueryError(query);
        }
    }
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

CVelmoraError CUnitCascade::DeleteUnit(const QSqlDatabase& db, const QString& imei)
{
    return DeleteUnits(db, QStringList{imei});
}
