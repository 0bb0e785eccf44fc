#pragma once

#include "CUnitSheetPage.h"

class CUnitInfoPage;
struct CUnitSheetContext;

// Places one of the phone programming's read-only information pages (phone, SIM) in the unit property
// sheet; the page reads the unit when it is first shown.
class CUnitInfoPageHost : public CUnitSheetPage
{
    Q_OBJECT

public:
    static CUnitInfoPageHost* PhonePage(const QString& imei, const CUnitSheetContext& context);
    static CUnitInfoPageHost* SimPage(const QString& imei, const CUnitSheetContext& context);

    CUnitInfoPage* InfoPage() const { return m_page; }
    bool OnInitDialog() override;

private:
    CUnitInfoPageHost(int pageId, int templateId, int titleId, CUnitInfoPage* page);

    CUnitInfoPage* m_page;
};
