#include "CConsolidatedRecord.h"

#include <QtEndian>

namespace {

QString GetText(const QByteArray& block, int offset, int size, const CPhoneTextCodec& codec)
{
    const QByteArray raw = block.mid(offset, size);
    const int end = raw.indexOf('\0');
    return codec.Decode(end < 0 ? raw : raw.left(end));
}

void PutText(QByteArray& block, int offset, int size, const QByteArray& raw)
{
    for (int i = 0; i < size; ++i)
        block[offset + i] = i < raw.size() ? raw.at(i) : '\0';
}

const uchar* At(const QByteArray& block, int offset)
{
    return reinterpret_cast<const uchar*>(block.constData()) + offset;
}

uchar* At(QByteArray& block, int offset)
{
    return reinterpret_cast<uchar*>(block.data()) + offset;
}

} // namespace

CConsolidatedRecord CConsolidatedRecord::Decode(const QByteArray& block, int offset,
                                                CPhoneTextCodec::CodePage unitPage)
{
    CConsolidatedRecord r;
    if (offset < 0 || offset + Size > block.size())
        return r;
    r.language = quint8(block.at(offset + 39));
    r.name = GetText(block, offset, NameSize, CPhoneTextCodec::ForEntry(r.language, unitPage));
    r.phoneNumLen = quint8(block.at(offset + 12));
    r.reserved = quint8(block.at(offset + 13));
    r.tonNP = quint8(block.at(offset + 14));
    r.number = GetText(block, offset + 15, NumberSize, CPhoneTextCodec(CPhoneTextCodec::Latin));
    r.capabilityID = quint8(block.at(offset + 36));
    r.extnRecID = quint8(block.at(offset + 37));
    r.numType = quint8(block.at(offset + 38));
    r.voiceTag = qFromLittleEndian<quint32>(At(block, offset + 40));
    r.timeStamp = GetTimeStamp(block, offset + TimeStampOffset);
    r.syncStatus = qFromLittleEndian<quint16>(At(block, offset + 48));
    r.tempID = qFromLittleEndian<quint32>(At(block, offset + 50));
    r.nameIndex = quint8(block.at(offset + NameIndexOffset));
    r.nameLang = quint8(block.at(offset + 55));
    return r;
}

CVelmoraError CConsolidatedRecord::Encode(QByteArray& block, int offset,
                                          CPhoneTextCodec::CodePage unitPage) const
{
    if (offset < 0 || offset + Size > block.size())
        return CVelmoraError();
    QByteArray nameBytes;
    QByteArray numberBytes;
    if (CVelmoraError refused = CPhoneTextCodec::ForEntry(language, unitPage).Encode(name, nameBytes))
        return refused;
    if (CVelmoraError refused = CPhoneTextCodec(CPhoneTextCodec::Latin).Encode(number, numberBytes))
        return refused;
    PutText(block, offset, NameSize, nameBytes.left(NameSize - 1));
    block[offset + 12] = char(quint8(phoneNumLen));
    block[offset + 13] = char(quint8(reserved));
    block[offset + 14] = char(quint8(tonNP));
    PutText(block, offset + 15, NumberSize, numberBytes.left(NumberSize - 1));
    block[offset + 36] = char(quint8(capabilityID));
    block[offset + 37] = char(quint8(extnRecID));
    block[offset + 38] = char(quint8(numType));
    block[offset + 39] = char(quint8(language));
    qToLittleEndian<quint32>(voiceTag, At(block, offset + 40));
    PutTimeStamp(block, offset + TimeStampOffset, timeStamp);
    qToLittleEndian<quint16>(quint16(syncStatus), At(block, offset + 48));
    qToLittleEndian<quint32>(tempID, At(block, offset + 50));
    block[offset + NameIndexOffset] = char(quint8(nameIndex));
    block[offset + 55] = char(quint8(nameLang));
    return CVelmoraError();
}

quint32 CConsolidatedRecord::PhoneMinutes(const QDateTime& utc)
{
    static const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const QDate date = utc.date();
    const QTime time = utc.time();
    const int year = date.year() - 2000;
    quint16 days = quint16(year * 365);
    for (int m = 1; m < date.month(); ++m)
        days = quint16(days + monthDays[m - 1]);
    days = quint16(days + date.day() - 1 + year / 4 + 1);
    if (date.year() % 4 == 0 && date.month() <= 2)
        days = quint16(days - 1);
    return quint32(days) * 1440u + quint32(time.hour() * 60 + time.minute()) + 525600u;
}

void CConsolidatedRecord::PutTimeStamp(QByteArray& block, int offset, quint32 minutes)
{
    block[offset] = char((minutes >> 8) & 0xFF);
    block[offset + 1] = char(minutes & 0xFF);
    block[offset + 2] = char((minutes >> 16) & 0xFF);
    block[offset + 3] = char((minutes >> 24) & 0xFF);
}

quint32 CConsolidatedRecord::GetTimeStamp(const QByteArray& block, int offset)
{
    return quint32(quint8(block.at(offset))) << 8 | quint32(quint8(block.at(offset + 1))) |
           quint32(quint8(block.at(offset + 2))) << 16 | quint32(quint8(block.at(offset + 3))) << 24;
}
