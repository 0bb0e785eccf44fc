#include "CPhoneFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <array>

namespace {

const char* Magic(CPhoneFile::Kind kind)
{
    return kind == CPhoneFile::Kind::Phone ? "VMPH" : "VMCB";
}

} // namespace

quint32 CPhoneFile::Crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray CPhoneFile::Wrap(Kind kind, const QByteArray& payload)
{
    QByteArray file(HeaderSize, '\0');
    auto* p = reinterpret_cast<uchar*>(file.data());
    memcpy(p, Magic(kind), 4);
    qToLittleEndian<quint16>(FormatVersion, p + 4);
    qToLittleEndian<quint16>(HeaderSize, p + 6);
    qToLittleEndian<quint32>(quint32(payload.size()), p + 8);
    qToLittleEndian<quint32>(Crc32(payload), p + 12);
    file.append(payload);
    return file;
}

CPhoneFile::Status CPhoneFile::Unwrap(const QByteArray& file, Kind kind, QByteArray& payload)
{
    if (file.size() < 4 || memcmp(file.constData(), Magic(kind), 4) != 0)
        return Status::Foreign;
    if (file.size() < HeaderSize)
        return Status::Damaged;
    const auto* p = reinterpret_cast<const uchar*>(file.constData());
    const quint16 version = qFromLittleEndian<quint16>(p + 4);
    const quint16 headerSize = qFromLittleEndian<quint16>(p + 6);
    const quint32 size = qFromLittleEndian<quint32>(p + 8);
    const quint32 crc = qFromLittleEndian<quint32>(p + 12);
    if (version > FormatVersion)
        return Status::Newer;
    if (version == 0 || headerSize != HeaderSize || size > quint32(MaxPayload))
        return Status::Damaged;
    if (quint64(file.size()) != quint64(HeaderSize) + size)
        return Status::Damaged;
    QByteArray body = file.mid(HeaderSize);
    if (Crc32(body) != crc)
        return Status::Damaged;
    payload = body;
    return Status::Ok;
}

CPhoneFile::Status CPhoneFile::Read(const QString& path, Kind kind, QByteArray& payload)
{
    QFile file(path);
    if (!file.exists())
        return Status::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return Status::Unreadable;
    if (file.size() > qint64(MaxPayload) + HeaderSize)
        return Status::Damaged;
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Status::Unreadable;
    return Unwrap(contents, kind, payload);
}

bool CPhoneFile::WriteAtomically(const QString& path, const QByteArray& data, QString* why)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
}

QString CPhoneFile::StatusText(Status status)
{
    switch (status) {
    case Status::Ok:
        return QStringLiteral("ok");
    case Status::Missing:
        return QStringLiteral("missing");
    case Status::Unreadable:
        return QStringLiteral("unreadable");
    case Status::Foreign:
        return QStringLiteral("not a file of this kind");
    case Status::Newer:
        return QStringLiteral("newer format");
    case Status::Damaged:
        return QStringLiteral("damaged");
    }
    return QString();
}
