#pragma once

#include "CUnitSheetHooks.h"

class IFrameRegistry;

// The units feature in the main frame: the units grid in the units tab of every fleet window, whose
// double-clicks and unit property commands open the unit property sheet the hooks give.
class CUnitsFeature
{
public:
    static void Register(IFrameRegistry& frame, CUnitSheetHooks sheet = {});
};
