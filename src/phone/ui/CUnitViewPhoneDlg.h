#pragma once

#include "CUnitInfoPage.h"

#include <QSqlDatabase>

class CModelRules;

// Property page with what the fleet knows of a unit's phone: codeplug versions, last change, IMEI,
// model number and description.
class CUnitViewPhoneDlg : public CUnitInfoPage
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 120,
        StructureVersionId = 1121,
        DefaultVersionId = 1122,
        LastModifiedId = 1123,
        ModelNumberId = 1125,
        ModelDescriptionId = 1126,
        ImeiId = 1128,
    };

    CUnitViewPhoneDlg(const QString& imei, const QSqlDatabase& fleet, const CModelRules& rules,
                      QWidget* parent = nullptr);
    void OnInitDialog() override;

private:
    QSqlDatabase m_fleet;
    const CModelRules& m_rules;
};
