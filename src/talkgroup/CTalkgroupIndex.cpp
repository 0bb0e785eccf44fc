#include "CTalkgroupIndex.h"

#include "CFleetConnection.h"
#include "CTransaction.h"
#include "CVelmoraWrap.h"

#include <QSqlQuery>

namespace {

CVelmoraError QueryError(const QSqlQuery& query)
{
    return CVelmoraError::Text(CFleetConnection::ErrorText(query.lastError()));
}

void Report(const QSqlQuery& query, CVelmoraError* error)
{
    if (error)
        *error = QueryError(query);
}

} // namespace

CVelmoraError CTalkgroupIndex::Rebuild()
{
    CTransaction transaction(m_db);
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("DELETE FROM talk_grp_header")))
        return QueryError(query);
    if (!query.exec(QStringLiteral("INSERT INTO talk_grp_header (tg_name, tg_id, unit_nam) "
                                   "SELECT DISTINCT unit_tg_name, unit_tg_id, unit_nam FROM unit_tg_details "
                                   "WHERE unit_tg_details.unit_program_flag <> 0")))
        return QueryError(query);
    if (!transaction.Commit())
        return CVelmoraError::Text(transaction.LastError());
    return CVelmoraError();
}

QList<CTalkgroupIndex::Talkgroup> CTalkgroupIndex::Talkgroups(int nam, CVelmoraError* error) const
{
    QList<Talkgroup> talkgroups;
    QSqlQuery query(m_db);
    // A talkgroup without a name may be indexed twice (NULL and empty): it is one talkgroup.
    query.prepare(QStringLiteral("SELECT COALESCE(tg_name, '') AS name, tg_id, unit_nam FROM talk_grp_header "
                                 "WHERE unit_nam = ? AND tg_id <> 0 GROUP BY name, tg_id, unit_nam "
                                 "ORDER BY tg_id, name"));
    query.addBindValue(nam);
    if (!query.exec()) {
        Report(query, error);
        return talkgroups;
    }
    while (query.next())
        talkgroups.append(Talkgroup{query.value(2).toInt(), query.value(1).toInt(),
                                    CVelmoraWrap::strVARIANT(query.value(0))});
    return talkgroups;
}

QList<CTalkgroupIndex::Member> CTalkgroupIndex::Members(const Talkgroup& talkgroup,
                                                        CVelmoraError* error) const
{
    QList<Member> members;
    // An entry without a name is stored as NULL or as an empty text; "= NULL" would match neither.
    const QString nameTest = talkgroup.name.isEmpty()
                                 ? QStringLiteral("(unit_tg_details.unit_tg_name IS NULL OR "
                                                  "unit_tg_details.unit_tg_name = '')")
                                 : QStringLiteral("unit_tg_details.unit_tg_name = ?");
    QSqlQuery query(m_db);
    query.prepare(
        QStringLiteral("SELECT DISTINCT unit_details.unit_user_name, unit_tg_details.unit_imei_num, "
                       "unit_details.unit_display_prvt_id FROM unit_tg_details, unit_details "
                       "WHERE unit_tg_details.unit_imei_num = unit_details.unit_imei_num "
                       "AND unit_tg_details.unit_tg_id = ? AND unit_tg_details.unit_nam = ? AND ") +
        nameTest +
        QStringLiteral(" AND unit_tg_details.unit_program_flag <> 0 "
                       "ORDER BY unit_tg_details.unit_imei_num"));
    query.addBindValue(talkgroup.id);
    query.addBindValue(talkgroup.nam);
    if (!talkgroup.name.isEmpty())
        query.addBindValue(talkgroup.name);
    if (!query.exec()) {
        Report(query, error);
        return members;
    }
    while (query.next())
        members.append(Member{CVelmoraWrap::strVARIANT(query.value(1)),
                              CVelmoraWrap::strVARIANT(query.value(0)),
                              CVelmoraWrap::strVARIANT(query.value(2))});
    return members;
}
