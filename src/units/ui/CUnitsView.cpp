#include "CUnitsView.h"

#include "CAppendFile.h"
#include "CDefaultValueDlg.h"
#include "CGridSelectionModel.h"
#include "CUnitRowRules.h"
#include "CUnitSheetLayout.h"
#include "CUnitsColumns.h"
#include "CUnitsItemDelegate.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "UnitsMessageIds.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTimer>

namespace {

using C = CUnitsColumns;

// Value of the entry-language list whose text labels the fax column.
const QString kFaxEntry = QStringLiteral("5");
constexpr int kFaxText = 1890; // its text

QHash<quint64, CUnitsView*>& OpenViews()
{
    static QHash<quint64, CUnitsView*> views;
    return views;
}

quint64 NextViewId()
{
    static quint64 counter = 0;
    return ++counter;
}

} // namespace

CUnitsView::CUnitsView(CVelmoraDoc& document, const CUnitsSettings& settings, QWidget* parent)
    : CCellGridView(parent), m_document(document), m_settings(settings),
      m_model(std::make_unique<CUnitsTableModel>(document.Database(), settings)), m_viewId(NextViewId())
{
    setObjectName(QStringLiteral("UnitsView"));
    OpenViews().insert(m_viewId, this);
    m_selection = std::make_unique<CGridSelectionModel>(m_model.get());
    m_delegate = new CUnitsItemDelegate(this, m_model.get());
    ShowModel(m_model.get(), m_selection.get(), m_delegate);

    // A double-click opens the unit; typing, F2 or a click on the current cell edits it.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::SelectedClicked);
    // The drop copies (or moves, with Shift) through the fleets' databases and reloads both views.
    setDefaultDropAction(Qt::CopyAction);
    // Rows are dragged only while whole rows are selected: a drag from a cell selects cells.
    connect(m_selection.get(), &QItemSelectionModel::selectionChanged, this,
            [this] { setDragEnabled(WholeRowsSelected()); });
    connect(m_model.get(), &CUnitsTableModel::crossFleetPublished, this, &CUnitsView::crossFleetPublished);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, [this] { ++m_resets; });

    ApplyFontAndDirection(settings.hasFonts, settings.gridFont, settings.rightToLeft);
    // Rows as high as their text needs; the address column takes the rest of the width.
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setStretchLastSection(true);

    m_ownPrompt = std::make_unique<CDefaultValueDlg>(this);
    m_model->SetNewUnitPrompt(m_ownPrompt.get());

    m_document.AddView(this);
    CVelmoraWrap::ShowError(m_model->Load());
    ApplyColumns();
    MoveTo(1, 1, false);
}

CUnitsView::~CUnitsView()
{
    ReleaseEditor();
    OpenViews().remove(m_viewId);
    m_document.RemoveView(this);
}

CUnitsSettings CUnitsView::SettingsFromApp()
{
    CUnitsSettings settings;
    CVelmoraApp* app = CVelmoraApp::Instance();
    if (!app)
        return settings;
    settings.rules = &app->ModelRules();
    settings.modelList = app->ModelList();
    settings.faxLabel = CVelmoraGridModel::ChoiceText(app->EntryLanguageList(), kFaxEntry);
    // A fleet opened from the command line comes before the application has built that list.
    if (settings.faxLabel.isEmpty())
        settings.faxLabel = CVelmoraWrap::LoadString(kFaxText);
    settings.gridFont = app->GridFont();
    settings.gridFont2 = app->GridFont2();
    settings.hasFonts = true;
    settings.rightToLeft = app->IsRightToLeft();
    return settings;
}

CUnitsView* CUnitsView::FindView(quint64 viewId)
{
    return OpenViews().value(viewId, nullptr);
}

void CUnitsView::SetNewUnitPrompt(INewUnitPrompt* prompt)
{
    m_model->SetNewUnitPrompt(prompt ? prompt : m_ownPrompt.get());
}

void CUnitsView::SetReadPhoneHandler(std::function<void()> handler)
{
    m_model->SetReadPhoneHandler(std::move(handler));
}

// ---------------------------------------------------------------------------------------------
// Columns

