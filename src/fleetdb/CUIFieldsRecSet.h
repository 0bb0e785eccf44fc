#pragma once

#include "CRecordset.h"

// One row of an ergonomic field rule table (Larch UI, Larch FDI, Birch or Alder UI). The class has
// no table of its own: it is opened with a SELECT of one of the four, or given one with SetTableName.
class CUIFieldsRecSet : public CRecordset
{
public:
    explicit CUIFieldsRecSet(const QSqlDatabase& db = QSqlDatabase(), const QString& table = QString());

    QString TableName() const override { return m_table; }
    void SetTableName(const QString& table) { m_table = table; }

    int m_ID = 0;
    int m_Ergo_Field_id = 0;
    QString m_Ergo_Field_desc;
    QString m_Models;
    int m_Edit_rules = 0;

private:
    QString m_table;
};
