// Velmora: fleet programming and management for trunked-radio telephones.

#include "CAppShell.h"
#include "CEndSignals.h"
#include "CMessageBoxAnswerer.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    CAppShell::SetProgramIdentity();

    const QStringList arguments = QApplication::arguments().mid(1);
    // Unattended starts answer messages on stderr; a user gets message boxes.
    CMessageBoxAnswerer boxes;
    if (!arguments.contains(QStringLiteral("--automation")))
        CVelmoraWrap::SetAnswerer(&boxes);

    // Logout, shutdown or a kill from a terminal end the program as its own exit would: fleets without
    // unsaved changes are stored and closed; changed ones are kept for the next open to settle.
    CEndSignals endSignals;
    QObject::connect(&endSignals, &CEndSignals::endRequested,
                     [](int signal) { QApplication::exit(128 + signal); });

    CAppShell shell;
    CVelmoraApp app;
    app.SetShell(&shell);
    CVelmoraError startupError;
    if (!app.InitInstance(arguments, startupError)) {
        CVelmoraWrap::ShowError(startupError);
        app.ExitInstance();
        return app.HandedOver() ? 0 : 1;
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    CVelmoraWrap::SetAnswerer(nullptr);
    return result;
}
