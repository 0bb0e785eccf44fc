#pragma once

#include "CSmsModem.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <memory>

class QSerialPort;

// A GSM modem on a serial line, in text mode: "AT", "ATE0", "AT+CMGF=1", optionally "AT+CSCA", then
// per part "AT+CMGS=<number>", the "> " prompt, the text and Ctrl-Z, and "+CMGS: n" with "OK".
// "ERROR", "+CMS ERROR: n" and silence past the time-out end the send. The line is used only with
// blocking waits, so it works on a thread without an event loop.
class CAtModem : public CSmsModem
{
public:
    explicit CAtModem(const QString& devicePath);
    ~CAtModem() override;

    int Open(const Context& context, int* detail) override;
    int SendPart(const QByteArray& number, const QByteArray& text, int* detail) override;
    void Close() override;

    // True when the device opens and answers "AT" with "OK" within timeoutMs.
    static bool Probe(const QString& devicePath, int timeoutMs);

private:
    enum class Answer
    {
        Ok,
        Error,
        CmsError,
        Prompt,
        TimedOut,
        LineLost,
    };

    int OpenLine(int* detail);
    bool Write(const QByteArray& bytes);
    // Waits for a final answer (or the prompt when prompt is set); *code is the +CMS ERROR number.
    Answer WaitAnswer(int timeoutMs, bool prompt, int* code);
    int Command(const QByteArray& command, int step, int* detail);
    static int Failure(Answer answer, int step, int code, int* detail);

    QString m_path;
    std::unique_ptr<QSerialPort> m_port;
    QByteArray m_buffer;
    Context m_context;
};
