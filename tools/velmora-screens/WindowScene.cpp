// The main window, its menus and the frame's dialogs in one language, taken offscreen in a private
// settings store and program folder: velmora-screens window <English|French|Hebrew> <output folder>

#include "CAboutDlg.h"
#include "CAppShell.h"
#include "CAppendDlg.h"
#include "CDocManager.h"
#include "CMainFrame.h"
#include "COptionsDlg.h"
#include "CPSupport.h"
#include "CProgramFolderSetup.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "Scenes.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// The splash picture would cover the window in the first shot.
class CQuietShell : public CAppShell
{
public:
    void EnableSplashScreen() override {}
};

void Settle()
{
    QEventLoop loop;
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Save(QWidget& widget, const QString& folder, const QString& name)
{
    widget.ensurePolished();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = widget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// A private account: settings, program folder and runtime folder under a temporary folder.
void UsePrivateAccount(const QString& home)
{
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = home + QLatin1Char('/') + QString::fromLatin1(name);
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    }
    QFile::setPermissions(home + QStringLiteral("/XDG_RUNTIME_DIR"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The fleet family's menus, one picture each.
bool SaveMenus(CMainFrame& frame, const QString& out, const QString& code)
{
    bool ok = true;
    int index = 0;
    for (QAction* action : frame.menuBar()->actions()) {
        if (QMenu* menu = action->menu()) {
            // Menus that fill themselves as they open (the window list) get that chance first.
            Q_EMIT menu->aboutToShow();
            menu->adjustSize();
            ok = Save(*menu, out, code + QStringLiteral("-menu-%1").arg(index++)) && ok;
        }
    }
    return ok;
}

bool SaveDialogs(const CVelmoraApp& app, CMainFrame* frame, const QString& out, const QString& code)
{
    CAboutDlg about(app.DisplayName(), frame);
    about.adjustSize();
    bool ok = Save(about, out, code + QStringLiteral("-about"));
    // The about box's list of the phones and codeplugs the programming library supports.
    CPSupport support(&about);
    ok = Save(support, out, code + QStringLiteral("-support")) && ok;
    COptionsDlg options(frame, 0);
    for (int tab = 0; tab < options.Tabs()->count(); ++tab) {
        options.Tabs()->setCurrentIndex(tab);
        options.adjustSize();
        ok = Save(options, out, code + QStringLiteral("-options-%1").arg(tab)) && ok;
    }
    CAppendDlg append(frame);
    append.SetImei(QStringLiteral("350000000000001"));
    append.adjustSize();
    return Save(append, out, code + QStringLiteral("-append")) && ok;
}

} // namespace

int WindowScene(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-screens window <English|French|Hebrew> <output folder>\n");
        return 2;
    }
    QTemporaryDir home;
    UsePrivateAccount(home.path());
    QApplication qapp(argc, argv);
    CAppShell::SetProgramIdentity();

    const QString language = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const QString code = language.left(2).toLower();

    QString why;
    if (!CProgramFolderSetup::RunIfFirstStart(why)) {
        std::fprintf(stderr, "set-up failed: %s\n", qPrintable(why));
        return 1;
    }
    CVelmoraWrap::SetRegistryValue(QStringLiteral("Initial Language"), language);
    CVelmoraWrap::SetRegistryValue(QStringLiteral("Setup Flag"), QString());

    CQuietShell shell;
    CVelmoraApp app;
    app.SetShell(&shell);
    app.SetInstanceKey(QStringLiteral("velmora-screens-%1").arg(QCoreApplication::applicationPid()));
    CVelmoraError startupError;
    if (!app.InitInstance({}, startupError)) {
        CVelmoraWrap::ShowError(startupError);
        app.ExitInstance();
        return 1;
    }
    CMainFrame* frame = shell.MainFrame();
    frame->resize(1100, 760);
    Settle();
    bool ok = Save(*frame, out, code + QStringLiteral("-no-fleet"));

    frame->Documents().NewFleet();
    Settle();
    ok = Save(*frame, out, code + QStringLiteral("-fleet")) && ok;
    ok = SaveMenus(*frame, out, code) && ok;
    ok = SaveDialogs(app, frame, out, code) && ok;

    frame->Documents().CloseAllWithoutAsking();
    shell.DestroyMainFrame();
    app.ExitInstance();
    return ok ? 0 : 1;
}
