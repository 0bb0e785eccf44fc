#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class QComboBox;
class QKeyEvent;

// What the list grids and the units grid share in their cell delegates: the one open editor and its
// cell, keys and focus loss of that editor handed to the grid (which checks the text before anything is
// written), choice lists built from "text<TAB>value" lines, and check boxes drawn centred in their cell
// and toggled by a click inside it or the space bar.
class CCellEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // The open editor and its cell (null when no cell is being edited).
    QWidget* Editor() const { return m_editor; }
    QModelIndex EditorIndex() const { return m_editorIndex; }

protected:
    // Keys and focus loss of the open editor; true when the grid has dealt with them.
    virtual bool EditorKeyPressed(QKeyEvent* event) = 0;
    virtual bool EditorLostFocus(QWidget* editor, Qt::FocusReason reason) = 0;
    bool eventFilter(QObject* object, QEvent* event) override;

    // Takes a new editor for `index`: the cell's font, an opaque background, and it becomes Editor().
    QWidget* Adopt(QWidget* editor, const QModelIndex& index) const;
    static QComboBox* NewChoiceList(const QString& lines, QWidget* parent);
    // The value of a choice list; `none` when nothing is chosen.
    static QString ChoiceValue(const QComboBox* combo, const QString& none);

    // `option` is initialised for the cell already.
    static void PaintCentredCheckBox(QPainter* painter, QStyleOptionViewItem option, bool checked,
                                     bool enabled);
    // A left click released inside the cell, or space or select pressed on it.
    static bool IsToggle(const QEvent* event, const QStyleOptionViewItem& option);

private:
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editorIndex;
};
