#pragma once

// What the main frame asks of the view that is active in a document window: its family (which menu
// and list bar go with it) and the frame commands it handles. Views implement it beside QWidget.
class IFrameView
{
public:
    virtual ~IFrameView() = default;

    // FrameFamily: Fleet for the units and talkgroup views, Pim for the PIM views, Other else.
    virtual int ViewFamily() const = 0;
    // Whether the view handles the command now (the frame shows it enabled), and runs it.
    virtual bool CanRunCommand(int commandId) const { return false; }
    virtual void RunCommand(int commandId) {}
    // Frame commands that make no sense while this view is active: the frame shows them disabled,
    // whoever handles them.
    virtual bool DisablesFrameCommand(int commandId) const { return false; }
    // Pending work (an edited cell) is stored before the frame acts on the whole document. False when
    // the view refused it (its checks have said why).
    virtual bool FinishPendingWork() { return true; }
};
