#pragma once

#include <QList>
#include <QString>

// The list-block layouts the phones use: block size, and where each list lies with which entry
// format. Also the lists of the SIM block. Multi-byte fields in entries are little-endian.
class CListBlockLayout
{
public:
    // One layout per list-block operation pair of the library.
    enum Layout : int
    {
        None = -1, // lists kept on the SIM (call list type 7), or no list block
        L0,
        L0X,
        L1, // call list types 1 and 6
        L2,
        L3,
        L4,
        L4X,
        L5,
        L5X,
        L8,
        L9,
        LayoutCount
    };

    enum class ListKind
    {
        PhoneBook,
        Private,
        Talkgroup,
        Scan,
        Status,
        Consolidated
    };

    enum class Format
    {
        PhoneBook,     // 54: name 12, flag 1, number 41
        LongPhoneBook, // 82: name 40, flag 1, number 41
        SimPhoneBook,  // 55: name 12, flag 1, number 41, language 1
        Short,         // 20: name 12, flag 1, 3 reserved, identifier 32-bit
        CrossFleet,    // 28: name 12, flag 1, 3 reserved, urban, fleet, member 32-bit
        LongPrivate,   // 56: name 40, flag 1, 3 reserved, urban, fleet, member
        LongTalkgroup, // 48: name 40, flag 1, 3 reserved, talkgroup id
        SimPrivate,    // 29: name 12, flag 1, 3 reserved, urban, fleet, member, language 1
        SimTalkgroup,  // 31: name 22, flag 1, 3 reserved, talkgroup id, language 1
        Scan,          // 4: flag 1, 1 reserved, talkgroup slot 8-bit, 1 reserved
        Consolidated   // 56: consolidated call list record
    };

    struct Region
    {
        ListKind kind;
        int nam; // 1..3; 1 for the phone book and the consolidated list
        int count;
        Format format;
        int offset;
    };

    // Byte of the SIM block holding the talkgroup type.
    enum : int
    {
        SimTalkgroupTypeOffset = 25312
    };

    static int BlockSize(Layout layout);
    static QList<Region> Regions(Layout layout);
    static QList<Region> SimRegions();
    static int EntrySize(Format format);
    // Offset of slot (from 0) of a region.
    static int SlotOffset(const Region& region, int slot)
    {
        return region.offset + slot * EntrySize(region.format);
    }

    // The layout of a call list type; cross-fleet applies to types 0, 4 and 5. None for type 7 and
    // for types outside 0..9.
    static Layout LayoutFor(int callListType, bool crossFleet);
    // "0", "0X", "1", ... and back; None for an unknown code (and for the empty code).
    static QString Code(Layout layout);
    static Layout FromCode(const QString& code);
    static QString KindName(ListKind kind);
    // Name length of an entry format (the name field's bytes).
    static int NameSize(Format format);
};
