#pragma once

#include <QList>

// The pages of the unit property sheet and the rule that chooses and orders them for one unit.
// Page ids follow the fleet list bar's items (the labels a click on the bar matches) and the pages
// the unit property commands open; the SIM information and comments pages come after them.
namespace UnitPage {
enum : int
{
    PhoneList = 0,
    PrivateList = 1,
    TalkgroupList = 2,
    Consolidated = 3,
    Basic = 4,
    Advanced = 5,
    StatusMessages = 6,
    ScanList = 7,
    Ergonomic = 8,
    PhoneInfo = 9,
    SimInfo = 10,
    Comments = 11,
    Count = 12,
};
} // namespace UnitPage

// What decides which pages a unit's sheet holds.
struct CUnitSheetConditions
{
    int phoneClass = 1;         // 3: the Alder family
    bool listPagesOff = false;  // the program's list-pages-off setting
    int connectionMode = 0;     // the main frame's connection mode; 2 leaves pages out
    int structureVersion = 0;   // the unit's codeplug structure version as stored
    bool scanAndStatus = false; // the model keeps scan lists and status messages
};

class CUnitSheetLayout
{
public:
    // Every page the unit's sheet holds, in tab order.
    static QList<int> PageOrder(const CUnitSheetConditions& conditions);
    // PageOrder without the pages the program cannot show (isBuilt answers for a page id); the
    // order of the rest is kept, so a page that becomes available appears in its own place.
    template <typename IsBuilt> static QList<int> BuiltPages(const CUnitSheetConditions& c, IsBuilt isBuilt)
    {
        QList<int> pages;
        for (int page : PageOrder(c)) {
            if (isBuilt(page))
                pages << page;
        }
        return pages;
    }

    // The text id of a page's fleet list-bar item and tab label (0 for none).
    static int LabelId(int page);
    // The page a unit property command (FrameCmd) opens, or -1.
    static int PageOfCommand(int commandId);
    // The unit property command of a page, or 0.
    static int CommandOfPage(int page);
};
