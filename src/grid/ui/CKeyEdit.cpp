#include "CKeyEdit.h"

CKeyEdit::CKeyEdit(QWidget* parent) : CFilteredEdit(LeaveMessage, true, parent) {}

bool CKeyEdit::AcceptsChar(QChar c) const
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('#') || c == QLatin1Char('*');
}
