#include "CInstanceGuard.h"

#include <QDataStream>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
const char kInstanceKey[] = "{AC9DDBA4-044B-11d5-A746-0010B57B1E84}";
const int kTimeoutMs = 3000;
} // namespace

CInstanceGuard::CInstanceGuard(const QString& key, QObject* parent) : QObject(parent)
{
    const QString base = key.isEmpty() ? QString::fromLatin1(kInstanceKey) : key;
    m_serverName = QStringLiteral("velmora-%1-%2").arg(base).arg(::getuid());
}

CInstanceGuard::~CInstanceGuard() = default;

CInstanceGuard::Peer CInstanceGuard::HandOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kTimeoutMs))
        return Peer::None;
    QStringList absolute;
    for (const QString& f : files)
        absolute << QFileInfo(f).absoluteFilePath();
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << absolute;
    socket.write(message);
    // Wait for the running instance to confirm, so this process only ends once the files are taken.
    // An instance that accepted the connection but is too busy to answer still runs: it reads the
    // files when it is free again, and its socket must not be taken from it.
    if (!socket.waitForBytesWritten(kTimeoutMs) || !socket.waitForReadyRead(kTimeoutMs))
        return Peer::Busy;
    return socket.readAll().startsWith("ok") ? Peer::Took : Peer::Busy;
}

bool CInstanceGuard::Claim(const QStringList& files)
{
    if (HandOver(files) != Peer::None)
        return false;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        // Another start may have begun listening since: hand over to it rather than take its name.
        if (HandOver(files) != Peer::None) {
            m_server.reset();
            return false;
        }
        // A socket left behind by an instance that crashed: nobody answered on it, so take it over.
        QLocalServer::removeServer(m_serverName);
        if (!m_server->listen(m_serverName))
            return true; // still run; only the hand-over of later starts is lost
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &CInstanceGuard::OnNewConnection);
    return true;
}

void CInstanceGuard::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
            QDataStream in(socket);
            in.startTransaction();
            QStringList files;
            in >> files;
            if (!in.commitTransaction())
                return; // wait for the rest
            socket->write("ok");
            socket->flush();
            Q_EMIT ActivationRequested(files);
        });
    }
}
