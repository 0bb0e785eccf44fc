// Velmora: fleet programming and management for trunked-radio telephones.

#include "CAppShell.h"
#include "CMessageBoxAnswerer.h"
#include "CProgramFolderSetup.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QIcon icon;
    for (const char* size : {"32", "64", "256"})
        icon.addFile(CProgramFolderSetup::InstalledDataDir() +
                     QStringLiteral("/icons/velmora-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    const QStringList arguments = QApplication::arguments().mid(1);
    // Unattended starts answer messages on stderr; a user gets message boxes.
    CMessageBoxAnswerer boxes;
    if (!arguments.contains(QStringLiteral("--automation")))
        CVelmoraWrap::SetAnswerer(&boxes);

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
