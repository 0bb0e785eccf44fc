#pragma once

class IFrameRegistry;

// The units feature in the main frame: the units grid in the units tab of every fleet window.
class CUnitsFeature
{
public:
    static void Register(IFrameRegistry& frame);
};
