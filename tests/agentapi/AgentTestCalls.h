#pragma once

// The programming-library calls the agent tests make, the way a program makes them.

#include "AgentApi.h"

#include <QByteArray>
#include <QString>
#include <vector>

inline int Open()
{
    return AgentOpenLink(1, 0, AGENT_BAUD_RATE, 0);
}

// An item of the working copy as bytes (little-endian per element), through the calls a program
// makes: the size from AgentGetItemInfo, then the read of that width.
inline int ReadItem(int item, int bank, QByteArray& bytes)
{
    int width = 0;
    uint16_t count = 0;
    int rc = AgentGetItemInfo(item, &width, &count, bank);
    if (rc != AGENT_SUCCESS)
        return rc;
    QByteArray out;
    if (width == AGENT_WIDTH_8) {
        QByteArray buffer(count, '\0');
        rc = AgentReadItem8(item, reinterpret_cast<uint8_t*>(buffer.data()), count, bank);
        out = buffer;
    } else if (width == AGENT_WIDTH_16) {
        std::vector<uint16_t> buffer(count);
        rc = AgentReadItem16(item, buffer.data(), count, bank);
        for (uint16_t v : buffer)
            out.append(char(v & 0xFF)).append(char(v >> 8));
    } else {
        std::vector<uint32_t> buffer(count);
        rc = AgentReadItem32(item, buffer.data(), count, bank);
        for (uint32_t v : buffer)
            for (int s = 0; s < 32; s += 8)
                out.append(char((v >> s) & 0xFF));
    }
    bytes = out;
    return rc;
}

inline QString Hex(const QByteArray& bytes)
{
    QString text;
    for (const char b : bytes)
        text += QStringLiteral("%1").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

inline QByteArray Pin(const QByteArray& digits)
{
    QByteArray pin(AGENT_PIN_SIZE, char(0xFF));
    pin.replace(0, digits.size(), digits);
    return pin;
}

inline const uint8_t* U8(const QByteArray& bytes)
{
    return reinterpret_cast<const uint8_t*>(bytes.constData());
}
