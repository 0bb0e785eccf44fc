#include "CVelmoraGridModel.h"

#include "CGridCellCheck.h"
#include "CGridListType.h"
#include "CGridSortKey.h"
#include "CTarnMasks.h"
#include "CVelmoraWrap.h"

#include <QAtomicInteger>
#include <QMimeData>
#include <QSet>
#include <algorithm>
#include <numeric>

namespace {

quint64 NextGridId()
{
    static QAtomicInteger<quint64> counter(0);
    return ++counter;
}

CTarnMasks MasksOf(const CGridCellStyle& style)
{
    CTarnMasks masks(CGridCellCheck::NumFmtMask(style.formatType.value_or(0)));
    masks.SetScale(style.scale);
    masks.SetDefault(style.defaultValue.value_or(0));
    return masks;
}

// Whether a number-format cell shows its value through a scale or default.
bool Scaled(const CGridCellStyle& style)
{
    return style.control == CGridCellStyle::NumFmt && (style.scale != 1 || style.defaultValue.has_value());
}

} // namespace

CVelmoraGridModel::CVelmoraGridModel(int listType, int subMode, const CGridSettings& settings,
                                     QObject* parent)
    : CStyledGridModel(parent), m_listType(listType), m_subMode(subMode), m_settings(settings),
      m_gridId(NextGridId())
{
    m_columns = CGridListType::Columns(listType, subMode, m_crossFleet);
}

CVelmoraGridModel::~CVelmoraGridModel() = default;

QString CVelmoraGridModel::Name() const
{
    return CGridListType::Name(m_listType);
}

void CVelmoraGridModel::SetSettings(const CGridSettings& settings)
{
    m_settings = settings;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(IndexOf(1, 1), IndexOf(RowCount(), ColCount()));
}

void CVelmoraGridModel::SetNam(int nam)
{
    m_nam = qBound(1, nam, 3);
}

void CVelmoraGridModel::SetCrossFleet(bool on)
{
    if (on == m_crossFleet)
        return;
    m_crossFleet = on;
    if (m_listType != CGridListType::PrivateList)
        return;
    m_columns[2] = CGridListType::Columns(m_listType, m_subMode, on).value(2);
    Q_EMIT headerDataChanged(Qt::Horizontal, 1, 1);
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(IndexOf(1, 2), IndexOf(RowCount(), 2));
}

// --- Grid coordinates ---

bool CVelmoraGridModel::ValidCell(int row, int col) const
{
    return row >= 1 && row <= RowCount() && col >= 1 && col <= ColCount();
}

CVelmoraGridModel::Row CVelmoraGridModel::NewRow() const
{
    Row r;
    for (int c = 1; c <= ColCount(); ++c)
        r.cells << m_columns[c].initialValue;
    return r;
}

void CVelmoraGridModel::InsertRowsAt(int index, int count)
{
    beginInsertRows(QModelIndex(), index, index + count - 1);
    for (int i = 0; i < count; ++i)
        m_rows.insert(index, NewRow());
    endInsertRows();
}

void CVelmoraGridModel::SetRowCount(int rows)
{
    rows = qMax(0, rows);
    if (rows > RowCount()) {
        InsertRowsAt(RowCount(), rows - RowCount());
    } else if (rows < RowCount()) {
        beginRemoveRows(QModelIndex(), rows, RowCount() - 1);
        m_rows.erase(m_rows.begin() + rows, m_rows.end());
        endRemoveRows();
    }
}

