#include "CUnitsTableModel.h"

#include "CFleetConnection.h"
#include "CGridCellCheck.h"
#include "CModelRules.h"
#include "CUnitCascade.h"
#include "CUnitRowChecks.h"
#include "CUnitRowRules.h"
#include "CUnitRowStore.h"
#include "CUnitsColumns.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraWrap.h"
#include "FleetMessageIds.h"
#include "INewUnitPrompt.h"
#include "UnitsMessageIds.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

using C = CUnitsColumns;

const QString kShowMsg = QStringLiteral("Show Msg");

QString SelectColumns()
{
    return C::FieldNames().join(QStringLiteral(", "));
}

} // namespace

CUnitsTableModel::CUnitsTableModel(const QSqlDatabase& db, const CUnitsSettings& settings, QObject* parent)
    : CStyledGridModel(parent), m_db(db), m_settings(settings)
{
}

CUnitsTableModel::~CUnitsTableModel() = default;

// ---------------------------------------------------------------------------------------------
// Database

CVelmoraError CUnitsTableModel::Load()
{
    beginResetModel();
    DropCache();
    m_edit = Edit();
    m_blocksRead = 0;
    m_count = 0;
    CVelmoraError error;
    if (m_db.isOpen()) {
        QSqlQuery query(m_db);
        if (query.exec(QStringLiteral("SELECT COUNT(*) FROM unit_details")) && query.next())
            m_count = query.value(0).toInt();
        else
            error = CFleetConnection::Error(query.lastError());
    }
    endResetModel();
    return error;
}

void CUnitsTableModel::ReleaseDatabase()
{
    DropCache();
    m_db = QSqlDatabase();
}

void CUnitsTableModel::AttachDatabase(const QSqlDatabase& db)
{
    // The same file again (after a save): the row in edit keeps its typed values.
    m_db = db;
    DropCache();
    if (m_count > 0)
        Q_EMIT dataChanged(IndexOf(1, 1), IndexOf(m_count, C::Count));
}

void CUnitsTableModel::RefreshRow(int row)
{
    if (!IsStoredRow(row))
        return;
    DropBlockOf(row);
    EmitRowChanged(row);
}

void CUnitsTableModel::DropCache()
{
    m_blocks.clear();
    m_recent.clear();
}

void CUnitsTableModel::DropBlockOf(int row)
{
    const int block = (row - 1) / BlockSize;
    m_blocks.remove(block);
    m_recent.removeAll(block);
}

bool CUnitsTableModel::ReadBlock(int block) const
{
    QList<QStringList> rows;
    if (m_db.isOpen()) {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM unit_details ORDER BY unit_rec_num LIMIT ? OFFSET ?")
                          .arg(SelectColumns()));
        query.addBindValue(int(BlockSize));
        query.addBindValue(block * int(BlockSize));
        if (query.exec()) {
            while (query.next()) {
                QStringList cells;
                cells.reserve(C::Count);
                for (int col = 1; col <= C::Count; ++col)
                    cells << CUnitRowStore::CellText(col, query.value(col - 1));
                rows << cells;
            }
        }
        ++m_blocksRead;
    }
    m_blocks.insert(block, rows);
    m_recent.removeAll(block);
    m_recent.prepend(block);
    while (m_recent.size() > MaxCachedBlocks)
        m_blocks.remove(m_recent.takeLast());
    return m_db.isOpen();
}

const QStringList& CUnitsTableModel::StoredCells(int row) const
{
    static const QStringList none = [] {
        QStringList cells;
        for (int col = 1; col <= C::Count; ++col)
            cells << QString();
        return cells;
    }();
    if (!IsStoredRow(row))
        return none;
    const int block = (row - 1) / BlockSize;
    auto it = m_blocks.constFind(block);
    if (it == m_blocks.constEnd()) {
        ReadBlock(block);
        it = m_blocks.constFind(block);
    } else if (m_recent.value(0) != block) {
        m_recent.removeAll(block);
        m_recent.prepend(block);
    }
    const int offset = (row - 1) % BlockSize;
    // The table may have lost rows behind the view's back; such a row shows empty until the reload.
    return offset < it->size() ? it->at(offset) : none;
}

