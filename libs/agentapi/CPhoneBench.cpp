#include "CPhoneBench.h"

#include "AgentResult.h"
#include "CPhoneFile.h"
#include "CVirtualPhone.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

bool CPhoneBench::Prepare(QString* why) const
{
    if (m_folder.isEmpty()) {
        if (why)
            *why = QStringLiteral("no bench folder set");
        return false;
    }
    if (!QDir().mkpath(m_folder) || !QFileInfo(m_folder).isDir()) {
        if (why)
            *why = QStringLiteral("cannot create the bench folder %1").arg(m_folder);
        return false;
    }
    return true;
}

QStringList CPhoneBench::PhoneFiles() const
{
    if (m_folder.isEmpty())
        return {};
    return QDir(m_folder).entryList({QStringLiteral("*") + PhoneSuffix()}, QDir::Files, QDir::Name);
}

QString CPhoneBench::PathOf(const QString& name) const
{
    QString file = name.trimmed();
    if (file.isEmpty() || m_folder.isEmpty() || file.contains(QLatin1Char('/')) ||
        file.contains(QLatin1Char('\\')) || file == QLatin1String(".") || file == QLatin1String(".."))
        return QString();
    if (!file.endsWith(PhoneSuffix()))
        file += PhoneSuffix();
    return QDir(m_folder).filePath(file);
}

QString CPhoneBench::ConnectedName() const
{
    QFile file(QDir(m_folder).filePath(ConnectedFileName()));
    if (m_folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QString name = QString::fromUtf8(file.read(4096)).section(QLatin1Char('\n'), 0, 0).trimmed();
    return PathOf(name).isEmpty() ? QString() : QFileInfo(PathOf(name)).fileName();
}

QString CPhoneBench::ConnectedPath() const
{
    const QString name = ConnectedName();
    return name.isEmpty() ? QString() : PathOf(name);
}

bool CPhoneBench::Connect(const QString& name, QString* why) const
{
    const QString path = PathOf(name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        if (why)
            *why = QStringLiteral("no phone '%1' on the bench").arg(name);
        return false;
    }
    const QByteArray text = QFileInfo(path).fileName().toUtf8() + '\n' + "plugged in " +
                            QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
                            QByteArray::number(QRandomGenerator::global()->generate64(), 16) + '\n';
    return CPhoneFile::WriteAtomically(QDir(m_folder).filePath(ConnectedFileName()), text, why);
}

QByteArray CPhoneBench::ConnectionToken() const
{
    QFile file(QDir(m_folder).filePath(ConnectedFileName()));
    if (m_folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(4096);
}

bool CPhoneBench::Disconnect(QString* why) const
{
    const QString path = QDir(m_folder).filePath(ConnectedFileName());
    if (QFile::exists(path) && !QFile::remove(path)) {
        if (why)
            *why = QStringLiteral("cannot remove %1").arg(path);
        return false;
    }
    return true;
}

int CPhoneBench::LoadConnected(CVirtualPhone& phone, QString* path, QString* why) const
{
    const QString connected = ConnectedPath();
    if (path)
        *path = connected;
    if (connected.isEmpty()) {
        if (why)
            *why = QStringLiteral("no phone connected");
        return AGENT_NO_PHONE;
    }
    return CVirtualPhone::Load(connected, phone, why);
}
