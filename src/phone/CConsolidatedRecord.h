#pragma once

#include "CPhoneTextCodec.h"
#include "CVelmoraError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One 56-byte record of a SIM's consolidated call list, every field as the phone keeps it:
// name 12, number length 1, reserved 1, TON/NPI 1, number 21, capability id 1, extension record 1,
// number type 1, language 1, voice tag 32-bit, time stamp 32-bit, sync status 16-bit, temporary id
// 32-bit, name index 1, name language 1. Multi-byte fields are little-endian except the time stamp.
struct CConsolidatedRecord
{
    enum : int
    {
        Size = 56,
        NameSize = 12,
        NumberSize = 21,
        TimeStampOffset = 44,
        NameIndexOffset = 54,
    };

    QString name;
    int phoneNumLen = 0;
    int reserved = 0;
    int tonNP = 0;
    QString number;
    int capabilityID = 0;
    int extnRecID = 0;
    int numType = 0;
    int language = 0;
    quint32 voiceTag = 0;
    quint32 timeStamp = 0; // minutes since 1 January 1999
    int syncStatus = 0;
    quint32 tempID = 0;
    int nameIndex = 0;
    int nameLang = 0;

    // The name is in the code page of the record's language, else of unitPage.
    static CConsolidatedRecord Decode(const QByteArray& block, int offset,
                                      CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin);
    // Names are cut to 11 characters and numbers to 20, each leaving its terminating zero. A name the
    // code page cannot hold is refused, with the block left as it was.
    CVelmoraError Encode(QByteArray& block, int offset,
                         CPhoneTextCodec::CodePage unitPage = CPhoneTextCodec::Latin) const;

    // Minutes since 1 January 1999 00:00 of a UTC time, as the phone counts them (the leap rule of
    // every fourth year, day count in 16 bits).
    static quint32 PhoneMinutes(const QDateTime& utc);
    // The time stamp's bytes in the phone's order: bits 8-15, 0-7, 16-23, 24-31.
    static void PutTimeStamp(QByteArray& block, int offset, quint32 minutes);
    static quint32 GetTimeStamp(const QByteArray& block, int offset);
};
