#pragma once

#include "IAppendQuestion.h"

#include <QList>
#include <QStringList>

// Answers the overwrite question of an append from a script, in order (Dismissed once it is used up),
// and records the IMEIs it was asked about.
class CScriptedQuestion : public IAppendQuestion
{
public:
    CScriptedQuestion() = default;
    explicit CScriptedQuestion(QList<int> script) : answers(std::move(script)) {}

    int AskOverwrite(const QString& imei) override;

    QList<int> answers;
    QStringList asked;
};
