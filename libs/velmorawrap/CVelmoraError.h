#pragma once

#include "VelmoraTypes.h"

#include <QString>
#include <QStringList>

// A failure reported by logic to its caller, to be shown by the command layer: a message id with its
// arguments, a text of its own (a database or file error), or a stop the user chose (nothing to show).
// A default-constructed value means success. Notices (remarks on work that went on) are carried the same
// way with the type VMT_NOTICE.
class CVelmoraError
{
public:
    enum class Kind
    {
        None,      // success
        Message,   // message id + arguments from the language files
        Text,      // a text of its own (database error text, file error)
        Cancelled, // the user stopped the work; nothing more to say
    };

    CVelmoraError() = default;

    static CVelmoraError Message(int id, const QStringList& args = {}, VELMORA_MSG_TYPE type = VMT_ERROR);
    static CVelmoraError Text(const QString& text, VELMORA_MSG_TYPE type = VMT_ERROR);
    static CVelmoraError Cancelled();
    // The message a programming-library result code stands for: none for success (1) and -2, a notice
    // for the remarks -23, -24 and -25, a silent stop for -28, else the code's error text (or the
    // unknown-code text).
    static CVelmoraError FromAgentCode(AGENT_RET_CODE code);
    // The error text of a program-side phone code (-262 to -203), or the unknown-code text.
    static CVelmoraError FromVelmoraCode(VELMORA_RET_CODE code);

    Kind GetKind() const { return m_kind; }
    bool IsError() const { return m_kind != Kind::None; }
    explicit operator bool() const { return IsError(); }
    // True when work must stop: anything but success and notices.
    bool Stops() const { return m_kind != Kind::None && m_type != VMT_NOTICE; }
    bool IsCancelled() const { return m_kind == Kind::Cancelled; }
    bool IsNotice() const { return m_kind != Kind::None && m_type == VMT_NOTICE; }

    int Id() const { return m_id; }
    const QStringList& Args() const { return m_args; }
    VELMORA_MSG_TYPE Type() const { return m_type; }
    // The text the user would read: the message with its arguments filled, or the text of its own;
    // empty for success and for a stop the user chose.
    QString ToText() const;

    bool operator==(const CVelmoraError& other) const;
    bool operator!=(const CVelmoraError& other) const { return !(*this == other); }

private:
    Kind m_kind = Kind::None;
    int m_id = 0;
    QStringList m_args;
    QString m_text;
    VELMORA_MSG_TYPE m_type = VMT_ERROR;
};
