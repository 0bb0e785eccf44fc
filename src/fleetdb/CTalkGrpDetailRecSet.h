#pragma once

#include "CRecordset.h"

// Users that belong to a talkgroup (talk_grp_detail; its unit_imei_num column is not bound).
class CTalkGrpDetailRecSet : public CRecordset
{
public:
    explicit CTalkGrpDetailRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("talk_grp_detail"); }

    QString m_tg_user_name;
    QString m_tg_user_prvt_id;
    int m_tg_user_tg_id;
    int m_tg_user_row_num;
};
