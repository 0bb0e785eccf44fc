#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

struct CCliContext;
class CFleetSnapshot;
class CTextTable;

// The commands on the units of a fleet: units, show, append, delete and talkgroups.
class CUnitCommands
{
public:
    explicit CUnitCommands(const CCliContext& context) : m_cx(context) {}

    // Runs the named command; answers the exit status.
    int Run(const QString& command);

    int Units(const QString& path, bool csv);
    int Show(const QString& path, const QString& imei);
    int Append(const QString& destination, const QString& source);
    int Delete(const QString& path, const QStringList& imeis);
    int Talkgroups(const QString& path, int nam, bool members, bool csv);

    // The unit columns of the units list, with the model's display name and the private id as the
    // units grid shows them.
    static QStringList UnitHeaders();

private:
    // Opens the private copy every reading command works on; a note when it was upgraded.
    bool OpenSnapshot(CFleetSnapshot& snapshot, const QString& path, int& status) const;
    void Print(const CTextTable& table, bool csv) const;

    const CCliContext& m_cx;
};
