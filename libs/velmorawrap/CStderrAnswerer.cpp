#include "CStderrAnswerer.h"

#include <cstdio>

int CStderrAnswerer::CautiousAnswer(VELMORA_MSG_TYPE type)
{
    switch (type) {
    case VMT_YESNO:
        return IDNO;
    case VMT_YESNOCANCEL:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

int CStderrAnswerer::Answer(const CVelmoraMessage& message)
{
    const char* kind = "error";
    if (message.type == VMT_NOTICE)
        kind = "notice";
    else if (message.type == VMT_YESNO || message.type == VMT_YESNOCANCEL)
        kind = "question";
    QString text = message.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int answer = CautiousAnswer(message.type);
    if (message.id != 0)
        std::fprintf(stderr, "velmora: %s %d: %s\n", kind, message.id, qPrintable(text));
    else
        std::fprintf(stderr, "velmora: %s: %s\n", kind, qPrintable(text));
    std::fflush(stderr);
    return answer;
}