void CUnitsView::ApplyColumns()
{
    for (int col = 1; col <= C::Count; ++col) {
        const bool hidden = C::HiddenAtStart(col);
        setColumnHidden(CUnitsTableModel::ModelCol(col), hidden);
        if (!hidden)
            setColumnWidth(CUnitsTableModel::ModelCol(col), DefaultColumnWidth(col));
    }
}

int CUnitsView::DefaultColumnWidth(int col) const
{
    const CGridCellStyle style = C::Style(col);
    const QFontMetrics header = horizontalHeader()->fontMetrics();
    const QFontMetrics cells(style.secondFont && m_settings.hasFonts ? m_settings.gridFont2 : font());
    int width = header.horizontalAdvance(C::Caption(col, m_settings.faxLabel)) + 20;
    if (style.control == CGridCellStyle::TabbedCombo) {
        const QString list = m_model->ChoiceList(style);
        for (const QString& line : list.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            width = qMax(width, cells.horizontalAdvance(line.section(QLatin1Char('\t'), 0, 0)) + 30);
    }
    if (style.widthMm > 0)
        width = qMax(width, qRound(style.widthMm * logicalDpiX() / 25.4));
    else if (style.maxLength > 0) {
        // Room for a full cell: digits for the number columns, ordinary letters for names.
        const QChar sample =
            style.validChars.startsWith(QLatin1String("0-9")) ? QLatin1Char('0') : QLatin1Char('n');
        width = qMax(width, cells.horizontalAdvance(QString(qMin(style.maxLength, 16), sample)) + 12);
    }
    return qMax(width, 40);
}

// ---------------------------------------------------------------------------------------------
// Current cell and editing

QList<int> CUnitsView::SelectedRows() const
{
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            if (!rows.contains(CUnitsTableModel::GridRowOf(r)))
                rows << CUnitsTableModel::GridRowOf(r);
        }
    }
    if (rows.isEmpty() && CurrentRow() > 0)
        rows << CurrentRow();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<QPair<int, int>> CUnitsView::SelectedBlocks() const
{
    QList<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            if (!rows.contains(CUnitsTableModel::GridRowOf(r)))
                rows << CUnitsTableModel::GridRowOf(r);
        }
    }
    std::sort(rows.begin(), rows.end());
    QList<QPair<int, int>> blocks;
    for (int row : rows) {
        if (!blocks.isEmpty() && blocks.last().second + 1 == row)
            blocks.last().second = row;
        else
            blocks << qMakePair(row, row);
    }
    return blocks;
}

bool CUnitsView::WholeRowsSelected() const
{
    const QList<QPair<int, int>> blocks = SelectedBlocks();
    if (blocks.isEmpty())
        return false;
    for (const auto& block : blocks) {
        for (int row = block.first; row <= block.second; ++row) {
            if (!selectionModel()->isRowSelected(CUnitsTableModel::ModelRow(row), QModelIndex()))
                return false;
        }
    }
    return true;
}

CCellEditDelegate* CUnitsView::CellDelegate() const
{
    return m_delegate;
}

bool CUnitsView::WriteEditedCell(QWidget*, const QModelIndex& index, const QString& text)
{
    if (m_model->SetCellText(CUnitsTableModel::GridRow(index), CUnitsTableModel::GridCol(index), text))
        return true;
    CVelmoraWrap::ShowError(m_model->LastRefusal().Error());
    return false;
}

bool CUnitsView::LeaveRow(int row)
{
    if (m_model->EditRow() != row)
        return true;
    // The user was told why the row cannot be stored: arrows and clicks away from it, with nothing
    // changed, bring back the cell to fix instead of the same message again.
    if (m_model->RefusedAsItStands(row)) {
        ReturnToRefusedCell(row, m_model->RefusedColumn());
        return false;
    }
    return StoreRowAndSay(row);
}

bool CUnitsView::StoreRowAndSay(int row)
{
    if (m_model->EditRow() != row)
        return true;
    const int resets = m_resets;
    const CUnitsTableModel::StoreResult result = m_model->StoreRow(row);
    CVelmoraWrap::ShowError(result.error);
    if (result.stored)
        MarkDocumentChanged();
    // The new unit came from the phone and the grid was loaded again: the move asked for refers to
    // rows that are gone, and the current cell is on the first row already.
    if (m_resets != resets)
        return false;
    if (!result.ok)
        ReturnToRefusedCell(row, result.column);
    return result.ok;
}

