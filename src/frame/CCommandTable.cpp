#include "CCommandTable.h"

#include <QAction>

CCommandTable::CCommandTable(QObject* parent) : QObject(parent) {}

CCommandTable::~CCommandTable() = default;

QAction* CCommandTable::Add(int id, const QString& text, const QIcon& icon, bool checkable)
{
    Entry& entry = m_entries[id];
    if (!entry.action) {
        entry.action = new QAction(icon, text, this);
        entry.action->setProperty("commandId", id);
        entry.action->setCheckable(checkable);
        // Tool tips and the status line show the caption without its mnemonic and dots.
        QString plain = text;
        plain.remove(QLatin1Char('&'));
        if (plain.endsWith(QLatin1String("...")))
            plain.chop(3);
        entry.action->setToolTip(plain);
        entry.action->setStatusTip(plain);
        entry.action->setEnabled(false);
        connect(entry.action, &QAction::triggered, this, [this, id]() { Execute(id); });
    }
    return entry.action;
}

QAction* CCommandTable::Action(int id) const
{
    const auto it = m_entries.constFind(id);
    return it == m_entries.constEnd() ? nullptr : it->action;
}

void CCommandTable::SetHandler(int id, Run run, Test enabled, Test checked)
{
    Entry& entry = m_entries[id];
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    entry.checked = std::move(checked);
    Update(id, entry);
}

void CCommandTable::ClearHandler(int id)
{
    const auto it = m_entries.find(id);
    if (it == m_entries.end())
        return;
    it->run = Run();
    it->enabled = Test();
    it->checked = Test();
    Update(id, *it);
}

bool CCommandTable::HasHandler(int id) const
{
    const auto it = m_entries.constFind(id);
    return (it != m_entries.constEnd() && bool(it->run)) || ActiveOverride(id);
}

void CCommandTable::SetOverride(int id, Test applies, Run run, Test enabled)
{
    m_overrides.insert(id, Override{std::move(applies), std::move(run), std::move(enabled)});
    Entry& entry = m_entries[id];
    Update(id, entry);
}

const CCommandTable::Override* CCommandTable::ActiveOverride(int id) const
{
    const auto it = m_overrides.constFind(id);
    return it != m_overrides.constEnd() && it->run && it->applies && it->applies() ? &*it : nullptr;
}

bool CCommandTable::IsEnabled(int id) const
{
    if (const Override* override = ActiveOverride(id)) {
        if (m_veto && m_veto(id))
            return false;
        return !override->enabled || override->enabled();
    }
    const auto it = m_entries.constFind(id);
    if (it == m_entries.constEnd() || !it->run)
        return false;
    if (m_veto && m_veto(id))
        return false;
    return !it->enabled || it->enabled();
}

bool CCommandTable::IsChecked(int id) const
{
    const auto it = m_entries.constFind(id);
    return it != m_entries.constEnd() && it->checked && it->checked();
}

bool CCommandTable::Execute(int id)
{
    if (!IsEnabled(id)) {
        // A checkable action toggled itself on the click; put it back.
        UpdateAll();
        return false;
    }
    // Copy: the handler may replace itself.
    const Override* override = ActiveOverride(id);
    const Run run = override ? override->run : m_entries.value(id).run;
    run();
    Q_EMIT executed(id);
    UpdateAll();
    return true;
}

void CCommandTable::Update(int id, const Entry& entry)
{
    if (!entry.action)
        return;
    entry.action->setEnabled(IsEnabled(id));
    if (entry.action->isCheckable())
        entry.action->setChecked(IsChecked(id));
}

void CCommandTable::UpdateAll()
{
    // A handler's test may show or hide windows, which asks for another update.
    if (m_updating)
        return;
    m_updating = true;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        Update(it.key(), it.value());
    m_updating = false;
}
