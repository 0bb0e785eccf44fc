#include "CUnitsItemDelegate.h"

#include "CGXRangeEditCtrl.h"
#include "CRangeCharValidator.h"
#include "CUnitsColumns.h"
#include "CUnitsTableModel.h"
#include "CUnitsView.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CUnitsItemDelegate::CUnitsItemDelegate(CUnitsView* view, CUnitsTableModel* model)
    : CCellEditDelegate(view), m_view(view), m_model(model)
{
}

QWidget* CUnitsItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    const CGridCellStyle style = m_model->StyleOf(index);
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

QString CUnitsItemDelegate::EditorText(QWidget* editor)
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return ChoiceValue(combo, QStringLiteral("-1"));
    return QString();
}

void CUnitsItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findData(value));
}

void CUnitsItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const
{
    // The model checks the text again and refuses it without writing anything.
    model->setData(index, EditorText(editor), Qt::EditRole);
}

void CUnitsItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const CGridCellStyle style = m_model->StyleOf(index);
    if (style.control == CGridCellStyle::CheckBox)
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator; // drawn centred by paint()
    // In a right-to-left grid only the name column reads right to left; numbers, IMEIs and
    // addresses read left to right, on the cell's leading side.
    const bool rtlGrid = option->direction == Qt::RightToLeft;
    option->direction = style.rtlReading && rtlGrid ? Qt::RightToLeft : Qt::LeftToRight;
    if (!style.centred)
        option->displayAlignment =
            (rtlGrid ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignVCenter;
}

void CUnitsItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const CGridCellStyle style = m_model->StyleOf(index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (style.control == CGridCellStyle::CheckBox) {
        PaintCentredCheckBox(painter, opt, index.data(Qt::CheckStateRole).toInt() == Qt::Checked, true);
        return;
    }
    QStyle* st = opt.widget ? opt.widget->style() : QApplication::style();
    st->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

bool CUnitsItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const CGridCellStyle style = m_model->StyleOf(index);
    if (style.control != CGridCellStyle::CheckBox || style.readOnly)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (IsToggle(event, option)) {
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }
    return event->type() == QEvent::MouseButtonDblClick;
}

bool CUnitsItemDelegate::EditorKeyPressed(QKeyEvent* event)
{
    return m_view->EditorKey(event);
}

bool CUnitsItemDelegate::EditorLostFocus(QWidget* editor, Qt::FocusReason reason)
{
    return m_view->EditorFocusOut(editor, reason);
}
