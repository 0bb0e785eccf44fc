#include "CCellEditDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

void CCellEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (editor == m_editor) {
        m_editor.clear();
        m_editorIndex = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
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

QString CCellEditDelegate::ChoiceValue(const QComboBox* combo, const QString& none)
{
    return combo->currentIndex() >= 0 ? combo->currentData().toString() : none;
}

void CCellEditDelegate::PaintCentredCheckBox(QPainter* painter, QStyleOptionViewItem option, bool checked,
                                             bool enabled)
{
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    option.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);
    QStyleOptionButton box;
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, option.widget);
    box.rect = QRect(option.rect.center() - QPoint(indicator.width() / 2, indicator.height() / 2),
                     indicator.size());
    box.state = checked ? QStyle::State_On : QStyle::State_Off;
    if (enabled)
        box.state |= QStyle::State_Enabled;
    box.palette = option.palette;
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, option.widget);
}

bool CCellEditDelegate::IsToggle(const QEvent* event, const QStyleOptionViewItem& option)
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
