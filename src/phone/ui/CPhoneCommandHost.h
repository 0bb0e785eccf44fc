#pragma once

#include "CSimPinDlgPrompt.h"
#include "IPhoneCommandHost.h"

class IFrameServices;

// The phone commands in the main window: the frame's services (fleets, wait state, status bar,
// pending edits), the PIN dialog and the not-supported notice. The static entries run one command
// each with the application's settings and model rules.
class CPhoneCommandHost : public IPhoneCommandHost
{
public:
    explicit CPhoneCommandHost(IFrameServices& frame);

    CVelmoraDoc* ActiveFleet() override;
    CVelmoraDoc* NewFleet() override;
    void BeginWait() override;
    void EndWait() override;
    void SetStatusText(const QString& text) override;
    void ShowNoCPSupport() override;
    void Report(const CVelmoraError& error) override;
    void SetSimKind(int simKind) override {}
    void ShowUnitsView(CVelmoraDoc& document, const QString& imei) override;
    ISimPinPrompt* PinPrompt() override { return &m_prompt; }
    bool StorePendingEdits(CVelmoraDoc& document) override;

    // Command 1184: read the phone on the cable into the active or a new fleet.
    static bool ReadPhone(IFrameServices& frame);
    // Command 1185: write the active fleet's unit of the phone on the cable into it.
    static bool WritePhone(IFrameServices& frame);
    // Command 1187: codeplug recovery.
    static bool RecoverCodeplug(IFrameServices& frame);

private:
    IFrameServices& m_frame;
    CSimPinDlgPrompt m_prompt;
};
