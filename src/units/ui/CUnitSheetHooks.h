#pragma once

#include <functional>

class CVelmoraDoc;
class QWidget;
struct CUnitOpenInfo;

// How the units view opens a unit's property sheet, given by the unit-editing feature: which pages it
// has (a page id of the unit property commands) and the sheet itself, run modally for a prepared unit
// on a page (-1: its first page). open answers whether the fleet changed.
struct CUnitSheetHooks
{
    std::function<bool(int page)> hasPage;
    std::function<bool(CVelmoraDoc& document, const CUnitOpenInfo& unit, int page, QWidget* parent)> open;

    explicit operator bool() const { return bool(open); }
};
