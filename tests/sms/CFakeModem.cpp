#include "CFakeModem.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

CFakeModem::CFakeModem()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    m_thread = std::thread([this]() { Run(); });
}

CFakeModem::~CFakeModem()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_master >= 0)
        ::close(m_master);
}

void CFakeModem::SetAnswer(const QByteArray& prefix, const QByteArray& answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.prepend({prefix, answer}); // the latest and longest wins over the defaults
}

void CFakeModem::SetSubmitAnswer(int fromText, const QByteArray& answer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_submitFrom = fromText;
    m_submitAnswer = answer;
}

void CFakeModem::OnSubmit(std::function<void(int)> callback)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_onSubmit = std::move(callback);
}

QList<QByteArray> CFakeModem::Commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

QList<QPair<QByteArray, QByteArray>> CFakeModem::Messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_messages;
}

void CFakeModem::Run()
{
    char buffer[512];
    while (!m_stop) {
        if (m_master < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        pollfd fd{m_master, POLLIN, 0};
        const int ready = ::poll(&fd, 1, 20);
        if (ready <= 0 || !(fd.revents & POLLIN)) {
            // Nobody has the other side open: wait for the library to open it.
            if (ready > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0)
            Handle(QByteArray(buffer, int(n)));
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

QByteArray CFakeModem::AnswerTo(const QByteArray& command) const
{
    for (const auto& answer : m_answers)
        if (command.startsWith(answer.first))
            return answer.second;
    if (command.startsWith("AT+CMGS="))
        return "\r\n> ";
    return "\r\nOK\r\n";
}

void CFakeModem::Reply(const QByteArray& answer)
{
    if (answer == HangUp() && m_master >= 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    if (!answer.isEmpty() && m_master >= 0)
        (void)!::write(m_master, answer.constData(), size_t(answer.size()));
}

void CFakeModem::Handle(const QByteArray& bytes)
{
    std::function<void(int)> callback;
    int submitted = -1;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_input += bytes;
        for (;;) {
            if (m_inText) {
                const int end = m_input.indexOf('\x1A');
                if (end < 0)
                    break;
                m_messages.append({m_number, m_input.left(end)});
                m_input.remove(0, end + 1);
                m_inText = false;
                submitted = int(m_messages.size()) - 1;
                Reply(m_submitFrom >= 0 && submitted >= m_submitFrom
                          ? m_submitAnswer
                          : "\r\n+CMGS: " + QByteArray::number(submitted + 1) + "\r\n\r\nOK\r\n");
                callback = m_onSubmit;
                continue;
            }
            const int end = m_input.indexOf('\r');
            if (end < 0)
                break;
            const QByteArray command = m_input.left(end).trimmed();
            m_input.remove(0, end + 1);
            if (command.isEmpty())
                continue;
            m_commands << command;
            const QByteArray answer = AnswerTo(command);
            if (command.startsWith("AT+CMGS=") && answer.contains('>')) {
                m_inText = true;
                m_number = command.mid(8).replace('"', "");
            }
            Reply(answer);
        }
    }
    if (callback && submitted >= 0)
        callback(submitted);
}