// ---------------------------------------------------------------------------------------------
// Cells

QStringList CUnitsTableModel::InitialCells() const
{
    QStringList cells;
    for (int col = 1; col <= C::Count; ++col)
        cells << C::InitialValue(col);
    return cells;
}

QString CUnitsTableModel::Value(int row, int col) const
{
    if (col < 1 || col > C::Count)
        return QString();
    if (row == m_edit.row)
        return m_edit.cells.value(col - 1);
    if (row == AppendRow())
        return C::InitialValue(col);
    return StoredCells(row).value(col - 1);
}

QString CUnitsTableModel::StoredImei(int row) const
{
    return IsStoredRow(row) ? StoredCells(row).value(C::Imei - 1) : QString();
}

int CUnitsTableModel::RowOfImei(const QString& imei) const
{
    // Rows follow the record numbers: the row is one more than the units recorded before this one.
    if (imei.isEmpty() || !m_db.isOpen())
        return 0;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM unit_details WHERE unit_rec_num < "
                                 "(SELECT MIN(unit_rec_num) FROM unit_details WHERE unit_imei_num = ?)"));
    query.addBindValue(imei);
    QSqlQuery found(m_db);
    found.prepare(QStringLiteral("SELECT COUNT(*) FROM unit_details WHERE unit_imei_num = ?"));
    found.addBindValue(imei);
    if (!found.exec() || !found.next() || found.value(0).toInt() == 0 || !query.exec() || !query.next())
        return 0;
    const int row = query.value(0).toInt() + 1;
    return IsStoredRow(row) ? row : 0;
}

QString CUnitsTableModel::ChoiceList(const CGridCellStyle& style) const
{
    return style.choiceSource == CGridCellStyle::ModelChoices ? m_settings.modelList : style.choiceList;
}

QString CUnitsTableModel::CellText(int row, int col) const
{
    const QString value = Value(row, col);
    const bool stored = IsStoredRow(row);
    switch (col) {
    case C::ModelType: {
        // A model with sub-releases is offered by its sub-model key: show the choice that key names.
        const QString key =
            stored ? CUnitRowRules::ModelCellText(row == m_edit.row ? m_edit.cells : StoredCells(row),
                                                  m_settings.rules)
                   : value;
        if (key.isEmpty() || key == QLatin1String("-1"))
            return QString();
        const QString text = CVelmoraGridModel::ChoiceText(m_settings.modelList, key);
        return text.isEmpty() ? key : text;
    }
    case C::IpAddress:
        return stored ? CUnitRowRules::NormaliseStoredIp(value) : value;
    case C::DefCallListLang: {
        const QString language = stored ? QString::number(CModelRules::DefaultCallListLanguage(
                                              int(CUnitRowRules::Number(Value(row, C::ReleaseId)))))
                                        : value;
        const QString text = CVelmoraGridModel::ChoiceText(C::CallListLanguages(), language);
        return text.isEmpty() ? language : text;
    }
    case C::CrossFleet:
        return QString();
    default:
        return value;
    }
}

CGridCellStyle CUnitsTableModel::StyleAt(int row, int col) const
{
    CGridCellStyle style = C::Style(col);
    // A stored unit keeps its model (its lists were made for it) and the address it was given.
    if (IsStoredRow(row) && (col == C::ModelType || col == C::IpAddress))
        style.readOnly = true;
    return style;
}

bool CUnitsTableModel::BeginEdit(int row)
{
    if (row == m_edit.row)
        return true;
    if (IsRecordEditing())
        return false;
    m_edit = Edit();
    m_refused = Refusal();
    m_edit.row = row;
    if (IsStoredRow(row)) {
        m_edit.cells = StoredCells(row);
        // The cells as the grid shows them: a stored address in its dotted form.
        m_edit.cells[C::IpAddress - 1] = CUnitRowRules::NormaliseStoredIp(m_edit.cells[C::IpAddress - 1]);
        m_edit.rowId = CUnitRowRules::Number(m_edit.cells[C::RecNum - 1]);
        m_edit.storedImei = m_edit.cells[C::Imei - 1];
    } else {
        m_edit.cells = InitialCells();
    }
    m_edit.original = m_edit.cells;
    return true;
}

