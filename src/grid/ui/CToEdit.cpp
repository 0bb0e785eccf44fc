#include "CToEdit.h"

CToEdit::CToEdit(QWidget* parent) : CFilteredEdit(0, false, parent) {}

bool CToEdit::AcceptsChar(QChar c) const
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(';');
}

bool CToEdit::RecipientsFit(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    if (parts.size() > MaxNumbers)
        return false;
    for (const QString& part : parts) {
        if (part.size() > MaxNumberLength)
            return false;
    }
    return true;
}
