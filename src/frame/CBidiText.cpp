#include "CBidiText.h"

namespace {

constexpr char16_t kLeftToRightIsolate = 0x2066;
constexpr char16_t kPopDirectionalIsolate = 0x2069;

} // namespace

QString CBidiText::IsolateLtr(const QString& text)
{
    if (text.isEmpty())
        return text;
    return QChar(kLeftToRightIsolate) + text + QChar(kPopDirectionalIsolate);
}