bool CUnitsTableModel::SetCellText(int row, int col, const QString& text)
{
    m_lastRefusal = CGridCheckResult::Pass();
    if (row < 1 || row > RowCount() || col < 1 || col > C::Count)
        return false;
    const CGridCellStyle style = StyleAt(row, col);
    if (style.readOnly || style.control == CGridCellStyle::StaticText) {
        m_lastRefusal = CGridCheckResult::FailSilently();
        return false;
    }
    QString value = text;
    if (style.control == CGridCellStyle::CheckBox) {
        value = CUnitRowRules::IsCrossFleetText(text) ? QStringLiteral("1") : QStringLiteral("0");
    } else if (style.control == CGridCellStyle::RangeEdit) {
        if (style.maxLength > 0 && value.size() > style.maxLength) {
            m_lastRefusal = CGridCheckResult::FailSilently();
            return false;
        }
        const CGridCheckResult check = CGridCellCheck::RangeEdit(style, value);
        if (!check.ok) {
            m_lastRefusal = check;
            return false;
        }
        if (col == C::UserName) {
            QStringList cells = row == m_edit.row  ? m_edit.cells
                                : IsStoredRow(row) ? StoredCells(row)
                                                   : InitialCells();
            cells[C::UserName - 1] = value;
            const CGridCheckResult page = CUnitRowRules::CheckUserNameText(cells, m_settings.rightToLeft);
            if (!page.ok) {
                m_lastRefusal = page;
                return false;
            }
        }
    }
    if (Value(row, col) == value)
        return true;
    if (!BeginEdit(row)) {
        m_lastRefusal = CGridCheckResult::FailSilently();
        return false;
    }
    m_edit.cells[col - 1] = value;
    const QModelIndex i = IndexOf(row, col);
    Q_EMIT dataChanged(i, i);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The row in edit

bool CUnitsTableModel::IsRecordEditing() const
{
    return m_edit.row > 0 && m_edit.cells != m_edit.original;
}

void CUnitsTableModel::CancelRecordEdit()
{
    const int row = m_edit.row;
    m_edit = Edit();
    m_refused = Refusal();
    if (row > 0 && row <= RowCount())
        EmitRowChanged(row);
}

void CUnitsTableModel::EmitRowChanged(int row)
{
    Q_EMIT dataChanged(IndexOf(row, 1), IndexOf(row, C::Count));
}

bool CUnitsTableModel::ShowMsgOn() const
{
    QString value;
    return CVelmoraWrap::GetRegistryValue(kShowMsg, value) && value.trimmed() == QLatin1String("1");
}

CUnitsTableModel::StoreResult CUnitsTableModel::Refuse(int column, const CVelmoraError& error)
{
    m_storeFailed = true;
    m_refused = Refusal{m_edit.row, column, m_edit.cells};
    return StoreResult{false, column, false, error};
}

bool CUnitsTableModel::RefusedAsItStands(int row) const
{
    return row > 0 && m_refused.row == row && m_edit.row == row && IsRecordEditing() &&
           m_edit.cells == m_refused.cells;
}

CUnitsTableModel::StoreResult CUnitsTableModel::StoreRow(int row)
{
    StoreResult result;
    if (row != m_edit.row || m_edit.row == 0)
        return result;
    if (!IsRecordEditing()) {
        m_edit = Edit(); // nothing typed, or typed back as it was
        return result;
    }
    const bool isNew = !IsStoredRow(row);

    QStringList cells = m_edit.cells;
    const CUnitRowCheckResult check =
        CUnitRowChecks::Run(cells, m_settings.rules, isNew, isNew ? nullptr : &StoredCells(row));
    if (!check.ok)
        return Refuse(check.column, check.message.Error());
    // The model chosen after the name was typed decides the page the name must fit.
    const CGridCheckResult namePage = CUnitRowRules::CheckUserNameText(cells, m_settings.rightToLeft);
    if (!namePage.ok)
        return Refuse(C::UserName, namePage.Error());
    m_edit.cells = cells;

    if (isNew && m_prompt && ShowMsgOn()) {
        const INewUnitPrompt::Answer answer = m_prompt->AskNewUnit(bool(m_readPhone));
        if (answer.dontShowAgain)
            CVelmoraWrap::SetRegistryValue(kShowMsg, QStringLiteral("0"));
        if (answer.confirmed && answer.choice == INewUnitPrompt::FromPhone && m_readPhone) {
            m_readPhone();
            // The phone's unit came in through the fleet and the grid was reloaded: nothing left here.
            if (m_edit.row != row)
                return result;
            if (m_edit.cells.value(C::UserName - 1).isEmpty())
                return Refuse(C::UserName, CVelmoraError::Message(UnitsMsg::UserNameMissing));
        }
    }

    CUnitRowStore store(m_db, m_settings.rules);
    qint64 rowId = m_edit.rowId;
    int failedColumn = 0;
    if (const CVelmoraError error = store.Store(cells, rowId, m_edit.storedImei, &failedColumn))
        return Refuse(failedColumn, error);
    m_storeFailed = false;
    m_refused = Refusal();
    m_edit = Edit();
    if (isNew) {
        // The append row became the new unit (it has the highest record number, so it is the last
        // unit); a new append row follows it.
        beginInsertRows(QModelIndex(), m_count + 1, m_count + 1);
        ++m_count;
        DropBlockOf(row);
        endInsertRows();
    } else {
        DropBlockOf(row);
    }
    EmitRowChanged(row);
    Q_EMIT crossFleetPublished(CUnitRowRules::IsCrossFleetText(cells.value(C::CrossFleet - 1)));
    Q_EMIT rowStored(row);
    return StoreResult{true, 0, true, {}};
}

// ---------------------------------------------------------------------------------------------
// Units

CUnitsTableModel::DeleteResult CUnitsTableModel::DeleteUnits(const QStringList& imeis)
{
    DeleteResult result;
    result.error = CUnitCascade::DeleteUnits(m_db, imeis);
    result.deleted = !result.error;
    result.reload = Load();
    return result;
}

QMimeData* CUnitsTableModel::EncodeRows(quint64 sourceId, const QStringList& imeis)
{
    return EncodeDraggedRows(RowsMimeType(), sourceId, imeis);
}

bool CUnitsTableModel::DecodeRows(const QMimeData* data, quint64& sourceId, QStringList& imeis)
{
    return DecodeDraggedRows(data, RowsMimeType(), sourceId, imeis);
}

// ---------------------------------------------------------------------------------------------
// Qt model

int CUnitsTableModel::ColCount() const
{
    return C::Count;
}

QVariant CUnitsTableModel::CellData(int row, int col, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return CellText(row, col);
    case Qt::EditRole:
        if (col == C::ModelType && IsStoredRow(row))
            return CUnitRowRules::ModelCellText(row == m_edit.row ? m_edit.cells : StoredCells(row),
                                                m_settings.rules);
        if (col == C::IpAddress && IsStoredRow(row))
            return CellText(row, col);
        return Value(row, col);
    default:
        return QVariant();
    }
}

bool CUnitsTableModel::IsChecked(int row, int col) const
{
    return CUnitRowRules::IsCrossFleetText(Value(row, col));
}

bool CUnitsTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int row = GridRow(index), col = GridCol(index);
    if (role == Qt::CheckStateRole) {
        if (col != C::CrossFleet)
            return false;
        const bool checked = value.toInt() == Qt::Checked;
        return SetCellText(row, col, checked ? QStringLiteral("1") : QStringLiteral("0"));
    }
    if (role != Qt::EditRole || col == C::CrossFleet)
        return false;
    return SetCellText(row, col, value.toString());
}

Qt::ItemFlags CUnitsTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    const int row = GridRow(index), col = GridCol(index);
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsStoredRow(row))
        f |= Qt::ItemIsDragEnabled;
    return StyleFlags(StyleAt(row, col), f);
}

QVariant CUnitsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return C::Caption(section + 1, m_settings.faxLabel);
    // The append row is marked as the place where a new unit is typed.
    const int row = GridRowOf(section);
    return row == AppendRow() ? QStringLiteral("*") : QString::number(row);
}