void CUnitsView::ReturnToRefusedCell(int row, int col)
{
    if (col <= 0 || row > m_model->RowCount())
        return;
    // The row stays in edit, with the current cell on what has to be fixed.
    MoveTo(row, col, false);
    // The key or click that tried to leave the row is still being handled (and closes any editor):
    // the cell's editor opens after it.
    QTimer::singleShot(0, this, [this, row, col] {
        if (IsEditing() || CurrentRow() != row || CurrentCol() != col || m_model->EditRow() != row)
            return;
        const QModelIndex index = currentIndex();
        if (!(index.flags() & Qt::ItemIsEditable))
            return;
        edit(index);
        // The text is to be fixed, not typed over: the cursor waits at its end.
        if (auto* line = qobject_cast<QLineEdit*>(m_delegate->Editor()))
            line->setCursorPosition(int(line->text().size()));
    });
}

bool CUnitsView::StoreEditedRow()
{
    if (!EndEdit())
        return false;
    const int row = m_model->EditRow();
    // Saving or closing says why it cannot go on, even when the row was refused before.
    return row == 0 || StoreRowAndSay(row);
}

void CUnitsView::MarkDocumentChanged()
{
    m_document.SetModifiedFlag(true);
    m_document.SetChanged(true);
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

void CUnitsView::NavigateTab(bool forward, bool /*fromEditor: the edit is looked at below*/)
{
    const QList<int> cols = VisibleColumns();
    if (cols.isEmpty())
        return;
    if (!currentIndex().isValid()) {
        MoveTo(1, cols.first(), false);
        return;
    }
    const bool wasEditing = IsEditing();
    if (!EndEdit())
        return;
    const int row = CurrentRow(), col = CurrentCol();
    const int pos = int(cols.indexOf(col));
    int newRow = row, newCol = col;
    if (forward) {
        if (pos + 1 < cols.size()) {
            newCol = cols[pos + 1];
        } else if (row < m_model->RowCount()) {
            newRow = row + 1;
            newCol = cols.first();
        } else {
            // Tab from the last cell of the append row stores the new unit and goes on to the next
            // append row.
            if (!m_model->IsRecordEditing() || !LeaveRow(row))
                return;
            newRow = m_model->AppendRow();
            newCol = cols.first();
        }
    } else if (pos > 0) {
        newCol = cols[pos - 1];
    } else if (row > 1) {
        newRow = row - 1;
        newCol = cols.last();
    } else {
        return;
    }
    if (newRow != row && !LeaveRow(row))
        return;
    MoveTo(newRow, newCol, wasEditing);
}

bool CUnitsView::EditorEnter()
{
    EndEdit();
    return true;
}

void CUnitsView::RefuseTypedText(const CGridCheckResult& refusal)
{
    CVelmoraWrap::ShowError(refusal.Error());
}

bool CUnitsView::LeaveChangedEditor(QWidget* editor, const QModelIndex& index, const QString& text, QWidget*)
{
    if (m_model->SetCellText(CUnitsTableModel::GridRow(index), CUnitsTableModel::GridCol(index), text)) {
        closeEditor(editor, QAbstractItemDelegate::NoHint);
        return true;
    }
    CVelmoraWrap::ShowError(m_model->LastRefusal().Error());
    RefocusLater(editor);
    return true;
}

void CUnitsView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_End:
    case Qt::Key_Home:
        // End goes to the address column and Home to the user name of the current row; with Ctrl
        // the grid goes to the last or first row as usual.
        if (!(mods & Qt::ControlModifier) && CurrentRow() > 0) {
            SetCurrentCell(CurrentRow(), event->key() == Qt::Key_End ? int(C::IpAddress) : int(C::UserName));
            event->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (!IsEditing() && SelectedBlocks().size() == 1 && WholeRowsSelected()) {
            DeleteSelectedUnits();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (!IsEditing() && m_model->IsRecordEditing()) {
            m_model->CancelRecordEdit();
            m_model->ClearStoreFailed();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    CCellGridView::keyPressEvent(event); // Tab and Shift+Tab
}

void CUnitsView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || event->button() != Qt::LeftButton) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    // The first click of the double-click scheduled an edit of the current cell; the unit opens
    // instead.
    m_dropDelayedEdit = true;
    // Recorded as a double-click (it edits nothing), so the release that follows schedules no edit.
    CCellGridView::edit(index, QAbstractItemView::DoubleClicked, event);
    OpenUnit(CUnitsTableModel::GridRow(index));
    QTimer::singleShot(QApplication::doubleClickInterval(), this, [this]() { m_dropDelayedEdit = false; });
    event->accept();
}

bool CUnitsView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // The scheduled edit arrives without an event, for all triggers.
    if (m_dropDelayedEdit && trigger == QAbstractItemView::AllEditTriggers && !event) {
        m_dropDelayedEdit = false;
        return false;
    }
    return CCellGridView::edit(index, trigger, event);
}

