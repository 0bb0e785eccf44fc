// velmora-schema: writes the empty fleet file that new fleets are copied from.
//
//   velmora-schema <out.vdf>
//
// The file is written beside the target and renamed, so a failed run leaves no half file.

#include "CFleetSchema.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: velmora-schema <out.vdf>\n");
        return 2;
    }
    if (const CVelmoraError error = CFleetSchema::WriteTemplate(args.at(1))) {
        std::fprintf(stderr, "velmora-schema: %s: %s\n", qPrintable(args.at(1)), qPrintable(error.ToText()));
        return 1;
    }
    return 0;
}
