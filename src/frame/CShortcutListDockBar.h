#pragma once

#include <QDockWidget>
#include <QList>

class QListWidget;
class QListWidgetItem;
class QToolBox;

// A list bar: a dock window holding one shortcut list, whose groups of icon items are labelled by text
// id. A click on an item reports the item's label; the frame decides what it means.
class CShortcutListDockBar : public QDockWidget
{
    Q_OBJECT
public:
    struct Group
    {
        int labelId;
        QList<int> itemIds;
    };

    // barId: the bar's id (141 fleet, 142 SMS, 144 PIM); the list control carries control id 1421.
    CShortcutListDockBar(int barId, const QString& title, const QList<Group>& groups, QWidget* parent);

    int BarId() const { return m_barId; }
    QToolBox* ListControl() const { return m_list; }
    QStringList GroupLabels() const;
    QStringList ItemLabels(int group) const;
    void SetItemsEnabled(bool enabled);
    bool ItemsEnabled() const { return m_itemsEnabled; }
    // Clicks the item with this label in the open group (what a user's click does).
    bool ClickItem(const QString& label);

Q_SIGNALS:
    void itemClicked(const QString& label);

private:
    void OnItemClicked(QListWidgetItem* item);

    int m_barId;
    QToolBox* m_list = nullptr;
    QList<QListWidget*> m_groups;
    bool m_itemsEnabled = true;
};
