#pragma once

#include "CInstalledData.h"
#include "CUnitSheetSettings.h"

#include <QSqlDatabase>

class CModelRules;

// What the unit property sheet and its pages work with besides the unit: the fleet's database, the
// model catalogue, the carrier and the interface language, and the sheet's own settings.
struct CUnitSheetContext
{
    QSqlDatabase db;
    const CModelRules* rules = nullptr;
    int carrierId = 1;
    CInstalledData::Language language = CInstalledData::English;
    CUnitSheetSettings settings;
    bool hideSimpleList = false; // the carrier's "HideSimpleList" switch
    QString modelList;           // the carrier's model list (the model names)

    bool IsHebrew() const { return language == CInstalledData::Hebrew; }
};
