#pragma once

#include <QByteArray>
#include <QString>

// One way of sending SMS: opened once per send, then one call per part and recipient.
class CSmsModem
{
public:
    // What every part of one send shares.
    struct Context
    {
        QByteArray serviceCentre; // prefix and phone; empty: the modem's own setting
        bool option = false;
        QByteArray optionValue;
        int answerTimeoutMs = 5000;
        int submitTimeoutMs = 60000;
    };

    virtual ~CSmsModem() = default;
    // SMS_OK or an error code, with *detail set for the codes that carry one.
    virtual int Open(const Context& context, int* detail) = 0;
    virtual int SendPart(const QByteArray& number, const QByteArray& text, int* detail) = 0;
    virtual void Close() = 0;
};
