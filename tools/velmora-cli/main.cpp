#include "CCliTool.h"

#include <QGuiApplication>
#include <QTextStream>

// velmora-cli: scripted fleet work without the window.
int main(int argc, char** argv)
{
    // The core needs a GUI application object (fonts of the language), never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QGuiApplication::setApplicationName(QStringLiteral("Velmora"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CCliTool tool(out, err);
    return tool.Run(QGuiApplication::arguments().mid(1));
}
