#pragma once

#include "CFleetAutoFill.h"

class CModelRules;
class CVelmoraDoc;
class IFrameRegistry;
class QWidget;

// Auto fill in the main frame: the whole-fleet command (Auto Fill Fleet) under a progress window with
// Cancel; what it changed marks the fleet modified and refreshes its views.
class CAutoFillFeature
{
public:
    static void Register(IFrameRegistry& frame);

    // Fills the document's fleet under a progress window over parent and shows the outcome: the
    // units whose lists were full, the entries added, or the failure (nothing changed then). Cancel
    // leaves the fleet as it was.
    static CFleetAutoFill::Report RunWholeFleet(CVelmoraDoc& document, const CModelRules& rules,
                                                QWidget* parent);
};
