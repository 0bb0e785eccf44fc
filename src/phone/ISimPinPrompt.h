#pragma once

#include <QString>

// Asks the user for the SIM card's PIN. The program answers with the PIN dialog; tests script it.
class ISimPinPrompt
{
public:
    virtual ~ISimPinPrompt() = default;
    // False when the user cancelled; otherwise pin holds what was typed (at most 8 characters).
    virtual bool AskPin(QString& pin) = 0;
};
