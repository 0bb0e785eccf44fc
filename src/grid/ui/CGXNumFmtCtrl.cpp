#include "CGXNumFmtCtrl.h"

#include "CGridCellCheck.h"
#include "CIPEditCtrl.h"

CGXNumFmtCtrl::CGXNumFmtCtrl(const CGridCellStyle& style, QWidget* parent) : CMaskedEdit(parent)
{
    setProperty("controlId", int(ControlId));
    m_address = style.ipAttr || style.formatType.value_or(0) == 4;
    SetPrompt(PromptFor(style.readOnly));
    SetMasks(CTarnMasks(CGridCellCheck::NumFmtMask(m_address ? 4 : style.formatType.value_or(0))));
    setReadOnly(style.readOnly);
}

QString CGXNumFmtCtrl::CellText() const
{
    return m_address ? CIPEditCtrl::NormalisedGroups(Value()) : Value().trimmed();
}

void CGXNumFmtCtrl::SetCellText(const QString& text)
{
    SetValue(text);
}
