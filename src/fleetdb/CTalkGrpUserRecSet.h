#pragma once

#include "CRecordset.h"

// Every user known to the talkgroup manager (master_user_table).
class CTalkGrpUserRecSet : public CRecordset
{
public:
    explicit CTalkGrpUserRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("master_user_table"); }

    QString m_user_name;
    QString m_user_prvt_id;
    int m_user_row_num;
};
