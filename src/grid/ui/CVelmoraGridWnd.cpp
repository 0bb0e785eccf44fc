#include "CVelmoraGridWnd.h"

#include "CArrowRowHeader.h"
#include "CGridItemDelegate.h"
#include "CGridListType.h"
#include "CGridSelectionModel.h"
#include "CVelmoraWrap.h"

#include <QAbstractButton>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>

namespace {

constexpr int kSaveWidthsDelayMs = 400;
constexpr int kWarningShownMs = 10000;

using G = CVelmoraGridModel;

} // namespace

CVelmoraGridWnd::CVelmoraGridWnd(int listType, int subMode, const CGridSettings& settings, QWidget* parent)
    : CCellGridView(parent), m_model(std::make_unique<CVelmoraGridModel>(listType, subMode, settings))
{
    if (CGridListType::UsesArrowHeader(listType)) {
        m_arrowHeader = new CArrowRowHeader(this);
        setVerticalHeader(m_arrowHeader);
    }
    m_selection = std::make_unique<CGridSelectionModel>(m_model.get());
    m_delegate = new CGridItemDelegate(this, m_model.get());
    ShowModel(m_model.get(), m_selection.get(), m_delegate);
    connect(m_delegate, &CGridItemDelegate::ButtonClicked, this,
            [this](const QModelIndex& i) { Q_EMIT ButtonClicked(G::GridRow(i), G::GridCol(i)); });

    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Rows are dragged within the grid (or to another grid of the dialog); the grid draws its own
    // drop indicator around the row under the drag.
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);

    connect(m_model.get(), &CVelmoraGridModel::GridRowsInserted, this, &CVelmoraGridWnd::RowsInserted);
    connect(m_model.get(), &CVelmoraGridModel::ForeignRowsDropped, this, &CVelmoraGridWnd::RowsDropped);

    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        m_corner = corner;
        corner->installEventFilter(this);
    }

    m_saveWidths.setSingleShot(true);
    m_saveWidths.setInterval(kSaveWidthsDelayMs);
    connect(&m_saveWidths, &QTimer::timeout, this, &CVelmoraGridWnd::SaveColumnWidths);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (m_applyingWidths)
            return;
        m_widthsDirty = true;
        m_saveWidths.start();
    });

    SetSettings(settings);
    ApplyColumns();
}

CVelmoraGridWnd::~CVelmoraGridWnd()
{
    ReleaseEditor();
    if (m_widthsDirty)
        SaveColumnWidths();
}

void CVelmoraGridWnd::SetSettings(const CGridSettings& settings)
{
    m_model->SetSettings(settings);
    ApplyFontAndDirection(settings.hasFonts, settings.gridFont, settings.rightToLeft);
    const QString corner = CVelmoraWrap::LoadString(m_model->ColumnStyle(0).captionId);
    if (!corner.isEmpty())
        verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(corner) + 12);
}

void CVelmoraGridWnd::SetCrossFleet(bool on)
{
    m_model->SetCrossFleet(on);
}

void CVelmoraGridWnd::ApplyColumns()
{
    m_applyingWidths = true;
    for (int c = 1; c <= ColCount(); ++c) {
        const bool hidden = m_model->ColumnStyle(c).hidden;
        setColumnHidden(G::ModelCol(c), hidden);
        if (!hidden)
            setColumnWidth(G::ModelCol(c), DefaultColumnWidth(c));
    }
    m_applyingWidths = false;
    LoadColumnWidths();
}

