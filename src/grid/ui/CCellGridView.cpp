#include "CCellGridView.h"

#include "CCellEditDelegate.h"
#include "CGridCellCheck.h"
#include "CGridSelectionModel.h"
#include "CRangeParser.h"
#include "CStyledGridModel.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

CCellGridView::~CCellGridView()
{
    ReleaseEditor();
}

void CCellGridView::ReleaseEditor()
{
    // Not CellDelegate(): it is the derived view's, and this may run from the base's destructor.
    if (auto* delegate = qobject_cast<CCellEditDelegate*>(itemDelegate()))
        delegate->ReleaseEditor();
}

void CCellGridView::ShowModel(QAbstractItemModel* model, CGridSelectionModel* selection,
                              CCellEditDelegate* delegate)
{
    setModel(model);
    setSelectionModel(selection);
    selection->SetGuard([this](const QModelIndex& from, const QModelIndex& to) { return MayMove(from, to); });
    setItemDelegate(delegate);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

void CCellGridView::ApplyFontAndDirection(bool hasFont, const QFont& font, bool rightToLeft)
{
    if (hasFont) {
        setFont(font);
        horizontalHeader()->setFont(font);
        verticalHeader()->setFont(font);
    }
    if (rightToLeft)
        setLayoutDirection(Qt::RightToLeft);
    else
        unsetLayoutDirection();
}

// --- Current cell ---

int CCellGridView::CurrentRow() const
{
    return CStyledGridModel::GridRow(currentIndex()); // 0 without a current cell
}

int CCellGridView::CurrentCol() const
{
    return CStyledGridModel::GridCol(currentIndex());
}

bool CCellGridView::SetCurrentCell(int row, int col)
{
    if (row < 1 || row > model()->rowCount() || col < 1 || col > model()->columnCount())
        return false;
    if (!EndEdit())
        return false;
    if (CurrentRow() > 0 && row != CurrentRow() && !LeaveRow(CurrentRow()))
        return false;
    return MoveTo(row, col, false);
}

bool CCellGridView::MoveTo(int row, int col, bool startEdit)
{
    const QModelIndex to = model()->index(CStyledGridModel::ModelRow(row), CStyledGridModel::ModelCol(col));
    if (!to.isValid())
        return false;
    m_moving = true;
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::ClearAndSelect);
    m_moving = false;
    scrollTo(to);
    if (startEdit && (to.flags() & Qt::ItemIsEditable))
        edit(to);
    return true;
}

bool CCellGridView::MayMove(const QModelIndex& from, const QModelIndex& to)
{
    if (m_moving || !from.isValid() || !to.isValid())
        return true;
    if ((IsEditing() && !EndEdit()) ||
        (from.row() != to.row() && !LeaveRow(CStyledGridModel::GridRow(from)))) {
        m_moveRefused = true;
        return false;
    }
    return true;
}

QList<int> CCellGridView::VisibleColumns() const
{
    QList<int> cols;
    for (int v = 0; v < model()->columnCount(); ++v) {
        const int logical = horizontalHeader()->logicalIndex(v);
        if (logical >= 0 && !isColumnHidden(logical))
            cols << CStyledGridModel::GridColOf(logical);
    }
    return cols;
}

// --- Editing ---

bool CCellGridView::IsEditing() const
{
    return CellDelegate()->Editor() != nullptr;
}

QString CCellGridView::CurrentText() const
{
    if (QWidget* editor = CellDelegate()->Editor())
        return CellDelegate()->EditorText(editor);
    return CellValue(CurrentRow(), CurrentCol());
}

