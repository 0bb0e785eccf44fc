#include "CUnitListTwin.h"

#include "CFleetConnection.h"
#include "CFleetSchema.h"
#include "CRecordset.h"
#include "CTmpTwin.h"
#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString kImeiColumn = QStringLiteral("unit_imei_num");

} // namespace

CUnitListTwin::CUnitListTwin(const QSqlDatabase& db, const QString& table, const QString& imei)
    : m_db(db), m_table(table), m_imei(imei.isNull() ? QString(QLatin1String("")) : imei)
{
}

CUnitListTwin::~CUnitListTwin()
{
    // A page that goes without OK or Cancel leaves no copy behind.
    if (m_open && m_db.isOpen())
        Close();
}

QString CUnitListTwin::TwinTable() const
{
    return CFleetSchema::TwinName(m_table);
}

bool CUnitListTwin::Filter(const CUnitListKey& key, QString& filter, QVariantList& values,
                           CVelmoraError& error) const
{
    if (!CTmpTwin::HasTwin(m_table)) {
        error = CVelmoraError::Text(QStringLiteral("%1 has no _tmp twin").arg(m_table));
        return false;
    }
    filter = kImeiColumn + QStringLiteral(" = ?");
    values = {m_imei};
    if (key.IsSet()) {
        // The column is a name, not a value: it must be one of the table's own.
        const CFleetTable* table = CFleetSchema::Find(m_table);
        if (!table || table->ColumnIndex(key.column) < 0) {
            error = CVelmoraError::Text(QStringLiteral("%1 has no column %2").arg(m_table, key.column));
            return false;
        }
        filter += QStringLiteral(" AND ") + CFleetSchema::Quote(key.column) + QStringLiteral(" = ?");
        values << key.value;
    }
    return true;
}

CVelmoraError CUnitListTwin::Open()
{
    if (CVelmoraError error = CTmpTwin::CopyToTwin(m_db, m_table, m_imei))
        return error;
    m_open = true;
    return CVelmoraError();
}

CVelmoraError CUnitListTwin::Load(CRecordset& record, const CUnitListKey& key, const QString& orderBy) const
{
    QString filter;
    QVariantList values;
    CVelmoraError error;
    if (!Filter(key, filter, values, error))
        return error;
    record.SetDatabase(m_db);
    record.UseTable(TwinTable());
    if (!record.Open(filter, values, orderBy))
        return CVelmoraError::Text(record.LastError());
    return CVelmoraError();
}

CUnitListWriteResult CUnitListTwin::WriteBack(CRecordset& record, int rowCount, const RowFiller& fill,
                                              const CUnitListKey& key)
{
    CUnitListWriteResult result;
    QString filter;
    QVariantList values;
    if (!Filter(key, filter, values, result.error))
        return result;
    CTransaction transaction(m_db);
    if (!transaction.IsActive()) {
        result.error = CVelmoraError::Text(transaction.LastError());
        return result;
    }
    result.error = CFleetConnection::Exec(
        m_db, QStringLiteral("DELETE FROM %1 WHERE %2").arg(TwinTable(), filter), values);
    if (result.error)
        return result;
    record.SetDatabase(m_db);
    record.UseTable(TwinTable());
    const int imeiField = record.FieldIndex(kImeiColumn);
    const int keyField = key.IsSet() ? record.FieldIndex(key.column) : -1;
    for (int row = 0; row < rowCount; ++row) {
        record.AddNew();
        bool write = true;
        CVelmoraError error = fill ? fill(row, record, write) : CVelmoraError();
        if (error.Stops()) {
            // The rows written so far stay; the page keeps its grid and says why.
            record.CancelUpdate();
            result.error = error;
            result.failedRow = row;
            break;
        }
        if (!write) {
            record.CancelUpdate();
            continue;
        }
        record.SetFieldValue(imeiField, m_imei);
        if (keyField >= 0)
            record.SetFieldValue(keyField, key.value);
        if (!record.Update()) {
            result.error = CVelmoraError::Text(record.LastError());
            result.failedRow = row;
            return result; // the guard takes the write-back back
        }
        ++result.written;
    }
    if (!transaction.Commit()) {
        result.error = CVelmoraError::Text(transaction.LastError());
        result.written = 0;
    }
    return result;
}

CVelmoraError CUnitListTwin::ClearRows(const CUnitListKey& key)
{
    QString filter;
    QVariantList values;
    CVelmoraError error;
    if (!Filter(key, filter, values, error))
        return error;
    return CFleetConnection::Exec(m_db, QStringLiteral("DELETE FROM %1 WHERE %2").arg(TwinTable(), filter),
                                  values);
}

CVelmoraError CUnitListTwin::Commit()
{
    return CTmpTwin::CommitFromTwin(m_db, m_table, m_imei);
}

CVelmoraError CUnitListTwin::Close()
{
    CVelmoraError error = CTmpTwin::ClearTwin(m_db, m_table);
    if (!error)
        m_open = false;
    return error;
}

int CUnitListTwin::TwinRowCount(const CUnitListKey& key) const
{
    QString filter;
    QVariantList values;
    CVelmoraError error;
    if (!Filter(key, filter, values, error))
        return -1;
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(TwinTable(), filter)))
        return -1;
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool CUnitListTwin::DiffersFromTable(const QStringList& ignoredColumns) const
{
    const CFleetTable* table = CFleetSchema::Find(m_table);
    if (!table)
        return true;
    QStringList columns;
    const QString counter = table->CounterColumn();
    for (const QString& column : table->ColumnNames()) {
        if (column != counter && !ignoredColumns.contains(column))
            columns << CFleetSchema::Quote(column);
    }
    const QString list = columns.join(QStringLiteral(", "));
    const QString select = QStringLiteral("SELECT %1 FROM %2 WHERE unit_imei_num = ?");
    const QString a = select.arg(list, m_table);
    const QString b = select.arg(list, TwinTable());
    // Same number of rows, and no row of either side missing from the other.
    const QString sql = QStringLiteral("SELECT (SELECT count(*) FROM %1 WHERE unit_imei_num = ?) <> "
                                       "(SELECT count(*) FROM %2 WHERE unit_imei_num = ?) "
                                       "OR EXISTS (%3 EXCEPT %4) OR EXISTS (%4 EXCEPT %3)")
                            .arg(m_table, TwinTable(), a, b);
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        return true;
    for (int i = 0; i < 6; ++i)
        query.addBindValue(m_imei);
    if (!query.exec() || !query.next())
        return true;
    return query.value(0).toBool();
}
