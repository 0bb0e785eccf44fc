#include "CTmpTwin.h"

#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

namespace {

bool Run(const QSqlDatabase& db, const QString& sql, const QVariantList& values, QString* error)
{
    QSqlQuery query(db);
    if (query.prepare(sql)) {
        for (const QVariant& v : values)
            query.addBindValue(v);
        if (query.exec())
            return true;
    }
    if (error)
        *error = CFleetConnection::ErrorText(query.lastError());
    return false;
}

QString Key(const QString& imei)
{
    return imei.isNull() ? QString(QLatin1String("")) : imei;
}

} // namespace

bool CTmpTwin::HasTwin(const QString& table)
{
    const CFleetTable* t = CFleetSchema::Find(table);
    return t && t->twin && t->name.compare(table, Qt::CaseInsensitive) == 0;
}

bool CTmpTwin::CopyToTwin(const QSqlDatabase& db, const QString& table, const QString& imei, QString* error)
{
    if (!HasTwin(table)) {
        if (error)
            *error = QStringLiteral("%1 has no _tmp twin").arg(table);
        return false;
    }
    const QString twin = CFleetSchema::TwinName(table);
    CTransaction transaction(db);
    if (!Run(db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(twin), {Key(imei)}, error) ||
        !Run(db,
             QStringLiteral("INSERT INTO %1 SELECT * FROM %2 WHERE %2.unit_imei_num = ?").arg(twin, table),
             {Key(imei)}, error))
        return false;
    if (!transaction.Commit()) {
        if (error)
            *error = transaction.LastError();
        return false;
    }
    return true;
}

bool CTmpTwin::CommitFromTwin(const QSqlDatabase& db, const QString& table, const QString& imei,
                              QString* error)
{
    if (!HasTwin(table)) {
        if (error)
            *error = QStringLiteral("%1 has no _tmp twin").arg(table);
        return false;
    }
    const QString twin = CFleetSchema::TwinName(table);
    CTransaction transaction(db);
    if (!Run(db, QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table), {Key(imei)}, error) ||
        !Run(db, QStringLiteral("INSERT INTO %1 SELECT * FROM %2 WHERE unit_imei_num = ?").arg(table, twin),
             {Key(imei)}, error))
        return false;
    if (!transaction.Commit()) {
        if (error)
            *error = transaction.LastError();
        return false;
    }
    return true;
}

bool CTmpTwin::ClearTwin(const QSqlDatabase& db, const QString& table, QString* error)
{
    if (!HasTwin(table)) {
        if (error)
            *error = QStringLiteral("%1 has no _tmp twin").arg(table);
        return false;
    }
    return Run(db, QStringLiteral("DELETE FROM %1").arg(CFleetSchema::TwinName(table)), {}, error);
}