bool CCellGridView::EndEdit()
{
    QWidget* editor = CellDelegate()->Editor();
    if (!editor)
        return true;
    const QModelIndex index = CellDelegate()->EditorIndex();
    const QString text = CellDelegate()->EditorText(editor);
    // An unchanged cell is left as it is, even if what it holds would not pass.
    if (text != index.data(Qt::EditRole).toString() && !WriteEditedCell(editor, index, text)) {
        editor->setFocus();
        return false;
    }
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void CCellGridView::CancelEdit()
{
    if (QWidget* editor = CellDelegate()->Editor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool CCellGridView::RefuseTypedKey(const QKeyEvent* event)
{
    QWidget* editor = CellDelegate()->Editor();
    const QString typed = event->text();
    if (!editor || typed.isEmpty() || !typed.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const auto* grid = qobject_cast<const CStyledGridModel*>(model());
    const CGridCellStyle style = grid ? grid->StyleOf(CellDelegate()->EditorIndex()) : CGridCellStyle();
    if (style.control != CGridCellStyle::RangeEdit || style.validChars.isEmpty() ||
        CRangeParser(style.validChars, CRangeParser::CharacterMode).ContainsAll(typed)) {
        m_refusingEditor.clear(); // a key the cell takes ends a run of refused ones
        return false;
    }
    // A held key or a word typed into a digits cell says it once, not once a letter.
    if (m_refusingEditor != editor) {
        m_refusingEditor = editor;
        RefuseTypedText(CGridCheckResult::Fail(CGridCellCheck::MsgInvalidChars, {style.validChars}));
    }
    return true;
}

bool CCellGridView::EditorKey(QKeyEvent* event)
{
    if (RefuseTypedKey(event))
        return true;
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Tab:
        if (mods & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        NavigateTab(!(mods & Qt::ShiftModifier), true);
        return true;
    case Qt::Key_Backtab:
        NavigateTab(false, true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return mods == Qt::NoModifier && EditorEnter();
    default:
        return false;
    }
}

bool CCellGridView::EditorFocusOut(QWidget* editor, Qt::FocusReason reason)
{
    // The window lost the focus, or a menu or message box took it: the edit simply waits.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return true;
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus)))
        return false;
    const QModelIndex index = CellDelegate()->EditorIndex();
    const QString text = CellDelegate()->EditorText(editor);
    if (text == index.data(Qt::EditRole).toString())
        return false;
    return LeaveChangedEditor(editor, index, text, focus);
}

void CCellGridView::RefocusLater(QWidget* editor)
{
    QPointer<QWidget> keep(editor);
    QTimer::singleShot(0, this, [keep] {
        if (keep)
            keep->setFocus();
    });
}

// --- Keys and mouse ---

void CCellGridView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Tab:
        if (!(mods & (Qt::ControlModifier | Qt::AltModifier))) {
            NavigateTab(!(mods & Qt::ShiftModifier), IsEditing());
            event->accept();
            return;
        }
        break;
    case Qt::Key_Backtab:
        NavigateTab(false, IsEditing());
        event->accept();
        return;
    default:
        break;
    }
    m_moveRefused = false;
    QTableView::keyPressEvent(event);
    // An arrow key selects toward the cell it moves to even when the move was refused: the
    // selection goes back to the cell that stayed current, or the grid would show the next row
    // as the one being worked on.
    if (m_moveRefused && currentIndex().isValid())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
}

void CCellGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (IsEditing() && index != CellDelegate()->EditorIndex() && !EndEdit()) {
        event->accept();
        return;
    }
    if (index.isValid() && currentIndex().isValid() && index.row() != currentIndex().row() &&
        !LeaveRow(CurrentRow())) {
        event->accept();
        return;
    }
    m_moving = true; // checked above
    QTableView::mousePressEvent(event);
    m_moving = false;
}

// --- Dragging rows ---

void CCellGridView::startDrag(Qt::DropActions)
{
    if (IsEditing())
        return;
    QMimeData* data = DragData();
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    // The drop itself moves or copies the rows: nothing is left to do here once it returns.
    drag->exec(Qt::CopyAction | Qt::MoveAction, defaultDropAction());
}

void CCellGridView::OfferDrop(QDragMoveEvent* event)
{
    if (!AcceptsDrop(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(DropActionOf(event));
    event->accept();
}

void CCellGridView::dragEnterEvent(QDragEnterEvent* event)
{
    OfferDrop(event);
}

void CCellGridView::dragMoveEvent(QDragMoveEvent* event)
{
    OfferDrop(event);
}

void CCellGridView::dropEvent(QDropEvent* event)
{
    const Qt::DropAction action = DropActionOf(event);
    if (!AcceptsDrop(event) || !DropRows(event, action)) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}
