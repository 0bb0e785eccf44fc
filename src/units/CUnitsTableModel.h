#pragma once

#include "CGridCellStyle.h"
#include "CGridCheckResult.h"
#include "CStyledGridModel.h"
#include "CUnitsSettings.h"
#include "CVelmoraError.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <functional>

class INewUnitPrompt;

// The units of a fleet as a table: one row per unit_details row, in record-number order, and the
// blank append row after them, in the 33 columns of the units grid.
//
// Rows are read from the database in blocks as they are asked for (a view asks for the rows it
// shows), and only a bounded number of blocks is kept, so a fleet of any size opens at the cost of
// one count and one block.
//
// Editing works on one row at a time, as a record: typed cells go into the row's edit buffer, and
// the row is checked and written as a whole by StoreRow (the view calls it when the current cell
// leaves the row). The grid API uses grid coordinates (see CStyledGridModel).
//
// Failures come back as error values for the view to show; the new-unit question goes through the
// prompt.
class CUnitsTableModel : public CStyledGridModel
{
    Q_OBJECT

public:
    enum : int
    {
        BlockSize = 128,
        MaxCachedBlocks = 24,
    };

    // What StoreRow did.
    struct StoreResult
    {
        bool ok = true;
        int column = 0;      // on a refusal: the grid column to fix (0: stay where the cell is)
        bool stored = false; // a row was written
        CVelmoraError error; // on a refusal: what to tell the user (may be none)
    };
    // What DeleteUnits did.
    struct DeleteResult
    {
        bool deleted = false; // false: the deletion failed, for the reason in error
        CVelmoraError error;  // why the deletion failed
        CVelmoraError reload; // a failed reading of the units afterwards
    };

    CUnitsTableModel(const QSqlDatabase& db, const CUnitsSettings& settings, QObject* parent = nullptr);
    ~CUnitsTableModel() override;

    const CUnitsSettings& Settings() const { return m_settings; }
    void SetNewUnitPrompt(INewUnitPrompt* prompt) { m_prompt = prompt; }
    // The read-phone command the new-unit prompt offers; without one the choice is not offered.
    void SetReadPhoneHandler(std::function<void()> handler) { m_readPhone = std::move(handler); }

    // --- Database ---
    // Counts the units and starts over (every cached row and any edit dropped). A database not
    // open reads as no units.
    CVelmoraError Load();
    // The document closes or copies its file: nothing may read it until AttachDatabase.
    void ReleaseDatabase();
    void AttachDatabase(const QSqlDatabase& db);
    QSqlDatabase Database() const { return m_db; }
    // A unit row changed behind the grid (its property sheet closed): read it again and redraw it.
    void RefreshRow(int row);
    // Blocks read from the database since the last Load (for the benchmark and tests of laziness).
    int BlocksRead() const { return m_blocksRead; }

    // --- Rows (grid numbers) ---
    int UnitCount() const { return m_count; }
    int RowCount() const override { return m_count + 1; }
    int ColCount() const override;
    int AppendRow() const { return m_count + 1; }
    bool IsStoredRow(int row) const { return row >= 1 && row <= m_count; }
    // The value a cell holds (the edit buffer for the row in edit).
    QString Value(int row, int col) const override;
    // The text a cell shows, after the display rules of stored rows.
    QString CellText(int row, int col) const;
    // The IMEI a stored row has in the database (empty for the append row).
    QString StoredImei(int row) const;
    // The stored row of the unit with this IMEI; 0 when the fleet has none.
    int RowOfImei(const QString& imei) const;
    // Writes typed text into a cell after its cell control's check; false (LastRefusal set) when the
    // check fails or the cell is read-only.
    bool SetCellText(int row, int col, const QString& text);
    const CGridCheckResult& LastRefusal() const { return m_lastRefusal; }
    // The style of a cell: the column's, read-only on the model and address cells of stored rows.
    CGridCellStyle StyleAt(int row, int col) const override;
    QString ChoiceList(const CGridCellStyle& style) const;

    // --- The row in edit ---
    // True when a row holds typed changes not yet stored.
    bool IsRecordEditing() const;
    int EditRow() const { return IsRecordEditing() ? m_edit.row : 0; }
    // Drops the typed changes of the row in edit.
    void CancelRecordEdit();
    // Checks and writes the row in edit (nothing to do for another row or an unchanged one). On a
    // refusal the row keeps its typed values and the result holds the message of a refused check
    // (a write the database refused has told the user already).
    StoreResult StoreRow(int row);
    // Set when a store was refused; cleared by a stored row or ClearStoreFailed.
    bool StoreFailed() const { return m_storeFailed; }
    void ClearStoreFailed() { m_storeFailed = false; }
    // True when the row's last store was refused and none of its cells changed since: storing it
    // again would refuse it for the same reason.
    bool RefusedAsItStands(int row) const;
    // The column the last refusal named (0: none).
    int RefusedColumn() const { return m_refused.column; }

    // --- Units ---
    // Deletes the units from every per-unit table (talk_grp_detail keeps its rows) and reloads.
    DeleteResult DeleteUnits(const QStringList& imeis);

    // --- Rows dragged to another fleet ---
    static QString RowsMimeType() { return QStringLiteral("application/x-velmora-grid-rows"); }
    static QMimeData* EncodeRows(quint64 sourceId, const QStringList& imeis);
    static bool DecodeRows(const QMimeData* data, quint64& sourceId, QStringList& imeis);

    // --- Qt model ---
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A stored row's cross-fleet flag, for whoever keeps the flag of the unit being worked on.
    void crossFleetPublished(bool on);
    // A row was written (grid number).
    void rowStored(int row);

protected:
    QVariant CellData(int row, int col, int role) const override;
    CellFonts Fonts() const override
    {
        return {m_settings.hasFonts, m_settings.gridFont, m_settings.gridFont2};
    }
    bool IsChecked(int row, int col) const override;

private:
    struct Edit
    {
        int row = 0; // grid row; 0: none
        QStringList cells;
        QStringList original;
        qint64 rowId = 0;
        QString storedImei;
    };

    // The stored cells of a unit row (raw field texts), reading its block when needed.
    const QStringList& StoredCells(int row) const;
    bool ReadBlock(int block) const;
    void DropBlockOf(int row);
    void DropCache();
    QStringList InitialCells() const;
    // Starts the edit of a row; false when another row holds unstored changes.
    bool BeginEdit(int row);
    bool ShowMsgOn() const;
    // Refuses the store of the row in edit, remembering its cells as they were refused.
    StoreResult Refuse(int column, const CVelmoraError& error);
    void EmitRowChanged(int row);

    QSqlDatabase m_db;
    CUnitsSettings m_settings;
    INewUnitPrompt* m_prompt = nullptr;
    std::function<void()> m_readPhone;
    int m_count = 0;
    mutable QHash<int, QList<QStringList>> m_blocks;
    mutable QList<int> m_recent; // most recently used block first
    mutable int m_blocksRead = 0;
    Edit m_edit;
    bool m_storeFailed = false;
    struct Refusal
    {
        int row = 0;
        int column = 0;
        QStringList cells;
    } m_refused;
    mutable CGridCheckResult m_lastRefusal;
};
