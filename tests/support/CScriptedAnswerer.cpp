#include "CScriptedAnswerer.h"

#include "CStderrAnswerer.h"

int CScriptedAnswerer::Answer(const CVelmoraMessage& message)
{
    m_messages << message;
    if (m_script.empty())
        return CStderrAnswerer::CautiousAnswer(message.type);
    const int answer = m_script.front();
    m_script.pop_front();
    return answer;
}

void CScriptedAnswerer::Script(std::initializer_list<int> answers)
{
    m_script.insert(m_script.end(), answers.begin(), answers.end());
}

void CScriptedAnswerer::Clear()
{
    m_messages.clear();
    m_script.clear();
}

QList<int> CScriptedAnswerer::Ids() const
{
    QList<int> ids;
    for (const CVelmoraMessage& m : m_messages)
        ids << m.id;
    return ids;
}

CScriptedAnswerer& CScriptedAnswerer::Instance()
{
    static CScriptedAnswerer answerer;
    return answerer;
}
