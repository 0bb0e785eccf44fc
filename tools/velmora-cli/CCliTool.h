#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// velmora-cli: parses the command line, starts the program's core the way the window does (settings,
// first-run set-up, program folder, language, model rules, phone link; no window and no single-instance
// check), installs the terminal's answerer and runs the command.
class CCliTool
{
public:
    enum ExitStatus : int
    {
        ExitDone = 0,
        ExitFailed = 1,
        ExitUsage = 2
    };

    CCliTool(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    // args without the program name; answers the exit status.
    int Run(const QStringList& args);

    // --program-folder: DIR is a program folder of its own with its settings in DIR/settings, set up
    // like a first run when they do not exist yet. Applies to the rest of the process.
    static bool UseOwnProgramFolder(const QString& folder, QString& why);

private:
    QTextStream& m_out;
    QTextStream& m_err;
};
