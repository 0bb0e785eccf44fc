#include "CToEdit.h"

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
