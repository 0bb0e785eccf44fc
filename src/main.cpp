// Velmora: fleet programming and management for trunked-radio telephones.

#include "CAppShell.h"
#include "CEndSignals.h"
#include "CHiddenStartAnswerer.h"
#include "CMessageBoxAnswerer.h"
#include "CVelmoraApp.h"
#include "CVelmoraLoad.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDBusConnection>
#include <cstdio>

namespace {

// How long a start with the main window hidden waits for its first automation client. A client that
// starts the program through the bus calls at once; a script that starts it by hand gets a minute.
// VELMORA_AUTOMATION_GRACE (seconds) sets another wait; VELMORA_AUTOMATION_LINGER (seconds) how long a
// hidden program waits for a new client once the last one has gone.
int SecondsFromEnvironment(const char* name, int fallbackMs)
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue(name, &ok);
    return ok && seconds >= 0 ? seconds * 1000 : fallbackMs;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    CAppShell::SetProgramIdentity();
    // The program ends when the user closes the main window and no automation client uses it any more,
    // or when the last client leaves a program whose window is hidden: not when a window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments().mid(1);
    const bool automation = CVelmoraApp::IsAutomationStart(arguments);
    CAppShell shell;
    // A user gets message boxes. A start for automation answers on stderr while its window is hidden.
    CMessageBoxAnswerer boxes;
    CHiddenStartAnswerer hiddenStart(shell);
    CVelmoraWrap::SetAnswerer(automation ? static_cast<IVelmoraAnswerer*>(&hiddenStart) : &boxes);

    // Logout, shutdown or a kill from a terminal end the program as its own exit would: fleets without
    // unsaved changes are stored and closed; changed ones are kept for the next open to settle.
    CEndSignals endSignals;
    QObject::connect(&endSignals, &CEndSignals::endRequested,
                     [](int signal) { QApplication::exit(128 + signal); });

    CVelmoraApp app;
    app.SetShell(&shell);
    CVelmoraError startupError;
    if (!app.InitInstance(arguments, startupError)) {
        CVelmoraWrap::ShowError(startupError);
        app.ExitInstance();
        CVelmoraWrap::SetAnswerer(nullptr);
        return app.HandedOver() ? 0 : 1;
    }

    // The automation object, for every start: a client finds the running program whatever started it.
    CVelmoraLoad load(shell);
    const CVelmoraLoad::Registration registration = load.Register(QDBusConnection::sessionBus());
    const bool served = registration == CVelmoraLoad::Registration::Registered;
    if (!served) {
        std::fprintf(stderr, "velmora: automation is not available: %s\n",
                     qPrintable(CVelmoraLoad::RegistrationText(registration)));
        std::fflush(stderr);
        // A hidden start nobody can reach would only linger.
        if (automation) {
            app.ExitInstance();
            CVelmoraWrap::SetAnswerer(nullptr);
            return 1;
        }
    } else {
        load.SetLinger(SecondsFromEnvironment("VELMORA_AUTOMATION_LINGER", CVelmoraLoad::kDefaultLingerMs));
        if (automation)
            load.StartGracePeriod(
                SecondsFromEnvironment("VELMORA_AUTOMATION_GRACE", CVelmoraLoad::kDefaultGraceMs));
    }
    QObject::connect(&load, &CVelmoraLoad::endRequested, []() { QApplication::exit(0); });
    shell.SetMainWindowClosedHandler([&load, served]() {
        if (served)
            load.MainWindowClosed();
        else
            QApplication::exit(0);
    });

    const int result = QApplication::exec();
    shell.SetMainWindowClosedHandler({});
    app.ExitInstance();
    CVelmoraWrap::SetAnswerer(nullptr);
    return result;
}
