#pragma once

#include "CCellEditDelegate.h"

class CUnitsTableModel;
class CUnitsView;

// Draws and edits the cells of the units grid by their style: on top of what every grid's cells do,
// range edit cells take only their valid characters, and a choice list with nothing chosen writes
// "-1". Tab, Enter and the editor losing the focus go to the view, which checks the text first.
class CUnitsItemDelegate : public CCellEditDelegate
{
    Q_OBJECT

public:
    CUnitsItemDelegate(CUnitsView* view, CUnitsTableModel* model);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    bool EditorKeyPressed(QKeyEvent* event) override;
    bool EditorLostFocus(QWidget* editor, Qt::FocusReason reason) override;

private:
    CUnitsView* m_view;
    CUnitsTableModel* m_model;
};
