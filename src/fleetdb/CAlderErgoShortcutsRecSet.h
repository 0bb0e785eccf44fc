#pragma once

#include "CRecordset.h"

// Shortcut keys of an Alder-platform unit (unit_alder_shortcut_details).
class CAlderErgoShortcutsRecSet : public CRecordset
{
public:
    explicit CAlderErgoShortcutsRecSet(const QSqlDatabase& db = QSqlDatabase());
    QString TableName() const override { return QStringLiteral("unit_alder_shortcut_details"); }

    QString m_unit_imei_num;
    int m_unit_shortcut_number;
    QString m_unit_shortcut_value;
};
