#pragma once

#include "CRecordset.h"

// Saved SMS texts (tarn_velmora_sms_saved_message).
class CLoadSmsRecordset : public CRecordset
{
public:
    explicit CLoadSmsRecordset(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("tarn_velmora_sms_saved_message"); }

    int m_message_id;
    QString m_message_text;
    QDateTime m_message_date;
};
