#pragma once

#include "CFleetSettings.h"
#include "CSmsSendPlan.h"

#include <functional>

class CVelmoraDoc;
class IFrameServices;
class ISmsLibrary;

// What the SMS window works with: the main frame's services, the modem library, and the settings it
// reads when a send starts (the splitting switches and the carrier's longest message).
struct CSmsContext
{
    IFrameServices* services = nullptr;
    ISmsLibrary* library = nullptr;
    std::function<CSmsSendSettings()> sendSettings;
    // The options dialog's SMS page was confirmed: the program reads its values again.
    std::function<void()> optionsChanged;
    // How a fleet file chosen for its units is prepared.
    std::function<CFleetSettings()> fleetSettings;

    // The fleet the saved messages and the recipients list come from (the last active fleet).
    CVelmoraDoc* Fleet() const;
};
