#include "CCliSignals.h"
#include "CCliTexts.h"
#include "CCliTool.h"
#include "CliMessageIds.h"

#include <QGuiApplication>
#include <QTextStream>

// velmora-cli: scripted fleet work without the window.
int main(int argc, char** argv)
{
    // From the start: an ending signal is noted and the run ends once what it began is settled.
    CCliSignals::CHold hold;
    // The core needs a GUI application object (fonts of the language), never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QGuiApplication::setApplicationName(QStringLiteral("Velmora"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CCliTool tool(out, err);
    int status = tool.Run(QGuiApplication::arguments().mid(1));
    if (const int signal = CCliSignals::Take()) {
        err << "velmora-cli: "
            << CCliTexts::Text(CliMsg::Interrupted, {QString::fromLatin1(CCliSignals::Name(signal))}) << '\n';
        err.flush();
        status = 128 + signal;
    }
    return status;
}
