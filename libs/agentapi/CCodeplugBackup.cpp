#include "CCodeplugBackup.h"

#include "AgentResult.h"
#include "CPhoneFile.h"

#include <QDataStream>
#include <QIODevice>

QByteArray CCodeplugBackup::FileContents() const
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << imei << quint8(subRelease) << quint16(modelType) << saved;
    codeplug.Serialize(out);
    return CPhoneFile::Wrap(CPhoneFile::Kind::Backup, payload);
}

int CCodeplugBackup::Load(const QString& path, CCodeplugBackup& backup, QString* why)
{
    QByteArray payload;
    const CPhoneFile::Status status = CPhoneFile::Read(path, CPhoneFile::Kind::Backup, payload);
    if (why)
        *why = CPhoneFile::StatusText(status);
    if (status == CPhoneFile::Status::Newer)
        return AGENT_PHONE_FORMAT;
    if (status != CPhoneFile::Status::Ok)
        return AGENT_BACKUP_UNREADABLE;
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_6_4);
    in.setByteOrder(QDataStream::LittleEndian);
    CCodeplugBackup read;
    quint8 subRelease = 0;
    quint16 modelType = 0;
    in >> read.imei >> subRelease >> modelType >> read.saved;
    read.subRelease = char(subRelease);
    read.modelType = modelType;
    QString reason = QStringLiteral("identity cut short");
    bool ok = in.status() == QDataStream::Ok && read.codeplug.Deserialize(in, &reason);
    if (ok && !in.atEnd()) {
        reason = QStringLiteral("trailing data");
        ok = false;
    }
    if (!ok) {
        if (why)
            *why = reason;
        return AGENT_BACKUP_UNREADABLE;
    }
    backup = read;
    return AGENT_SUCCESS;
}
