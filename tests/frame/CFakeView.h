#pragma once

#include "CVelmoraDoc.h"
#include "IFleetView.h"
#include "IFrameView.h"

#include <QList>
#include <QSet>
#include <QWidget>

// A view standing in for the units, talkgroup, SMS or PIM views: its family, the commands it takes,
// and what the frame asked of it.
class CFakeView : public QWidget, public IFrameView
{
public:
    explicit CFakeView(int family, QSet<int> handles = {}) : m_family(family), m_handles(std::move(handles))
    {
    }

    int ViewFamily() const override { return m_family; }
    bool CanRunCommand(int id) const override { return m_handles.contains(id); }
    void RunCommand(int id) override { ran << id; }
    bool DisablesFrameCommand(int id) const override { return disables.contains(id); }
    bool FinishPendingWork() override
    {
        ++finished;
        return true;
    }

    QList<int> ran;
    int finished = 0;
    QSet<int> disables; // frame commands disabled while this view is active

private:
    int m_family;
    QSet<int> m_handles;
};

// A units view registered with its document, whose grid may be editing a cell.
class CFakeUnitsView : public CFakeView, public IFleetView
{
public:
    CFakeUnitsView(CVelmoraDoc& document, int family, QSet<int> handles = {})
        : CFakeView(family, std::move(handles)), m_document(document)
    {
        m_document.AddView(this);
    }
    ~CFakeUnitsView() override { m_document.RemoveView(this); }

    bool IsEditingCell() const override { return editing; }
    void ReleaseDatabase() override { ++released; }
    void AttachDatabase(const QSqlDatabase&) override {}

    bool editing = false;
    int released = 0;

private:
    CVelmoraDoc& m_document;
};
