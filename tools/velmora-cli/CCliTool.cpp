#include "CCliTool.h"

#include "CAutoFillCommand.h"
#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CCliCopyCommand.h"
#include "CCliPhoneCommands.h"
#include "CCliTemp.h"
#include "CCliTexts.h"
#include "CFileCommands.h"
#include "CFleetContext.h"
#include "CProgramFolderSetup.h"
#include "CUnitCommands.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "FleetMessageIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTextStream>

namespace {

// Puts the previous answerer back however the command ends.
class CAnswererScope
{
public:
    explicit CAnswererScope(IVelmoraAnswerer* answerer) : m_previous(CVelmoraWrap::SetAnswerer(answerer)) {}
    ~CAnswererScope() { CVelmoraWrap::SetAnswerer(m_previous); }
    CAnswererScope(const CAnswererScope&) = delete;
    CAnswererScope& operator=(const CAnswererScope&) = delete;

private:
    IVelmoraAnswerer* m_previous;
};

} // namespace

bool CCliTool::UseOwnProgramFolder(const QString& folder, QString& why)
{
    const QString dir = QDir(folder).absolutePath();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir + QStringLiteral("/settings"));
    if (!CVelmoraWrap::SettingsStoreExists()) {
        if (!CProgramFolderSetup::FillProgramFolder(dir, CProgramFolderSetup::InstalledDataDir(), why))
            return false;
        CProgramFolderSetup::WriteDefaultSettings(dir);
        return true;
    }
    // A folder that was moved still finds its own files.
    QString stored;
    if (!CVelmoraWrap::GetRegistryValue(QStringLiteral("Velmora App Path"), stored) || stored != dir)
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Velmora App Path"), dir);
    return true;
}

int CCliTool::Run(const QStringList& args)
{
    CCliArguments arguments;
    const bool parsed = arguments.Parse(args);
    const QString folderOption = QStringLiteral("--program-folder");
    const QString ownFolder = CCliArguments::ProgramFolderIn(args);
    if (!parsed || arguments.HelpWanted())
        CCliTexts::LoadBeforeStart(ownFolder);
    if (!parsed) {
        m_err << "velmora-cli: " << arguments.Error() << '\n'
              << CCliTexts::Text(CliMsg::SeeHelp, {QStringLiteral("velmora-cli --help")}) << '\n';
        m_err.flush();
        return ExitUsage;
    }
    if (arguments.HelpWanted()) {
        const CCliArguments::Command* command = CCliArguments::Find(arguments.CommandName());
        m_out << (command ? CCliArguments::CommandHelp(*command) : CCliArguments::Usage());
        m_out.flush();
        return ExitDone;
    }

    if (arguments.HasValue(folderOption)) {
        QString why;
        if (!UseOwnProgramFolder(arguments.Value(folderOption), why)) {
            CCliTexts::EnsureLoaded(ownFolder);
            m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::FolderNotSetUp, {why}) << '\n';
            m_err.flush();
            return ExitFailed;
        }
    }

    CCliAnswerer answerer(m_err);
    const QString command = arguments.CommandName();
    answerer.SetYes(arguments.Has(QStringLiteral("--yes")), arguments.Accepts(QStringLiteral("--yes")));
    answerer.SetOption(FleetMsg::ReplacePhoneUnit, QStringLiteral("--replace"),
                       arguments.Has(QStringLiteral("--replace")),
                       arguments.Accepts(QStringLiteral("--replace")));
    answerer.SetRecoveryAnswer(arguments.Has(QStringLiteral("--keep-unsaved")),
                               arguments.Has(QStringLiteral("--last-saved")),
                               arguments.Accepts(QStringLiteral("--keep-unsaved")));
    CAnswererScope scope(&answerer);

    // Start-up as the window's, with an instance key of this process alone: the tool runs beside the
    // window and beside other runs of itself.
    static int runs = 0;
    CVelmoraApp app;
    app.SetInstanceKey(
        QStringLiteral("velmora-cli-%1-%2").arg(QCoreApplication::applicationPid()).arg(++runs));
    CVelmoraError startupError;
    if (!app.InitInstance({}, startupError)) {
        CVelmoraWrap::ShowError(startupError);
        app.ExitInstance();
        CCliTexts::EnsureLoaded(ownFolder);
        m_err << "velmora-cli: " << CCliTexts::Text(CliMsg::NotStarted) << '\n';
        m_err.flush();
        return ExitFailed;
    }

    CCliTemp::RemoveLeftovers();
    CFleetContext fleets(CFleetSettings::ForProgramFolder(app.ProgramFolder(), app.CarrierId()));
    const CCliContext context{arguments, m_out, m_err, answerer, app, fleets};
    int status = ExitFailed;
    if (command == QLatin1String("new") || command == QLatin1String("info") ||
        command == QLatin1String("store") || command == QLatin1String("expand") ||
        command == QLatin1String("upgrade"))
        status = CFileCommands(context).Run(command);
    else if (command == QLatin1String("read-phone") || command == QLatin1String("write-phone") ||
             command == QLatin1String("recover"))
        status = CCliPhoneCommands(context).Run(command);
    else if (command == QLatin1String("copy"))
        status = CCliCopyCommand(context).Run();
    else if (command == QLatin1String("autofill"))
        status = CAutoFillCommand(context).Run(arguments.Operand(0));
    else
        status = CUnitCommands(context).Run(command);
    m_out.flush();
    app.ExitInstance();
    // A message of the program that reported a failure fails the command whatever it answered.
    if (status == ExitDone && answerer.Failed())
        status = ExitFailed;
    return status;
}
