#include "CCellEditDelegate.h"

#include "CStyledGridModel.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

// `option` is initialised for the cell already.
void PaintCentredCheckBox(QPainter* painter, QStyleOptionViewItem option, bool checked, bool enabled)
{
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    option.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);
    QStyleOptionButton box;
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, option.widget);
    box.rect =
        QRect(option.rect.center() - QPoint(indicator.width() / 2, indicator.height() / 2), indicator.size());
    box.state = checked ? QStyle::State_On : QStyle::State_Off;
    if (enabled)
        box.state |= QStyle::State_Enabled;
    box.palette = option.palette;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
}

// A left click released inside the cell, or space or select pressed on it.
bool IsToggle(const QEvent* event, const QStyleOptionViewItem& option)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Select;
    }
    return false;
}

bool IsChecked(const QModelIndex& index)
{
    return index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

} // namespace

CCellEditDelegate::CCellEditDelegate(const CStyledGridModel* model, const QString& noChoice, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model), m_noChoice(noChoice)
{
}

CGridCellStyle CCellEditDelegate::StyleOf(const QModelIndex& index) const
{
    return m_model->StyleOf(index);
}

bool CCellEditDelegate::IsButtonCell(const QModelIndex&) const
{
    return false;
}

// --- Editors ---

QString CCellEditDelegate::EditorText(QWidget* editor) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return combo->currentIndex() >= 0 ? combo->currentData().toString() : m_noChoice;
    return QString();
}

void CCellEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentIndex(combo->findData(value));
}

void CCellEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const
{
    // The model checks the text again and refuses it without writing anything.
    model->setData(index, EditorText(editor), Qt::EditRole);
}

void CCellEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor == m_editor) {
        m_editor.clear();
        m_editorIndex = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

void CCellEditDelegate::ReleaseEditor()
{
    if (m_editor)
        m_editor->removeEventFilter(this);
    m_editor.clear();
    m_editorIndex = QPersistentModelIndex();
}

bool CCellEditDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && editor == m_editor) {
        if (event->type() == QEvent::KeyPress && EditorKeyPressed(static_cast<QKeyEvent*>(event)))
            return true;
        if (event->type() == QEvent::FocusOut &&
            EditorLostFocus(editor, static_cast<QFocusEvent*>(event)->reason()))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QWidget* CCellEditDelegate::Adopt(QWidget* editor, const QModelIndex& index) const
{
    const QVariant font = index.data(Qt::FontRole);
    if (font.isValid())
        editor->setFont(font.value<QFont>());
    editor->setAutoFillBackground(true);
    m_editor = editor;
    m_editorIndex = index;
    return editor;
}

QComboBox* CCellEditDelegate::NewChoiceList(const QString& lines, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    for (const QString& line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab >= 0)
            combo->addItem(line.left(tab), line.mid(tab + 1));
    }
    return combo;
}

// --- Drawing and check boxes ---

void CCellEditDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const CGridCellStyle style = StyleOf(index);
    if (style.control == CGridCellStyle::CheckBox)
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator; // drawn centred by paint()
    // Numbers, ids, addresses and Latin text read left to right even in a mirrored grid, so
    // "+9725..." keeps its plus in front; the text stays on the leading side of the cell either way.
    const Qt::Alignment side = option->direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    option->direction = style.rtlReading && side == Qt::AlignRight ? Qt::RightToLeft : Qt::LeftToRight;
    if (!style.centred && !IsButtonCell(index))
        option->displayAlignment = side | Qt::AlignAbsolute | Qt::AlignVCenter;
}

void CCellEditDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const CGridCellStyle style = StyleOf(index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (style.control == CGridCellStyle::CheckBox) {
        PaintCentredCheckBox(painter, opt, IsChecked(index), !style.readOnly);
        return;
    }
    QStyle* st = opt.widget ? opt.widget->style() : QApplication::style();
    st->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

bool CCellEditDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const CGridCellStyle style = StyleOf(index);
    if (style.control != CGridCellStyle::CheckBox || style.readOnly)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (IsToggle(event, option)) {
        model->setData(index, IsChecked(index) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }
    // A double-click on a check box is no edit.
    return event->type() == QEvent::MouseButtonDblClick;
}