void CVelmoraGridModel::SetColCount(int cols)
{
    cols = qMax(1, cols);
    if (cols == ColCount())
        return;
    if (cols > ColCount()) {
        const int first = ColCount() + 1;
        beginInsertColumns(QModelIndex(), first - 1, cols - 1);
        for (int c = first; c <= cols; ++c) {
            CGridCellStyle style;
            if (CGridListType::HasBlueText(m_listType))
                style.textColor = CGridListType::DarkBlue();
            m_columns.append(style);
        }
        for (Row& r : m_rows) {
            while (r.cells.size() < cols)
                r.cells.append(QString());
        }
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), cols, ColCount() - 1);
        m_columns.erase(m_columns.begin() + cols + 1, m_columns.end());
        for (Row& r : m_rows) {
            r.cells.erase(r.cells.begin() + cols, r.cells.end());
            for (auto it = r.styles.begin(); it != r.styles.end();)
                it = it.key() > cols ? r.styles.erase(it) : std::next(it);
        }
        endRemoveColumns();
    }
}

QString CVelmoraGridModel::Value(int row, int col) const
{
    return ValidCell(row, col) ? m_rows[row - 1].cells[col - 1] : QString();
}

void CVelmoraGridModel::SetValue(int row, int col, const QString& value)
{
    if (!ValidCell(row, col) || m_rows[row - 1].cells[col - 1] == value)
        return;
    m_rows[row - 1].cells[col - 1] = value;
    const QModelIndex i = IndexOf(row, col);
    Q_EMIT dataChanged(i, i);
}

bool CVelmoraGridModel::IsRowEmpty(int row) const
{
    if (row < 1 || row > RowCount())
        return true;
    for (int c = 1; c <= ColCount(); ++c) {
        const QString& v = m_rows[row - 1].cells[c - 1];
        if (!v.isEmpty() && v != m_columns[c].initialValue)
            return false;
    }
    return true;
}

CGridCellStyle CVelmoraGridModel::ColumnStyle(int col) const
{
    return col >= 0 && col < m_columns.size() ? m_columns[col] : CGridCellStyle();
}

void CVelmoraGridModel::SetColumnStyle(int col, const CGridCellStyle& style)
{
    if (col < 0 || col >= m_columns.size())
        return;
    m_columns[col] = style;
    if (col == 0)
        return;
    Q_EMIT headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(IndexOf(1, col), IndexOf(RowCount(), col));
}

void CVelmoraGridModel::SetColumnHidden(int col, bool hidden)
{
    if (col < 1 || col > ColCount())
        return;
    CGridCellStyle style = m_columns[col];
    style.hidden = hidden;
    SetColumnStyle(col, style);
}

CGridCellStyle CVelmoraGridModel::StyleAt(int row, int col) const
{
    if (row >= 1 && row <= RowCount()) {
        const auto it = m_rows[row - 1].styles.constFind(col);
        if (it != m_rows[row - 1].styles.constEnd())
            return *it;
    }
    return ColumnStyle(col);
}

void CVelmoraGridModel::SetCellStyle(int row, int col, const CGridCellStyle& style)
{
    if (!ValidCell(row, col))
        return;
    m_rows[row - 1].styles.insert(col, style);
    const QModelIndex i = IndexOf(row, col);
    Q_EMIT dataChanged(i, i);
}

void CVelmoraGridModel::ClearCellStyle(int row, int col)
{
    if (!ValidCell(row, col) || !m_rows[row - 1].styles.remove(col))
        return;
    const QModelIndex i = IndexOf(row, col);
    Q_EMIT dataChanged(i, i);
}

QString CVelmoraGridModel::ChoiceList(const CGridCellStyle& style) const
{
    switch (style.choiceSource) {
    case CGridCellStyle::CallListTypeChoices:
        return m_settings.callListTypeChoices;
    case CGridCellStyle::ModelChoices:
        return m_settings.modelChoices;
    default:
        return style.choiceList;
    }
}

QString CVelmoraGridModel::ChoiceText(const QString& choiceList, const QString& value)
{
    for (const QString& line : choiceList.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab >= 0 && line.mid(tab + 1) == value)
            return line.left(tab);
    }
    return QString();
}

// --- Capacity and insertion ---

int CVelmoraGridModel::RowCapacity() const
{
    return CGridListType::RowCapacity(m_listType, m_settings.capacities, m_nam);
}

