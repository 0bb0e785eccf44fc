#pragma once

#include "IVelmoraAnswerer.h"

#include <QList>
#include <deque>

// Stands in for the user in tests: records every message and gives the scripted answers in order;
// when the script is used up it answers OK, No or Cancel (the cautious answer).
class CScriptedAnswerer : public IVelmoraAnswerer
{
public:
    int Answer(const CVelmoraMessage& message) override;

    void Script(std::initializer_list<int> answers);
    void Clear();
    const QList<CVelmoraMessage>& Messages() const { return m_messages; }
    QList<int> Ids() const;
    bool Saw(int id) const { return Ids().contains(id); }
    int Count() const { return int(m_messages.size()); }

    // The answerer every test executable installs at start.
    static CScriptedAnswerer& Instance();

private:
    QList<CVelmoraMessage> m_messages;
    std::deque<int> m_script;
};
