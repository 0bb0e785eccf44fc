#include "CTrinumId.h"

#include <QStringList>

namespace {

bool ReadPart(const QString& text, int& value)
{
    if (text.isEmpty() || text.size() > 5)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    value = text.toInt();
    return true;
}

} // namespace

bool CTrinumId::Parse(const QString& text, CTrinumId& id)
{
    const QStringList parts = text.split(QLatin1Char('*'));
    if (parts.size() != 3)
        return false;
    CTrinumId read;
    if (!ReadPart(parts[0], read.urban) || !ReadPart(parts[1], read.fleet) ||
        !ReadPart(parts[2], read.member))
        return false;
    id = read;
    return true;
}

bool CTrinumId::IsValid() const
{
    return urban >= 0 && urban <= MaxPart && fleet >= 0 && fleet <= MaxPart && member >= 1 &&
           member <= MaxPart;
}

bool CTrinumId::IsValid(const QString& text)
{
    CTrinumId id;
    return Parse(text, id) && id.IsValid();
}

QString CTrinumId::ToString() const
{
    return QStringLiteral("%1*%2*%3").arg(urban).arg(fleet).arg(member);
}
