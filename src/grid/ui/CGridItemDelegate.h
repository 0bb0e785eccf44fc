#pragma once

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class CVelmoraGridWnd;
class CVelmoraGridModel;

// Draws and edits the cells of a list grid by their style: range edit, number-format and IP
// address editors, tabbed combo boxes, centred check boxes and push buttons. Tab, Enter and
// leaving an editor are handed to the grid, which checks the text before anything is written.
class CGridItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    CGridItemDelegate(CVelmoraGridWnd* grid, CVelmoraGridModel* model);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The open editor and its cell (null when no cell is being edited).
    QWidget* Editor() const { return m_editor; }
    QModelIndex EditorIndex() const { return m_editorIndex; }
    // The text an editor would write into its cell.
    static QString EditorText(QWidget* editor);

Q_SIGNALS:
    void ButtonClicked(const QModelIndex& index);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    CVelmoraGridWnd* m_grid;
    CVelmoraGridModel* m_model;
    mutable QPointer<QWidget> m_editor;
    mutable QPersistentModelIndex m_editorIndex;
};
