#pragma once

#include "CCellEditDelegate.h"

class CUnitsTableModel;
class CUnitsView;

// Draws and edits the cells of the units grid by their style: range edit cells (only their valid
// characters can be typed), the model and language choice lists, and the centred cross-fleet check
// box. Tab, Enter and the editor losing the focus go to the view, which checks the text first.
class CUnitsItemDelegate : public CCellEditDelegate
{
    Q_OBJECT

public:
    CUnitsItemDelegate(CUnitsView* view, CUnitsTableModel* model);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The text an editor would write into its cell.
    static QString EditorText(QWidget* editor);

protected:
    bool EditorKeyPressed(QKeyEvent* event) override;
    bool EditorLostFocus(QWidget* editor, Qt::FocusReason reason) override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    CUnitsView* m_view;
    CUnitsTableModel* m_model;
};
