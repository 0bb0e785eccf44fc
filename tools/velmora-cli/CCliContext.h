#pragma once

#include "CFleetSettings.h"

#include <QString>

class CCliAnswerer;
class CCliArguments;
class CFleetContext;
class CVelmoraApp;
class QTextStream;

// What a command of velmora-cli works with: its arguments, the output streams, the answerer, and the
// application object and fleet context of the started program.
struct CCliContext
{
    const CCliArguments& args;
    QTextStream& out;
    QTextStream& err;
    CCliAnswerer& answerer;
    CVelmoraApp& app;
    CFleetContext& fleets;

    CFleetSettings Settings() const;
    // Prints "velmora-cli: message" on stderr and answers exit status 1.
    int Fail(const QString& message) const;
    // After the program's own message (or, when it gave none, the fallback): exit status 1.
    int Failed(const QString& fallback) const;
    // 0 unless a message of the program reported a failure or a question went unanswered.
    int Result() const;
    // Prints "velmora-cli: note: text" on stderr.
    void Note(const QString& text) const;
    // The result of a command on stdout: "path: text", the path first so scripts can pick it out.
    void Done(const QString& path, const QString& text) const;
};