// ---------------------------------------------------------------------------------------------
// Operations

void CUnitsView::LoadUnits()
{
    CancelEdit();
    CVelmoraWrap::ShowError(m_model->Load());
    MoveTo(1, 1, false);
}

void CUnitsView::DeleteSelectedUnits()
{
    if (IsEditing()) {
        CVelmoraWrap::ShowError(UnitsMsg::DeleteWhileEditing, VMT_ERROR);
        return;
    }
    QStringList imeis;
    QList<int> rows;
    for (int row : SelectedRows()) {
        const QString imei = m_model->StoredImei(row);
        if (imei.isEmpty() || imeis.contains(imei))
            continue;
        imeis << imei;
        rows << row;
    }
    if (imeis.isEmpty())
        return;
    // A row in edit that stays must be stored first: the reload after the deletion starts over.
    const int editRow = m_model->EditRow();
    if (editRow > 0 && !rows.contains(editRow) && !LeaveRow(editRow))
        return;
    if (CVelmoraWrap::ShowError(UnitsMsg::ConfirmDelete, VMT_YESNO) != IDYES)
        return;
    m_model->CancelRecordEdit();
    const CUnitsTableModel::DeleteResult deleted = m_model->DeleteUnits(imeis);
    CVelmoraWrap::ShowError(deleted.error);
    CVelmoraWrap::ShowError(deleted.reload);
    MarkDocumentChanged();
    MoveTo(1, 1, false);
}

