#include "CSimPreparation.h"

#include "AgentApi.h"
#include "CPhoneItems.h"
#include "ISimPinPrompt.h"
#include "PhoneMessageIds.h"

CSimPreparation::CSimPreparation(const CPhoneSettings& settings, ISimPinPrompt* prompt)
    : m_settings(settings), m_prompt(prompt)
{
}

int CSimPreparation::SimKindOf(const QString& kindText)
{
    const QString head = kindText.left(2);
    if (head.compare(QLatin1String("02"), Qt::CaseInsensitive) == 0)
        return 3;
    if (head.compare(QLatin1String("01"), Qt::CaseInsensitive) == 0)
        return 2;
    return 1;
}

QString CSimPreparation::ImeiText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper()).left(ImeiLength);
}

QByteArray CSimPreparation::PinFromText(const QString& typed)
{
    QByteArray pin(PinSize, char(0xFF));
    const QByteArray raw = typed.toLatin1().left(PinSize);
    for (int i = 0; i < raw.size(); ++i)
        pin[i] = raw.at(i);
    return pin;
}

QByteArray CSimPreparation::NoPin()
{
    return QByteArray::fromRawData("\x00\x00\x00\x00\xFF\xFF\xFF\xFF", PinSize);
}

QByteArray CSimPreparation::PinBytes() const
{
    return m_pin.isEmpty() ? NoPin() : m_pin;
}

CVelmoraError CSimPreparation::Restart()
{
    const int rc = AgentResetPhone(m_settings.ComPortArg(), m_settings.quickComm, m_settings.UsbPortArg());
    if (rc != AGENT_SUCCESS && !AgentIsWarning(rc))
        return CPhoneItems::Failure(rc);
    AgentDelay(AGENT_RESET_WAIT_MS);
    return CVelmoraError();
}

CVelmoraError CSimPreparation::QueryStatus()
{
    int rc = AGENT_NO_ANSWER;
    for (int attempt = 0; attempt < AGENT_SIM_TRIES; ++attempt) {
        if (attempt > 0)
            AgentDelay(AGENT_RETRY_WAIT_MS);
        int status = 0;
        QString kind;
        int tries = 0;
        rc = AgentGetSimStatus(m_settings.ComPortArg(), &status, &kind, &tries);
        if (rc == AGENT_SUCCESS || AgentIsWarning(rc)) {
            m_status = status;
            m_kindText = kind;
            m_triesLeft = tries;
            return CVelmoraError();
        }
        if (rc == AGENT_CANCELLED)
            break;
    }
    return CPhoneItems::Failure(rc);
}

CVelmoraError CSimPreparation::CheckStatus(int status, bool afterPin)
{
    switch (status) {
    case 6:
        return CVelmoraError::Message(PhoneMsg::SimBlocked);
    case 0:
    case 1:
        return CVelmoraError::Message(PhoneMsg::NoUsableSim);
    case 2:
    case 5:
        if (afterPin)
            return CVelmoraError::Message(PhoneMsg::PinRefused);
        return Unlock();
    default:
        return CVelmoraError();
    }
}

CVelmoraError CSimPreparation::Unlock()
{
    // A PIN the SIM accepted earlier in this operation is offered again rather than asked for: the
    // SIM forgets it when the phone restarts between identification and the SIM stage.
    QByteArray pin = m_pin;
    if (pin.isEmpty()) {
        QString typed;
        if (!m_prompt || !m_prompt->AskPin(typed))
            return CVelmoraError::Message(PhoneMsg::PinCancelled);
        pin = PinFromText(typed);
    }
    int status = 0;
    const int rc = AgentVerifySimPin(m_settings.ComPortArg(),
                                     reinterpret_cast<const uint8_t*>(pin.constData()), &status);
    if (rc != AGENT_SUCCESS && !AgentIsWarning(rc))
        return CPhoneItems::Failure(rc);
    m_status = status;
    if (status == 3 || status == 4) {
        m_pin = pin;
        return CVelmoraError();
    }
    m_pin.clear();
    return CheckStatus(status, true);
}

CVelmoraError CSimPreparation::Unlocked(int phoneClass)
{
    if (phoneClass == 2) {
        if (const CVelmoraError error = Restart())
            return error;
    }
    if (const CVelmoraError error = QueryStatus())
        return error;
    return CheckStatus(m_status, false);
}

CVelmoraError CSimPreparation::PrepareForSimStage(int phoneClass)
{
    if (phoneClass < 2)
        return CVelmoraError();
    if (const CVelmoraError error = Unlocked(phoneClass))
        return error;
    m_simKind = SimKindOf(m_kindText);
    return CVelmoraError();
}

CVelmoraError CSimPreparation::Prepare(int phoneClass, bool simAfterReset)
{
    if (phoneClass < 2)
        return CVelmoraError();
    if (const CVelmoraError error = Unlocked(phoneClass))
        return error;
    const int mode = (simAfterReset && phoneClass == 2) ? 1 : 0;
    QByteArray imei(AGENT_IMEI_SIZE, '\0');
    // An unread IMEI would file the unit under zeros: a failure ends the preparation.
    const int rc = AgentReadImei(m_settings.ComPortArg(), reinterpret_cast<uint8_t*>(imei.data()), mode);
    if (rc != AGENT_SUCCESS && !AgentIsWarning(rc))
        return CPhoneItems::Failure(rc);
    if (mode == 1)
        AgentDelay(AGENT_RESET_WAIT_MS);
    m_imei = ImeiText(imei);
    m_simKind = SimKindOf(m_kindText);
    return CVelmoraError();
}
