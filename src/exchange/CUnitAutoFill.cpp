#include "CUnitAutoFill.h"

#include "CFleetConnection.h"
#include "ExchangeMessageIds.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* const kUnitColumns = "unit_imei_num, unit_user_name, unit_display_prvt_id, unit_nam1_private_id, "
                                 "unit_phone_num_nam1";

} // namespace

CUnitAutoFill::CUnitAutoFill(const QSqlDatabase& db, Mode mode, const QString& targetImei, int nam,
                             int capacity, int language, CExchangeList::Table table)
    : m_db(db), m_mode(mode), m_target(targetImei), m_nam(nam), m_capacity(capacity), m_language(language),
      m_table(table)
{
}

CExchangeKind CUnitAutoFill::Kind() const
{
    switch (m_mode) {
    case PhoneList:
        return CExchangeKind::PhoneBook;
    case PrivateList:
        return CExchangeKind::Private;
    case Consolidated:
        break;
    }
    return CExchangeKind::Consolidated;
}

QString CUnitAutoFill::PrivateIdOf(const QString& displayPrivateId, qint64 nam1PrivateId)
{
    return displayPrivateId.contains(QLatin1Char('*')) ? displayPrivateId : QString::number(nam1PrivateId);
}

CVelmoraError CUnitAutoFill::LoadCandidates(QList<Candidate>& candidates) const
{
    candidates.clear();
    QString sql = QStringLiteral("SELECT %1 FROM unit_details WHERE unit_imei_num <> ?")
                      .arg(QLatin1String(kUnitColumns));
    if (m_mode == PhoneList)
        sql += QStringLiteral(" AND unit_phone_num_nam1 IS NOT NULL AND unit_phone_num_nam1 <> ''");
    else if (m_mode == PrivateList)
        sql += QStringLiteral(" AND unit_display_prvt_id IS NOT NULL");
    sql += QStringLiteral(" ORDER BY unit_rec_num");
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(m_target);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    while (q.next()) {
        candidates.append({q.value(0).toString(), q.value(1).toString(),
                           PrivateIdOf(q.value(2).toString(), q.value(3).toLongLong()),
                           q.value(4).toString()});
    }
    return CVelmoraError();
}

CVelmoraError CUnitAutoFill::ReadSource(const QString& imei, CAutoFillEntry& entry, bool& found) const
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT %1 FROM unit_details WHERE unit_imei_num = ?")
                  .arg(QLatin1String(kUnitColumns)));
    q.addBindValue(imei);
    if (!q.exec())
        return CFleetConnection::Error(q.lastError());
    found = q.next();
    if (found)
        entry = CAutoFillEntry::FromUnit(q.value(0).toString(), q.value(1).toString(), q.value(4).toString(),
                                         q.value(2).toString(), q.value(3).toInt());
    return CVelmoraError();
}

CUnitAutoFill::AddResult CUnitAutoFill::Add(const QStringList& imeis)
{
    AddResult result;
    if (imeis.isEmpty()) {
        result.error = CVelmoraError::Message(ExchangeMsg::NothingSelected);
        return result;
    }
    CExchangeList list(m_db, Kind(), m_target, m_nam, m_capacity, m_table);
    if ((result.error = list.Load()))
        return result;
    for (const QString& imei : imeis) {
        CAutoFillEntry source;
        bool found = false;
        if ((result.error = ReadSource(imei, source, found)))
            break;
        // A unit deleted meanwhile, and the unit itself, add nothing.
        if (!found || imei == m_target)
            continue;
        bool full = false;
        for (const CExchangeEntry& entry : source.Entries(Kind(), m_language)) {
            CExchangeList::Outcome outcome = CExchangeList::Outcome::Duplicate;
            if ((result.error = list.Add(entry, outcome)))
                break;
            full = outcome == CExchangeList::Outcome::Full;
            if (full)
                break;
        }
        if (result.error)
            break;
        if (full) {
            result.error = CVelmoraError::FromVelmoraCode(ExchangeMsg::ListFullCode);
            break;
        }
    }
    result.added = list.Added();
    return result;
}
