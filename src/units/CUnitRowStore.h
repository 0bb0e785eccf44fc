#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class CModelRules;

// Writes one checked units row into the fleet: refuses an IMEI another unit has, puts the private id
// into the current NAM's fields, normalises the address, splits the model key, moves the unit's
// list rows when its IMEI changed, makes sure the unit has its basic settings record and writes the
// unit_details row. The database part is all or nothing.
class CUnitRowStore
{
public:
    CUnitRowStore(const QSqlDatabase& db, const CModelRules* rules);

    // cells: the 33 texts of a row that passed the row checks; they are rewritten as stored.
    // rowId: the unit's record number, or 0 for a new unit (then set to the new one). storedImei:
    // the IMEI the unit has in the database (empty for a new unit). A refusal answers the message to
    // show (a silent stop when the IMEI change has told the user already); nothing in the database has
    // changed and *failedColumn names the column to fix (the IMEI for 1584), or 0.
    CVelmoraError Store(QStringList& cells, qint64& rowId, const QString& storedImei,
                        int* failedColumn = nullptr);

    // Whether a unit other than rowId has this IMEI.
    bool ImeiTaken(const QString& imei, qint64 rowId) const;
    // The unit's unit_phone_ergo_settings row, made with the carrier's and the model's defaults when
    // it has none. modelKey: the model cell text (sub-model key or model number).
    bool EnsureErgoRecord(const QString& imei, const QString& modelKey);
    // Writes the row into unit_details (insert when rowId is 0); the database error text on failure.
    CVelmoraError WriteUnit(const QStringList& cells, qint64& rowId);

    // The value a cell text is stored as in its field.
    static QVariant FieldValue(int col, const QString& text);
    // The text a stored field value shows in its cell.
    static QString CellText(int col, const QVariant& value);

private:
    QSqlDatabase m_db;
    const CModelRules* m_rules;
};
