#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the signals that ask the program to end (TERM at logout or shutdown, INT, HUP) into a Qt
// signal delivered in the event loop, so the program ends as a normal exit would instead of dying with
// its fleets expanded. One guard at a time; the handlers it installed go with it.
class CEndSignals : public QObject
{
    Q_OBJECT
public:
    explicit CEndSignals(QObject* parent = nullptr);
    ~CEndSignals() override;

    bool IsActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    // signal: the number of the signal that came (SIGTERM, SIGINT or SIGHUP).
    void endRequested(int signal);

private:
    void ReadSignal();

    QSocketNotifier* m_notifier = nullptr;
};
