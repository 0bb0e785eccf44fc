#include "CUnitCascade.h"

#include "CFleetConnection.h"
#include "CTransaction.h"
#include "CVelmoraWrap.h"

#include <QSqlError>
#include <QSqlQuery>

const QStringList& CUnitCascade::ImeiChangeTables()
{
    static const QStringList tables{QStringLiteral("unit_phone_details"),
                                    QStringLiteral("unit_phone_ergo_settings"),
                                    QStringLiteral("unit_private_details"),
                                    QStringLiteral("unit_status_msg_list"),
                                    QStringLiteral("unit_tg_details"),
                                    QStringLiteral("unit_tg_scan"),
                                    QStringLiteral("unit_consolid_call_list"),
                                    QStringLiteral("talk_grp_detail"),
                                    QStringLiteral("unit_alder_shortcut_details"),
                                    QStringLiteral("unit_alder_styles_details"),
                                    QStringLiteral("unit_alder_quick_notes"),
                                    QStringLiteral("unit_alder_personalize_details"),
                                    QStringLiteral("unit_cedar_personalize_details"),
                                    QStringLiteral("unit_agps_personalize_details")};
    return tables;
}

const QStringList& CUnitCascade::DeleteTables()
{
    static const QStringList tables{QStringLiteral("unit_details"),
                                    QStringLiteral("unit_phone_details"),
                                    QStringLiteral("unit_consolid_call_list"),
                                    QStringLiteral("unit_private_details"),
                                    QStringLiteral("unit_tg_details"),
                                    QStringLiteral("unit_tg_scan"),
                                    QStringLiteral("unit_status_msg_list"),
                                    QStringLiteral("unit_phone_ergo_settings"),
                                    QStringLiteral("unit_alder_shortcut_details"),
                                    QStringLiteral("unit_alder_styles_details"),
                                    QStringLiteral("unit_alder_quick_notes"),
                                    QStringLiteral("unit_alder_personalize_details"),
                                    QStringLiteral("unit_cedar_personalize_details"),
                                    QStringLiteral("unit_agps_personalize_details")};
    return tables;
}

bool CUnitCascade::ChangeImei(const QSqlDatabase& db, const QString& oldImei, const QString& newImei)
{
    CTransaction transaction(db);
    QSqlQuery query(db);
    for (const QString& table : ImeiChangeTables()) {
        if (!query.prepare(
                QStringLiteral("UPDATE %1 SET unit_imei_num = ? WHERE unit_imei_num = ?").arg(table))) {
            CVelmoraWrap::ShowError(CFleetConnection::ErrorText(query.lastError()), VMT_ERROR);
            return false;
        }
        query.addBindValue(newImei.isNull() ? QString(QLatin1String("")) : newImei);
        query.addBindValue(oldImei.isNull() ? QString(QLatin1String("")) : oldImei);
        if (!query.exec()) {
            CVelmoraWrap::ShowError(CFleetConnection::ErrorText(query.lastError()), VMT_ERROR);
            return false;
        }
    }
    if (!transaction.Commit()) {
        CVelmoraWrap::ShowError(transaction.LastError(), VMT_ERROR);
        return false;
    }
    return true;
}

bool CUnitCascade::DeleteUnitsQuietly(const QSqlDatabase& db, const QStringList& imeis, QString* error)
{
    CTransaction transaction(db);
    QSqlQuery query(db);
    for (const QString& table : DeleteTables()) {
        if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE unit_imei_num = ?").arg(table))) {
            if (error)
                *error = CFleetConnection::ErrorText(query.lastError());
            return false;
        }
        for (const QString& imei : imeis) {
            query.addBindValue(imei.isNull() ? QString(QLatin1String("")) : imei);
            if (!query.exec()) {
                if (error)
                    *error = CFleetConnection::ErrorText(query.lastError());
                return false;
            }
        }
    }
    if (!transaction.Commit()) {
        if (error)
            *error = transaction.LastError();
        return false;
    }
    return true;
}

bool CUnitCascade::DeleteUnits(const QSqlDatabase& db, const QStringList& imeis)
{
    QString error;
    if (DeleteUnitsQuietly(db, imeis, &error))
        return true;
    CVelmoraWrap::ShowError(error, VMT_ERROR);
    return false;
}

bool CUnitCascade::DeleteUnit(const QSqlDatabase& db, const QString& imei)
{
    return DeleteUnits(db, QStringList{imei});
}
