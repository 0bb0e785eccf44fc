#include "CCliPhoneHost.h"

#include "CCliTexts.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"

#include <QTextStream>

void CCliPhoneHost::SetPin(const QString& pin, bool pinGiven, bool accepted)
{
    m_pin = pin;
    m_pinGiven = pinGiven;
    m_pinAccepted = accepted;
}

void CCliPhoneHost::ShowNoCPSupport()
{
    m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::CodeplugUnsupported) << '\n';
    m_err.flush();
}

void CCliPhoneHost::Report(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

bool CCliPhoneHost::AskPin(QString& pin)
{
    if (m_pinGiven) {
        pin = m_pin;
        return true;
    }
    if (m_pinAccepted)
        m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::PinNeeded, {QStringLiteral("--pin PIN")}) << '\n';
    else
        m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::PinNotPossible) << '\n';
    m_err.flush();
    return false;
}
