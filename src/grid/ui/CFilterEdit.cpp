#include "CFilterEdit.h"

CFilterEdit::CFilterEdit(QWidget* parent) : CFilteredEdit(LeaveMessage, false, parent) {}

bool CFilterEdit::AcceptsChar(QChar c) const
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
