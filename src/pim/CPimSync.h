#pragma once

#include "CVelmoraError.h"

#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;
class QTimer;

// The desktop synchronisation program: where it is installed (the value "InstallDir" of the settings
// group "Brightwave/SyncDesk"), starting it, and following it until it ends. It runs on its own,
// detached; the PIM document stays closed while it has the file.
class CPimSync : public QObject
{
    Q_OBJECT
public:
    explicit CPimSync(QObject* parent = nullptr);
    ~CPimSync() override;

    static QString SettingsGroup();
    static QString ProgramName();
    // The program's path, or empty when the install folder is not set.
    static QString ProgramPath();
    // The check made when the PIM features are first used: a notice (1818) when the program is not
    // installed, success otherwise.
    static CVelmoraError CheckInstalled();

    // Starts the program. 1812 when it is not installed or does not start; started() follows a start.
    CVelmoraError Launch();
    bool IsRunning() const { return m_pid > 0; }
    qint64 ProcessId() const { return m_pid; }

Q_SIGNALS:
    void started();
    // The program has ended (however it ended).
    void finished();

private:
    void Watch();
    void CheckEnded();
    void End();

    qint64 m_pid = 0;
    int m_pidFd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer* m_poll = nullptr;
};
