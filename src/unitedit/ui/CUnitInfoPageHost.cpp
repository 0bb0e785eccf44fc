#include "CUnitInfoPageHost.h"

#include "CUnitEditIcons.h"
#include "CUnitSheetContext.h"
#include "CUnitSheetLayout.h"
#include "CUnitViewPhoneDlg.h"
#include "CUnitViewSimInfoDlg.h"
#include "CVelmoraWrap.h"

#include <QVBoxLayout>

CUnitInfoPageHost::CUnitInfoPageHost(int pageId, int templateId, int titleId, CUnitInfoPage* page)
    : CUnitSheetPage(pageId, templateId, CVelmoraWrap::LoadString(titleId)), m_page(page)
{
    setObjectName(pageId == UnitPage::SimInfo ? QStringLiteral("SimInfoPage")
                                              : QStringLiteral("PhoneInfoPage"));
    SetIcon(CUnitEditIcons::PageIcon(0));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_page->setParent(this);
    layout->addWidget(m_page);
}

CUnitInfoPageHost* CUnitInfoPageHost::PhonePage(const QString& imei, const CUnitSheetContext& context)
{
    auto* page = new CUnitViewPhoneDlg(imei, context.db, *context.rules);
    return new CUnitInfoPageHost(UnitPage::PhoneInfo, CUnitViewPhoneDlg::DialogId,
                                 CUnitSheetLayout::LabelId(UnitPage::PhoneInfo), page);
}

CUnitInfoPageHost* CUnitInfoPageHost::SimPage(const QString& imei, const CUnitSheetContext& context)
{
    auto* page = new CUnitViewSimInfoDlg(imei, context.db, context.language);
    return new CUnitInfoPageHost(UnitPage::SimInfo, CUnitViewSimInfoDlg::DialogId,
                                 CUnitSheetLayout::LabelId(UnitPage::SimInfo), page);
}

bool CUnitInfoPageHost::OnInitDialog()
{
    m_page->OnInitDialog();
    return true;
}