bool CVelmoraGridModel::CanInsertRows(int count) const
{
    if (count < 1 || !CGridListType::RowsCanBeInserted(m_listType))
        return false;
    const int capacity = RowCapacity();
    return capacity == CGridListType::Unlimited || RowCount() + count <= capacity;
}

bool CVelmoraGridModel::CanAppendRow() const
{
    return CGridListType::AutoAppends(m_listType) && CanInsertRows(1);
}

bool CVelmoraGridModel::InsertGridRows(int before, int count)
{
    if (before < 1 || before > RowCount() + 1 || !CanInsertRows(count))
        return false;
    InsertRowsAt(ModelRow(before), count);
    Q_EMIT GridRowsInserted(before, count);
    return true;
}

bool CVelmoraGridModel::RemoveGridRows(int row, int count)
{
    if (row < 1 || count < 1 || row + count - 1 > RowCount())
        return false;
    beginRemoveRows(QModelIndex(), ModelRow(row), ModelRow(row + count - 1));
    m_rows.erase(m_rows.begin() + row - 1, m_rows.begin() + row - 1 + count);
    endRemoveRows();
    return true;
}

// --- Checks ---

CGridCheckResult CVelmoraGridModel::CheckCell(int row, int col, const QString& text) const
{
    if (!ValidCell(row, col) || IsPushButton(row, col))
        return CGridCheckResult::Pass();

    // The grid's own check first: the scan and status lists word their id range themselves.
    if (col == 2 && (m_listType == CGridListType::TgScanList || m_listType == CGridListType::SmsMsg)) {
        const CGridCheckResult r = CGridCellCheck::Value1To255(text);
        if (!r.ok)
            return r;
    }
    if (m_cellValidator) {
        const CGridCheckResult r = m_cellValidator(row, col, text);
        if (!r.ok)
            return r;
    }

    const CGridCellStyle style = StyleAt(row, col);
    if (style.readOnly)
        return CGridCheckResult::Pass();
    switch (style.control) {
    case CGridCellStyle::RangeEdit:
        return CGridCellCheck::RangeEdit(style, text);
    case CGridCellStyle::NumFmt: {
        QStringList others;
        if (m_refuseDuplicates) {
            for (int r = 1; r <= RowCount(); ++r) {
                if (r != row)
                    others << Value(r, col);
            }
        }
        return CGridCellCheck::NumFmt(style, text, others, m_refuseDuplicates);
    }
    case CGridCellStyle::IpEdit:
        return CGridCellCheck::IpCell(text);
    default:
        return CGridCheckResult::Pass();
    }
}

CGridCheckResult CVelmoraGridModel::CheckRow(int row) const
{
    if (!m_rowValidator || row < 1 || row > RowCount())
        return CGridCheckResult::Pass();
    return m_rowValidator(row);
}

// --- Owner operations ---

