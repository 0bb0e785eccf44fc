#pragma once

#include "CPropertySheetWithHelp.h"
#include "CUnitListReloadFlags.h"
#include "CUnitOpener.h"
#include "CUnitSheetContext.h"
#include "CUnitSheetLayout.h"
#include "CUnitSheetUnit.h"

#include <functional>

class CUnitSheetPage;

// The unit property sheet: one page per aspect of one stored unit, chosen and ordered by
// CUnitSheetLayout, leaving out the pages this program does not have. The sheet owns the unit's model
// profile while it is open (pages read its flags and may narrow them for this unit only). OK and Apply
// save every shown page as one unit of work; a refusal or a database error takes all of it back, shows
// the message and keeps the sheet open.
class CUnitPropertySheet : public CPropertySheetWithHelp
{
    Q_OBJECT

public:
    enum : int
    {
        HelpContext = 135680, // the sheet itself (its buttons); the pages have their own
    };

    CUnitPropertySheet(const CUnitOpenInfo& unit, const CUnitSheetContext& context,
                       QWidget* parent = nullptr);
    ~CUnitPropertySheet() override;

    // Whether the program has the page (a UnitPage id); the unit commands of the others stay disabled.
    static bool HasPage(int page);
    // The conditions of the page rule for a unit.
    static CUnitSheetConditions ConditionsOf(const CUnitOpenInfo& unit, const CUnitSheetSettings& settings);

    const CUnitOpenInfo& Unit() const { return m_unit; }
    // The unit as the settings pages work on it, with the model profile the sheet owns.
    const CUnitSheetUnit& SheetUnit() const { return m_sheetUnit; }
    const CUnitSheetContext& Context() const { return m_context; }

    // The page of a UnitPage id, or nullptr when the sheet does not hold it.
    CUnitSheetPage* PageById(int page) const;
    // Opens on that page (the first page when the sheet does not hold it).
    void SetStartPageId(int page);
    // The UnitPage ids of the tabs, in order.
    QList<int> PageIds() const;

    // Whether the fleet changed while the sheet was open (a save that changed something, or a record
    // created when a page opened).
    bool FleetChanged() const;

    // The list pages' reload flags (by UnitPage id), shared by the pages and the dialogs they open.
    CUnitListReloadFlags& ReloadFlags() { return m_reloadFlags; }

protected:
    bool ApplyPages() override;
    void OnPagesApplied() override;
    // OK and Cancel end the sheet: every page that was shown lets go of what it holds.
    void done(int result) override;

private:
    CUnitSheetPage* MakePage(int page);

    CUnitOpenInfo m_unit;
    CUnitSheetUnit m_sheetUnit;
    CUnitSheetContext m_context;
    QList<CUnitSheetPage*> m_unitPages;
    bool m_saved = false; // a save changed the fleet
    CUnitListReloadFlags m_reloadFlags;
};
