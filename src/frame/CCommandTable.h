#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <functional>

class QAction;

// The frame's commands by id: one action each (shared by menus and toolbars), what it runs, and when
// it is enabled and checked. A command without a handler stays disabled: the later parts of the
// program bring their commands to life by setting a handler.
class CCommandTable : public QObject
{
    Q_OBJECT
public:
    using Run = std::function<void()>;
    using Test = std::function<bool()>;

    explicit CCommandTable(QObject* parent = nullptr);
    ~CCommandTable() override;

    // The action of a command, created with its menu text (a checkable one shows a check mark).
    QAction* Add(int id, const QString& text, const QIcon& icon = QIcon(), bool checkable = false);
    QAction* Action(int id) const;
    bool Contains(int id) const { return m_entries.contains(id); }

    // enabled and checked may be empty: always enabled, never checked.
    void SetHandler(int id, Run run, Test enabled = Test(), Test checked = Test());
    void ClearHandler(int id);
    // Answers true for a command that is disabled now whatever its own test says (the active view
    // has no use for it).
    void SetVeto(std::function<bool(int id)> veto) { m_veto = std::move(veto); }
    bool HasHandler(int id) const;
    // While applies() answers true the command runs run (enabled by enabled) instead of its handler.
    void SetOverride(int id, Test applies, Run run, Test enabled = Test());

    // Runs the command when it is enabled; false when it is not (or unknown).
    bool Execute(int id);
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;

    // Brings every action's enabled and checked state up to date.
    void UpdateAll();

Q_SIGNALS:
    void executed(int id);

private:
    struct Entry
    {
        QAction* action = nullptr;
        Run run;
        Test enabled;
        Test checked;
    };
    struct Override
    {
        Test applies;
        Run run;
        Test enabled;
    };
    void Update(int id, const Entry& entry);
    const Override* ActiveOverride(int id) const;

    QHash<int, Entry> m_entries;
    QHash<int, Override> m_overrides;
    bool m_updating = false;
    std::function<bool(int id)> m_veto;
};
