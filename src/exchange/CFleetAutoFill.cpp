#include "CFleetAutoFill.h"

#include "CConsolNumberType.h"
#include "CExchangeList.h"
#include "CFleetConnection.h"
#include "CModelProfile.h"
#include "CModelRules.h"
#include "CTransaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

enum : int
{
    FirstNam = 1,
};

} // namespace

CFleetAutoFill::CFleetAutoFill(const QSqlDatabase& db, const CModelRules& rules)
    : m_db(db), m_rules(rules), m_capacities(rules)
{
}

CVelmoraError CFleetAutoFill::LoadUnits(QList<Unit>& units) const
{
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.exec(
            QStringLiteral("SELECT unit_imei_num, unit_user_name, unit_phone_num_nam1, unit_display_prvt_id, "
                           "unit_nam1_private_id, unit_model_type, unit_prod_release_id, "
                           "unit_prod_sub_release_id FROM unit_details ORDER BY unit_rec_num")))
        return CFleetConnection::Error(q.lastError());
    while (q.next()) {
        Unit u;
        u.userName = q.value(1).toString();
        u.entry = CAutoFillEntry::FromUnit(q.value(0).toString(), u.userName, q.value(2).toString(),
                                           q.value(3).toString(), q.value(4).toInt());
        u.modelType = q.value(5).toInt();
        u.releaseId = q.value(6).toInt();
        u.subReleaseId = q.value(7).toInt();
        if (!u.entry.imei.isEmpty())
            units.append(u);
    }
    return CVelmoraError();
}

const CFleetAutoFill::ModelInfo& CFleetAutoFill::InfoOf(const Unit& unit)
{
    const QString key =
        QStringLiteral("%1#%2#%3").arg(unit.modelType).arg(unit.releaseId).arg(unit.subReleaseId);
    auto it = m_models.find(key);
    if (it != m_models.end())
        return *it;
    ModelInfo info;
    const CModelProfile& profile = m_capacities.Profile(unit.modelType, unit.releaseId);
    if (profile.known) {
        info.known = true;
        info.phoneClass = profile.phoneClass;
        info.phoneBook = profile.capacities.phoneBook;
        info.privateList = profile.capacities.privateList[FirstNam - 1];
        info.consolidated = profile.capacities.consolidated;
        info.language =
            m_rules.PhoneBookLangEntryID(m_rules.ModelKey(unit.modelType, unit.subReleaseId, unit.releaseId));
    }
    return *m_models.insert(key, info);
}

CFleetAutoFill::Report CFleetAutoFill::Run(const Progress& progress)
{
    Report report;
    QList<Unit> units;
    if ((report.error = LoadUnits(units)))
        return report;
    report.units = int(units.size());

    CTransaction transaction(m_db);
    if (!transaction.IsActive()) {
        report.error = CVelmoraError::Text(transaction.LastError());
        return report;
    }
    if (progress && !progress(0, report.units)) {
        report.error = CVelmoraError::Cancelled();
        return report;
    }
    for (int i = 0; i < units.size(); ++i) {
        const Unit& target = units.at(i);
        const ModelInfo& info = InfoOf(target);
        bool full = false;
        int added = 0;
        if (info.known) {
            if (info.phoneClass == CModelRules::AlderPhoneClass) {
                report.error = Fill(target, CExchangeKind::Consolidated, info.consolidated, info.language,
                                    units, added, full);
            } else {
                report.error =
                    Fill(target, CExchangeKind::Private, info.privateList, info.language, units, added, full);
                if (!report.error)
                    report.error = Fill(target, CExchangeKind::PhoneBook, info.phoneBook, info.language,
                                        units, added, full);
            }
        }
        if (report.error)
            break;
        report.added += added;
        if (full) {
            report.fullImeis << target.entry.imei;
            report.fullUnits << QStringLiteral("%1 (%2)").arg(target.userName, target.entry.imei);
        }
        if (progress && !progress(i + 1, report.units)) {
            report.error = CVelmoraError::Cancelled();
            break;
        }
    }
    if (!report.error && !transaction.Commit())
        report.error = CVelmoraError::Text(transaction.LastError());
    if (report.error) {
        transaction.Rollback();
        report.added = 0;
        report.fullUnits.clear();
        report.fullImeis.clear();
    }
    return report;
}

CVelmoraError CFleetAutoFill::Fill(const Unit& target, CExchangeKind kind, int capacity, int language,
                                   const QList<Unit>& units, int& added, bool& full)
{
    CExchangeList list(m_db, kind, target.entry.imei, FirstNam, capacity, CExchangeList::Table::Real);
    if (const CVelmoraError loaded = list.Load())
        return loaded;
    for (const Unit& source : units) {
        const CAutoFillEntry& e = source.entry;
        if (e.imei == target.entry.imei)
            continue;
        for (const CExchangeEntry& entry : e.Entries(kind, language)) {
            CExchangeList::Outcome outcome = CExchangeList::Outcome::Duplicate;
            if (const CVelmoraError error = list.Add(entry, outcome))
                return error;
            if (outcome == CExchangeList::Outcome::Full) {
                full = true;
                added += list.Added();
                return CVelmoraError();
            }
        }
    }
    added += list.Added();
    return CVelmoraError();
}
