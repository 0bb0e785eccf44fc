#include "CListEntry.h"

#include <QtEndian>

namespace {

using Fmt = CListBlockLayout::Format;

QString GetText(const QByteArray& block, int offset, int size)
{
    const QByteArray raw = block.mid(offset, size);
    const int end = raw.indexOf('\0');
    return QString::fromLatin1(end < 0 ? raw : raw.left(end));
}

void PutText(QByteArray& block, int offset, int size, const QString& text)
{
    const QByteArray raw = text.toLatin1().left(size - 1);
    for (int i = 0; i < size; ++i)
        block[offset + i] = i < raw.size() ? raw.at(i) : '\0';
}

quint32 Get32(const QByteArray& block, int offset)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(block.constData()) + offset);
}

void Put32(QByteArray& block, int offset, quint32 value)
{
    qToLittleEndian<quint32>(value, reinterpret_cast<uchar*>(block.data()) + offset);
}

int Get8(const QByteArray& block, int offset)
{
    return quint8(block.at(offset));
}

void Put8(QByteArray& block, int offset, int value)
{
    block[offset] = char(quint8(value));
}

} // namespace

bool CListEntry::IsEmpty() const
{
    return name.isEmpty() && flag == 0 && number.isEmpty() && id == 0 && urban == 0 && fleet == 0 &&
           member == 0 && language == 0 && slot == 0 && numberType == 0 && tonNP == 0 && nameIndex == 0 &&
           nameLanguage == 0;
}

CListEntry CListEntry::Decode(Fmt format, const QByteArray& block, int offset)
{
    CListEntry e;
    if (offset < 0 || offset + CListBlockLayout::EntrySize(format) > block.size())
        return e;
    const int nameSize = CListBlockLayout::NameSize(format);
    switch (format) {
    case Fmt::PhoneBook:
    case Fmt::LongPhoneBook:
    case Fmt::SimPhoneBook:
        e.name = GetText(block, offset, nameSize);
        e.flag = Get8(block, offset + nameSize);
        e.number = GetText(block, offset + nameSize + 1, 41);
        if (format == Fmt::SimPhoneBook)
            e.language = Get8(block, offset + 54);
        break;
    case Fmt::Short:
    case Fmt::LongTalkgroup:
    case Fmt::SimTalkgroup:
        e.name = GetText(block, offset, nameSize);
        e.flag = Get8(block, offset + nameSize);
        e.id = Get32(block, offset + nameSize + 4);
        if (format == Fmt::SimTalkgroup)
            e.language = Get8(block, offset + 30);
        break;
    case Fmt::CrossFleet:
    case Fmt::LongPrivate:
    case Fmt::SimPrivate:
        e.name = GetText(block, offset, nameSize);
        e.flag = Get8(block, offset + nameSize);
        e.urban = Get32(block, offset + nameSize + 4);
        e.fleet = Get32(block, offset + nameSize + 8);
        e.member = Get32(block, offset + nameSize + 12);
        if (format == Fmt::SimPrivate)
            e.language = Get8(block, offset + 28);
        break;
    case Fmt::Scan:
        e.flag = Get8(block, offset);
        e.slot = Get8(block, offset + 2);
        break;
    case Fmt::Consolidated:
        e.name = GetText(block, offset, 12);
        e.tonNP = Get8(block, offset + 14);
        e.number = GetText(block, offset + 15, 21);
        e.numberType = Get8(block, offset + 38);
        e.language = Get8(block, offset + 39);
        e.nameIndex = Get8(block, offset + 54);
        e.nameLanguage = Get8(block, offset + 55);
        break;
    }
    return e;
}

void CListEntry::Encode(Fmt format, const CListEntry& e, QByteArray& block, int offset)
{
    const int size = CListBlockLayout::EntrySize(format);
    if (offset < 0 || offset + size > block.size())
        return;
    for (int i = 0; i < size; ++i)
        block[offset + i] = '\0';
    const int nameSize = CListBlockLayout::NameSize(format);
    switch (format) {
    case Fmt::PhoneBook:
    case Fmt::LongPhoneBook:
    case Fmt::SimPhoneBook:
        PutText(block, offset, nameSize, e.name);
        Put8(block, offset + nameSize, e.flag);
        PutText(block, offset + nameSize + 1, 41, e.number);
        if (format == Fmt::SimPhoneBook)
            Put8(block, offset + 54, e.language);
        break;
    case Fmt::Short:
    case Fmt::LongTalkgroup:
    case Fmt::SimTalkgroup:
        PutText(block, offset, nameSize, e.name);
        Put8(block, offset + nameSize, e.flag);
        Put32(block, offset + nameSize + 4, e.id);
        if (format == Fmt::SimTalkgroup)
            Put8(block, offset + 30, e.language);
        break;
    case Fmt::CrossFleet:
    case Fmt::LongPrivate:
    case Fmt::SimPrivate:
        PutText(block, offset, nameSize, e.name);
        Put8(block, offset + nameSize, e.flag);
        Put32(block, offset + nameSize + 4, e.urban);
        Put32(block, offset + nameSize + 8, e.fleet);
        Put32(block, offset + nameSize + 12, e.member);
        if (format == Fmt::SimPrivate)
            Put8(block, offset + 28, e.language);
        break;
    case Fmt::Scan:
        Put8(block, offset, e.flag);
        Put8(block, offset + 2, e.slot);
        break;
    case Fmt::Consolidated: {
        PutText(block, offset, 12, e.name);
        const QByteArray number = e.number.toLatin1().left(20);
        Put8(block, offset + 12, int(number.size()));
        Put8(block, offset + 14, e.tonNP);
        PutText(block, offset + 15, 21, e.number);
        Put8(block, offset + 37, 0xFF); // no extension record
        Put8(block, offset + 38, e.numberType);
        Put8(block, offset + 39, e.language);
        Put32(block, offset + 40, 0xFFFFFFFFu); // no voice tag
        Put8(block, offset + 54, e.nameIndex);
        Put8(block, offset + 55, e.nameLanguage);
        break;
    }
    }
}

QString CListEntry::Describe(Fmt format) const
{
    switch (format) {
    case Fmt::PhoneBook:
    case Fmt::LongPhoneBook:
    case Fmt::SimPhoneBook:
        return QStringLiteral("\"%1\" %2 flag %3 lang %4").arg(name, number).arg(flag).arg(language);
    case Fmt::Short:
    case Fmt::LongTalkgroup:
    case Fmt::SimTalkgroup:
        return QStringLiteral("\"%1\" id %2 flag %3").arg(name).arg(id).arg(flag);
    case Fmt::CrossFleet:
    case Fmt::LongPrivate:
    case Fmt::SimPrivate:
        return QStringLiteral("\"%1\" %2*%3*%4 flag %5")
            .arg(name)
            .arg(urban)
            .arg(fleet)
            .arg(member)
            .arg(flag);
    case Fmt::Scan:
        return QStringLiteral("talkgroup slot %1 flag %2").arg(slot).arg(flag);
    case Fmt::Consolidated:
        return QStringLiteral("\"%1\" %2 type %3 name index %4")
            .arg(name, number)
            .arg(numberType)
            .arg(nameIndex);
    }
    return QString();
}
