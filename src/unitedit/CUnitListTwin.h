#pragma once

#include "CVelmoraError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class CRecordset;

// A second key of a list's rows besides the unit (a NAM): the column and its value. An empty column
// means every row of the unit.
struct CUnitListKey
{
    QString column;
    QVariant value;

    bool IsSet() const { return !column.isEmpty(); }
};

// How a write-back went: success, or the first row that failed (grid row index) and why.
struct CUnitListWriteResult
{
    CVelmoraError error;
    int failedRow = -1; // -1 also for a database error outside a row
    int written = 0;    // records added before the write-back ended
    explicit operator bool() const { return !error.Stops(); }
};

// One unit's list edited in the "_tmp" twin of its table, the one way every list page, and every
// dialog that reads or rewrites a page's list, works on it:
//   Open       copies the unit's rows of the table into the twin (replacing the unit's rows there);
//   Load       reads the unit's twin rows (optionally of one key value) into a recordset;
//   WriteBack  replaces the unit's twin rows (of one key value: the other values stay) with the rows
//              a page fills, stopping at the first row that fails;
//   Commit     replaces the unit's rows of the table with its twin rows (inside the sheet's save);
//   Close      empties the twin.
// Every value is bound; a step of several statements runs in one transaction (nested inside the
// caller's, when there is one). Failures come back as values: a row's own error, or the database's text.
class CUnitListTwin
{
public:
    // Fills the recordset's new record from grid row `row`. Return an error to stop the write-back
    // at that row; set write to false to leave an empty row out. The unit (and the key) are set by the
    // twin after the call.
    using RowFiller = std::function<CVelmoraError(int row, CRecordset& record, bool& write)>;

    // table: a list table that has a twin (unit_phone_details, unit_tg_details, ...).
    CUnitListTwin(const QSqlDatabase& db, const QString& table, const QString& imei);
    ~CUnitListTwin();
    CUnitListTwin(const CUnitListTwin&) = delete;
    CUnitListTwin& operator=(const CUnitListTwin&) = delete;

    QString Table() const { return m_table; }
    QString TwinTable() const;
    QString Imei() const { return m_imei; }
    QSqlDatabase Database() const { return m_db; }
    // Open ran and Close has not.
    bool IsOpen() const { return m_open; }

    CVelmoraError Open();
    // Opens record on the twin with the unit's rows (of the key's value when given), in orderBy.
    CVelmoraError Load(CRecordset& record, const CUnitListKey& key = {}, const QString& orderBy = {}) const;
    // Deletes the unit's twin rows (of the key's value when given), then adds a record per row 0..rowCount-1
    // that fill writes. Rows added before a failing row stay in the twin.
    CUnitListWriteResult WriteBack(CRecordset& record, int rowCount, const RowFiller& fill,
                                   const CUnitListKey& key = {});
    // Deletes the unit's twin rows (of the key's value when given).
    CVelmoraError ClearRows(const CUnitListKey& key = {});
    // Replaces the unit's rows of the table with its twin rows.
    CVelmoraError Commit();
    // Empties the twin, of every unit: one unit's sheet is open at a time.
    CVelmoraError Close();

    // Whether the unit's twin rows differ from its rows of the table (counters and the ignored
    // columns aside); true on a database error, so a commit is not skipped.
    bool DiffersFromTable(const QStringList& ignoredColumns = {}) const;
    // Number of the unit's rows in the twin (of the key's value when given); -1 on a database error.
    int TwinRowCount(const CUnitListKey& key = {}) const;

private:
    // The unit's filter of the twin, with the key; false when the key names no column of the table.
    bool Filter(const CUnitListKey& key, QString& filter, QVariantList& values, CVelmoraError& error) const;

    QSqlDatabase m_db;
    QString m_table;
    QString m_imei;
    bool m_open = false;
};
