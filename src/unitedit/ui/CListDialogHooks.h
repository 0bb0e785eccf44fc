#pragma once

#include <functional>

class CUnitPropertySheet;
class QWidget;

// Dialogs of other features that the list pages open (the features install them at start-up). A page
// whose hook is not installed keeps its button disabled.
struct CListDialogHooks
{
    // Auto fill for a list page (UnitPage id) of the sheet; true when the page's twin changed and the
    // page was reloaded.
    using AutoFill = std::function<bool(CUnitPropertySheet& sheet, int page, QWidget* parent)>;
    static AutoFill& AutoFillHook()
    {
        static AutoFill hook;
        return hook;
    }
};
