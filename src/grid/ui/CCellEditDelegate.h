#pragma once

#include "CGridCellStyle.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class CStyledGridModel;
class QComboBox;
class QKeyEvent;

// What the list grids and the units grid share in their cell delegates: the one open editor and its
// cell, keys and focus loss of that editor handed to the grid (which checks the text before anything is
// written), line edits and choice lists built from "text<TAB>value" lines, the text of a cell laid out
// by its style, and check boxes drawn centred in their cell and toggled by a click inside it or the
// space bar.
class CCellEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // `noChoice` is the text of a choice list with nothing chosen.
    CCellEditDelegate(const CStyledGridModel* model, const QString& noChoice, QObject* parent);

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The text an editor would write into its cell.
    virtual QString EditorText(QWidget* editor) const;

    // The open editor and its cell (null when no cell is being edited).
    QWidget* Editor() const { return m_editor; }
    QModelIndex EditorIndex() const { return m_editorIndex; }
    // The grid is going: the open editor (which goes with the grid's viewport) is no longer watched, so
    // its focus loss and keys reach neither the grid nor the item view while they are torn down.
    void ReleaseEditor();

protected:
    // Keys and focus loss of the open editor; true when the grid has dealt with them.
    virtual bool EditorKeyPressed(QKeyEvent* event) = 0;
    virtual bool EditorLostFocus(QWidget* editor, Qt::FocusReason reason) = 0;
    bool eventFilter(QObject* object, QEvent* event) override;

    // A cell the grid draws as a push button: its text keeps the model's alignment.
    virtual bool IsButtonCell(const QModelIndex& index) const;
    // Check boxes lose their own indicator (paint() centres one); the text reads right to left only in
    // a right-to-left grid and a column that reads so, and stays on the leading side of the cell.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

    CGridCellStyle StyleOf(const QModelIndex& index) const;
    // Takes a new editor for `index`: the cell's font, an opaque background, and it becomes Editor().
    QWidget* Adopt(QWidget* editor, const QModelIndex& index) const;
    static QComboBox* NewChoiceList(const QString& lines, QWidget* parent);

private:
    const CStyledGridModel* m_model;
    QString m_noChoice;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editorIndex;
};
