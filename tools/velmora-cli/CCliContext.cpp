#include "CCliContext.h"

#include "CCliAnswerer.h"
#include "CFleetContext.h"

#include <QTextStream>

CFleetSettings CCliContext::Settings() const
{
    return fleets.Settings();
}

int CCliContext::Fail(const QString& message) const
{
    err << "velmora-cli: " << message << '\n';
    err.flush();
    return 1;
}

int CCliContext::Failed(const QString& fallback) const
{
    if (!answerer.Failed())
        Fail(fallback);
    return 1;
}

int CCliContext::Result() const
{
    return answerer.Failed() ? 1 : 0;
}

void CCliContext::Note(const QString& text) const
{
    err << "velmora-cli: note: " << text << '\n';
    err.flush();
}

void CCliContext::Done(const QString& path, const QString& text) const
{
    out << path << ": " << text << '\n';
}
