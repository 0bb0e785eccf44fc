#include "CStyledGridModel.h"

int CStyledGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CStyledGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount();
}

QVariant CStyledGridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = GridRow(index), col = GridCol(index);
    const QVariant own = CellData(row, col, role);
    return own.isValid() ? own : StyleData(row, col, role);
}

QVariant CStyledGridModel::StyleData(int row, int col, int role) const
{
    switch (role) {
    case Qt::CheckStateRole:
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::TextAlignmentRole:
    case Qt::FontRole:
        break;
    default:
        return QVariant();
    }
    const CGridCellStyle style = StyleAt(row, col);
    switch (role) {
    case Qt::CheckStateRole:
        if (style.control != CGridCellStyle::CheckBox)
            return QVariant();
        return IsChecked(row, col) ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        return style.interior.isValid() ? QVariant(style.interior) : QVariant();
    case Qt::ForegroundRole:
        return style.textColor.isValid() ? QVariant(style.textColor) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(style.centred ? Qt::Alignment(Qt::AlignCenter)
                                                 : Qt::AlignLeading | Qt::AlignVCenter);
    default: {
        const CellFonts fonts = Fonts();
        if (!fonts.has)
            return QVariant();
        return style.secondFont ? fonts.font2 : fonts.font;
    }
    }
}

bool CStyledGridModel::IsChecked(int row, int col) const
{
    return Value(row, col) == QLatin1String("1");
}

Qt::ItemFlags CStyledGridModel::StyleFlags(const CGridCellStyle& style, Qt::ItemFlags flags)
{
    if (style.readOnly || style.control == CGridCellStyle::StaticText)
        return flags;
    if (style.control == CGridCellStyle::CheckBox)
        return flags | Qt::ItemIsUserCheckable;
    return flags | Qt::ItemIsEditable;
}
