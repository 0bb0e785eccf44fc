#pragma once

#include <QSqlDatabase>
#include <QString>

// What a fleet document asks of the views that show it (units view, talkgroup view). Views register with
// the document; the document calls them around saving, reopening and closing its database.
class IFleetView
{
public:
    virtual ~IFleetView() = default;

    // True while a grid cell is being edited: saving, appending and closing wait for it.
    virtual bool IsEditingCell() const { return false; }
    // Whether the view may close now (not busy, its current cell can be stored).
    virtual bool CanCloseView() { return true; }
    // Brings the view's frame to the front (it refused to close).
    virtual void ActivateView() {}
    // Closes every recordset on the document's database: the file is about to be closed or copied.
    virtual void ReleaseDatabase() = 0;
    // The document's database is open again (after a save): reattach and requery.
    virtual void AttachDatabase(const QSqlDatabase& db) = 0;
    // Units were added, replaced or removed behind the view's back: reload.
    virtual void RefreshUnits() {}
    // Makes the unit of this IMEI the selected row, scrolled into sight (a phone was just read).
    virtual void ShowUnit(const QString& imei) { (void)imei; }
};
