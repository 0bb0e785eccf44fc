#pragma once

#include "CPhoneSettings.h"
#include "CVelmoraError.h"

#include <QByteArray>
#include <QString>

class ISimPinPrompt;

// Brings the SIM of a phone of class 2 or 3 into a usable state before its identity is read or its
// SIM data is written: restart (class 2), SIM status with retries, the PIN when the SIM asks for it,
// the IMEI and the SIM kind. Refused states end with their error; the phone stays as it was.
class CSimPreparation
{
public:
    enum : int
    {
        PinSize = 8,
        ImeiLength = 15,
    };

    CSimPreparation(const CPhoneSettings& settings, ISimPinPrompt* prompt);

    // The whole preparation: class 1 needs none; class 2 restarts the phone first; then status, PIN,
    // IMEI (mode 1 with a wait for class 2 after a reset) and SIM kind.
    CVelmoraError Prepare(int phoneClass, bool simAfterReset);
    // What the SIM stage of a write runs: restart for class 2, status, PIN and SIM kind.
    CVelmoraError PrepareForSimStage(int phoneClass);

    int Status() const { return m_status; }
    QString KindText() const { return m_kindText; }
    int SimKind() const { return m_simKind; }
    QString Imei() const { return m_imei; }
    int TriesLeft() const { return m_triesLeft; }

    bool HasPin() const { return !m_pin.isEmpty(); }
    // The accepted PIN, or the no-PIN bytes 0, 0, 0, 0, 255, 255, 255, 255.
    QByteArray PinBytes() const;
    void DropPin() { m_pin.clear(); }

    // "02" is SIM kind 3, "01" kind 2, anything else 1 (first two characters, any case).
    static int SimKindOf(const QString& kindText);
    // Two upper-case hexadecimal digits per byte, cut to 15 characters.
    static QString ImeiText(const QByteArray& bytes);
    // The typed characters from the start, the rest 255.
    static QByteArray PinFromText(const QString& typed);
    static QByteArray NoPin();

private:
    CVelmoraError Restart();
    // Restart (class 2), status, and the PIN when the SIM asks for it.
    CVelmoraError Unlocked(int phoneClass);
    CVelmoraError QueryStatus();
    CVelmoraError Unlock();
    CVelmoraError CheckStatus(int status, bool afterPin);

    CPhoneSettings m_settings;
    ISimPinPrompt* m_prompt = nullptr;
    int m_status = 0;
    QString m_kindText;
    int m_simKind = 1;
    int m_triesLeft = 0; // the fourth output of the status query: PIN tries left
    QString m_imei;
    QByteArray m_pin;
};
