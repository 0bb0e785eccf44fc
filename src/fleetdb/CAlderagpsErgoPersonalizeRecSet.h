#pragma once

#include "CPersonalizeRecSet.h"

// Personalised menus of a AGPS unit, 16 main-menu slots (unit_agps_personalize_details).
class CAlderagpsErgoPersonalizeRecSet : public CPersonalizeRecSet
{
public:
    explicit CAlderagpsErgoPersonalizeRecSet(const QSqlDatabase& db = QSqlDatabase())
        : CPersonalizeRecSet(db, 16)
    {
    }
    QString TableName() const override { return QStringLiteral("unit_agps_personalize_details"); }
};
