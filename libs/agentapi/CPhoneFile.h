#pragma once

#include <QByteArray>
#include <QString>

// The container of the bench's files: a 24-byte header (magic, format version, header size,
// payload size, CRC-32 of the payload) and the payload. A file is read whole and checked before
// anything in it is used, and written to a temporary file that is renamed over the target.
class CPhoneFile
{
public:
    enum class Kind
    {
        Phone,  // "*.phone": a virtual phone
        Backup, // "*.dbf": a codeplug backup
    };

    enum class Status
    {
        Ok,
        Missing,    // no such file
        Unreadable, // the file exists but cannot be read
        Foreign,    // not a file of this kind
        Newer,      // a later format version than this library reads
        Damaged,    // truncated, padded or wrong checksum
    };

    enum : int
    {
        FormatVersion = 1,
        HeaderSize = 24,
        MaxPayload = 16 * 1024 * 1024
    };

    static QByteArray Wrap(Kind kind, const QByteArray& payload);
    static Status Unwrap(const QByteArray& file, Kind kind, QByteArray& payload);
    static Status Read(const QString& path, Kind kind, QByteArray& payload);
    // Writes beside the target, flushes to disk and renames over it; the target is whole either way.
    static bool WriteAtomically(const QString& path, const QByteArray& data, QString* why);
    static QString StatusText(Status status);
    static quint32 Crc32(const QByteArray& data);
};
