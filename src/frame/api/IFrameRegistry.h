#pragma once

#include <functional>

class CVelmoraDoc;
class IFrameServices;
class QString;
class QWidget;

// Where a feature plugs into the main frame: its commands (by FrameCmd id, shown in the menus and
// toolbars the frame builds), the views of the fleet window's tabs and what a list-bar click does in
// a family. Each feature's UI library has one function that registers everything it brings.
class IFrameRegistry
{
public:
    using Run = std::function<void()>;
    using Test = std::function<bool()>;
    // Makes the view of a tab for a document; the window owns it.
    using ViewFactory = std::function<QWidget*(CVelmoraDoc& document)>;
    // Answers whether it handled the click on the item with this label.
    using ListBarHandler = std::function<bool(const QString& label)>;
    // Opens a file; false when it did not open (the opener has said why).
    using FileOpener = std::function<bool(const QString& path)>;

    virtual ~IFrameRegistry() = default;

    virtual IFrameServices& Services() = 0;
    // enabled and checked may be empty: always enabled, never checked.
    virtual void AddCommand(int id, Run run, Test enabled = Test(), Test checked = Test()) = 0;
    virtual void AddTabView(int tab, ViewFactory factory) = 0;
    virtual void AddListBarHandler(int family, ListBarHandler handler) = 0;
    // While the active view is of this family, the command runs this instead of the frame's own (the
    // file commands of a feature's own documents).
    virtual void AddFamilyCommand(int family, int id, Run run, Test enabled = Test()) = 0;
    // Opens the PIM files that are dropped, named on the command line or picked from the recent files.
    virtual void SetPimFileOpener(FileOpener opener) = 0;
};
