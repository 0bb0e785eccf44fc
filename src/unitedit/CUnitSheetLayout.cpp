#include "CUnitSheetLayout.h"

#include "CModelRules.h"
#include "FrameCommands.h"
#include "UnitEditMessageIds.h"

#include <array>

namespace {

struct PageEntry
{
    int page;
    int command;
    int label;
};

// The commands and list-bar labels of the pages, by page id.
constexpr std::array<PageEntry, UnitPage::Count> kPages{{
    {UnitPage::PhoneList, FrameCmd::PagePhoneList, 1622},
    {UnitPage::PrivateList, FrameCmd::PagePrivateList, 1623},
    {UnitPage::TalkgroupList, FrameCmd::PageTalkgroupList, 1694},
    {UnitPage::Consolidated, FrameCmd::PageConsolidated, 1740},
    {UnitPage::Basic, FrameCmd::PageBasic, 1624},
    {UnitPage::Advanced, FrameCmd::PageAdvanced, 1625},
    {UnitPage::StatusMessages, FrameCmd::PageStatusMessages, 1626},
    {UnitPage::ScanList, FrameCmd::PageScanList, 1627},
    {UnitPage::Ergonomic, FrameCmd::PageErgonomic, 1816},
    {UnitPage::PhoneInfo, FrameCmd::PagePhoneInfo, 1628},
    {UnitPage::SimInfo, 0, UnitEditText::SimInfoTitle},
    {UnitPage::Comments, 0, UnitEditText::CommentsTitle},
}};

} // namespace

QList<int> CUnitSheetLayout::PageOrder(const CUnitSheetConditions& c)
{
    using namespace UnitPage;
    QList<int> pages;
    const bool fullConnection = c.connectionMode != 2;
    if (c.phoneClass == 3) {
        if (!c.listPagesOff)
            pages << PhoneList << PrivateList << TalkgroupList;
        if (fullConnection)
            pages << Consolidated;
        pages << SimInfo;
        // Older Alder codeplugs have no ergonomic block.
        const int structure = CModelRules::StructureVersionNumber(c.structureVersion);
        if (fullConnection && (structure == 0 || structure > 16))
            pages << Ergonomic;
    } else {
        pages << PhoneList << PrivateList << TalkgroupList;
    }
    pages << Basic << Advanced;
    if (c.scanAndStatus)
        pages << StatusMessages << ScanList;
    pages << PhoneInfo << Comments;
    return pages;
}

int CUnitSheetLayout::LabelId(int page)
{
    return page >= 0 && page < UnitPage::Count ? kPages[size_t(page)].label : 0;
}

int CUnitSheetLayout::PageOfCommand(int commandId)
{
    for (const PageEntry& entry : kPages) {
        if (entry.command != 0 && entry.command == commandId)
            return entry.page;
    }
    return -1;
}

int CUnitSheetLayout::CommandOfPage(int page)
{
    return page >= 0 && page < UnitPage::Count ? kPages[size_t(page)].command : 0;
}
