#include "CShortcutListDockBar.h"

#include "CFrameIcons.h"
#include "CVelmoraWrap.h"

#include <QListWidget>
#include <QToolBox>

CShortcutListDockBar::CShortcutListDockBar(int barId, const QString& title, const QList<Group>& groups,
                                           QWidget* parent)
    : QDockWidget(title, parent), m_barId(barId)
{
    setObjectName(QStringLiteral("ListBar%1").arg(barId));
    setProperty("controlId", barId);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_list = new QToolBox(this);
    m_list->setProperty("controlId", 1421);
    for (const Group& group : groups) {
        auto* items = new QListWidget(m_list);
        // Icon beside label: labels of any language keep their full text.
        items->setViewMode(QListView::ListMode);
        items->setIconSize(QSize(28, 28));
        items->setSpacing(3);
        items->setWordWrap(true);
        items->setUniformItemSizes(true);
        items->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        items->setFrameShape(QFrame::NoFrame);
        for (int id : group.itemIds) {
            auto* item =
                new QListWidgetItem(CFrameIcons::ForListItem(id), CVelmoraWrap::LoadString(id), items);
            item->setData(Qt::UserRole, id);
        }
        connect(items, &QListWidget::itemClicked, this, &CShortcutListDockBar::OnItemClicked);
        m_list->addItem(items, CVelmoraWrap::LoadString(group.labelId));
        m_groups << items;
    }
    setWidget(m_list);
    setMinimumWidth(190);
}

QStringList CShortcutListDockBar::GroupLabels() const
{
    QStringList labels;
    for (int i = 0; i < m_list->count(); ++i)
        labels << m_list->itemText(i);
    return labels;
}

QStringList CShortcutListDockBar::ItemLabels(int group) const
{
    QStringList labels;
    if (group < 0 || group >= m_groups.size())
        return labels;
    for (int i = 0; i < m_groups[group]->count(); ++i)
        labels << m_groups[group]->item(i)->text();
    return labels;
}

void CShortcutListDockBar::SetItemsEnabled(bool enabled)
{
    m_itemsEnabled = enabled;
    for (QListWidget* items : std::as_const(m_groups)) {
        for (int i = 0; i < items->count(); ++i) {
            QListWidgetItem* item = items->item(i);
            item->setFlags(enabled ? (item->flags() | Qt::ItemIsEnabled)
                                   : (item->flags() & ~Qt::ItemIsEnabled));
        }
    }
}

bool CShortcutListDockBar::ClickItem(const QString& label)
{
    auto* items = qobject_cast<QListWidget*>(m_list->currentWidget());
    if (!items)
        return false;
    for (int i = 0; i < items->count(); ++i) {
        if (items->item(i)->text() == label) {
            OnItemClicked(items->item(i));
            return true;
        }
    }
    return false;
}

void CShortcutListDockBar::OnItemClicked(QListWidgetItem* item)
{
    if (!item || !m_itemsEnabled)
        return;
    Q_EMIT itemClicked(item->text());
    // The list keeps the focus after a handled click, so the keyboard stays in the bar.
    if (QWidget* list = item->listWidget())
        list->setFocus();
}
