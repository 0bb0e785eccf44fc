#include "CFleetAutoFill.h"

#include "CConsolNumberType.h"
#include "CConsolidatedRecord.h"
#include "CFleetConnection.h"
#include "CModelProfile.h"
#include "CModelRules.h"
#include "CTransaction.h"

#include <QDateTime>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

enum : int
{
    FirstNam = 1,
    DefaultTonNP = 129,
    DefaultCapability = 144,
    DefaultLanguage = 255,
    SyncComplete = 128,
};

CVelmoraError ExecQuery(QSqlQuery& q)
{
    return q.exec() ? CVelmoraError() : CFleetConnection::Error(q.lastError());
}

CVelmoraError Prepare(QSqlQuery& q, const QString& sql)
{
    return q.prepare(sql) ? CVelmoraError() : CFleetConnection::Error(q.lastError());
}

QString Key(const QString& a, const QString& b)
{
    return a + QLatin1Char('\n') + b;
}

} // namespace

CFleetAutoFill::CFleetAutoFill(const QSqlDatabase& db, const CModelRules& rules) : m_db(db), m_rules(rules) {}

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
    CModelProfile profile;
    const bool special = CModelRules::IsSpecialVariant(unit.releaseId, unit.modelType);
    if (m_rules.SetupListCapacities(unit.modelType, special, profile)) {
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
    m_stamp = CConsolidatedRecord::PhoneMinutes(QDateTime::currentDateTimeUtc());

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
                report.error = FillConsolidated(target, info, units, added, full);
            } else {
                report.error = FillPrivateList(target, info, units, added, full);
                if (!report.error)
                    report.error = FillPhoneList(target, info, units, added, full);
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

CVelmoraError CFleetAutoFill::FillPhoneList(const Unit& target, const ModelInfo& info,
                                            const QList<Unit>& units, int& added, bool& full)
{
    QSqlQuery read(m_db);
    read.setForwardOnly(true);
    CVelmoraError error =
        Prepare(read, QStringLiteral("SELECT unit_speed_dial, unit_name, unit_phone_num FROM "
                                     "unit_phone_details WHERE unit_imei_num = ? AND "
                                     "unit_program_flag <> 0"));
    if (error)
        return error;
    read.addBindValue(target.entry.imei);
    if ((error = ExecQuery(read)))
        return error;
    QList<int> used;
    QSet<QString> present;
    while (read.next()) {
        used.append(read.value(0).toInt());
        present.insert(Key(read.value(1).toString(), read.value(2).toString()));
    }
    read.finish();
    QSqlQuery remove(m_db), insert(m_db);
    if ((error = Prepare(remove, QStringLiteral("DELETE FROM unit_phone_details WHERE unit_imei_num = ? AND "
                                                "unit_speed_dial = ?"))) ||
        (error =
             Prepare(insert, QStringLiteral("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, "
                                            "unit_phone_num, unit_name, unit_program_flag, unit_language) "
                                            "VALUES (?, ?, ?, ?, 1, ?)"))))
        return error;
    for (const Unit& source : units) {
        const CAutoFillEntry& e = source.entry;
        if (e.imei == target.entry.imei || !e.HasNumber() || present.contains(Key(e.name, e.number)))
            continue;
        const int slot = int(used.size()) >= info.phoneBook
                             ? CAutoFillEntry::NoLocation
                             : CAutoFillEntry::FirstFreeLocation(used, info.phoneBook);
        if (slot == CAutoFillEntry::NoLocation) {
            full = true;
            break;
        }
        remove.addBindValue(target.entry.imei);
        remove.addBindValue(slot);
        insert.addBindValue(target.entry.imei);
        insert.addBindValue(slot);
        insert.addBindValue(e.number);
        insert.addBindValue(e.name);
        insert.addBindValue(info.language);
        if ((error = ExecQuery(remove)) || (error = ExecQuery(insert)))
            return error;
        used.append(slot);
        present.insert(Key(e.name, e.number));
        ++added;
    }
    return CVelmoraError();
}

CVelmoraError CFleetAutoFill::FillPrivateList(const Unit& target, const ModelInfo& info,
                                              const QList<Unit>& units, int& added, bool& full)
{
    QSqlQuery read(m_db);
    read.setForwardOnly(true);
    CVelmoraError error =
        Prepare(read, QStringLiteral("SELECT unit_loc_no, unit_name, unit_urban_id, unit_fleet_id, "
                                     "unit_member_id FROM unit_private_details WHERE "
                                     "unit_imei_num = ? AND unit_nam = ? AND unit_program_flag <> 0"));
    if (error)
        return error;
    read.addBindValue(target.entry.imei);
    read.addBindValue(int(FirstNam));
    if ((error = ExecQuery(read)))
        return error;
    const auto idKey = [](const QString& name, int u, int f, int m) {
        return Key(name, QStringLiteral("%1*%2*%3").arg(u).arg(f).arg(m));
    };
    QList<int> used;
    QSet<QString> present;
    while (read.next()) {
        used.append(read.value(0).toInt());
        present.insert(idKey(read.value(1).toString(), read.value(2).toInt(), read.value(3).toInt(),
                             read.value(4).toInt()));
    }
    read.finish();
    QSqlQuery remove(m_db), insert(m_db);
    if ((error =
             Prepare(remove, QStringLiteral("DELETE FROM unit_private_details WHERE unit_imei_num = ? AND "
                                            "unit_nam = ? AND unit_loc_no = ?"))) ||
        (error = Prepare(insert, QStringLiteral("INSERT INTO unit_private_details (unit_imei_num, unit_nam, "
                                                "unit_urban_id, unit_fleet_id, unit_member_id, unit_name, "
                                                "unit_loc_no, unit_program_flag, unit_language) "
                                                "VALUES (?, ?, ?, ?, ?, ?, ?, 1, ?)"))))
        return error;
    for (const Unit& source : units) {
        const CAutoFillEntry& e = source.entry;
        if (e.imei == target.entry.imei || !e.HasPrivateId())
            continue;
        const QString key = idKey(e.name, e.urban, e.fleet, e.member);
        if (present.contains(key))
            continue;
        const int slot = int(used.size()) >= info.privateList
                             ? CAutoFillEntry::NoLocation
                             : CAutoFillEntry::FirstFreeLocation(used, info.privateList);
        if (slot == CAutoFillEntry::NoLocation) {
            full = true;
            break;
        }
        remove.addBindValue(target.entry.imei);
        remove.addBindValue(int(FirstNam));
        remove.addBindValue(slot);
        for (const QVariant& v :
             {QVariant(target.entry.imei), QVariant(int(FirstNam)), QVariant(e.urban), QVariant(e.fleet),
              QVariant(e.member), QVariant(e.name), QVariant(slot), QVariant(info.language)})
            insert.addBindValue(v);
        if ((error = ExecQuery(remove)) || (error = ExecQuery(insert)))
            return error;
        used.append(slot);
        present.insert(key);
        ++added;
    }
    return CVelmoraError();
}

CVelmoraError CFleetAutoFill::FillConsolidated(const Unit& target, const ModelInfo& info,
                                               const QList<Unit>& units, int& added, bool& full)
{
    QSqlQuery read(m_db);
    read.setForwardOnly(true);
    CVelmoraError error =
        Prepare(read, QStringLiteral("SELECT unit_name, unit_num, unit_num_type, unit_nameIndex, "
                                     "unit_rec_num FROM unit_consolid_call_list WHERE "
                                     "unit_imei_num = ? ORDER BY unit_rec_num"));
    if (error)
        return error;
    read.addBindValue(target.entry.imei);
    if ((error = ExecQuery(read)))
        return error;
    QList<CAutoFillConsolEntry> entries;
    while (read.next()) {
        entries.append({read.value(0).toString(), read.value(1).toString(), read.value(2).toInt(),
                        read.value(3).toInt(), read.value(4).toInt()});
    }
    read.finish();
    CAutoFillConsolList list(entries, info.consolidated);
    QSqlQuery insert(m_db);
    if ((error = Prepare(
             insert,
             QStringLiteral("INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, "
                            "unit_phone_num_len, unit_reserved, unit_tonNP, unit_num, unit_capabilityID, "
                            "unit_extnRecID, unit_num_type, unit_language, unit_voiceTag, unit_timeStamp, "
                            "unit_syncStatus, unit_tempID, unit_nameIndex, unit_rec_num, unit_NameLang) "
                            "VALUES (?, ?, ?, 0, ?, ?, ?, 0, ?, ?, 0, ?, ?, 0, ?, ?, 0)"))))
        return error;
    for (const Unit& source : units) {
        const CAutoFillEntry& e = source.entry;
        if (e.imei == target.entry.imei)
            continue;
        const QList<QPair<QString, int>> numbers = {{e.number, CConsolNumberType::PhoneNumber},
                                                    {e.PrivateIdText(), CConsolNumberType::PrivateId}};
        for (const auto& number : numbers) {
            CAutoFillConsolEntry placed;
            const CAutoFillConsolList::Result result = list.Add(e.name, number.first, number.second, &placed);
            if (result == CAutoFillConsolList::Result::Full) {
                full = true;
                return CVelmoraError();
            }
            if (result == CAutoFillConsolList::Result::Duplicate)
                continue;
            for (const QVariant& v :
                 {QVariant(target.entry.imei), QVariant(placed.name), QVariant(int(placed.number.size())),
                  QVariant(int(DefaultTonNP)), QVariant(placed.number), QVariant(int(DefaultCapability)),
                  QVariant(placed.type), QVariant(int(DefaultLanguage)), QVariant(m_stamp),
                  QVariant(placed.name.isEmpty() ? 0 : int(SyncComplete)), QVariant(placed.nameIndex),
                  QVariant(placed.recNum)})
                insert.addBindValue(v);
            if ((error = ExecQuery(insert)))
                return error;
            ++added;
        }
    }
    return CVelmoraError();
}
