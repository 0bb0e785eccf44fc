#include "CAtModem.h"

#include "Sms.h"

#include <QSerialPort>

namespace {
const char kCtrlZ = '\x1A';
const char kEscape = '\x1B';
} // namespace

CAtModem::CAtModem(const QString& devicePath) : m_path(devicePath) {}

CAtModem::~CAtModem()
{
    Close();
}

bool CAtModem::Probe(const QString& devicePath, int timeoutMs)
{
    CAtModem modem(devicePath);
    modem.m_context.answerTimeoutMs = timeoutMs;
    int detail = 0;
    return modem.OpenLine(&detail) == SMS_OK && modem.Command("AT", SMS_STEP_ATTENTION, &detail) == SMS_OK;
}

int CAtModem::OpenLine(int* detail)
{
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(m_path);
    if (!m_port->open(QIODevice::ReadWrite)) {
        *detail = int(m_port->error());
        m_port.reset();
        return SMS_ERR_PORT_OPEN;
    }
    m_port->setBaudRate(QSerialPort::Baud115200);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    return SMS_OK;
}

int CAtModem::Open(const Context& context, int* detail)
{
    m_context = context;
    if (int rc = OpenLine(detail))
        return rc;

    // Echo off first, so that echoed text never reads as an answer.
    if (int rc = Command("AT", SMS_STEP_ATTENTION, detail))
        return rc;
    if (int rc = Command("ATE0", SMS_STEP_ATTENTION, detail))
        return rc;
    if (int rc = Command("AT+CMGF=1", SMS_STEP_TEXT_MODE, detail))
        return rc;
    if (!context.serviceCentre.isEmpty())
        return Command("AT+CSCA=\"" + context.serviceCentre + '"', SMS_STEP_SERVICE_CENTRE, detail);
    return SMS_OK;
}

int CAtModem::SendPart(const QByteArray& number, const QByteArray& text, int* detail)
{
    if (!m_port)
        return SMS_ERR_PORT_OPEN;
    m_buffer.clear();
    if (!Write("AT+CMGS=\"" + number + "\"\r"))
        return Failure(Answer::LineLost, SMS_STEP_PROMPT, 0, detail);
    int code = 0;
    Answer answer = WaitAnswer(m_context.answerTimeoutMs, true, &code);
    if (answer != Answer::Prompt)
        return Failure(answer == Answer::Ok ? Answer::Error : answer, SMS_STEP_PROMPT, code, detail);

    // Ctrl-Z ends the text and Escape aborts it: neither may appear inside.
    QByteArray body = text;
    body.replace(kCtrlZ, ' ');
    body.replace(kEscape, ' ');
    m_buffer.clear();
    if (!Write(body + kCtrlZ))
        return Failure(Answer::LineLost, SMS_STEP_SUBMIT, 0, detail);
    answer = WaitAnswer(m_context.submitTimeoutMs, false, &code);
    return answer == Answer::Ok ? SMS_OK : Failure(answer, SMS_STEP_SUBMIT, code, detail);
}

void CAtModem::Close()
{
    if (m_port && m_port->isOpen())
        m_port->close();
    m_port.reset();
}

bool CAtModem::Write(const QByteArray& bytes)
{
    if (m_port->write(bytes) != bytes.size())
        return false;
    while (m_port->bytesToWrite() > 0)
        if (!m_port->waitForBytesWritten(m_context.answerTimeoutMs))
            return false;
    return true;
}

CAtModem::Answer CAtModem::WaitAnswer(int timeoutMs, bool prompt, int* code)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        // Whole lines first; the prompt "> " comes without a line end.
        int end;
        while ((end = m_buffer.indexOf('\n')) >= 0) {
            const QByteArray line = m_buffer.left(end).trimmed();
            m_buffer.remove(0, end + 1);
            if (line == "OK")
                return Answer::Ok;
            if (line == "ERROR" || line.startsWith("+CME ERROR"))
                return Answer::Error;
            if (line.startsWith("+CMS ERROR:")) {
                *code = line.mid(11).trimmed().toInt();
                return Answer::CmsError;
            }
        }
        if (prompt && m_buffer.trimmed().startsWith('>'))
            return Answer::Prompt;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return Answer::TimedOut;
        if (m_port->waitForReadyRead(int(left)))
            m_buffer += m_port->readAll();
        else if (m_port->error() != QSerialPort::NoError && m_port->error() != QSerialPort::TimeoutError)
            return Answer::LineLost;
    }
}

int CAtModem::Command(const QByteArray& command, int step, int* detail)
{
    m_buffer.clear();
    if (!Write(command + '\r'))
        return Failure(Answer::LineLost, step, 0, detail);
    int code = 0;
    const Answer answer = WaitAnswer(m_context.answerTimeoutMs, false, &code);
    return answer == Answer::Ok ? SMS_OK : Failure(answer, step, code, detail);
}

int CAtModem::Failure(Answer answer, int step, int code, int* detail)
{
    switch (answer) {
    case Answer::CmsError:
        *detail = code;
        return SMS_ERR_CMS_ERROR;
    case Answer::TimedOut:
        *detail = step;
        return SMS_ERR_NO_ANSWER;
    case Answer::LineLost:
        *detail = step;
        return SMS_ERR_LINE_LOST;
    default:
        *detail = step;
        return SMS_ERR_MODEM_ERROR;
    }
}
