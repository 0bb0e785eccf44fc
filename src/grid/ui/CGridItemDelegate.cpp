#include "CGridItemDelegate.h"

#include "CGXNumFmtCtrl.h"
#include "CGXRangeEditCtrl.h"
#include "CIPEditCtrl.h"
#include "CVelmoraGridModel.h"
#include "CVelmoraGridWnd.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
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
    : CCellEditDelegate(grid), m_grid(grid), m_model(model)
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

QString CGridItemDelegate::EditorText(QWidget* editor)
{
    if (auto* num = qobject_cast<CGXNumFmtCtrl*>(editor))
        return num->CellText();
    if (auto* ip = qobject_cast<CIPEditCtrl*>(editor))
        return ip->CellText();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return ChoiceValue(combo, QString());
    return QString();
}

void CGridItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* num = qobject_cast<CGXNumFmtCtrl*>(editor))
        num->SetCellText(value);
    else if (auto* ip = qobject_cast<CIPEditCtrl*>(editor))
        ip->SetCellText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findData(value));
}

void CGridItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    // The model checks the text again and refuses it without writing anything.
    model->setData(index, EditorText(editor), Qt::EditRole);
}

void CGridItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const CGridCellStyle style = m_model->StyleOf(index);
    if (style.control == CGridCellStyle::CheckBox) {
        // Drawn centred by paint().
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
    }
    // Only the columns that read right to left lay their text out that way, and only in a
    // right-to-left (Hebrew) grid; numbers, ids and Latin text read left to right even in a
    // mirrored grid, so "+9725..." keeps its plus in front. The text stays on the leading side of
    // the cell either way.
    const Qt::Alignment side = option->direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    option->direction = style.rtlReading && side == Qt::AlignRight ? Qt::RightToLeft : Qt::LeftToRight;
    if (!style.centred &&
        !m_model->IsPushButton(CVelmoraGridModel::GridRow(index), CVelmoraGridModel::GridCol(index)))
        option->displayAlignment = side | Qt::AlignAbsolute | Qt::AlignVCenter;
}

void CGridItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const int row = CVelmoraGridModel::GridRow(index), col = CVelmoraGridModel::GridCol(index);
    const CGridCellStyle style = m_model->StyleAt(row, col);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    QStyle* st = opt.widget ? opt.widget->style() : QApplication::style();

    if (m_model->IsPushButton(row, col)) {
        st->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);
        QStyleOptionButton button;
        button.rect = opt.rect.adjusted(1, 1, -1, -1);
        button.text = opt.text;
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.palette = opt.palette;
        button.fontMetrics = opt.fontMetrics;
        button.direction = opt.direction;
        st->drawControl(QStyle::CE_PushButton, &button, painter, opt.widget);
        return;
    }
    if (style.control == CGridCellStyle::CheckBox) {
        PaintCentredCheckBox(painter, opt, m_model->Value(row, col) == QLatin1String("1"), !style.readOnly);
        return;
    }
    st->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

bool CGridItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const int row = CVelmoraGridModel::GridRow(index), col = CVelmoraGridModel::GridCol(index);
    const CGridCellStyle style = m_model->StyleAt(row, col);
    const bool release = event->type() == QEvent::MouseButtonRelease;
    const bool inside = release &&
                        option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint()) &&
                        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;

    if (m_model->IsPushButton(row, col)) {
        if (inside)
            Q_EMIT ButtonClicked(index);
        return release || event->type() == QEvent::MouseButtonDblClick;
    }
    if (style.control == CGridCellStyle::CheckBox && !style.readOnly) {
        if (IsToggle(event, option)) {
            const bool checked = m_model->Value(row, col) == QLatin1String("1");
            return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        }
        return event->type() == QEvent::MouseButtonDblClick;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
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
