#pragma once

#include "CMaskedEdit.h"

// The dotted IP address cell editor (control id 1678): four groups of three digits.
class CIPEditCtrl : public CMaskedEdit
{
    Q_OBJECT

public:
    enum : int
    {
        ControlId = 1678
    };

    explicit CIPEditCtrl(QWidget* parent = nullptr);

    // The cell text: twelve digits, each group padded with zeros ("010000000001"), or empty when
    // nothing was typed.
    QString CellText() const { return NormalisedGroups(Value()); }
    // Accepts twelve digits or a dotted address.
    void SetCellText(const QString& text);

    // Groups of three characters (blanks for untyped positions) as twelve zero-padded digits; a
    // group that is not a number is kept as it is, so the cell check refuses it.
    static QString NormalisedGroups(const QString& groups);
};
