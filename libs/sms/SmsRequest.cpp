#include "SmsRequest.h"

#include <cstring>

namespace SmsRecord {

int32_t ReadInt(const char* record, int offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(record + offset);
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

void WriteInt(char* record, int offset, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

int16_t ReadShort(const char* record, int offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(record + offset);
    return static_cast<int16_t>(uint16_t(p[0]) | uint16_t(p[1]) << 8);
}

void WriteShort(char* record, int offset, int16_t value)
{
    const auto v = static_cast<uint16_t>(value);
    record[offset] = static_cast<char>(v & 0xFF);
    record[offset + 1] = static_cast<char>(v >> 8);
}

QByteArray ReadText(const char* record, int offset, int size)
{
    const char* start = record + offset;
    const void* nul = std::memchr(start, 0, size_t(size));
    const int length = nul ? int(static_cast<const char*>(nul) - start) : size;
    return QByteArray(start, length);
}

bool WriteText(char* record, int offset, int size, const QByteArray& text)
{
    const int length = qMin(int(text.size()), size - 1);
    std::memcpy(record + offset, text.constData(), size_t(length));
    std::memset(record + offset + length, 0, size_t(size - length));
    return length == text.size();
}

} // namespace SmsRecord
