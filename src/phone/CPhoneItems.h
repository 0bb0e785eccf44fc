#pragma once

#include "CPhoneTextCodec.h"
#include "CVelmoraError.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Typed access to the items of the library's working copy. Every buffer is sized from
// AgentGetItemInfo, so an item is read and written with the width and count the phone reports.
// An item the phone does not have (-2) reads as empty and writes as a no-op, and both count as done.
class CPhoneItems
{
public:
    struct Item
    {
        int width = 1; // bytes per element: 1, 2 or 4
        QVector<quint32> elements;
        bool absent = false;

        quint32 Value() const { return elements.isEmpty() ? 0 : elements.first(); }
        // The elements as little-endian bytes.
        QByteArray Bytes() const;
    };

    // Whether a library result lets the operation go on: success, an absent item, or a warning.
    static bool Ok(int code);
    // What ends the operation after a library result that is not Ok: the code's message, or a stop
    // without a word for the codes that have none to show.
    static CVelmoraError Failure(int code);

    static int Read(int item, Item& out, int bank = 0);
    // Writes elements (sized as the item reports; nothing happens for an absent item).
    static int Write(int item, const Item& in, int bank = 0);

    static int ReadValue(int item, quint32& value, int bank = 0);
    // Text of an 8-bit item up to its first zero byte: numbers and ids in code page 1252, names in the
    // code page given.
    static int ReadText(int item, QString& text, int bank = 0);
    static int ReadText(int item, QString& text, const CPhoneTextCodec& codec);
    static int ReadBytes(int item, QByteArray& bytes, int bank = 0);

    // Element 0 changed, the rest of the item as the phone has it.
    static int WriteValue(int item, quint32 value, int bank = 0);
    // The text zero-padded to the item's length and cut at it; keepTerminator leaves room for one
    // terminating zero. Numbers and ids go in code page 1252, names in the code page given. A text the
    // page cannot hold is not written (AGENT_INVALID_REQUEST): callers check names first
    // (CPhoneTextCodec::Check) for the message naming the character.
    static int WriteText(int item, const QString& text, bool keepTerminator = false, int bank = 0);
    static int WriteText(int item, const QString& text, const CPhoneTextCodec& codec,
                         bool keepTerminator = false);
    // Bytes of an 8-bit item, zero-padded and cut to its length.
    static int WriteBytes(int item, const QByteArray& bytes, int bank = 0);
};
