#include "CUnitCopyOpener.h"

#include "CUnitConsolCallListDlg.h"
#include "CUnitPropertySheet.h"
#include "CUnitSheetPage.h"
#include "CVelmoraWrap.h"

namespace {

CUnitCopyOpener::Opener& Installed()
{
    static CUnitCopyOpener::Opener opener;
    return opener;
}

} // namespace

void CUnitCopyOpener::Install(const Opener& opener)
{
    ::Installed() = opener;
}

bool CUnitCopyOpener::Installed()
{
    return bool(::Installed());
}

bool CUnitCopyOpener::Run(CUnitSheetPage& page, int mode, int nam, int extra)
{
    auto* sheet = qobject_cast<CUnitPropertySheet*>(page.Sheet());
    if (!sheet || !::Installed() || !page.OnKillActive())
        return false;
    if (auto* consol = qobject_cast<CUnitConsolCallListDlg*>(&page)) {
        const CUnitListWriteResult written = consol->List().WriteBack();
        if (!written) {
            CVelmoraWrap::ShowError(written.error);
            return false;
        }
    } else if (!page.WriteBackForDialog()) {
        return false;
    }
    ::Installed()(*sheet, mode, nam, extra, &page);
    return true;
}
