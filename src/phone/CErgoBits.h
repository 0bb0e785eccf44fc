#pragma once

#include <QList>
#include <QString>

class CRecordset;

// The phone settings packed as single bits into codeplug items, and the unit_phone_ergo_settings
// column of each. Bits the table does not name belong to the phone and are written back unchanged.
class CErgoBits
{
public:
    enum class Group
    {
        Basic,   // written with the basic settings
        Further, // written with the further settings
        Lockout, // basic, and written only for carrier 2
        Never,   // read, never written
    };
    struct Bit
    {
        int item;
        int bit; // bit 0 = least significant bit of the item's first element
        const char* column;
        Group group;
        bool inverted; // the column holds the opposite of the bit
    };

    static const QList<Bit>& Table();
    // The packed items, in the order they are read and written.
    static const QList<int>& Items();

    // Copies the item's bits into the columns of an unit_phone_ergo_settings record being edited.
    static void Unpack(int item, quint32 element, CRecordset& ergo);
    // The element with the bits of the chosen groups taken from the record.
    static quint32 Overlay(int item, quint32 element, const CRecordset& ergo, bool basic, bool further,
                           bool lockouts);
};
