#pragma once

#include "CRecordset.h"

// The fleet-wide list of distinct talkgroups (talk_grp_header).
class CTalkGrpHeaderRecSet : public CRecordset
{
public:
    explicit CTalkGrpHeaderRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("talk_grp_header"); }

    QString m_tg_name;
    int m_tg_id;
    int m_tg_row_num;
    int m_unit_nam;
};
