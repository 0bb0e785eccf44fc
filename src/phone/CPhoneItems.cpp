#include "CPhoneItems.h"

#include "AgentApi.h"

#include <vector>

QByteArray CPhoneItems::Item::Bytes() const
{
    QByteArray bytes;
    for (const quint32 value : elements) {
        for (int b = 0; b < width; ++b)
            bytes.append(char((value >> (8 * b)) & 0xFF));
    }
    return bytes;
}

bool CPhoneItems::Ok(int code)
{
    return code == AGENT_SUCCESS || code == AGENT_ABSENT || AgentIsWarning(code);
}

CVelmoraError CPhoneItems::Failure(int code)
{
    const CVelmoraError error = CVelmoraError::FromAgentCode(code);
    return error.Stops() ? error : CVelmoraError::Cancelled();
}

int CPhoneItems::Read(int item, Item& out, int bank)
{
    out = Item();
    int width = 0;
    uint16_t count = 0;
    int rc = AgentGetItemInfo(item, &width, &count, bank);
    if (rc == AGENT_ABSENT) {
        out.absent = true;
        return rc;
    }
    if (!Ok(rc))
        return rc;
    if (count == 0)
        return AGENT_SUCCESS;
    out.width = width == AGENT_WIDTH_8 ? 1 : (width == AGENT_WIDTH_16 ? 2 : 4);
    out.elements.resize(count);
    if (out.width == 1) {
        std::vector<uint8_t> buffer(count, 0);
        rc = AgentReadItem8(item, buffer.data(), count, bank);
        for (int i = 0; i < count; ++i)
            out.elements[i] = buffer[size_t(i)];
    } else if (out.width == 2) {
        std::vector<uint16_t> buffer(count, 0);
        rc = AgentReadItem16(item, buffer.data(), count, bank);
        for (int i = 0; i < count; ++i)
            out.elements[i] = buffer[size_t(i)];
    } else {
        std::vector<uint32_t> buffer(count, 0);
        rc = AgentReadItem32(item, buffer.data(), count, bank);
        for (int i = 0; i < count; ++i)
            out.elements[i] = buffer[size_t(i)];
    }
    if (rc == AGENT_ABSENT) {
        out.elements.clear();
        out.absent = true;
    }
    return rc;
}

int CPhoneItems::Write(int item, const Item& in, int bank)
{
    if (in.absent || in.elements.isEmpty())
        return AGENT_ABSENT;
    const int count = int(in.elements.size());
    if (in.width == 1) {
        std::vector<uint8_t> buffer(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            buffer[size_t(i)] = uint8_t(in.elements[i]);
        return AgentWriteItem8(item, buffer.data(), count, bank);
    }
    if (in.width == 2) {
        std::vector<uint16_t> buffer(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            buffer[size_t(i)] = uint16_t(in.elements[i]);
        return AgentWriteItem16(item, buffer.data(), count, bank);
    }
    std::vector<uint32_t> buffer(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        buffer[size_t(i)] = in.elements[i];
    return AgentWriteItem32(item, buffer.data(), count, bank);
}

int CPhoneItems::ReadValue(int item, quint32& value, int bank)
{
    Item read;
    const int rc = Read(item, read, bank);
    value = read.Value();
    return rc;
}

int CPhoneItems::ReadBytes(int item, QByteArray& bytes, int bank)
{
    Item read;
    const int rc = Read(item, read, bank);
    bytes = read.Bytes();
    return rc;
}

namespace {

int ReadCodedText(int item, QString& text, const CPhoneTextCodec& codec, int bank)
{
    QByteArray bytes;
    const int rc = CPhoneItems::ReadBytes(item, bytes, bank);
    const int end = bytes.indexOf('\0');
    text = codec.Decode(end < 0 ? bytes : bytes.left(end));
    return rc;
}

} // namespace

int CPhoneItems::ReadText(int item, QString& text, int bank)
{
    return ReadCodedText(item, text, CPhoneTextCodec(CPhoneTextCodec::Latin), bank);
}

int CPhoneItems::ReadText(int item, QString& text, const CPhoneTextCodec& codec)
{
    return ReadCodedText(item, text, codec, 0);
}

int CPhoneItems::WriteValue(int item, quint32 value, int bank)
{
    Item current;
    const int rc = Read(item, current, bank);
    if (!Ok(rc) || current.absent || current.elements.isEmpty())
        return rc;
    current.elements[0] = value;
    return Write(item, current, bank);
}

int CPhoneItems::WriteBytes(int item, const QByteArray& bytes, int bank)
{
    Item current;
    const int rc = Read(item, current, bank);
    if (!Ok(rc) || current.absent || current.elements.isEmpty())
        return rc;
    const int length = int(current.elements.size()) * current.width;
    QByteArray padded = bytes.left(length);
    padded.append(QByteArray(length - int(padded.size()), '\0'));
    for (int i = 0; i < current.elements.size(); ++i) {
        quint32 value = 0;
        for (int b = 0; b < current.width; ++b)
            value |= quint32(quint8(padded.at(i * current.width + b))) << (8 * b);
        current.elements[i] = value;
    }
    return Write(item, current, bank);
}

namespace {

int WriteCodedText(int item, const QString& text, const CPhoneTextCodec& codec, bool keepTerminator, int bank)
{
    QByteArray bytes;
    if (codec.Encode(text, bytes))
        return AGENT_INVALID_REQUEST; // never a '?' in place of what the phone cannot hold
    CPhoneItems::Item current;
    const int rc = CPhoneItems::Read(item, current, bank);
    if (!CPhoneItems::Ok(rc) || current.absent || current.elements.isEmpty())
        return rc;
    const int length = int(current.elements.size()) * current.width;
    return CPhoneItems::WriteBytes(item, bytes.left(keepTerminator ? length - 1 : length), bank);
}

} // namespace

int CPhoneItems::WriteText(int item, const QString& text, bool keepTerminator, int bank)
{
    return WriteCodedText(item, text, CPhoneTextCodec(CPhoneTextCodec::Latin), keepTerminator, bank);
}

int CPhoneItems::WriteText(int item, const QString& text, const CPhoneTextCodec& codec, bool keepTerminator)
{
    return WriteCodedText(item, text, codec, keepTerminator, 0);
}
