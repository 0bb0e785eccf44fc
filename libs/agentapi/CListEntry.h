#pragma once

#include "CListBlockLayout.h"

#include <QByteArray>
#include <QString>

// One entry of a list block or of the SIM block, in any entry format, with its fields unpacked.
struct CListEntry
{
    // Texts hold the entry's bytes, one character each (U+0000..U+00FF): the library knows no code
    // page; the program converts names from and to the phone's.
    QString name;
    int flag = 0;
    QString number;    // phone book and consolidated entries
    quint32 id = 0;    // member, talkgroup or message id of short and talkgroup entries
    quint32 urban = 0; // cross-fleet, long and SIM private entries
    quint32 fleet = 0;
    quint32 member = 0;
    int language = 0;
    int slot = 0; // scan entries of types 1 and 6: the talkgroup slot
    // Consolidated call list records.
    int numberType = 0;
    int tonNP = 0;
    int nameIndex = 0;
    int nameLanguage = 0;

    // True when nothing but zero bytes was read.
    bool IsEmpty() const;

    // Reads one entry at offset of block; fields outside the format stay 0.
    static CListEntry Decode(CListBlockLayout::Format format, const QByteArray& block, int offset);
    // Writes one entry at offset: names and numbers are cut to leave a terminating zero.
    static void Encode(CListBlockLayout::Format format, const CListEntry& entry, QByteArray& block,
                       int offset);
    // A readable line for tools: "name | number | ids | flag".
    QString Describe(CListBlockLayout::Format format) const;
};