int CVelmoraGridWnd::DefaultColumnWidth(int col) const
{
    const CGridCellStyle style = m_model->ColumnStyle(col);
    const QFontMetrics header = horizontalHeader()->fontMetrics();
    const QFontMetrics cells = fontMetrics();
    // Never narrower than the caption, nor, for a choice list, than its longest text.
    int width =
        header.horizontalAdvance(m_model->headerData(G::ModelCol(col), Qt::Horizontal).toString()) + 20;
    if (style.control == CGridCellStyle::TabbedCombo) {
        const QString list = m_model->ChoiceList(style);
        for (const QString& line : list.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            width = qMax(width, cells.horizontalAdvance(line.section(QLatin1Char('\t'), 0, 0)) + 12);
    }
    if (style.widthMm > 0)
        return qMax(width, qRound(style.widthMm * logicalDpiX() / 25.4));
    if (style.maxLength > 0)
        width = qMax(width, cells.averageCharWidth() * qMin(style.maxLength, 16) + 12);
    return qMax(width, 40);
}

QString CVelmoraGridWnd::WidthsValueName(const QString& listTypeName)
{
    return QStringLiteral("Grid Widths ") + listTypeName;
}

void CVelmoraGridWnd::SaveColumnWidths()
{
    m_saveWidths.stop();
    m_widthsDirty = false;
    QStringList widths;
    for (int c = 1; c <= ColCount(); ++c)
        widths << QString::number(isColumnHidden(G::ModelCol(c)) ? 0 : columnWidth(G::ModelCol(c)));
    CVelmoraWrap::SetRegistryValue(WidthsValueName(ListTypeName()), widths.join(QLatin1Char(',')));
}

bool CVelmoraGridWnd::LoadColumnWidths()
{
    QString saved;
    if (!CVelmoraWrap::GetRegistryValue(WidthsValueName(ListTypeName()), saved) || saved.isEmpty())
        return false;
    const QStringList widths = saved.split(QLatin1Char(','));
    m_applyingWidths = true;
    for (int c = 1; c <= qMin(ColCount(), int(widths.size())); ++c) {
        bool ok = false;
        const int w = widths[c - 1].trimmed().toInt(&ok);
        if (ok && w > 0 && !isColumnHidden(G::ModelCol(c)))
            setColumnWidth(G::ModelCol(c), qMin(w, 2000));
    }
    m_applyingWidths = false;
    return true;
}

// --- Rows, cells, current cell ---

bool CVelmoraGridWnd::InsertRows(int before, int count)
{
    return m_model->InsertGridRows(before, count);
}

void CVelmoraGridWnd::SetColumnHidden(int col, bool hidden)
{
    m_model->SetColumnHidden(col, hidden);
    setColumnHidden(G::ModelCol(col), hidden);
    if (!hidden && columnWidth(G::ModelCol(col)) == 0)
        setColumnWidth(G::ModelCol(col), DefaultColumnWidth(col));
}

void CVelmoraGridWnd::SetRowHidden(int row, bool hidden)
{
    setRowHidden(G::ModelRow(row), hidden);
}

QList<int> CVelmoraGridWnd::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes()) {
        if (!rows.contains(G::GridRow(i)))
            rows << G::GridRow(i);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CVelmoraGridWnd::CheckedMoveTo(int row, int col, bool startEdit)
{
    if (!m_model->IndexOf(row, col).isValid())
        return false;
    if (CurrentRow() != 0 && row != CurrentRow() && !LeaveRow(CurrentRow()))
        return false;
    return MoveTo(row, col, startEdit);
}

// --- Checks when the current cell moves ---

bool CVelmoraGridWnd::LeaveRow(int row)
{
    if (!m_model->HasRowValidator())
        return true;
    const CGridCheckResult r = m_model->CheckRow(row);
    if (!r.ok)
        ShowWarning(r);
    return r.ok;
}

// --- Editing ---

CCellEditDelegate* CVelmoraGridWnd::CellDelegate() const
{
    return m_delegate;
}

bool CVelmoraGridWnd::WriteEditedCell(QWidget* editor, const QModelIndex& index, const QString& text)
{
    const CGridCheckResult r = m_model->CheckCell(G::GridRow(index), G::GridCol(index), text);
    if (!r.ok) {
        ShowWarning(r);
        return false;
    }
    commitData(editor);
    return true;
}

void CVelmoraGridWnd::ShowWarning(const CGridCheckResult& result)
{
    if (result.ok)
        return;
    m_lastWarningId = result.messageId;
    m_lastWarningText = result.Text();
    if (result.messageId == 0)
        return;
    const QModelIndex index = IsEditing() ? m_delegate->EditorIndex() : currentIndex();
    const QRect cell = index.isValid() ? visualRect(index) : viewport()->rect();
    QToolTip::showText(viewport()->mapToGlobal(cell.bottomLeft()), m_lastWarningText, viewport(), cell,
                       kWarningShownMs);
    Q_EMIT WarningShown(m_lastWarningId, m_lastWarningText);
}

bool CVelmoraGridWnd::LeaveChangedEditor(QWidget* editor, const QModelIndex& index, const QString& text,
                                         QWidget* focus)
{
    const CGridCheckResult r = m_model->CheckCell(G::GridRow(index), G::GridCol(index), text);
    if (r.ok)
        return false;
    ShowWarning(r);
    // Back into the cell when the focus stayed in the grid; a click elsewhere in the dialog leaves
    // the edit open and unwritten.
    if (focus && (focus == this || isAncestorOf(focus)))
        RefocusLater(editor);
    return true;
}

// --- Keys ---

void CVelmoraGridWnd::NavigateTab(bool forward, bool fromEditor)
{
    const QList<int> cols = VisibleColumns();
    if (cols.isEmpty() || RowCount() == 0)
        return;
    if (!currentIndex().isValid()) {
        CheckedMoveTo(1, cols.first(), false);
        return;
    }
    const int row = CurrentRow(), col = CurrentCol();
    if (!EndEdit())
        return;
    const int pos = int(cols.indexOf(col));
    int newRow = row, newCol = 0;
    if (forward) {
        if (pos + 1 < cols.size()) {
            newCol = cols[pos + 1];
        } else {
            newRow = row + 1;
            newCol = cols.first();
            if (newRow > RowCount()) {
                // From the last row a row is added while the list may grow; otherwise Tab stays.
                if (!m_model->CanAppendRow() || !LeaveRow(row))
                    return;
                m_model->InsertGridRows(RowCount() + 1);
            }
        }
    } else {
        if (pos > 0) {
            newCol = cols[pos - 1];
        } else {
            if (row <= 1)
                return;
            newRow = row - 1;
            newCol = cols.last();
        }
    }
    CheckedMoveTo(newRow, newCol, fromEditor);
}

bool CVelmoraGridWnd::HandleEnter(bool fromEditor)
{
    const int action = m_model->Settings().enterKeyAction;
    if (action == CGridSettings::EnterMovesRight) {
        NavigateTab(true, fromEditor);
        return true;
    }
    if (action == CGridSettings::EnterStays) {
        if (!fromEditor)
            return false;
        EndEdit();
        return true;
    }
    if (!EndEdit() || !currentIndex().isValid())
        return true;
    int row = CurrentRow(), col = CurrentCol();
    if (action == CGridSettings::EnterMovesUp) {
        row = qMax(1, row - 1);
    } else if (action == CGridSettings::EnterMovesDown) {
        row = qMin(RowCount(), row + 1);
    } else if (action == CGridSettings::EnterMovesLeft) {
        const QList<int> cols = VisibleColumns();
        const int pos = int(cols.indexOf(col));
        if (pos > 0)
            col = cols[pos - 1];
    }
    if (row != CurrentRow() || col != CurrentCol())
        CheckedMoveTo(row, col, false);
    return true;
}

void CVelmoraGridWnd::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool editing = IsEditing();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods == Qt::NoModifier && HandleEnter(editing)) {
            event->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (!editing && ListType() == CGridListType::ConsolCallList) {
            Q_EMIT DeleteKeyPressed();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    CCellGridView::keyPressEvent(event); // Tab and Shift+Tab
}

void CVelmoraGridWnd::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_arrowHeader)
        m_arrowHeader->SetCurrentRow(current.isValid() ? current.row() : -1);
    Q_EMIT CurrentCellChanged(G::GridRow(current), G::GridCol(current));
}

