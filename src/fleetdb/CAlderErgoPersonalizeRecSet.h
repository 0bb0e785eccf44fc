#pragma once

#include "CPersonalizeRecSet.h"

// Personalised menus of a Alder unit, 15 main-menu slots (unit_alder_personalize_details).
class CAlderErgoPersonalizeRecSet : public CPersonalizeRecSet
{
public:
    explicit CAlderErgoPersonalizeRecSet(const QSqlDatabase& db = QSqlDatabase()) : CPersonalizeRecSet(db, 15)
    {
    }
    QString TableName() const override { return QStringLiteral("unit_alder_personalize_details"); }
};
