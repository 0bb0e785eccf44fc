#pragma once

#include "CSimPinDlgPrompt.h"
#include "CWidgetWait.h"
#include "IPhoneCommandHost.h"

#include <QPointer>
#include <QWidget>
#include <functional>

// The phone commands in the main window: the wait state over it, the PIN dialog and the not-supported
// notice, and hooks into the document manager and the status bar given by the frame. The static
// entries run one command each with the application's settings and model rules.
class CPhoneCommandHost : public IPhoneCommandHost
{
public:
    struct Hooks
    {
        std::function<CVelmoraDoc*()> activeFleet;
        std::function<CVelmoraDoc*()> newFleet;
        std::function<void(const QString&)> statusText;
        std::function<void(CVelmoraDoc&)> showUnits;
        std::function<void(int)> simKind;
        std::function<bool(CVelmoraDoc&)> storePending;
    };

    CPhoneCommandHost(QWidget* mainWindow, Hooks hooks);

    CVelmoraDoc* ActiveFleet() override;
    CVelmoraDoc* NewFleet() override;
    void BeginWait() override { m_wait.BeginWait(); }
    void EndWait() override { m_wait.EndWait(); }
    void SetStatusText(const QString& text) override;
    void ShowNoCPSupport() override;
    void ShowError(const CVelmoraError& error) override;
    void SetSimKind(int simKind) override;
    void ShowUnitsView(CVelmoraDoc& document) override;
    ISimPinPrompt* PinPrompt() override { return &m_prompt; }
    bool StorePendingEdits(CVelmoraDoc& document) override;

    // Command 1184: read the phone on the cable into the active or a new fleet.
    static bool ReadPhone(QWidget* mainWindow, const Hooks& hooks);
    // Command 1185: write the active fleet's unit of the phone on the cable into it.
    static bool WritePhone(QWidget* mainWindow, const Hooks& hooks);
    // Command 1187: codeplug recovery.
    static bool RecoverCodeplug(QWidget* mainWindow);

private:
    QPointer<QWidget> m_window;
    Hooks m_hooks;
    CWidgetWait m_wait;
    CSimPinDlgPrompt m_prompt;
};
