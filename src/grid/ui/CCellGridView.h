#pragma once

#include "CGridCheckResult.h"

#include <QPointer>
#include <QTableView>

class CCellEditDelegate;
class CGridSelectionModel;

// What the list grids and the units grid share as table views: the current cell counted from 1, the
// one open editor (its text checked before anything is written, or dropped), moves of the current
// cell that check the row being left first (by the guard of the selection model, SetCurrentCell and
// a click on another row), Tab and Shift+Tab in the view and in the open editor, and dragging rows
// out of the view and dropping them on it (what travels and what a drop does are the view's).
//
// Rows and columns of its API are grid numbers, counted from 1.
class CCellGridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;
    ~CCellGridView() override;

    // --- Current cell ---
    int CurrentRow() const;
    int CurrentCol() const;
    // Moves the current cell: the edit is ended and the row being left is checked first. False when
    // refused.
    bool SetCurrentCell(int row, int col);

    // --- Editing ---
    bool IsEditing() const;
    // Ends the edit of the current cell: checks its text and writes it. False (the message shown, the
    // cell still in edit) when the text fails.
    bool EndEdit();
    // Drops the edit without writing.
    void CancelEdit();
    // The text of the cell being edited, or of the current cell.
    QString CurrentText() const;

    // Called by the delegate for a key or focus loss in the open editor. True: handled (the key is
    // consumed, the editor stays). A character the cell does not take is refused with the grid's
    // warning, once for a run of refused keys.
    bool EditorKey(QKeyEvent* event);
    bool EditorFocusOut(QWidget* editor, Qt::FocusReason reason);

protected:
    // Shows `model` through `selection`, whose moves of the current cell pass MayMove, edited by
    // `delegate`: cells selected singly or in ranges, Tab kept by the view, no word wrap, fixed row
    // heights, and drops taken with no indicator of the view's own.
    void ShowModel(QAbstractItemModel* model, CGridSelectionModel* selection, CCellEditDelegate* delegate);
    // The grid's font for the cells and both headers (when it has one), and its reading direction.
    void ApplyFontAndDirection(bool hasFont, const QFont& font, bool rightToLeft);

    // The delegate that edits the cells.
    virtual CCellEditDelegate* CellDelegate() const = 0;
    virtual QString CellValue(int row, int col) const = 0;
    // Checks the changed text of the editor for `index` and writes it; false (the message shown)
    // when it fails.
    virtual bool WriteEditedCell(QWidget* editor, const QModelIndex& index, const QString& text) = 0;
    // The focus left the editor for `focus` with its text changed: true when the view dealt with it
    // (the editor then stays as it is unless the view closed it).
    virtual bool LeaveChangedEditor(QWidget* editor, const QModelIndex& index, const QString& text,
                                    QWidget* focus) = 0;
    // Checks the row being left (the current cell moves to another row); false keeps it.
    virtual bool LeaveRow(int row) = 0;
    virtual void NavigateTab(bool forward, bool fromEditor) = 0;
    // Enter without modifiers in the open editor; true when handled.
    virtual bool EditorEnter() = 0;
    // Tells the user that a typed character was refused (the grid's invalid-character warning).
    virtual void RefuseTypedText(const CGridCheckResult& refusal) = 0;

    // The guard of the selection model: a move the view did not check itself ends the edit and
    // checks the row being left.
    bool MayMove(const QModelIndex& from, const QModelIndex& to);
    // Puts the current cell on (row, col) without checking the row being left; false for no cell.
    bool MoveTo(int row, int col, bool startEdit);
    // The columns not hidden, in visual order, so Tab follows what the user sees.
    QList<int> VisibleColumns() const;
    // Gives the focus back to the editor once the focus change under way is over.
    void RefocusLater(QWidget* editor);
    // First thing in the destructor of a view: an editor still open loses the focus only when the
    // viewport is deleted, after the view's own parts; from here on nothing of it reaches the view.
    void ReleaseEditor();

    // --- Dragging rows ---
    // The dragged rows (the view's own mime data), or nullptr when there is nothing to drag. A drag
    // offers copy and move, defaultDropAction() first.
    virtual QMimeData* DragData() = 0;
    // Whether the view takes what is dragged over it (never while a cell is in edit).
    virtual bool AcceptsDrop(const QDropEvent* event) const = 0;
    // What a drop would do; the drag's keys may choose.
    virtual Qt::DropAction DropActionOf(const QDropEvent* event) const = 0;
    // Drops the rows; false when nothing was done.
    virtual bool DropRows(const QDropEvent* event, Qt::DropAction action) = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Accepts a drag over the view with the action a drop would take, or ignores it.
    void OfferDrop(QDragMoveEvent* event);
    // A key typing text into the editor of a range edit cell whose characters it does not take: the
    // refusal, said only for the first key of a run. True when the key is refused.
    bool RefuseTypedKey(const QKeyEvent* event);

    bool m_moving = false;      // a move the view checked itself: the guard lets it pass
    bool m_moveRefused = false; // the guard refused a move of the current cell
    // The editor whose last typed key was refused: further refused keys there say nothing more.
    QPointer<QWidget> m_refusingEditor;
};
