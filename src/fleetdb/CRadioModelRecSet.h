#pragma once

#include "CRecordset.h"

// One row of radio_model_types_table, the radio model catalogue of the application database.
class CRadioModelRecSet : public CRecordset
{
public:
    explicit CRadioModelRecSet(const QSqlDatabase& db = QSqlDatabase());

    QString TableName() const override { return QStringLiteral("radio_model_types_table"); }

    // The catalogue is read with whole-row SELECTs ("Index" is an SQL keyword and must be quoted).
    bool OpenByModelType(int modelType);
    bool OpenByDisplayName(const QString& name);
    bool OpenAll();

    int m_Index = 0;
    int m_ModelType = 0;
    QString m_ModelDescription;
    QString m_ModelNumber;
    int m_CallListType = 0;
    bool m_CrossFleetCapable = false;
    int m_CrossFleetCPVersion = 0;
    bool m_IsPlusSeriesPhone = false;
    QString m_display_model_name;
    int m_codeplug_id = 0;
    QString m_codeplug_id_desc;
    QString m_supported_lang;
};
