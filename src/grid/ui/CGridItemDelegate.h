#pragma once

#include "CCellEditDelegate.h"

class CVelmoraGridWnd;
class CVelmoraGridModel;

// Draws and edits the cells of a list grid by their style: on top of what every grid's cells do,
// range edit, number-format and IP address editors and push buttons. Tab, Enter and leaving an
// editor are handed to the grid, which checks the text before anything is written.
class CGridItemDelegate : public CCellEditDelegate
{
    Q_OBJECT

public:
    CGridItemDelegate(CVelmoraGridWnd* grid, CVelmoraGridModel* model);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    QString EditorText(QWidget* editor) const override;

Q_SIGNALS:
    void ButtonClicked(const QModelIndex& index);

protected:
    bool EditorKeyPressed(QKeyEvent* event) override;
    bool EditorLostFocus(QWidget* editor, Qt::FocusReason reason) override;
    bool IsButtonCell(const QModelIndex& index) const override;

private:
    CVelmoraGridWnd* m_grid;
    CVelmoraGridModel* m_model;
};
