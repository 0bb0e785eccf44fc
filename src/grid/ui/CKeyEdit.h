#pragma once

#include "CFilteredEdit.h"

// A dialog edit for key strings: digits, "#" and "*" (anything else beeps); asks its dialog with
// message 1248 before the focus leaves for another control.
class CKeyEdit : public CFilteredEdit
{
    Q_OBJECT

public:
    enum : int
    {
        LeaveMessage = 1248
    };

    explicit CKeyEdit(QWidget* parent = nullptr);

    bool AcceptsChar(QChar c) const override;
};
