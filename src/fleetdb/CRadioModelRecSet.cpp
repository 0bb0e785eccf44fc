#include "CRadioModelRecSet.h"

CRadioModelRecSet::CRadioModelRecSet(const QSqlDatabase& db) : CRecordset(db)
{
    Bind("Index", &m_Index);
    Bind("ModelType", &m_ModelType);
    Bind("ModelDescription", &m_ModelDescription);
    Bind("ModelNumber", &m_ModelNumber);
    Bind("CallListType", &m_CallListType);
    Bind("CrossFleetCapable", &m_CrossFleetCapable);
    Bind("CrossFleetCPVersion", &m_CrossFleetCPVersion);
    Bind("IsPlusSeriesPhone", &m_IsPlusSeriesPhone);
    Bind("display_model_name", &m_display_model_name);
    Bind("codeplug_id", &m_codeplug_id);
    Bind("codeplug_id_desc", &m_codeplug_id_desc);
    Bind("supported_lang", &m_supported_lang);
}

bool CRadioModelRecSet::OpenByModelType(int modelType)
{
    return OpenSql(QStringLiteral("SELECT rowid, * FROM radio_model_types_table WHERE ModelType = ?"),
                   {modelType});
}

bool CRadioModelRecSet::OpenByDisplayName(const QString& name)
{
    return OpenSql(
        QStringLiteral("SELECT rowid, * FROM radio_model_types_table WHERE display_model_name = ?"), {name});
}

bool CRadioModelRecSet::OpenAll()
{
    return OpenSql(QStringLiteral("SELECT rowid, * FROM radio_model_types_table ORDER BY \"Index\""));
}
