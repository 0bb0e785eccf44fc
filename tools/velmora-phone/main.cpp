#include "CPhoneTool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

// velmora-phone: the bench of virtual phones that stands in for the programming cable.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CPhoneTool tool(out, err);
    tool.SetUseSettingsLanguage(true);
    return tool.Run(app.arguments().mid(1));
}
