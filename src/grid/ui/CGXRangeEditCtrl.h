#pragma once

#include "CGridCellStyle.h"

#include <QLineEdit>

// The range edit cell editor (control id 1416): a line edit limited to the cell's maximum length,
// reading right to left where the column asks for it. What it may hold is checked when the cell
// is left (CGridCellCheck::RangeEdit).
class CGXRangeEditCtrl : public QLineEdit
{
    Q_OBJECT

public:
    enum : int
    {
        ControlId = 1416
    };

    CGXRangeEditCtrl(const CGridCellStyle& style, QWidget* parent = nullptr);
};
