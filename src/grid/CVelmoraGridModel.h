#pragma once

#include "CGridCellStyle.h"
#include "CGridCheckResult.h"
#include "CGridSettings.h"
#include "CStyledGridModel.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>

// The rows of one list grid: text cells under the column styles of its list type, with the list's
// row capacity, insertion rules, cell checks, sort, mark-all, push-button columns and row moves.
// The grid API (Value, SetValue, ...) uses grid coordinates (see CStyledGridModel).
class CVelmoraGridModel : public CStyledGridModel
{
    Q_OBJECT

public:
    using CellValidator = std::function<CGridCheckResult(int row, int col, const QString& text)>;
    using RowValidator = std::function<CGridCheckResult(int row)>;

    // Rows dragged inside a grid travel under this type: the source grid's id and the row numbers.
    static QString RowsMimeType() { return QStringLiteral("application/x-velmora-grid-rows2"); }

    CVelmoraGridModel(int listType, int subMode, const CGridSettings& settings, QObject* parent = nullptr);
    ~CVelmoraGridModel() override;

    int ListType() const { return m_listType; }
    QString Name() const;
    int SubMode() const { return m_subMode; }
    quint64 GridId() const { return m_gridId; }

    const CGridSettings& Settings() const { return m_settings; }
    void SetSettings(const CGridSettings& settings);

    // The NAM (1..3) selects the capacity of the per-NAM lists.
    int Nam() const { return m_nam; }
    void SetNam(int nam);
    // Cross-fleet switches the private list's id column between plain and Trinum ids.
    bool CrossFleet() const { return m_crossFleet; }
    void SetCrossFleet(bool on);
    // Number-format cells of the phone-list page refuse a value another row already holds.
    void SetRefuseDuplicateNumbers(bool on) { m_refuseDuplicates = on; }

    // --- Grid coordinates ---
    int RowCount() const override { return int(m_rows.size()); }
    int ColCount() const override { return int(m_columns.size()) - 1; }
    // Sets the row count as the owner loads the list: new rows hold the columns' initial values.
    // Not limited by the capacity (the owner sizes a list to it).
    void SetRowCount(int rows);
    void SetColCount(int cols);
    QString Value(int row, int col) const override;
    // Writes a cell without any check (loading, owner operations).
    void SetValue(int row, int col, const QString& value);
    // True when every cell of the row is empty or holds its column's initial value.
    bool IsRowEmpty(int row) const;

    CGridCellStyle ColumnStyle(int col) const;
    void SetColumnStyle(int col, const CGridCellStyle& style);
    void SetColumnHidden(int col, bool hidden);
    // A cell's own style overrides its column's (the ergonomic list styles each row).
    CGridCellStyle StyleAt(int row, int col) const override;
    void SetCellStyle(int row, int col, const CGridCellStyle& style);
    void ClearCellStyle(int row, int col);
    // The choice list a combo cell offers, and the text shown for a value of it.
    QString ChoiceList(const CGridCellStyle& style) const;
    static QString ChoiceText(const QString& choiceList, const QString& value);

    // --- Capacity and insertion ---
    // CGridListType::Unlimited for the lists without a capacity.
    int RowCapacity() const;
    bool CanInsertRows(int count = 1) const;
    // Whether Tab or Enter from the last row may add a row.
    bool CanAppendRow() const;
    // The grid's insert-rows operation: count rows before grid row `before` (RowCount() + 1
    // appends). Refused when the list type never inserts or the capacity would be passed.
    bool InsertGridRows(int before, int count = 1);
    bool RemoveGridRows(int row, int count = 1);

    // --- Checks ---
    // The check of a cell's typed text, as the grid runs it when the cell is left: the grid's own
    // check (the scan and status id columns, then the owner's cell validator), then the cell
    // control's check.
    CGridCheckResult CheckCell(int row, int col, const QString& text) const;
    // The owner's check of a whole row (run when the current cell leaves the row); passes without.
    CGridCheckResult CheckRow(int row) const;
    void SetCellValidator(CellValidator validator) { m_cellValidator = std::move(validator); }
    void SetRowValidator(RowValidator validator) { m_rowValidator = std::move(validator); }
    bool HasRowValidator() const { return bool(m_rowValidator); }

    // --- Owner operations ---
    // Sorts the rows by a column's sort key, empty cells last.
    void SortRows(int col, Qt::SortOrder order = Qt::AscendingOrder);
    // Sets the check column to "1" (or "0") on every row whose key column is not empty.
    void MarkAll(int checkCol, int keyCol, bool mark);
    // Turns a column into push buttons labelled with the row number on rows whose key column is
    // not empty; keyCol 0 turns it back.
    void SetPushButtons(int col, int keyCol);
    bool IsPushButton(int row, int col) const;
    // Moves rows (grid numbers) so that they stand, in their order, before grid row `before`
    // (RowCount() + 1 moves them to the end).
    bool MoveGridRows(QList<int> rows, int before);

    // --- Qt model ---
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

    // The source grid and rows of dragged rows; false when data holds none.
    static bool DecodeRows(const QMimeData* data, quint64& gridId, QList<int>& rows);

    // The last check that refused a setData, for the view to show.
    const CGridCheckResult& LastRefusal() const { return m_lastRefusal; }

Q_SIGNALS:
    // The insert-rows operation added rows (grid numbers); dialogs refresh their counters.
    void GridRowsInserted(int row, int count);
    // Rows of another grid were dropped on this one before grid row `before`.
    void ForeignRowsDropped(quint64 sourceGridId, const QList<int>& rows, int before);

protected:
    // Display and edit text; push buttons are centred whatever their column's style says.
    QVariant CellData(int row, int col, int role) const override;
    CellFonts Fonts() const override
    {
        return {m_settings.hasFonts, m_settings.gridFont, m_settings.gridFont2};
    }

private:
    struct Row
    {
        QStringList cells;                 // index c - 1 for grid column c
        QHash<int, CGridCellStyle> styles; // cell styles by grid column
    };

    bool ValidCell(int row, int col) const;
    Row NewRow() const;
    void InsertRowsAt(int index, int count);
    // Puts the rows in a new order (newOrder[i] = old index of the row now at i).
    void Reorder(const QList<int>& newOrder);
    QString DisplayText(int row, int col) const;

    int m_listType;
    int m_subMode;
    CGridSettings m_settings;
    int m_nam = 1;
    bool m_crossFleet = false;
    bool m_refuseDuplicates = false;
    quint64 m_gridId;
    QList<CGridCellStyle> m_columns; // index = grid column; 0 the row header
    QList<Row> m_rows;
    QHash<int, int> m_pushButtons; // column -> key column
    CellValidator m_cellValidator;
    RowValidator m_rowValidator;
    mutable CGridCheckResult m_lastRefusal;
};
