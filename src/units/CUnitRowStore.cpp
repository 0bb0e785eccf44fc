#include "CUnitRowStore.h"

#include "CFleetConnection.h"
#include "CModelRules.h"
#include "CTransaction.h"
#include "CUnitCascade.h"
#include "CUnitPhoneErgoRecSet.h"
#include "CUnitRowRules.h"
#include "CUnitsColumns.h"
#include "UnitsMessageIds.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

using C = CUnitsColumns;

CVelmoraError DatabaseError(const QSqlError& error)
{
    return CVelmoraError::Text(CFleetConnection::ErrorText(error));
}

} // namespace

CUnitRowStore::CUnitRowStore(const QSqlDatabase& db, const CModelRules* rules) : m_db(db), m_rules(rules) {}

QVariant CUnitRowStore::FieldValue(int col, const QString& text)
{
    if (col == C::CrossFleet)
        return CUnitRowRules::IsCrossFleetText(text) ? 1 : 0;
    if (C::IsTextColumn(col))
        return text.isNull() ? QString(QLatin1String("")) : text;
    return CUnitRowRules::Number(text);
}

QString CUnitRowStore::CellText(int col, const QVariant& value)
{
    if (value.isNull())
        return C::IsTextColumn(col) ? QString() : QStringLiteral("0");
    if (col == C::CrossFleet)
        return value.toLongLong() != 0 ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

bool CUnitRowStore::ImeiTaken(const QString& imei, qint64 rowId) const
{
    QSqlQuery query(m_db);
    query.prepare(
        QStringLiteral("SELECT COUNT(*) FROM unit_details WHERE unit_imei_num = ? AND unit_rec_num <> ?"));
    query.addBindValue(imei);
    query.addBindValue(rowId);
    // An unreadable table counts as taken: the row is not written over something unknown.
    return !query.exec() || !query.next() || query.value(0).toLongLong() > 0;
}

bool CUnitRowStore::EnsureErgoRecord(const QString& imei, const QString& modelKey)
{
    CUnitPhoneErgoRecSet ergo(m_db);
    if (!ergo.Open(QStringLiteral("unit_imei_num = ?"), {imei}))
        return false;
    if (!ergo.IsEOF())
        return true;
    // The new row starts from the carrier's basic settings (the lockouts only for carrier 2).
    ergo.AddNew();
    ergo.m_unit_imei_num = imei;
    if (m_rules) {
        if (m_rules->EnableVibrateFlag(modelKey))
            ergo.m_unit_vibrate_enable = false;
        if (m_rules->DisableNetMode(QString()))
            ergo.m_unit_net_mode = false;
    }
    return ergo.Update();
}

CVelmoraError CUnitRowStore::WriteUnit(const QStringList& cells, qint64& rowId)
{
    QStringList names;
    QVariantList values;
    for (int col = 1; col <= C::Count; ++col) {
        if (col == C::RecNum)
            continue; // the database numbers its units
        names << C::FieldName(col);
        values << FieldValue(col, cells.value(col - 1));
    }
    QSqlQuery query(m_db);
    QString sql;
    if (rowId > 0) {
        sql = QStringLiteral("UPDATE unit_details SET %1 = ? WHERE unit_rec_num = ?")
                  .arg(names.join(QStringLiteral(" = ?, ")));
        values << rowId;
    } else {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << QStringLiteral("?");
        sql = QStringLiteral("INSERT INTO unit_details (%1) VALUES (%2)")
                  .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }
    if (!query.prepare(sql))
        return DatabaseError(query.lastError());
    for (const QVariant& v : values)
        query.addBindValue(v);
    if (!query.exec())
        return DatabaseError(query.lastError());
    if (rowId <= 0)
        rowId = query.lastInsertId().toLongLong();
    return CVelmoraError();
}

CVelmoraError CUnitRowStore::Store(QStringList& cells, qint64& rowId, const QString& storedImei,
                                   int* failedColumn)
{
    int dummy = 0;
    int& failed = failedColumn ? *failedColumn : dummy;
    failed = 0;
    const QString imei = cells.value(C::Imei - 1);
    if (ImeiTaken(imei, rowId)) {
        failed = C::Imei;
        return CVelmoraError::Message(UnitsMsg::DuplicateImei);
    }

    QStringList row = cells;
    CUnitRowRules::SplitPrivateId(row);
    row[C::IpAddress - 1] = CUnitRowRules::NormaliseStoredIp(row[C::IpAddress - 1]);
    const QString modelKey = row.value(C::ModelType - 1);
    CUnitRowRules::SplitModelKey(row);

    // The list rows, the settings record and the unit row change together or not at all: a unit
    // must never be left with its lists under one IMEI and its row under another.
    CTransaction transaction(m_db);
    if (!transaction.IsActive())
        return CVelmoraError::Text(transaction.LastError());
    if (rowId > 0 && !storedImei.isEmpty() && storedImei != imei) {
        if (const CVelmoraError moved = CUnitCascade::ChangeImei(m_db, storedImei, imei))
            return moved;
    }
    if (!EnsureErgoRecord(imei, modelKey.contains(QLatin1Char('-'))
                                    ? modelKey
                                    : CUnitRowRules::ModelCellText(row, m_rules))) {
        failed = C::Imei;
        return CVelmoraError::Message(UnitsMsg::DuplicateImei);
    }
    qint64 newRowId = rowId;
    if (const CVelmoraError error = WriteUnit(row, newRowId))
        return error;
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    rowId = newRowId;
    row[C::RecNum - 1] = QString::number(rowId);
    cells = row;
    return CVelmoraError();
}
