#pragma once

#include <QSet>

// The property sheet's reload flags, one per list page (by UnitPage id): a dialog that rewrote another
// page's "_tmp" rows sets that page's flag, and the page reloads its grid from the twin when it next
// becomes active, then clears the flag. The sheet owns one; its pages and dialogs share it.
class CUnitListReloadFlags
{
public:
    void Set(int page) { m_pages.insert(page); }
    void Clear(int page) { m_pages.remove(page); }
    bool IsSet(int page) const { return m_pages.contains(page); }
    // Whether the page's flag was set; clears it.
    bool Take(int page) { return m_pages.remove(page); }

private:
    QSet<int> m_pages;
};