// --- Dragging rows ---

QMimeData* CVelmoraGridWnd::DragData()
{
    QModelIndexList indexes;
    for (int row : SelectedRows())
        indexes << m_model->IndexOf(row, 1);
    return m_model->mimeData(indexes);
}

bool CVelmoraGridWnd::AcceptsDrop(const QDropEvent* event) const
{
    quint64 source = 0;
    QList<int> rows;
    if (IsEditing() || !CVelmoraGridModel::DecodeRows(event->mimeData(), source, rows))
        return false;
    return source == m_model->GridId() || m_acceptForeign;
}

bool CVelmoraGridWnd::DropRows(const QDropEvent* event, Qt::DropAction action)
{
    const int row = rowAt(event->position().toPoint().y());
    const QModelIndex target = row >= 0 ? m_model->index(row, 0) : QModelIndex();
    m_model->dropMimeData(event->mimeData(), action, -1, -1, target);
    return true;
}

void CVelmoraGridWnd::dragMoveEvent(QDragMoveEvent* event)
{
    if (AcceptsDrop(event))
        QTableView::dragMoveEvent(event); // scrolls near the edges
    CCellGridView::dragMoveEvent(event);
    const int row = event->isAccepted() ? rowAt(event->position().toPoint().y()) : m_dropRow;
    if (row != m_dropRow) {
        m_dropRow = row;
        viewport()->update();
    }
}

void CVelmoraGridWnd::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropRow = -1;
    viewport()->update();
    QTableView::dragLeaveEvent(event);
}

void CVelmoraGridWnd::dropEvent(QDropEvent* event)
{
    m_dropRow = -1;
    viewport()->update();
    CCellGridView::dropEvent(event);
}

// --- Painting ---

void CVelmoraGridWnd::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (m_dropRow < 0)
        return;
    const QList<int> cols = VisibleColumns();
    if (cols.isEmpty())
        return;
    QRect rect = visualRect(m_model->index(m_dropRow, G::ModelCol(cols.first())))
                     .united(visualRect(m_model->index(m_dropRow, G::ModelCol(cols.last()))));
    QPainter painter(viewport());
    QPen pen(palette().color(QPalette::Text));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(2);
    painter.setPen(pen);
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
}

bool CVelmoraGridWnd::eventFilter(QObject* object, QEvent* event)
{
    if (object == m_corner && event->type() == QEvent::Paint) {
        PaintCorner(m_corner);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

void CVelmoraGridWnd::PaintCorner(QWidget* corner)
{
    QPainter painter(corner);
    QStyleOptionHeader opt;
    opt.initFrom(corner);
    opt.rect = corner->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.textAlignment = Qt::AlignCenter;
    opt.text = CVelmoraWrap::LoadString(m_model->ColumnStyle(0).captionId);
    opt.fontMetrics = horizontalHeader()->fontMetrics();
    painter.setFont(horizontalHeader()->font());
    corner->style()->drawControl(QStyle::CE_Header, &opt, &painter, corner);
}
