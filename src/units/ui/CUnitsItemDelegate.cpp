#include "CUnitsItemDelegate.h"

#include "CGXRangeEditCtrl.h"
#include "CRangeCharValidator.h"
#include "CUnitsTableModel.h"
#include "CUnitsView.h"

#include <QComboBox>

CUnitsItemDelegate::CUnitsItemDelegate(CUnitsView* view, CUnitsTableModel* model)
    : CCellEditDelegate(model, QStringLiteral("-1"), view), m_view(view), m_model(model)
{
}

QWidget* CUnitsItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    const CGridCellStyle style = StyleOf(index);
    QWidget* editor = nullptr;
    if (style.control == CGridCellStyle::RangeEdit) {
        auto* edit = new CGXRangeEditCtrl(style, parent);
        if (!style.validChars.isEmpty())
            edit->setValidator(new CRangeCharValidator(style.validChars, edit));
        editor = edit;
    } else if (style.control == CGridCellStyle::TabbedCombo) {
        editor = NewChoiceList(m_model->ChoiceList(style), parent);
    } else {
        return nullptr;
    }
    return Adopt(editor, index);
}

bool CUnitsItemDelegate::EditorKeyPressed(QKeyEvent* event)
{
    return m_view->EditorKey(event);
}

bool CUnitsItemDelegate::EditorLostFocus(QWidget* editor, Qt::FocusReason reason)
{
    return m_view->EditorFocusOut(editor, reason);
}
