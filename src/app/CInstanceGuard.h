#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;

// Keeps the program to one running instance per user: the first start listens on a local socket
// named after the program's instance key and the user; a later start hands its file arguments to it
// and ends.
class CInstanceGuard : public QObject
{
    Q_OBJECT
public:
    explicit CInstanceGuard(const QString& key = QString(), QObject* parent = nullptr);
    ~CInstanceGuard() override;

    // True when this process is the one that runs. False when another instance runs (the files were
    // sent to it), even when it is too busy to confirm at once.
    bool Claim(const QStringList& files);
    QString ServerName() const { return m_serverName; }

Q_SIGNALS:
    // A later start asked the running instance to come to the front and open these files.
    void ActivationRequested(const QStringList& files);

private:
    // Who answered a hand-over: nobody, the running instance (it took the files), or an instance
    // that is there but did not confirm in time.
    enum class Peer
    {
        None,
        Took,
        Busy
    };

    void OnNewConnection();
    Peer HandOver(const QStringList& files);

    QString m_serverName;
    std::unique_ptr<QLocalServer> m_server;
};
