#pragma once

#include "IPhoneCommandHost.h"
#include "ISimPinPrompt.h"

#include <QString>

class CVelmoraDoc;
class QTextStream;

// The main window's part in the phone commands, played at the terminal: the fleet is the one the
// command opened, there is no window to wait in or status bar to show, and the SIM's PIN comes from
// --pin.
class CCliPhoneHost : public IPhoneCommandHost, public ISimPinPrompt
{
public:
    CCliPhoneHost(QTextStream& err, CVelmoraDoc* document) : m_err(err), m_document(document) {}

    // pinGiven: --pin was on the command line; accepted: the command takes it.
    void SetPin(const QString& pin, bool pinGiven, bool accepted);

    CVelmoraDoc* ActiveFleet() override { return m_document; }
    // The command reads into the fleet it opened, never into another one.
    CVelmoraDoc* NewFleet() override { return nullptr; }
    void SetStatusText(const QString&) override {}
    void ShowNoCPSupport() override;
    // As every message of the tool: through the terminal answerer.
    void Report(const CVelmoraError& error) override;
    void SetSimKind(int) override {}
    void ShowUnitsView(CVelmoraDoc&, const QString&) override {}
    ISimPinPrompt* PinPrompt() override { return this; }
    void BeginWait() override {}
    void EndWait() override {}

    bool AskPin(QString& pin) override;

private:
    QTextStream& m_err;
    CVelmoraDoc* m_document;
    QString m_pin;
    bool m_pinGiven = false;
    bool m_pinAccepted = false;
};