void CVelmoraGridModel::Reorder(const QList<int>& newOrder)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newIndexOf(newOrder.size());
    for (int i = 0; i < newOrder.size(); ++i)
        newIndexOf[newOrder[i]] = i;
    QList<Row> rows;
    rows.reserve(m_rows.size());
    for (int old : newOrder)
        rows.append(m_rows[old]);
    m_rows = rows;

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from)
        to.append(index(newIndexOf[i.row()], i.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CVelmoraGridModel::SortRows(int col, Qt::SortOrder order)
{
    if (col < 1 || col > ColCount() || RowCount() < 2)
        return;
    const bool numeric = m_columns[col].numericSort;
    QList<QString> keys;
    for (int r = 1; r <= RowCount(); ++r) {
        const QString v = Value(r, col);
        keys << (numeric ? CGridSortKey::NumericKey(v) : CGridSortKey::TextKey(v));
    }
    QList<int> newOrder(RowCount());
    std::iota(newOrder.begin(), newOrder.end(), 0);
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        const bool emptyA = CGridSortKey::IsEmptyKey(keys[a]), emptyB = CGridSortKey::IsEmptyKey(keys[b]);
        if (emptyA != emptyB)
            return emptyB; // empty cells last in either order
        const int c = numeric ? CGridSortKey::CompareNumeric(keys[a], keys[b])
                              : CGridSortKey::CompareText(keys[a], keys[b]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    Reorder(newOrder);
}

void CVelmoraGridModel::MarkAll(int checkCol, int keyCol, bool mark)
{
    for (int r = 1; r <= RowCount(); ++r) {
        if (!Value(r, keyCol).isEmpty())
            SetValue(r, checkCol, mark ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

void CVelmoraGridModel::SetPushButtons(int col, int keyCol)
{
    if (col < 1 || col > ColCount())
        return;
    if (keyCol < 1)
        m_pushButtons.remove(col);
    else
        m_pushButtons.insert(col, keyCol);
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(IndexOf(1, col), IndexOf(RowCount(), col));
}

bool CVelmoraGridModel::IsPushButton(int row, int col) const
{
    const auto it = m_pushButtons.constFind(col);
    return it != m_pushButtons.constEnd() && !Value(row, *it).isEmpty();
}

bool CVelmoraGridModel::MoveGridRows(QList<int> rows, int before)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty() || rows.first() < 1 || rows.last() > RowCount() || before < 1 ||
        before > RowCount() + 1)
        return false;

    const QSet<int> moving(rows.begin(), rows.end());
    QList<int> newOrder;
    for (int r = 1; r <= RowCount() + 1; ++r) {
        if (r == before) {
            for (int m : rows)
                newOrder << ModelRow(m);
        }
        if (r <= RowCount() && !moving.contains(r))
            newOrder << ModelRow(r);
    }
    bool changed = false;
    for (int i = 0; i < newOrder.size(); ++i)
        changed = changed || newOrder[i] != i;
    if (changed)
        Reorder(newOrder);
    return true;
}

// --- Qt model ---

QString CVelmoraGridModel::DisplayText(int row, int col) const
{
    const CGridCellStyle style = StyleAt(row, col);
    const QString value = Value(row, col);
    if (IsPushButton(row, col))
        return QString::number(row);
    switch (style.control) {
    case CGridCellStyle::CheckBox:
        return QString();
    case CGridCellStyle::TabbedCombo:
        return ChoiceText(ChoiceList(style), value);
    case CGridCellStyle::NumFmt:
        if (Scaled(style))
            return MasksOf(style).DisplayValue(value);
        if (style.ipAttr && !value.isEmpty())
            return CTarnMasks(CGridCellCheck::NumFmtMask(4)).Format(value);
        return value;
    case CGridCellStyle::IpEdit:
        // Stored as four groups of three digits; an address of its own dotted form stays as it is.
        if (!value.isEmpty() && !value.contains(QLatin1Char('.')))
            return CTarnMasks(CGridCellCheck::NumFmtMask(4)).Format(value);
        return value;
    default:
        return value;
    }
}

QVariant CVelmoraGridModel::CellData(int row, int col, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(row, col);
    case Qt::EditRole: {
        const CGridCellStyle style = StyleAt(row, col);
        return Scaled(style) ? MasksOf(style).DisplayValue(Value(row, col)) : Value(row, col);
    }
    case Qt::TextAlignmentRole:
        return IsPushButton(row, col) ? QVariant::fromValue(Qt::Alignment(Qt::AlignCenter)) : QVariant();
    default:
        return QVariant();
    }
}

bool CVelmoraGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int row = GridRow(index), col = GridCol(index);
    const CGridCellStyle style = StyleAt(row, col);
    if (style.readOnly || IsPushButton(row, col))
        return false;

    if (role == Qt::CheckStateRole) {
        if (style.control != CGridCellStyle::CheckBox)
            return false;
        const bool checked = value.toInt() == Qt::Checked;
        SetValue(row, col, checked ? QStringLiteral("1") : QStringLiteral("0"));
        return true;
    }
    if (role != Qt::EditRole || style.control == CGridCellStyle::CheckBox ||
        style.control == CGridCellStyle::StaticText)
        return false;

    const QString text = value.toString();
    const CGridCheckResult check = CheckCell(row, col, text);
    if (!check.ok) {
        m_lastRefusal = check;
        return false;
    }
    SetValue(row, col, Scaled(style) ? MasksOf(style).StoredValue(text) : text);
    return true;
}

Qt::ItemFlags CVelmoraGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    const int row = GridRow(index), col = GridCol(index);
    const Qt::ItemFlags f =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return IsPushButton(row, col) ? f : StyleFlags(StyleAt(row, col), f);
}

QVariant CVelmoraGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < RowCount())
            return QString::number(GridRowOf(section));
        return QVariant();
    }
    if (section < 0 || section >= ColCount())
        return QVariant();
    if (role == Qt::DisplayRole) {
        const int id = m_columns[section + 1].captionId;
        return id > 0 ? CVelmoraWrap::LoadString(id) : QString();
    }
    if (role == Qt::FontRole && m_settings.hasFonts)
        return m_settings.gridFont;
    return QVariant();
}

