#pragma once

#include "CFilteredEdit.h"

// A dialog edit for numbers: digits only (anything else is dropped silently); asks its dialog with
// message 1249 before the focus leaves for another control, so the page can check the range.
class CFilterEdit : public CFilteredEdit
{
    Q_OBJECT

public:
    enum : int
    {
        LeaveMessage = 1249
    };

    explicit CFilterEdit(QWidget* parent = nullptr);

    bool AcceptsChar(QChar c) const override;
};
