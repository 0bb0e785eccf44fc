#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// A GSM modem played on a pseudo-terminal: the library opens SlavePath() as its serial device and the
// fake answers from the master side on a thread of its own. By default every command answers OK, the
// "AT+CMGS" command the "> " prompt and a submitted text "+CMGS: n" and OK; answers can be replaced
// per command prefix (an empty answer is silence).
class CFakeModem
{
public:
    CFakeModem();
    ~CFakeModem();

    bool IsOpen() const { return m_master >= 0; }
    QString SlavePath() const { return m_slavePath; }

    // The answer to command lines starting with prefix ("AT+CMGF", "AT+CMGS", "AT").
    void SetAnswer(const QByteArray& prefix, const QByteArray& answer);
    // The answer that makes the fake hang up (the modem unplugged) instead of answering.
    static QByteArray HangUp() { return QByteArrayLiteral("<hang up>"); }
    // The answer to the texts submitted from the given one on (0-based).
    void SetSubmitAnswer(int fromText, const QByteArray& answer);
    // Called on the fake's thread after each submitted text, with its 0-based number.
    void OnSubmit(std::function<void(int)> callback);

    QList<QByteArray> Commands() const;
    // Each submitted text with the number of the "AT+CMGS" before it.
    QList<QPair<QByteArray, QByteArray>> Messages() const;

private:
    void Run();
    void Handle(const QByteArray& bytes);
    void Reply(const QByteArray& answer);
    QByteArray AnswerTo(const QByteArray& command) const;

    int m_master = -1;
    QString m_slavePath;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QPair<QByteArray, QByteArray>> m_answers;
    int m_submitFrom = -1;
    QByteArray m_submitAnswer;
    std::function<void(int)> m_onSubmit;
    QList<QByteArray> m_commands;
    QList<QPair<QByteArray, QByteArray>> m_messages;
    QByteArray m_input;
    bool m_inText = false;
    QByteArray m_number;
};
