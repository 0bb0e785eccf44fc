#pragma once

#include "CCellGridView.h"
#include "CGridCheckResult.h"
#include "CGridSettings.h"
#include "CVelmoraGridModel.h"

#include <QTimer>
#include <memory>

class CArrowRowHeader;
class CGridItemDelegate;
class CGridSelectionModel;

// The list grid every list editor uses: a table view made for one list type, whose model holds
// the rows, whose delegate draws and edits the cells, and which checks each cell before it is
// left (warning in a balloon at the cell, the cell kept in edit), moves with Tab and Enter,
// appends rows within the list's capacity, drags rows inside itself and keeps its column widths.
//
// Rows and columns of its own API are grid numbers, counted from 1 as the list tables number
// them. Column widths are kept in the settings store as the value "Grid Widths <list type name>"
// (for example "Grid Widths PHONE_LIST"): the pixel width of every column from 1, separated by
// commas, 0 for a hidden column.
class CVelmoraGridWnd : public CCellGridView
{
    Q_OBJECT

public:
    CVelmoraGridWnd(int listType, int subMode, const CGridSettings& settings, QWidget* parent = nullptr);
    ~CVelmoraGridWnd() override;

    CVelmoraGridModel* Model() const { return m_model.get(); }
    int ListType() const { return m_model->ListType(); }
    QString ListTypeName() const { return m_model->Name(); }

    // --- What the owning dialog sets ---
    void SetSettings(const CGridSettings& settings);
    void SetNam(int nam) { m_model->SetNam(nam); }
    int Nam() const { return m_model->Nam(); }
    void SetCrossFleet(bool on);
    // Drops of rows dragged from another grid of the dialog are offered through RowsDropped.
    void SetAcceptForeignRows(bool on) { m_acceptForeign = on; }

    // --- Rows and cells (grid numbers) ---
    int RowCount() const { return m_model->RowCount(); }
    void SetRowCount(int rows) { m_model->SetRowCount(rows); }
    int ColCount() const { return m_model->ColCount(); }
    QString Value(int row, int col) const { return m_model->Value(row, col); }
    void SetValue(int row, int col, const QString& value) { m_model->SetValue(row, col, value); }
    // The insert-rows operation: refused beyond the capacity or for lists that never insert.
    bool InsertRows(int before, int count = 1);
    void SetColumnHidden(int col, bool hidden);
    void SetRowHidden(int row, bool hidden);
    void SortRows(int col, Qt::SortOrder order = Qt::AscendingOrder) { m_model->SortRows(col, order); }
    void MarkAll(int checkCol, int keyCol, bool mark) { m_model->MarkAll(checkCol, keyCol, mark); }
    void SetPushButtons(int col, int keyCol) { m_model->SetPushButtons(col, keyCol); }

    // --- Selection (the current cell and editing: CCellGridView) ---
    // Rows with a selected cell, ascending; empty when nothing is selected.
    QList<int> SelectedRows() const;

    // The grid's warning: a balloon at the current cell with the message's text. A result without a
    // message shows nothing.
    void ShowWarning(const CGridCheckResult& result);
    int LastWarningId() const { return m_lastWarningId; }
    QString LastWarningText() const { return m_lastWarningText; }

    // Column widths in the settings store.
    static QString WidthsValueName(const QString& listTypeName);
    void SaveColumnWidths();
    bool LoadColumnWidths();
    // The width of a column before any saved width applies.
    int DefaultColumnWidth(int col) const;

Q_SIGNALS:
    // The grid inserted rows (Tab from the last row or InsertRows): dialogs refresh counters.
    void RowsInserted(int row, int count);
    // Delete in the consolidated call list: the dialog clears the selected entries.
    void DeleteKeyPressed();
    void ButtonClicked(int row, int col);
    void CurrentCellChanged(int row, int col);
    void WarningShown(int messageId, const QString& text);
    // Rows of another grid dropped here (see SetAcceptForeignRows).
    void RowsDropped(quint64 sourceGridId, const QList<int>& rows, int before);

protected:
    CCellEditDelegate* CellDelegate() const override;
    QString CellValue(int row, int col) const override { return Value(row, col); }
    bool WriteEditedCell(QWidget* editor, const QModelIndex& index, const QString& text) override;
    bool LeaveChangedEditor(QWidget* editor, const QModelIndex& index, const QString& text,
                            QWidget* focus) override;
    // The list's row check, when it has one (a refused row shows its warning).
    bool LeaveRow(int row) override;
    void RefuseTypedText(const CGridCheckResult& refusal) override { ShowWarning(refusal); }
    void NavigateTab(bool forward, bool fromEditor) override;
    bool EditorEnter() override { return HandleEnter(true); }

    // The selected rows, moved by the drop unless it is on another grid.
    QMimeData* DragData() override;
    // Rows of this grid, or of another one when SetAcceptForeignRows is on.
    bool AcceptsDrop(const QDropEvent* event) const override;
    Qt::DropAction DropActionOf(const QDropEvent*) const override { return Qt::MoveAction; }
    bool DropRows(const QDropEvent* event, Qt::DropAction action) override;

    void keyPressEvent(QKeyEvent* event) override;
    // Draws the row under the drag (see paintEvent).
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    bool HandleEnter(bool fromEditor);
    // MoveTo after the check of the row being left (when the move goes to another row).
    bool CheckedMoveTo(int row, int col, bool startEdit);
    void ApplyColumns();
    void PaintCorner(QWidget* corner);

    std::unique_ptr<CVelmoraGridModel> m_model;
    std::unique_ptr<CGridSelectionModel> m_selection;
    CGridItemDelegate* m_delegate = nullptr; // owned by this view (QObject parent)
    CArrowRowHeader* m_arrowHeader = nullptr;
    QWidget* m_corner = nullptr;
    bool m_applyingWidths = false; // widths set by the grid itself are not saved
    bool m_widthsDirty = false;
    bool m_acceptForeign = false;
    int m_dropRow = -1; // row under a drag, for the drop indicator
    int m_lastWarningId = 0;
    QString m_lastWarningText;
    QTimer m_saveWidths;
};
