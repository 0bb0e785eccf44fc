#pragma once

#include "CUnitSheetContext.h"
#include "CUnitSheetHooks.h"

class IFrameRegistry;
class IFrameServices;

// The unit-editing feature in the main frame: the unit property sheet that the units grid opens (on a
// double-click and with the unit property commands) and a click on a fleet list-bar item, which opens
// the current unit's sheet on the page of that label.
class CUnitEditFeature
{
public:
    // Registers the list-bar clicks; the hooks the units grid opens the sheet with come back.
    static CUnitSheetHooks Register(IFrameRegistry& frame);
    // The sheet's context in the running program, over a fleet's database.
    static CUnitSheetContext ContextFromApp(const QSqlDatabase& db);
    // The unit property command of a list-bar label (a page's label in the running language), or 0.
    static int CommandOfLabel(const QString& label);
    // Runs the sheet for a unit on a page (-1: its first); true when the fleet changed.
    static bool RunSheet(const CUnitOpenInfo& unit, const CUnitSheetContext& context, int page,
                         QWidget* parent, IFrameServices* services);
};
