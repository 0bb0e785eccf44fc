#include "CGridItemDelegate.h"

#include "CGXNumFmtCtrl.h"
#include "CGXRangeEditCtrl.h"
#include "CIPEditCtrl.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraGridWnd.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

void ApplyTextColour(QWidget* editor, const QColor& colour)
{
    if (!colour.isValid())
        return;
    QPalette p = editor->palette();
    p.setColor(QPalette::Text, colour);
    editor->setPalette(p);
}

} // namespace

CGridItemDelegate::CGridItemDelegate(CVelmoraGridWnd* grid, CVelmoraGridModel* model)
    : CCellEditDelegate(model, QString(), grid), m_grid(grid), m_model(model)
{
}

QWidget* CGridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    const int row = CVelmoraGridModel::GridRow(index), col = CVelmoraGridModel::GridCol(index);
    const CGridCellStyle style = m_model->StyleAt(row, col);
    QWidget* editor = nullptr;
    switch (style.control) {
    case CGridCellStyle::RangeEdit:
        editor = new CGXRangeEditCtrl(style, parent);
        break;
    case CGridCellStyle::NumFmt:
        editor = new CGXNumFmtCtrl(style, parent);
        break;
    case CGridCellStyle::IpEdit:
        editor = new CIPEditCtrl(parent);
        break;
    case CGridCellStyle::TabbedCombo:
        editor = NewChoiceList(m_model->ChoiceList(style), parent);
        break;
    default:
        return nullptr;
    }
    if (!qobject_cast<CGXRangeEditCtrl*>(editor)) {
        // Numbers and choices read left to right, on the cell's leading side.
        const Qt::Alignment side =
            parent->layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
        editor->setLayoutDirection(Qt::LeftToRight);
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setAlignment(side | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    ApplyTextColour(editor, style.textColor);
    return Adopt(editor, index);
}

QString CGridItemDelegate::EditorText(QWidget* editor) const
{
    if (auto* num = qobject_cast<CGXNumFmtCtrl*>(editor))
        return num->CellText();
    if (auto* ip = qobject_cast<CIPEditCtrl*>(editor))
        return ip->CellText();
    return CCellEditDelegate::EditorText(editor);
}

void CGridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* num = qobject_cast<CGXNumFmtCtrl*>(editor))
        num->SetCellText(value);
    else if (auto* ip = qobject_cast<CIPEditCtrl*>(editor))
        ip->SetCellText(value);
    else
        CCellEditDelegate::setEditorData(editor, index);
}

bool CGridItemDelegate::IsButtonCell(const QModelIndex& index) const
{
    return m_model->IsPushButton(CVelmoraGridModel::GridRow(index), CVelmoraGridModel::GridCol(index));
}

void CGridItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    if (!IsButtonCell(index)) {
        CCellEditDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    QStyle* st = opt.widget ? opt.widget->style() : QApplication::style();
    st->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);
    QStyleOptionButton button;
    button.rect = opt.rect.adjusted(1, 1, -1, -1);
    button.text = opt.text;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.palette = opt.palette;
    button.fontMetrics = opt.fontMetrics;
    button.direction = opt.direction;
    st->drawControl(QStyle::CE_PushButton, &button, painter, opt.widget);
}

bool CGridItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!IsButtonCell(index))
        return CCellEditDelegate::editorEvent(event, model, option, index);
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (release && option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint()) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Q_EMIT ButtonClicked(index);
    return release || event->type() == QEvent::MouseButtonDblClick;
}

bool CGridItemDelegate::EditorKeyPressed(QKeyEvent* event)
{
    return m_grid->EditorKey(event);
}

bool CGridItemDelegate::EditorLostFocus(QWidget* editor, Qt::FocusReason reason)
{
    // Only typed text is checked when the focus leaves; a choice list's popup takes the focus itself.
    return qobject_cast<QLineEdit*>(editor) && m_grid->EditorFocusOut(editor, reason);
}
