#include "CVelmoraLoad.h"

#include "CVelmoraError.h"
#include "CVelmoraWrap.h"
#include "IAppShell.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QPointer>
#include <functional>
#include <utility>

const char CVelmoraLoad::kService[] = "org.quorvel.Velmora";
const char CVelmoraLoad::kPath[] = "/Load";
const char CVelmoraLoad::kInterface[] = "org.quorvel.Velmora.Load";
const char CVelmoraLoad::kOpenFailed[] = "org.quorvel.Velmora.Error.OpenFailed";

namespace {

// Message ids of the automation object.
enum : int
{
    MsgNotOpened = 8190,    // the file was not opened (when the open said nothing itself)
    MsgRelativePath = 8191, // a caller gave a path that is not a full one
};

// Keeps the texts of the messages an open shows, so that the caller learns what the user is told.
// Errors and notices need no answer: they are held and shown once the caller has its answer, so a box
// the user leaves open does not hold the caller. A question is asked at once (after what was held).
class CRecordingAnswerer : public IVelmoraAnswerer
{
public:
    CRecordingAnswerer() : m_next(CVelmoraWrap::SetAnswerer(this)) {}
    ~CRecordingAnswerer() override { Release(); }
    CRecordingAnswerer(const CRecordingAnswerer&) = delete;
    CRecordingAnswerer& operator=(const CRecordingAnswerer&) = delete;

    int Answer(const CVelmoraMessage& message) override
    {
        m_texts << message.text;
        if (message.type == VMT_ERROR || message.type == VMT_NOTICE) {
            m_held << message;
            return IDOK;
        }
        ShowHeld();
        return m_next->Answer(message);
    }
    const QStringList& Texts() const { return m_texts; }
    // Gives the messages back to whoever showed them before and shows what was held.
    void Release()
    {
        if (!m_next)
            return;
        CVelmoraWrap::SetAnswerer(m_next);
        ShowHeld();
        m_next = nullptr;
    }

private:
    void ShowHeld()
    {
        const QList<CVelmoraMessage> held = std::exchange(m_held, {});
        for (const CVelmoraMessage& message : held)
            m_next->Answer(message);
    }

    IVelmoraAnswerer* m_next;
    QStringList m_texts;
    QList<CVelmoraMessage> m_held;
};

// Opens path through the windows and gives the caller its answer (the texts of the messages shown when
// the file did not open) before those messages show.
void OpenThroughShell(IAppShell& shell, const QString& path,
                      const std::function<void(bool opened, const QString& failure)>& answer)
{
    CRecordingAnswerer recorder;
    bool opened = false;
    // The caller's working folder is not ours: a relative path could name another file here.
    if (QDir::isRelativePath(path))
        CVelmoraWrap::ShowError(CVelmoraError::Message(MsgRelativePath, {path}));
    else
        opened = shell.OpenDocuments({path});
    if (!opened && recorder.Texts().isEmpty())
        CVelmoraWrap::ShowError(CVelmoraError::Message(MsgNotOpened, {QDir::toNativeSeparators(path)}));
    if (answer)
        answer(opened, opened ? QString() : recorder.Texts().join(QLatin1Char('\n')));
    recorder.Release();
}

} // namespace

CVelmoraLoad::CVelmoraLoad(IAppShell& shell, QObject* parent)
    : QObject(parent), m_shell(shell), m_bus(QStringLiteral("velmora-load-unset"))
{
    m_grace.setSingleShot(true);
    connect(&m_grace, &QTimer::timeout, this, &CVelmoraLoad::EndIfUnused);
}

CVelmoraLoad::~CVelmoraLoad()
{
    if (m_registered) {
        m_bus.unregisterService(QString::fromLatin1(kService));
        m_bus.unregisterObject(QString::fromLatin1(kPath));
    }
}

CVelmoraLoad::Registration CVelmoraLoad::Register(const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return Registration::NoBus;
    m_bus = bus;
    if (!m_bus.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportScriptableSlots))
        return Registration::PathTaken;
    if (!m_bus.registerService(QString::fromLatin1(kService))) {
        m_bus.unregisterObject(QString::fromLatin1(kPath));
        return Registration::NameTaken;
    }
    m_registered = true;
    m_watcher = new QDBusServiceWatcher(QString(), m_bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &CVelmoraLoad::OnClientGone);
    return Registration::Registered;
}

QString CVelmoraLoad::RegistrationText(Registration result)
{
    switch (result) {
    case Registration::Registered:
        return QStringLiteral("registered");
    case Registration::NoBus:
        return QStringLiteral("there is no session bus");
    case Registration::NameTaken:
        return QStringLiteral("another program holds the name %1 on the session bus")
            .arg(QString::fromLatin1(kService));
    case Registration::PathTaken:
        return QStringLiteral("the object path %1 is in use").arg(QString::fromLatin1(kPath));
    }
    return QString();
}

void CVelmoraLoad::StartGracePeriod(int graceMs)
{
    m_grace.start(qMax(0, graceMs));
}

void CVelmoraLoad::MainWindowClosed()
{
    EndIfUnused();
}

void CVelmoraLoad::Load()
{
    RememberCaller();
    m_shell.BringMainWindowToFront();
}

void CVelmoraLoad::OpenFile(const QString& path)
{
    RememberCaller();
    if (!calledFromDBus()) {
        OpenThroughShell(m_shell, path, {});
        return;
    }
    // The answer waits for the open, which waits for the window to take input (a dialog may be open).
    setDelayedReply(true);
    const QDBusMessage call = message();
    QDBusConnection bus = connection();
    IAppShell* shell = &m_shell;
    m_shell.RunWhenFree([shell, path, call, bus]() mutable {
        OpenThroughShell(*shell, path, [&](bool opened, const QString& failure) {
            bus.send(opened ? call.createReply()
                            : call.createErrorReply(QString::fromLatin1(kOpenFailed), failure));
        });
    });
}

void CVelmoraLoad::NewFile()
{
    RememberCaller();
    // Posted, as the menu command would be: the caller has its answer before the fleet is made.
    QPointer<CVelmoraLoad> self(this);
    QTimer::singleShot(0, this, [self]() {
        if (self)
            self->m_shell.RunWhenFree([shell = &self->m_shell]() { shell->NewDocument(); });
    });
}

void CVelmoraLoad::RememberCaller()
{
    if (!calledFromDBus() || !m_watcher)
        return;
    const QString name = message().service();
    if (name.isEmpty() || m_clients.contains(name))
        return;
    m_clients.insert(name);
    m_watcher->addWatchedService(name);
    m_grace.stop();
    // A caller that left before it was watched would otherwise keep the program for ever.
    QDBusConnectionInterface* bus = connection().interface();
    const QDBusReply<bool> present = bus ? bus->isServiceRegistered(name) : QDBusReply<bool>();
    if (present.isValid() && !present.value())
        QTimer::singleShot(0, this, [this, name]() { OnClientGone(name); });
}

void CVelmoraLoad::OnClientGone(const QString& name)
{
    if (!m_clients.remove(name))
        return;
    m_watcher->removeWatchedService(name);
    if (m_clients.isEmpty() && !m_shell.MainWindowShown())
        m_grace.start(qMax(0, m_lingerMs));
}

void CVelmoraLoad::EndIfUnused()
{
    if (m_clients.isEmpty() && !m_shell.MainWindowShown())
        Q_EMIT endRequested();
}
