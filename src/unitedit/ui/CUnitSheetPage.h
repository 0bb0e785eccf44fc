#pragma once

#include "CPropertyPageWithHelp.h"
#include "CVelmoraError.h"

// A page of the unit property sheet. The sheet saves its pages together: each page's Save runs inside
// the sheet's one transaction and returns why it refused; the sheet shows it and takes every page's
// changes back.
class CUnitSheetPage : public CPropertyPageWithHelp
{
    Q_OBJECT

public:
    CUnitSheetPage(int pageId, int templateId, const QString& title, QWidget* parent = nullptr)
        : CPropertyPageWithHelp(templateId, title, parent), m_pageId(pageId)
    {
    }

    // The UnitPage id.
    int PageId() const { return m_pageId; }

    // Writes the page into the fleet (inside the sheet's transaction); changed tells whether a stored
    // value changed.
    virtual CVelmoraError Save(bool& changed)
    {
        changed = false;
        return CVelmoraError();
    }
    // Whether opening the page changed the fleet already (a record it needed was created); that
    // change stays when the sheet is cancelled.
    virtual bool ChangedOnLoad() const { return false; }
    // The sheet's save was committed.
    virtual void SaveCommitted() {}
    // A list page writes its grid into its "_tmp" twin for a dialog that reads the twin (the phone-book
    // transfer). False when a row refused (the page has shown why).
    virtual bool WriteBackForDialog() { return true; }
    // A dialog rewrote the page's twin: the page shows the twin's rows again.
    virtual void ReloadFromTwin() {}
    // The sheet closes (accepted: by OK, after its save; else by Cancel): a list page empties its
    // "_tmp" twin here.
    virtual void OnSheetClosed(bool accepted) { Q_UNUSED(accepted); }

    // A page of the unit sheet saves through the sheet; on its own it only checks that it may be left.
    bool OnApply() override { return OnKillActive(); }

private:
    int m_pageId;
};
