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

bool CInstanceGuard::HandOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    QStringList absolute;
    for (const QString& f : files)
        absolute << QFileInfo(f).absoluteFilePath();
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << absolute;
    socket.write(message);
    if (!socket.waitForBytesWritten(kTimeoutMs))
        return false;
    // Wait for the running instance to confirm, so this process only ends once the files are taken.
    if (!socket.waitForReadyRead(kTimeoutMs))
        return false;
    return socket.readAll().startsWith("ok");
}

bool CInstanceGuard::Claim(const QStringList& files)
{
    if (HandOver(files))
        return false;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
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
