#pragma once

#include "CPersonalizeRecSet.h"

// Personalised menus of a Cedar unit, 32 main-menu slots (unit_cedar_personalize_details).
class CCedarErgoPersonalizeRecSet : public CPersonalizeRecSet
{
public:
    explicit CCedarErgoPersonalizeRecSet(const QSqlDatabase& db = QSqlDatabase()) : CPersonalizeRecSet(db, 32)
    {
    }
    QString TableName() const override { return QStringLiteral("unit_cedar_personalize_details"); }
};
