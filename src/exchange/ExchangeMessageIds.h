#pragma once

// Messages of the fleet exchange (auto fill) beyond the shared ones.
namespace ExchangeMsg {
enum : int
{
    NothingSelected = 1654, // add without a selected unit
    UnitsAdded = 1648,      // notice after a completed add
    ListFullCode = -247,    // shared-services code: the target list is full

    AutoFillDone = 7880,  // "%1" = entries added, "%2" = units in the fleet
    ListsFull = 7881,     // "%1" = the units, "name (IMEI)", joined
    NothingFilled = 7882, // "%1" = the fleet file
    HelpAutoFill = 7883,  // velmora-cli help: summary line, then the help text
    Progress = 7884,      // "%1" = units done, "%2" = units in the fleet
    MoreUnits = 7888,     // after the units named: "%1" = how many more
};
} // namespace ExchangeMsg
