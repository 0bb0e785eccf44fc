#include "CCliPhoneHost.h"

#include <QTextStream>

void CCliPhoneHost::SetPin(const QString& pin, bool pinGiven, bool accepted)
{
    m_pin = pin;
    m_pinGiven = pinGiven;
    m_pinAccepted = accepted;
}

void CCliPhoneHost::ShowNoCPSupport()
{
    m_err << "velmora-cli: the codeplug of the phone on the cable is not supported by this program\n";
    m_err.flush();
}

bool CCliPhoneHost::AskPin(QString& pin)
{
    if (m_pinGiven) {
        pin = m_pin;
        return true;
    }
    if (m_pinAccepted)
        m_err << "velmora-cli: the SIM asks for its PIN: run again with --pin PIN\n";
    else
        m_err << "velmora-cli: the SIM asks for its PIN, which this command cannot give\n";
    m_err.flush();
    return false;
}
