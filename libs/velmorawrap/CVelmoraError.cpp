#include "CVelmoraError.h"

#include "CVelmoraWrap.h"

CVelmoraError CVelmoraError::Message(int id, const QStringList& args, VELMORA_MSG_TYPE type)
{
    CVelmoraError error;
    error.m_kind = Kind::Message;
    error.m_id = id;
    error.m_args = args;
    error.m_type = type;
    return error;
}

CVelmoraError CVelmoraError::Text(const QString& text, VELMORA_MSG_TYPE type)
{
    CVelmoraError error;
    error.m_kind = Kind::Text;
    error.m_text = text;
    error.m_type = type;
    return error;
}

CVelmoraError CVelmoraError::Cancelled()
{
    CVelmoraError error;
    error.m_kind = Kind::Cancelled;
    return error;
}

CVelmoraError CVelmoraError::FromAgentCode(AGENT_RET_CODE code)
{
    if (code == -23 || code == -24 || code == -25)
        return Message(CVelmoraWrap::CodeTextBase - code, {}, VMT_NOTICE);
    if (!CVelmoraWrap::AgentErrorStops(code))
        return CVelmoraError();
    if (code == -28)
        return Cancelled();
    const int id = CVelmoraWrap::CodeTextBase - code;
    if (code < 0 && code >= -99 && !CVelmoraWrap::LoadString(id).isEmpty())
        return Message(id);
    return Message(CVelmoraWrap::IdUnknownAgentCode, {QString::number(code)});
}

CVelmoraError CVelmoraError::FromVelmoraCode(VELMORA_RET_CODE code)
{
    const int id = CVelmoraWrap::CodeTextBase - code;
    if (code <= -203 && code >= -262 && !CVelmoraWrap::LoadString(id).isEmpty())
        return Message(id);
    return Message(CVelmoraWrap::IdUnknownVelmoraCode, {QString::number(code)});
}

QString CVelmoraError::ToText() const
{
    switch (m_kind) {
    case Kind::Message: {
        const QString text = CVelmoraWrap::LoadString(m_id);
        if (text.isEmpty())
            return QStringLiteral("Message %1").arg(m_id);
        return CVelmoraWrap::FillArgs(text, m_args);
    }
    case Kind::Text:
        return m_text;
    case Kind::None:
    case Kind::Cancelled:
        break;
    }
    return QString();
}

bool CVelmoraError::operator==(const CVelmoraError& other) const
{
    return m_kind == other.m_kind && m_id == other.m_id && m_args == other.m_args && m_text == other.m_text &&
           m_type == other.m_type;
}
