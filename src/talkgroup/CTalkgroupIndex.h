#pragma once

#include "CVelmoraError.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The fleet-wide index of talkgroups (talk_grp_header): one row per distinct talkgroup name, id and NAM
// among the programmed entries of the units' talkgroup lists. The units' lists are the truth; the
// index is rebuilt from them, and a talkgroup's members are the units whose list carries it.
class CTalkgroupIndex
{
public:
    struct Talkgroup
    {
        int nam = 0;
        int id = 0;
        QString name;
    };
    struct Member
    {
        QString imei;
        QString userName;
        QString displayPrivateId;
    };

    explicit CTalkgroupIndex(const QSqlDatabase& db) : m_db(db) {}

    // Empties talk_grp_header and fills it again from unit_tg_details, in one transaction; on failure
    // the database's words, and the old index stays.
    CVelmoraError Rebuild();
    // The indexed talkgroups of one NAM with an id (id 0 is no talkgroup), by id, then name.
    QList<Talkgroup> Talkgroups(int nam, CVelmoraError* error = nullptr) const;
    // The units whose programmed talkgroup list of the NAM carries the talkgroup, by IMEI. An empty
    // name matches entries without a name.
    QList<Member> Members(const Talkgroup& talkgroup, CVelmoraError* error = nullptr) const;

private:
    QSqlDatabase m_db;
};
