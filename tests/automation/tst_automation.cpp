// The automation object on the session bus: its calls, the callers that keep the program running, and
// the real program started hidden for automation. Runs on a private session bus (dbus-run-session).
#include "CAppShell.h"
#include "CDocManager.h"
#include "CFleetFile.h"
#include "CFleetLock.h"
#include "CMainFrame.h"
#include "CProgramFolderSetup.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraApp.h"
#include "CVelmoraDoc.h"
#include "CVelmoraLoad.h"
#include "CVelmoraWrap.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

const int kLongWait = 60000; // generous: a loaded machine must never fail a test by being slow

const QString kService = QString::fromLatin1(CVelmoraLoad::kService);
const QString kPath = QString::fromLatin1(CVelmoraLoad::kPath);
const QString kInterface = QString::fromLatin1(CVelmoraLoad::kInterface);

// A program on the bus of its own (its own unique name), as another program calling Velmora would be.
class CClient
{
public:
    CClient() : m_name(QStringLiteral("client-%1").arg(++s_counter))
    {
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name));
    }
    ~CClient() { Leave(); }
    bool Connected() const { return m_bus && m_bus->isConnected(); }
    QString UniqueName() const { return m_bus ? m_bus->baseService() : QString(); }

    // Calls method and waits (turning the event loop, so an in-process service can answer) for the answer.
    QDBusMessage Call(const QString& method, const QVariantList& args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
        call.setArguments(args);
        return Wait(m_bus->asyncCall(call, kLongWait));
    }
    QDBusMessage Introspect()
    {
        const QDBusMessage call = QDBusMessage::createMethodCall(
            kService, kPath, QStringLiteral("org.freedesktop.DBus.Introspectable"),
            QStringLiteral("Introspect"));
        return Wait(m_bus->asyncCall(call, kLongWait));
    }
    void Leave()
    {
        if (!m_bus)
            return;
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_name);
    }

private:
    // The bus gives an error answer itself when the call times out, so this wait always ends.
    static QDBusMessage Wait(QDBusPendingCall pending)
    {
        while (!pending.isFinished())
            QTest::qWait(10);
        return pending.reply();
    }

    static int s_counter;
    QString m_name;
    std::unique_ptr<QDBusConnection> m_bus;
};
int CClient::s_counter = 0;

// The methods of interface in an introspection text: "name(direction type, ...)" each.
QStringList MethodsOf(const QString& xml, const QString& interface)
{
    QStringList methods;
    QXmlStreamReader reader(xml);
    bool inside = false;
    QString current;
    while (!reader.atEnd()) {
        reader.readNext();
        const auto a = reader.attributes();
        if (reader.isStartElement() && reader.name() == QLatin1String("interface"))
            inside = a.value(QLatin1String("name")) == interface;
        else if (reader.isEndElement() && reader.name() == QLatin1String("interface"))
            inside = false;
        else if (inside && reader.isStartElement() && reader.name() == QLatin1String("method"))
            current = a.value(QLatin1String("name")).toString() + QLatin1Char('(');
        else if (inside && reader.isStartElement() && reader.name() == QLatin1String("arg") &&
                 !current.isEmpty())
            current += a.value(QLatin1String("direction")).toString() + QLatin1Char(' ') +
                       a.value(QLatin1String("type")).toString() + QLatin1Char(',');
        else if (inside && reader.isEndElement() && reader.name() == QLatin1String("method")) {
            methods << current + QLatin1Char(')');
            current.clear();
        }
    }
    return methods;
}

