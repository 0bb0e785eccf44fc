#pragma once

#include "CFilteredEdit.h"

// The recipients field: phone numbers of digits separated by ";", at most 20 digits a number and
// at most 100 numbers; other characters are dropped silently.
class CToEdit : public CFilteredEdit
{
    Q_OBJECT

public:
    enum : int
    {
        MaxNumberLength = 20,
        MaxNumbers = 100
    };

    explicit CToEdit(QWidget* parent = nullptr);

    bool AcceptsChar(QChar c) const override;
    bool AcceptsText(const QString& text) const override { return RecipientsFit(text); }

    // Whether a recipients text keeps to the limits (an empty part counts as a number).
    static bool RecipientsFit(const QString& text);
};
