#include "CGXRangeEditCtrl.h"

CGXRangeEditCtrl::CGXRangeEditCtrl(const CGridCellStyle& style, QWidget* parent) : QLineEdit(parent)
{
    setProperty("controlId", int(ControlId));
    if (style.maxLength > 0)
        setMaxLength(style.maxLength);
    if (style.rtlReading) {
        // Hebrew names read right to left; the text keeps the column's side of the cell.
        const Qt::Alignment side = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
        setLayoutDirection(Qt::RightToLeft);
        setAlignment(side | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    setReadOnly(style.readOnly);
}
