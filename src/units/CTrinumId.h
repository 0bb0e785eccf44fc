#pragma once

#include <QString>

// The three-part private identity of cross-fleet calling, urban*fleet*member, and its check. Each part
// is a decimal number: urban and fleet 0..65535, member 1..65535 (member 0 addresses nobody).
class CTrinumId
{
public:
    enum : int
    {
        MaxPart = 65535
    };

    int urban = 0;
    int fleet = 0;
    int member = 0;

    // Reads "urban*fleet*member": exactly three parts, each one to five digits. False for anything else.
    static bool Parse(const QString& text, CTrinumId& id);
    // Whether text is a valid identity (parses and every part is in its range).
    static bool IsValid(const QString& text);
    bool IsValid() const;
    // "%d*%d*%d".
    QString ToString() const;
};