bool CUnitsView::OpenUnit(int row, int page)
{
    if (row < 1 || row > m_model->RowCount())
        return false;
    const bool rowCrossFleet = CUnitRowRules::IsCrossFleetText(m_model->Value(row, C::CrossFleet));
    Q_EMIT crossFleetPublished(rowCrossFleet);
    if (!m_model->IsStoredRow(row)) {
        CVelmoraWrap::ShowError(UnitsMsg::RowNotStored, VMT_ERROR);
        return false;
    }
    if (m_model->IsRecordEditing()) {
        if (EndEdit())
            LeaveRow(m_model->EditRow());
    }
    if (m_model->StoreFailed()) {
        // The row was refused: the double-click edits the cell, as in any row.
        m_dropDelayedEdit = false;
        m_model->ClearStoreFailed();
        viewport()->update();
        const QModelIndex index = currentIndex();
        if (index.isValid() && (index.flags() & Qt::ItemIsEditable) && !IsEditing())
            edit(index);
        return false;
    }
    CUnitOpenInfo info;
    if (const CVelmoraError error = CUnitOpener::Prepare(m_model->Database(), m_model->StoredImei(row),
                                                         rowCrossFleet, m_settings.rules, info)) {
        CVelmoraWrap::ShowError(error);
        return false;
    }
    CVelmoraWrap::ShowError(info.profileError);
    Q_EMIT crossFleetPublished(info.crossFleet);
    Q_EMIT simVersionPublished(info.simVersion);
    Q_EMIT openUnitRequested(info);
    if (m_sheetHooks) {
        const bool changed = m_sheetHooks.open(m_document, info, page, this);
        // The sheet may have changed the unit's record (its comments): the row is read again.
        m_model->RefreshRow(row);
        viewport()->update();
        if (changed)
            MarkDocumentChanged();
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Dragging units to another fleet

QMimeData* CUnitsView::DragData()
{
    const QList<QPair<int, int>> blocks = SelectedBlocks();
    if (blocks.size() > 1) {
        CVelmoraWrap::ShowError(UnitsMsg::DragOneRange, VMT_ERROR);
        return nullptr;
    }
    if (blocks.isEmpty() || !StoreEditedRow())
        return nullptr;
    QStringList imeis;
    for (int row = blocks.first().first; row <= blocks.first().second; ++row) {
        const QString imei = m_model->StoredImei(row);
        if (!imei.isEmpty())
            imeis << imei;
    }
    return imeis.isEmpty() ? nullptr : CUnitsTableModel::EncodeRows(m_viewId, imeis);
}

bool CUnitsView::AcceptsDrop(const QDropEvent* event) const
{
    quint64 source = 0;
    QStringList imeis;
    if (IsEditing() || !CUnitsTableModel::DecodeRows(event->mimeData(), source, imeis))
        return false;
    return source != m_viewId && FindView(source) != nullptr;
}

Qt::DropAction CUnitsView::DropActionOf(const QDropEvent* event) const
{
    return event->modifiers().testFlag(Qt::ShiftModifier) ? Qt::MoveAction : Qt::CopyAction;
}

bool CUnitsView::DropRows(const QDropEvent* event, Qt::DropAction action)
{
    return DropUnits(event->mimeData(), action == Qt::MoveAction);
}

bool CUnitsView::DropUnits(const QMimeData* data, bool move)
{
    quint64 sourceId = 0;
    QStringList imeis;
    if (!CUnitsTableModel::DecodeRows(data, sourceId, imeis) || imeis.isEmpty() || sourceId == m_viewId)
        return false;
    CUnitsView* source = FindView(sourceId);
    if (!source || &source->Document() == &m_document)
        return false;
    // Both grids reload afterwards: a row typed here must be stored first.
    if (!StoreEditedRow() || !source->StoreEditedRow())
        return false;
    for (const CVelmoraError& error :
         CAppendFile::DragUnits(m_document, source->Document(), imeis, move, m_appendQuestion))
        CVelmoraWrap::ShowError(error);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The document and the frame

bool CUnitsView::CanCloseView()
{
    return StoreEditedRow();
}

void CUnitsView::ActivateView()
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = window->mdiArea())
                area->setActiveSubWindow(window);
            break;
        }
    }
    setFocus();
}

void CUnitsView::ReleaseDatabase()
{
    CancelEdit();
    m_model->ReleaseDatabase();
}

void CUnitsView::AttachDatabase(const QSqlDatabase& db)
{
    m_model->AttachDatabase(db);
    viewport()->update();
}

void CUnitsView::RefreshUnits()
{
    LoadUnits();
}

void CUnitsView::ShowUnit(const QString& imei)
{
    const int row = m_model->RowOfImei(imei);
    if (row < 1 || IsEditing() || !MoveTo(row, int(C::UserName), false))
        return;
    const int modelRow = CUnitsTableModel::ModelRow(row);
    const QItemSelection whole(model()->index(modelRow, 0),
                               model()->index(modelRow, model()->columnCount() - 1));
    selectionModel()->select(whole, QItemSelectionModel::ClearAndSelect);
}

int CUnitsView::ViewFamily() const
{
    return FrameFamily::Fleet;
}

bool CUnitsView::CanRunCommand(int commandId) const
{
    switch (commandId) {
    case FrameCmd::UnitsCommand:
        return m_model->UnitCount() > 0 && !IsEditing();
    case FrameCmd::Refresh:
        return !IsEditing();
    default:
        break;
    }
    // The unit property commands open the current unit's sheet on a page the sheet has.
    const int page = CUnitSheetLayout::PageOfCommand(commandId);
    return page >= 0 && m_sheetHooks && m_sheetHooks.hasPage && m_sheetHooks.hasPage(page) &&
           m_model->IsStoredRow(CurrentRow());
}

void CUnitsView::RunCommand(int commandId)
{
    switch (commandId) {
    case FrameCmd::UnitsCommand:
        DeleteSelectedUnits();
        break;
    case FrameCmd::Refresh:
        if (StoreEditedRow())
            LoadUnits();
        break;
    default:
        if (const int page = CUnitSheetLayout::PageOfCommand(commandId); page >= 0)
            OpenUnit(CurrentRow(), page);
        break;
    }
}

bool CUnitsView::FinishPendingWork()
{
    return StoreEditedRow();
}