bool CVelmoraGridModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid())
        return false;
    return InsertGridRows(GridRowOf(row), count);
}

bool CVelmoraGridModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid())
        return false;
    return RemoveGridRows(GridRowOf(row), count);
}

bool CVelmoraGridModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                                 const QModelIndex& destinationParent, int destinationChild)
{
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1 || sourceRow < 0 ||
        sourceRow + count > RowCount() || destinationChild < 0 || destinationChild > RowCount())
        return false;
    if (destinationChild >= sourceRow && destinationChild <= sourceRow + count)
        return false; // onto itself
    if (!beginMoveRows(QModelIndex(), sourceRow, sourceRow + count - 1, QModelIndex(), destinationChild))
        return false;
    QList<Row> block = m_rows.mid(sourceRow, count);
    m_rows.erase(m_rows.begin() + sourceRow, m_rows.begin() + sourceRow + count);
    const int at = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    for (int i = 0; i < count; ++i)
        m_rows.insert(at + i, block[i]);
    endMoveRows();
    return true;
}

void CVelmoraGridModel::sort(int column, Qt::SortOrder order)
{
    SortRows(column + 1, order);
}

QStringList CVelmoraGridModel::mimeTypes() const
{
    return {RowsMimeType()};
}

QMimeData* CVelmoraGridModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& i : indexes) {
        if (i.isValid() && !rows.contains(GridRow(i)))
            rows << GridRow(i);
    }
    if (rows.isEmpty())
        return nullptr;
    std::sort(rows.begin(), rows.end());
    return EncodeDraggedRows(RowsMimeType(), m_gridId, rows);
}

bool CVelmoraGridModel::DecodeRows(const QMimeData* data, quint64& gridId, QList<int>& rows)
{
    return DecodeDraggedRows(data, RowsMimeType(), gridId, rows) && !rows.isEmpty();
}

bool CVelmoraGridModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                        const QModelIndex& parent) const
{
    return data && data->hasFormat(RowsMimeType()) && (action == Qt::MoveAction || action == Qt::CopyAction);
}

bool CVelmoraGridModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                     const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    quint64 source = 0;
    QList<int> rows;
    if (!DecodeRows(data, source, rows))
        return false;
    // Rows dropped on a row take that row's place; dropped between rows they go there; elsewhere
    // to the end.
    int before = RowCount() + 1;
    if (parent.isValid()) {
        const int target = GridRow(parent);
        before = source == m_gridId && target > rows.first() ? target + 1 : target;
    } else if (row >= 0) {
        before = GridRowOf(row);
    }
    if (source != m_gridId) {
        Q_EMIT ForeignRowsDropped(source, rows, before);
        return true;
    }
    return MoveGridRows(rows, before);
}

Qt::DropActions CVelmoraGridModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions CVelmoraGridModel::supportedDragActions() const
{
    return Qt::MoveAction;
}
