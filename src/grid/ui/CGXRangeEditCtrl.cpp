#include "CGXRangeEditCtrl.h"

CGXRangeEditCtrl::CGXRangeEditCtrl(const CGridCellStyle& style, QWidget* parent) : QLineEdit(parent)
{
    setProperty("controlId", int(ControlId));
    if (style.maxLength > 0)
        setMaxLength(style.maxLength);
    // In a right-to-left grid, names read right to left where the column says so; everything else
    // reads left to right. The text keeps the cell's leading side either way.
    const bool rtlGrid = layoutDirection() == Qt::RightToLeft;
    const Qt::Alignment side = rtlGrid ? Qt::AlignRight : Qt::AlignLeft;
    setLayoutDirection(style.rtlReading && rtlGrid ? Qt::RightToLeft : Qt::LeftToRight);
    setAlignment(side | Qt::AlignAbsolute | Qt::AlignVCenter);
    setReadOnly(style.readOnly);
}
