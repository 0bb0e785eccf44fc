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
    : QStyledItemDelegate(view), m_view(view), m_model(model)
{
}

QWidget* CUnitsItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const
{
    const CGridCellStyle style = m_model->StyleAt(index.row() + 1, index.column() + 1);
    QWidget* editor = nullptr;
    if (style.control == CGridCellStyle::RangeEdit) {
        auto* edit = new CGXRangeEditCtrl(style, parent);
        if (!style.validChars.isEmpty())
            edit->setValidator(new CRangeCharValidator(style.validChars, edit));
        editor = edit;
    } else if (style.control == CGridCellStyle::TabbedCombo) {
        auto* combo = new QComboBox(parent);
        const QString list = m_model->ChoiceList(style);
        for (const QString& line : list.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const int tab = line.indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                combo->addItem(line.left(tab), line.mid(tab + 1));
        }
        editor = combo;
    } else {
        return nullptr;
    }
    const QVariant font = index.data(Qt::FontRole);
    if (font.isValid())
        editor->setFont(font.value<QFont>());
    editor->setAutoFillBackground(true);
    m_editor = editor;
    m_editorIndex = index;
    return editor;
}

void CUnitsItemDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor == m_editor) {
        m_editor.clear();
        m_editorIndex = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

QString CUnitsItemDelegate::EditorText(QWidget* editor)
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentIndex() >= 0 ? combo->currentData().toString() : QStringLiteral("-1");
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
    const CGridCellStyle style = m_model->StyleAt(index.row() + 1, index.column() + 1);
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
    const CGridCellStyle style = m_model->StyleAt(index.row() + 1, index.column() + 1);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    QStyle* st = opt.widget ? opt.widget->style() : QApplication::style();
    if (style.control != CGridCellStyle::CheckBox) {
        st->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        return;
    }
    opt.text.clear();
    st->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    QStyleOptionButton box;
    const QRect indicator = st->subElementRect(QStyle::SE_CheckBoxIndicator, &box, opt.widget);
    box.rect =
        QRect(opt.rect.center() - QPoint(indicator.width() / 2, indicator.height() / 2), indicator.size());
    box.state =
        QStyle::State_Enabled |
        (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    box.palette = opt.palette;
    st->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, opt.widget);
}

bool CUnitsItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const CGridCellStyle style = m_model->StyleAt(index.row() + 1, index.column() + 1);
    if (style.control != CGridCellStyle::CheckBox || style.readOnly)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        toggle = mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (toggle) {
        const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }
    return event->type() == QEvent::MouseButtonDblClick;
}

bool CUnitsItemDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && editor == m_editor) {
        if (event->type() == QEvent::KeyPress && m_view->EditorKey(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusOut &&
            m_view->EditorFocusOut(editor, static_cast<QFocusEvent*>(event)->reason()))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