// A fleet file as the program leaves one on disk.
QString MakeFleet(const QString& name)
{
    const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleets")) + QLatin1Char('/') + name;
    if (!QFile::copy(CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraVLF.vdf"), path))
        return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return CFleetFile::StoreFleetFile(path) ? path : QString();
}

// A user who looks at a message only once the caller has had its answer: the box must not hold the call.
class CLateUser : public IVelmoraAnswerer
{
public:
    std::function<bool()> answered;
    bool sawAnswerFirst = false;
    int messages = 0;
    int Answer(const CVelmoraMessage&) override
    {
        ++messages;
        QElapsedTimer waited;
        waited.start();
        while (!answered() && waited.elapsed() < kLongWait)
            QTest::qWait(10);
        sawAnswerFirst = answered();
        return IDOK;
    }
};

bool NameOnBus()
{
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().interface()->isServiceRegistered(kService);
    return reply.isValid() && reply.value();
}

} // namespace

class TestAutomation : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

    // The program started hidden for automation in this process: the real application object and
    // windows, with the automation object on the test's bus.
    struct CRunning
    {
        CAppShell shell;
        std::unique_ptr<CVelmoraApp> app;
        std::unique_ptr<CVelmoraLoad> load;
        CMainFrame* Frame() const { return shell.MainFrame(); }
        int Documents() const { return Frame()->Documents().Count(); }
        ~CRunning()
        {
            load.reset();
            if (app)
                app->ExitInstance();
        }
    };

    std::unique_ptr<CRunning> StartHidden()
    {
        static int key = 0;
        CTestEnvironment::ClearSettings();
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("program"));
        if (!CTestEnvironment::FillProgramFolder(folder))
            return nullptr;
        CProgramFolderSetup::WriteDefaultSettings(folder);
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Setup Flag"), QString());
        auto running = std::make_unique<CRunning>();
        running->app = std::make_unique<CVelmoraApp>();
        running->app->SetShell(&running->shell);
        running->app->SetInstanceKey(QStringLiteral("automation-%1-%2").arg(::getpid()).arg(++key));
        CVelmoraError error;
        if (!running->app->InitInstance({QStringLiteral("--automation")}, error))
            return nullptr;
        running->load = std::make_unique<CVelmoraLoad>(running->shell);
        if (running->load->Register(QDBusConnection::sessionBus()) != CVelmoraLoad::Registration::Registered)
            return nullptr;
        running->load->SetLinger(0);
        return running;
    }

    static QProcessEnvironment ProgramEnvironment()
    {
        const QString home = CTestEnvironment::NewFolder(QStringLiteral("home"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The instance socket lives in the temporary folder: a private one keeps other Velmoras out.
        env.insert(QStringLiteral("TMPDIR"), CTestEnvironment::NewFolder(QStringLiteral("tmp")));
        env.insert(QStringLiteral("VELMORA_AUTOMATION_LINGER"), QStringLiteral("1"));
        return env;
    }

    static QString Program() { return qEnvironmentVariable("VELMORA_BIN_DIR") + QStringLiteral("/velmora"); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no session bus");
        qDBusRegisterMetaType<QMap<QString, QString>>();
    }

    void init() { answers.Clear(); }

    void loadShowsTheHiddenWindow()
    {
        auto running = StartHidden();
        QVERIFY(running);
        QVERIFY(!running->Frame()->isVisible());
        CClient client;
        QVERIFY(client.Connected());
        QCOMPARE(client.Call(QStringLiteral("Load")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(running->Frame()->isVisible());
        QVERIFY(!running->Frame()->isMinimized());

        // A minimised window comes back as the user left it.
        running->Frame()->showMinimized();
        QCOMPARE(client.Call(QStringLiteral("Load")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(running->Frame()->isVisible());
        QVERIFY(!running->Frame()->isMinimized());
        QCOMPARE(answers.Count(), 0);
    }

    void openFileOpensOnlyFleets()
    {
        auto running = StartHidden();
        QVERIFY(running);
        CClient client;
        const QString fleet = MakeFleet(QStringLiteral("Harbour.vlf"));
        QVERIFY(!fleet.isEmpty());
        QCOMPARE(client.Call(QStringLiteral("OpenFile"), {fleet}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(running->Documents(), 1);
        QCOMPARE(QFileInfo(running->Frame()->Documents().Documents().first()->PathName()).canonicalFilePath(),
                 QFileInfo(fleet).canonicalFilePath());
        // Opening does not show the window: the client asks for that with Load.
        QVERIFY(!running->Frame()->isVisible());
        QCOMPARE(answers.Count(), 0);

        // Any other file is refused with the message the user sees, and the caller gets it as an error.
        const QString text = QFileInfo(fleet).dir().filePath(QStringLiteral("notes.txt"));
        QFile notes(text);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a fleet\n");
        notes.close();
        QDBusMessage reply = client.Call(QStringLiteral("OpenFile"), {text});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QString::fromLatin1(CVelmoraLoad::kOpenFailed));
        QCOMPARE(answers.Ids(), QList<int>{1603});
        QCOMPARE(reply.errorMessage(), CVelmoraWrap::LoadString(1603));
        QCOMPARE(running->Documents(), 1);

        // A missing fleet: its own message, and an error all the same.
        answers.Clear();
        reply = client.Call(QStringLiteral("OpenFile"),
                            {QFileInfo(fleet).dir().filePath(QStringLiteral("gone.vlf"))});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(answers.Count(), 1);
        QVERIFY(!reply.errorMessage().isEmpty());
        QCOMPARE(running->Documents(), 1);

        // A relative path would be taken in this program's folder, not the caller's: refused.
        answers.Clear();
        reply = client.Call(QStringLiteral("OpenFile"), {QStringLiteral("Harbour.vlf")});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(answers.Ids(), QList<int>{8191});
        QCOMPARE(running->Documents(), 1);

        // The fleet that is open already is brought forward, not opened twice.
        QCOMPARE(client.Call(QStringLiteral("OpenFile"), {fleet}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(running->Documents(), 1);
    }

    void aRefusedFileAnswersBeforeItsMessageIsRead()
    {
        auto running = StartHidden();
        QVERIFY(running);

        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("late"));
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("OpenFile"));
        call.setArguments({QStringLiteral("/nowhere/notes.txt")});
        QDBusPendingCall pending = bus.asyncCall(call, kLongWait);
        CLateUser user;
        user.answered = [&]() { return pending.isFinished(); };
        IVelmoraAnswerer* previous = CVelmoraWrap::SetAnswerer(&user);
        QTRY_VERIFY_WITH_TIMEOUT(pending.isFinished() && user.messages == 1, kLongWait);
        CVelmoraWrap::SetAnswerer(previous);
        QVERIFY(user.sawAnswerFirst);
        QCOMPARE(pending.reply().errorName(), QString::fromLatin1(CVelmoraLoad::kOpenFailed));
        QDBusConnection::disconnectFromBus(QStringLiteral("late"));
    }

    void newFileAnswersBeforeTheFleetExists()
    {
        auto running = StartHidden();
        QVERIFY(running);
        // The call itself (as the bus makes it) only posts the command.
        running->load->NewFile();
        QCOMPARE(running->Documents(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(running->Documents(), 1, kLongWait);
        QVERIFY(running->Frame()->Documents().Documents().first()->IsUntitled());

        CClient client;
        QCOMPARE(client.Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(running->Documents(), 2, kLongWait);
        QCOMPARE(answers.Count(), 0);
    }

    void callersKeepTheProgramRunning()
    {
        auto running = StartHidden();
        QVERIFY(running);
        CVelmoraLoad& load = *running->load;
        QSignalSpy end(&load, &CVelmoraLoad::endRequested);
        int closedWindows = 0;
        running->shell.SetMainWindowClosedHandler([&]() {
            ++closedWindows;
            load.MainWindowClosed();
        });

        // Two callers; the program ends only when the second has gone too.
        auto first = std::make_unique<CClient>();
        auto second = std::make_unique<CClient>();
        QCOMPARE(first->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(second->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(first->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(load.ClientCount(), 2);
        first.reset();
        QTRY_COMPARE_WITH_TIMEOUT(load.ClientCount(), 1, kLongWait);
        QCOMPARE(end.count(), 0);
        second.reset();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, kLongWait);

        // A caller that comes back while the program waits after the last one left finds it still there.
        end.clear();
        load.SetLinger(kLongWait);
        auto again = std::make_unique<CClient>();
        QCOMPARE(again->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        again.reset();
        QTRY_COMPARE_WITH_TIMEOUT(load.ClientCount(), 0, kLongWait);
        QCOMPARE(end.count(), 0);
        again = std::make_unique<CClient>();
        QCOMPARE(again->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(load.ClientCount(), 1);
        load.SetLinger(0);
        again.reset();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, kLongWait);

        // With the window on the screen the user owns the program: the last caller leaving ends nothing.
        end.clear();
        auto viewer = std::make_unique<CClient>();
        QCOMPARE(viewer->Call(QStringLiteral("Load")).type(), QDBusMessage::ReplyMessage);
        viewer.reset();
        QTRY_COMPARE_WITH_TIMEOUT(load.ClientCount(), 0, kLongWait);
        QCOMPARE(end.count(), 0);

        // The user closes the window while a caller still uses the program: the documents close and the
        // window goes, the program waits for the caller, and ends when it leaves.
        auto holder = std::make_unique<CClient>();
        const int before = running->Documents();
        QCOMPARE(holder->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(running->Documents(), before + 1, kLongWait);
        QVERIFY(running->Frame()->close());
        QTRY_COMPARE_WITH_TIMEOUT(closedWindows, 1, kLongWait);
        QVERIFY(!running->Frame()->isVisible());
        QCOMPARE(running->Documents(), 0);
        QCOMPARE(end.count(), 0);
        // It can still be shown again.
        QCOMPARE(holder->Call(QStringLiteral("Load")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(running->Frame()->isVisible());
        QVERIFY(running->Frame()->close());
        QTRY_COMPARE_WITH_TIMEOUT(closedWindows, 2, kLongWait);
        QCOMPARE(end.count(), 0);
        holder.reset();
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, kLongWait);

        // Without callers, closing the window ends the program at once.
        end.clear();
        running->shell.BringMainWindowToFront();
        QVERIFY(running->Frame()->close());
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, kLongWait);

        // A hidden start nobody calls ends when its wait is over.
        end.clear();
        running->Frame()->hide();
        load.StartGracePeriod(10);
        QTRY_COMPARE_WITH_TIMEOUT(end.count(), 1, kLongWait);
    }

    void introspectionMatchesTheShippedDescription()
    {
        auto running = StartHidden();
        QVERIFY(running);
        CClient client;
        const QDBusMessage reply = client.Introspect();
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        const QStringList live = MethodsOf(reply.arguments().value(0).toString(), kInterface);
        QFile shipped(CTestEnvironment::SourceDir() +
                      QStringLiteral("/src/app/dbus/org.quorvel.Velmora.Load.xml"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QStringList described = MethodsOf(QString::fromUtf8(shipped.readAll()), kInterface);
        QCOMPARE(described.size(), 3);
        QCOMPARE(live, described);
    }

    void theBusNameIsHeldOnce()
    {
        auto running = StartHidden();
        QVERIFY(running);
        CAppShell otherShell;
        CVelmoraLoad other(otherShell);
        CClient client;
        QVERIFY(client.Connected());
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("second"));
        QCOMPARE(other.Register(bus), CVelmoraLoad::Registration::NameTaken);
        QDBusConnection::disconnectFromBus(QStringLiteral("second"));
        running.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!NameOnBus(), kLongWait);
    }

    void hiddenProgramLivesWhileAClientHoldsIt()
    {
        QVERIFY(!NameOnBus());
        QProcess program;
        program.setProcessEnvironment(ProgramEnvironment());
        program.start(Program(), {QStringLiteral("--automation")});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(NameOnBus(), kLongWait);

        auto client = std::make_unique<CClient>();
        QCOMPARE(client->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        // Still there a while later for the same caller.
        QTest::qWait(1500);
        QCOMPARE(program.state(), QProcess::Running);
        QCOMPARE(client->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);

        client.reset();
        QVERIFY(program.waitForFinished(kLongWait));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!NameOnBus(), kLongWait);
    }

    void hiddenProgramNobodyCallsEnds()
    {
        QProcess program;
        QProcessEnvironment env = ProgramEnvironment();
        env.insert(QStringLiteral("VELMORA_AUTOMATION_GRACE"), QStringLiteral("1"));
        program.setProcessEnvironment(env);
        program.start(Program(), {QStringLiteral("-Embedding")});
        QVERIFY(program.waitForStarted());
        QVERIFY(program.waitForFinished(kLongWait));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void hiddenProgramEndsWhenTheNameIsTaken()
    {
        QDBusConnection holder =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("holder"));
        QVERIFY(holder.registerService(kService));
        QProcess program;
        program.setProcessEnvironment(ProgramEnvironment());
        program.start(Program(), {QStringLiteral("--automation")});
        QVERIFY(program.waitForFinished(kLongWait));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromLocal8Bit(program.readAllStandardError()).contains(kService));
        holder.unregisterService(kService);
        QDBusConnection::disconnectFromBus(QStringLiteral("holder"));
    }

    void theBusStartsTheProgramForACaller()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!NameOnBus(), kLongWait);
        // What the started program sees: the private folders of a fresh account.
        const QProcessEnvironment env = ProgramEnvironment();
        QMap<QString, QString> activation;
        for (const char* name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR", "QT_QPA_PLATFORM", "VELMORA_AUTOMATION_LINGER"})
            activation.insert(QString::fromLatin1(name), env.value(QString::fromLatin1(name)));
        QDBusMessage update = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("UpdateActivationEnvironment"));
        update.setArguments({QVariant::fromValue(activation)});
        const QDBusMessage updated = QDBusConnection::sessionBus().call(update);
        QCOMPARE(updated.type(), QDBusMessage::ReplyMessage);

        // No Velmora runs: the call starts one (the service file's command), which answers it.
        auto client = std::make_unique<CClient>();
        QCOMPARE(client->Call(QStringLiteral("NewFile")).type(), QDBusMessage::ReplyMessage);
        QVERIFY(NameOnBus());
        const QDBusReply<uint> pid = QDBusConnection::sessionBus().interface()->servicePid(kService);
        QVERIFY(pid.isValid());
        QVERIFY(QFile::exists(env.value(QStringLiteral("XDG_CONFIG_HOME")) +
                              QStringLiteral("/Quorvel/Velmora.conf")));
        // Its window stays hidden, so it ends when the caller leaves.
        client.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!NameOnBus(), kLongWait);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral("/proc/%1").arg(pid.value())), kLongWait);
    }

    void aLaterStartHandsItsFilesToTheHiddenProgram()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!NameOnBus(), kLongWait);
        const QProcessEnvironment env = ProgramEnvironment();
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(Program(), {QStringLiteral("--automation")});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(NameOnBus(), kLongWait);

        const QString fleet = MakeFleet(QStringLiteral("Depot.vlf"));
        QVERIFY(!fleet.isEmpty());
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(Program(), {fleet});
        QVERIFY(second.waitForFinished(kLongWait));
        QCOMPARE(second.exitCode(), 0);
        // The running program opened the fleet (it holds its lock) and shows its window now, so the
        // end of a caller no longer ends it.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(CFleetLock::LockPathFor(fleet)), kLongWait);
        auto client = std::make_unique<CClient>();
        QCOMPARE(client->Call(QStringLiteral("Load")).type(), QDBusMessage::ReplyMessage);
        client.reset();
        QTest::qWait(1000);
        QCOMPARE(first.state(), QProcess::Running);
        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(kLongWait));
        QCOMPARE(first.exitCode(), 128 + SIGTERM);
        QVERIFY(!QFile::exists(CFleetLock::LockPathFor(fleet)));
    }
};

VELMORA_TEST_MAIN(TestAutomation)
#include "tst_automation.moc"
