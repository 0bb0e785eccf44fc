#pragma once

#include "CListBlockLayout.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <map>
#include <utility>

class QDataStream;

// One codeplug item: elements of one width in one bank. Bytes are little-endian per element.
struct CCodeplugItem
{
    int id = 0;
    int bank = 0;
    int width = 1; // bytes per element: 1, 2 or 4
    int count = 1;
    QByteArray bytes;    // width * count
    QByteArray defaults; // what AgentResetItem puts back; empty: all zero
    bool readOnly = false;

    quint32 Element(int index) const;
    void SetElement(int index, quint32 value);
    // Text of an 8-bit item up to its first zero byte (Latin-1).
    QString Text() const;
    // Zero-padded, cut at the item's length.
    void SetText(const QString& text);
};

// A phone's codeplug: its items and its list block.
class CCodeplug
{
public:
    enum : int
    {
        MaxElements = 4096,
        MaxItems = 8192
    };

    const CCodeplugItem* Find(int id, int bank) const;
    CCodeplugItem* Find(int id, int bank);
    // Adds or replaces the item.
    void Put(const CCodeplugItem& item);
    // A new item of zeros whose defaults are its bytes.
    CCodeplugItem& Add(int id, int bank, int width, int count, bool readOnly = false);
    bool Remove(int id, int bank);
    QList<CCodeplugItem> Items() const;
    int ItemCount() const { return int(m_items.size()); }

    // Convenience for single-element items of bank 0; 0 when absent.
    quint32 Value(int id, int bank = 0) const;

    CListBlockLayout::Layout Layout() const { return m_layout; }
    const QByteArray& ListBlock() const { return m_listBlock; }
    QByteArray& ListBlock() { return m_listBlock; }
    // Sets the layout and a zero-filled block of its size (no block for None).
    void SetLayout(CListBlockLayout::Layout layout);

    void Serialize(QDataStream& out) const;
    // Reads and validates; on any inconsistency answers false with the reason, leaving this unchanged.
    bool Deserialize(QDataStream& in, QString* why);
    bool Validate(QString* why) const;

    bool operator==(const CCodeplug& other) const;
    bool operator!=(const CCodeplug& other) const { return !(*this == other); }

private:
    std::map<std::pair<int, int>, CCodeplugItem> m_items; // (bank, id)
    CListBlockLayout::Layout m_layout = CListBlockLayout::None;
    QByteArray m_listBlock;
};
