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
    // units grid shows them: the CSV header (fixed English, for scripts) and the captions of the plain
    // table (the units grid's, in the running language).
    static QStringList UnitHeaders();
    static QStringList UnitCaptions();
    // The columns of the talkgroup index, of its units with members.
    static QStringList TalkgroupHeaders(bool members);
    static QStringList TalkgroupCaptions(bool members);

private:
    // Opens the private copy every reading command works on; a note when it was upgraded.
    bool OpenSnapshot(CFleetSnapshot& snapshot, const QString& path, int& status) const;
    // CSV under the table's fixed header, or plain text under the captions.
    void Print(const CTextTable& table, const QStringList& captions, bool csv) const;

    const CCliContext& m_cx;
};
