#include "CScriptedQuestion.h"

int CScriptedQuestion::AskOverwrite(const QString& imei)
{
    asked << imei;
    return answers.isEmpty() ? Dismissed : answers.takeFirst();
}
