#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class IAppShell;
class QDBusServiceWatcher;

// The program's automation object on the session bus: other programs show the main window, open a
// fleet file or start a new fleet through it. It also keeps the program alive while they use it: every
// caller is remembered until its connection to the bus goes, and the program is asked to end once the
// last one has gone and no window is on the screen.
class CVelmoraLoad : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quorvel.Velmora.Load")
public:
    static const char kService[];
    static const char kPath[];
    static const char kInterface[];
    // Name of the error a failed OpenFile answers with.
    static const char kOpenFailed[];
    // How long a hidden start waits for its first caller before it ends on its own.
    static constexpr int kDefaultGraceMs = 60000;
    // How long a hidden program waits for a new caller once the last one has gone, so that a script
    // making one call after another (each its own short connection) reaches the same program.
    static constexpr int kDefaultLingerMs = 10000;

    enum class Registration
    {
        Registered,
        NoBus,     // no session bus to register on
        NameTaken, // another program holds the service name
        PathTaken  // the object path is in use on this connection
    };

    explicit CVelmoraLoad(IAppShell& shell, QObject* parent = nullptr);
    ~CVelmoraLoad() override;

    // Puts the object on the bus at kPath, then claims kService there.
    Registration Register(const QDBusConnection& bus);
    static QString RegistrationText(Registration result);

    // A start with the main window hidden ends graceMs after start-up when nobody has called by then
    // (or once every caller has gone), unless a window was shown meanwhile.
    void StartGracePeriod(int graceMs);
    void SetLinger(int lingerMs) { m_lingerMs = lingerMs; }
    // The user closed the main window: the program ends unless callers still use it.
    void MainWindowClosed();
    int ClientCount() const { return int(m_clients.size()); }

public Q_SLOTS:
    // Shows the main window and brings it to the front.
    Q_SCRIPTABLE void Load();
    // Opens path as a document, as a file given on the command line opens. A file that does not open
    // has shown its message and answers with the error kOpenFailed carrying that message.
    Q_SCRIPTABLE void OpenFile(const QString& path);
    // Starts a new fleet once the call has returned.
    Q_SCRIPTABLE void NewFile();

Q_SIGNALS:
    // Nobody uses the program any more: no caller is left (nor came back while the program waited) and
    // no window is on the screen.
    void endRequested();

private:
    void RememberCaller();
    void OnClientGone(const QString& name);
    void EndIfUnused();

    IAppShell& m_shell;
    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher = nullptr;
    QSet<QString> m_clients;
    QTimer m_grace;
    int m_lingerMs = kDefaultLingerMs;
    bool m_registered = false;
};
