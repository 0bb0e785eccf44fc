#pragma once

#include "CCellGridView.h"
#include "CUnitOpener.h"
#include "CUnitSheetHooks.h"
#include "CUnitsSettings.h"
#include "CUnitsTableModel.h"
#include "IFleetView.h"
#include "IFrameView.h"

#include <functional>
#include <memory>

class CGridSelectionModel;
class CUnitsItemDelegate;
class CVelmoraDoc;
class IAppendQuestion;
class INewUnitPrompt;

// The units grid of a fleet window: one row per unit and the append row below them, in which the
// manager types new units, edits the shown columns of stored ones, deletes units, drags them to
// another fleet's window and double-clicks one to open it.
//
// A row is edited as a record: leaving it (or Tab from its last cell) checks and stores it, and a
// refused row keeps its typed values with the current cell on the column to fix; Esc drops them.
// Rows and columns of its own API are grid numbers, counted from 1.
class CUnitsView : public CCellGridView, public IFleetView, public IFrameView
{
    Q_OBJECT

public:
    CUnitsView(CVelmoraDoc& document, const CUnitsSettings& settings, QWidget* parent = nullptr);
    ~CUnitsView() override;

    // The settings of the running program (model rules and list, fonts, direction, fax label).
    static CUnitsSettings SettingsFromApp();

    CVelmoraDoc& Document() const { return m_document; }
    CUnitsTableModel* Model() const { return m_model.get(); }
    quint64 ViewId() const { return m_viewId; }
    // The open units view with this id, or nullptr.
    static CUnitsView* FindView(quint64 viewId);

    // Who answers the overwrite question when dropped units exist here already (nullptr: they are
    // skipped).
    void SetAppendQuestion(IAppendQuestion* question) { m_appendQuestion = question; }
    // Who answers the new-unit prompt (nullptr: the view's own dialog).
    void SetNewUnitPrompt(INewUnitPrompt* prompt);
    // The read-phone command offered by the new-unit prompt (none: the choice is not offered).
    void SetReadPhoneHandler(std::function<void()> handler);
    // The unit property sheet that double-clicks and the unit property commands open (none: a
    // double-click only prepares the unit and announces it).
    void SetSheetHooks(CUnitSheetHooks hooks) { m_sheetHooks = std::move(hooks); }

    using CCellGridView::edit; // edit(index) stays public beside the override below

    // --- Cells (the current cell and editing: CCellGridView; SetCurrentCell stores the row being
    // left, EndEdit writes the text into the row in edit) ---
    QList<int> SelectedRows() const;

    // --- Operations ---
    // Reads the units again and puts the current cell on row 1, column 1.
    void LoadUnits();
    // Stores the row in edit, if any; false when it was refused.
    bool StoreEditedRow();
    // Deletes the units of the selected rows after question 1585.
    void DeleteSelectedUnits();
    // Double-click on a row: opens the unit when it is a stored one (false when refused or when the
    // double-click went to the cell instead), in its property sheet on a page (-1: the first). After
    // the sheet the row is read again, and the document is marked modified when the unit changed.
    bool OpenUnit(int row, int page = -1);
    // The dragged rows: one block of rows of stored units. nullptr (after 1715 for several blocks)
    // when there is nothing to drag.
    QMimeData* DragData() override;
    // A drop of units from another fleet's view: copied, or moved when move is set. False when
    // nothing was done (the same view, an unknown source, this view could not finish its row).
    bool DropUnits(const QMimeData* data, bool move);

    // --- IFleetView ---
    bool IsEditingCell() const override { return IsEditing(); }
    bool CanCloseView() override;
    void ActivateView() override;
    void ReleaseDatabase() override;
    void AttachDatabase(const QSqlDatabase& db) override;
    void RefreshUnits() override;
    void ShowUnit(const QString& imei) override;

    // --- IFrameView ---
    int ViewFamily() const override;
    bool CanRunCommand(int commandId) const override;
    void RunCommand(int commandId) override;
    bool FinishPendingWork() override;

Q_SIGNALS:
    // A stored unit is to be opened in its property sheet, with what the model rules answered.
    void openUnitRequested(const CUnitOpenInfo& info);
    // The cross-fleet flag and SIM version of the unit being worked on.
    void crossFleetPublished(bool on);
    void simVersionPublished(int simVersion);

protected:
    CCellEditDelegate* CellDelegate() const override;
    QString CellValue(int row, int col) const override { return m_model->Value(row, col); }
    bool WriteEditedCell(QWidget* editor, const QModelIndex& index, const QString& text) override;
    bool LeaveChangedEditor(QWidget* editor, const QModelIndex& index, const QString& text,
                            QWidget* focus) override;
    // Stores the row when it is the one in edit. A refused row stays in edit with its failing cell
    // in edit; leaving it again unchanged is refused without repeating the message.
    bool LeaveRow(int row) override;
    // Goes on editing when the cell it leaves was in edit.
    void NavigateTab(bool forward, bool fromEditor) override;
    bool EditorEnter() override;
    void RefuseTypedText(const CGridCheckResult& refusal) override;

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // The edit a click on the current cell schedules is dropped when that click began a double-click
    // that opened the unit.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Units of another fleet's view; Shift moves them, otherwise they are copied.
    bool AcceptsDrop(const QDropEvent* event) const override;
    Qt::DropAction DropActionOf(const QDropEvent* event) const override;
    bool DropRows(const QDropEvent* event, Qt::DropAction action) override;

private:
    void ApplyColumns();
    int DefaultColumnWidth(int col) const;
    // Contiguous blocks of selected rows.
    QList<QPair<int, int>> SelectedBlocks() const;
    bool WholeRowsSelected() const;
    void MarkDocumentChanged();
    // Stores the row in edit and says why when it is refused.
    bool StoreRowAndSay(int row);
    // Puts the current cell back on the failing cell of a refused row and opens its editor, once the
    // move that was refused is over.
    void ReturnToRefusedCell(int row, int col);

    CVelmoraDoc& m_document;
    CUnitsSettings m_settings;
    std::unique_ptr<CUnitsTableModel> m_model;
    std::unique_ptr<CGridSelectionModel> m_selection;
    std::unique_ptr<INewUnitPrompt> m_ownPrompt;
    CUnitsItemDelegate* m_delegate = nullptr; // owned by this view (QObject parent)
    CUnitSheetHooks m_sheetHooks;
    bool m_dropDelayedEdit = false;
    IAppendQuestion* m_appendQuestion = nullptr;
    quint64 m_viewId;
    int m_resets = 0; // loads of the table so far
};
