#include "CUnitPropertySheet.h"

#include "CModelRules.h"
#include "CTransferPhoneBookDataDlg.h"
#include "CUnitAdvancedPage.h"
#include "CUnitAlderErgoFieldsDlg.h"
#include "CUnitBasicPage.h"
#include "CUnitCommentsPage.h"
#include "CUnitConsolCallListDlg.h"
#include "CUnitInfoPageHost.h"
#include "CUnitNamListPage.h"
#include "CUnitPhoneListDlg.h"
#include "CUnitSheetSave.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

namespace {

// The pages this program has, by UnitPage id. Later pages are added here and appear in their place.
bool IsBuiltPage(int page)
{
    switch (page) {
    case UnitPage::PhoneList:
    case UnitPage::Basic:
    case UnitPage::Advanced:
    case UnitPage::PhoneInfo:
    case UnitPage::SimInfo:
    case UnitPage::Comments:
    case UnitPage::PrivateList:
    case UnitPage::TalkgroupList:
    case UnitPage::StatusMessages:
    case UnitPage::ScanList:
    case UnitPage::Ergonomic:
    case UnitPage::Consolidated:
        return true;
    default:
        return false;
    }
}

} // namespace

CUnitPropertySheet::CUnitPropertySheet(const CUnitOpenInfo& unit, const CUnitSheetContext& context,
                                       QWidget* parent)
    : CPropertySheetWithHelp(CVelmoraWrap::LoadString(UnitEditText::SheetTitle), parent), m_unit(unit),
      m_context(context)
{
    setObjectName(QStringLiteral("UnitPropertySheet"));
    setProperty("helpContext", int(HelpContext));
    if (m_context.rules)
        m_sheetUnit =
            CUnitSheetUnit::FromOpenInfo(m_context.db, m_unit, *m_context.rules, m_context.carrierId);
    const QList<int> pages =
        CUnitSheetLayout::BuiltPages(ConditionsOf(m_unit, m_context.settings), &IsBuiltPage);
    for (int id : pages) {
        if (CUnitSheetPage* page = MakePage(id)) {
            m_unitPages << page;
            AddPage(page);
        }
    }
}

CUnitPropertySheet::~CUnitPropertySheet() = default;

bool CUnitPropertySheet::HasPage(int page)
{
    return IsBuiltPage(page);
}

CUnitSheetConditions CUnitPropertySheet::ConditionsOf(const CUnitOpenInfo& unit,
                                                      const CUnitSheetSettings& settings)
{
    CUnitSheetConditions c;
    c.phoneClass = unit.phoneClass;
    c.listPagesOff = settings.listPagesOff;
    c.connectionMode = settings.connectionMode;
    c.structureVersion = unit.structureVersion;
    c.scanAndStatus = unit.profile.scanAndStatus;
    return c;
}

CUnitSheetPage* CUnitPropertySheet::MakePage(int page)
{
    switch (page) {
    case UnitPage::PhoneList:
        return m_context.rules ? new CUnitPhoneListDlg(m_sheetUnit, m_context.IsHebrew(), &m_reloadFlags)
                               : nullptr;
    case UnitPage::Consolidated: {
        auto* page = new CUnitConsolCallListDlg(m_sheetUnit, m_context.IsHebrew(), &m_reloadFlags);
        page->SetTransferOpener([this](CUnitConsolCallListDlg& from) {
            return CTransferPhoneBookDataDlg::RunFromSheet(*this, UnitPage::Consolidated, &from);
        });
        return page;
    }
    case UnitPage::Basic:
        return m_context.rules ? new CUnitBasicPage(m_sheetUnit) : nullptr;
    case UnitPage::Advanced:
        return m_context.rules ? new CUnitAdvancedPage(m_sheetUnit) : nullptr;
    case UnitPage::Comments:
        return new CUnitCommentsPage(m_unit.imei, m_context);
    case UnitPage::PhoneInfo:
        return m_context.rules ? CUnitInfoPageHost::PhonePage(m_unit.imei, m_context) : nullptr;
    case UnitPage::SimInfo:
        return CUnitInfoPageHost::SimPage(m_unit.imei, m_context);
    case UnitPage::PrivateList:
    case UnitPage::TalkgroupList:
    case UnitPage::StatusMessages:
    case UnitPage::ScanList:
        return m_context.rules
                   ? new CUnitNamListPage(*CNamListKind::Of(page), m_sheetUnit, m_context.IsHebrew())
                   : nullptr;
    case UnitPage::Ergonomic:
        return m_context.rules
                   ? new CUnitAlderErgoFieldsDlg(m_sheetUnit,
                                                 CAlderErgoSwitches::Of(*m_context.rules, m_sheetUnit),
                                                 m_context.IsHebrew())
                   : nullptr;
    default:
        return nullptr;
    }
}

CUnitSheetPage* CUnitPropertySheet::PageById(int page) const
{
    for (CUnitSheetPage* p : m_unitPages) {
        if (p->PageId() == page)
            return p;
    }
    return nullptr;
}

QList<int> CUnitPropertySheet::PageIds() const
{
    QList<int> ids;
    for (const CUnitSheetPage* p : m_unitPages)
        ids << p->PageId();
    return ids;
}

void CUnitPropertySheet::SetStartPageId(int page)
{
    const int index = GetPageIndex(PageById(page));
    SetStartPage(index < 0 ? 0 : index);
}

bool CUnitPropertySheet::FleetChanged() const
{
    if (m_saved)
        return true;
    for (const CUnitSheetPage* page : m_unitPages) {
        if (page->IsInitialized() && page->ChangedOnLoad())
            return true;
    }
    return false;
}

bool CUnitPropertySheet::ApplyPages()
{
    QList<CUnitSheetPage*> shown;
    QList<CUnitSheetSave::Step> steps;
    bool changes = false;
    for (CUnitSheetPage* page : m_unitPages) {
        if (!page->IsInitialized())
            continue;
        shown << page;
        steps << [page, &changes]() {
            bool changed = false;
            CVelmoraError error = page->Save(changed);
            changes = changes || changed;
            return error;
        };
    }
    const CUnitSheetSave::Result result = CUnitSheetSave::Run(m_context.db, steps);
    if (!result) {
        // Nothing of this save stays; the page that refused is shown with its message.
        if (result.failedStep >= 0)
            SetActivePage(GetPageIndex(shown[result.failedStep]));
        CVelmoraWrap::ShowError(result.error);
        return false;
    }
    m_saved = m_saved || changes;
    return true;
}

void CUnitPropertySheet::done(int result)
{
    for (CUnitSheetPage* page : m_unitPages) {
        if (page->IsInitialized())
            page->OnSheetClosed(result == QDialog::Accepted);
    }
    CPropertySheetWithHelp::done(result);
}

void CUnitPropertySheet::OnPagesApplied()
{
    for (CUnitSheetPage* page : m_unitPages) {
        if (page->IsInitialized())
            page->SaveCommitted();
    }
    CPropertySheetWithHelp::OnPagesApplied();
}
