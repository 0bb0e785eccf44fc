#pragma once

#include "IPhoneMessages.h"
#include "IWaitIndicator.h"

#include <QString>

class CVelmoraDoc;
class ISimPinPrompt;

// What the phone commands need from the main window: the fleet to read into or write from, a new
// fleet, the wait state, the status bar, the messages and the dialogs the logic cannot show itself.
// The program implements it with the main frame; tests script it.
class IPhoneCommandHost : public IWaitIndicator, public IPhoneMessages
{
public:
    // The fleet document that is active, or nullptr.
    virtual CVelmoraDoc* ActiveFleet() = 0;
    // File New: a new fleet document, now the active one; nullptr when it could not be made.
    virtual CVelmoraDoc* NewFleet() = 0;
    // First pane of the status bar; empty clears it.
    virtual void SetStatusText(const QString& text) = 0;
    // The notice that the phone's codeplug is not supported, with the support web address.
    virtual void ShowNoCPSupport() = 0;
    // The SIM kind of the phone just read (the Copy Wizard starts from it).
    virtual void SetSimKind(int simKind) = 0;
    // Brings the units of the document to the front with the unit of the IMEI selected (after a read).
    virtual void ShowUnitsView(CVelmoraDoc& document, const QString& imei) = 0;
    virtual ISimPinPrompt* PinPrompt() = 0;
    // The units grids of the document store the cell being edited and the row being typed, so that a
    // write programs what the user sees and a read's refresh loses nothing; false when a row's checks
    // refused it (they said why).
    virtual bool StorePendingEdits(CVelmoraDoc& document)
    {
        (void)document;
        return true;
    }
};
