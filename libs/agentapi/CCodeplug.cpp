#include "CCodeplug.h"

#include <QDataStream>
#include <QtEndian>

quint32 CCodeplugItem::Element(int index) const
{
    if (index < 0 || index >= count || bytes.size() < (index + 1) * width)
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData()) + index * width;
    switch (width) {
    case 1:
        return *p;
    case 2:
        return qFromLittleEndian<quint16>(p);
    default:
        return qFromLittleEndian<quint32>(p);
    }
}

void CCodeplugItem::SetElement(int index, quint32 value)
{
    if (index < 0 || index >= count || bytes.size() < (index + 1) * width)
        return;
    auto* p = reinterpret_cast<uchar*>(bytes.data()) + index * width;
    switch (width) {
    case 1:
        *p = uchar(value);
        break;
    case 2:
        qToLittleEndian<quint16>(quint16(value), p);
        break;
    default:
        qToLittleEndian<quint32>(value, p);
        break;
    }
}

QString CCodeplugItem::Text() const
{
    const int end = bytes.indexOf('\0');
    return QString::fromLatin1(end < 0 ? bytes : bytes.left(end));
}

void CCodeplugItem::SetText(const QString& text)
{
    QByteArray raw = text.toLatin1().left(int(bytes.size()));
    raw.append(QByteArray(bytes.size() - raw.size(), '\0'));
    bytes = raw;
}

const CCodeplugItem* CCodeplug::Find(int id, int bank) const
{
    const auto it = m_items.find({bank, id});
    return it == m_items.end() ? nullptr : &it->second;
}

CCodeplugItem* CCodeplug::Find(int id, int bank)
{
    const auto it = m_items.find({bank, id});
    return it == m_items.end() ? nullptr : &it->second;
}

void CCodeplug::Put(const CCodeplugItem& item)
{
    m_items[{item.bank, item.id}] = item;
}

CCodeplugItem& CCodeplug::Add(int id, int bank, int width, int count, bool readOnly)
{
    CCodeplugItem item;
    item.id = id;
    item.bank = bank;
    item.width = width;
    item.count = count;
    item.bytes = QByteArray(width * count, '\0');
    item.readOnly = readOnly;
    CCodeplugItem& stored = m_items[{bank, id}];
    stored = item;
    return stored;
}

bool CCodeplug::Remove(int id, int bank)
{
    return m_items.erase({bank, id}) > 0;
}

QList<CCodeplugItem> CCodeplug::Items() const
{
    QList<CCodeplugItem> items;
    items.reserve(int(m_items.size()));
    for (const auto& entry : m_items)
        items.append(entry.second);
    return items;
}

quint32 CCodeplug::Value(int id, int bank) const
{
    const CCodeplugItem* item = Find(id, bank);
    return item ? item->Element(0) : 0;
}

void CCodeplug::SetLayout(CListBlockLayout::Layout layout)
{
    m_layout = layout;
    m_listBlock = QByteArray(CListBlockLayout::BlockSize(layout), '\0');
}

void CCodeplug::Serialize(QDataStream& out) const
{
    out << quint32(m_items.size());
    for (const auto& entry : m_items) {
        const CCodeplugItem& item = entry.second;
        out << quint16(item.id) << quint8(item.bank) << quint8(item.width) << quint16(item.count)
            << quint8(item.readOnly ? 1 : 0) << item.bytes << item.defaults;
    }
    out << CListBlockLayout::Code(m_layout) << m_listBlock;
}

bool CCodeplug::Deserialize(QDataStream& in, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    CCodeplug read;
    quint32 itemCount = 0;
    in >> itemCount;
    if (in.status() != QDataStream::Ok || itemCount > quint32(MaxItems))
        return fail(QStringLiteral("bad item count"));
    for (quint32 i = 0; i < itemCount; ++i) {
        quint16 id = 0, count = 0;
        quint8 bank = 0, width = 0, flags = 0;
        CCodeplugItem item;
        in >> id >> bank >> width >> count >> flags >> item.bytes >> item.defaults;
        if (in.status() != QDataStream::Ok)
            return fail(QStringLiteral("item list cut short"));
        item.id = id;
        item.bank = bank;
        item.width = width;
        item.count = count;
        item.readOnly = (flags & 1) != 0;
        if (read.Find(item.id, item.bank))
            return fail(QStringLiteral("item %1 (bank %2) twice").arg(item.id).arg(item.bank));
        read.m_items[{item.bank, item.id}] = item;
    }
    QString layoutCode;
    in >> layoutCode >> read.m_listBlock;
    if (in.status() != QDataStream::Ok)
        return fail(QStringLiteral("list block cut short"));
    read.m_layout = CListBlockLayout::FromCode(layoutCode);
    if (read.m_layout == CListBlockLayout::None && !layoutCode.isEmpty())
        return fail(QStringLiteral("unknown list layout %1").arg(layoutCode));
    if (!read.Validate(why))
        return false;
    *this = read;
    return true;
}

bool CCodeplug::Validate(QString* why) const
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    for (const auto& entry : m_items) {
        const CCodeplugItem& item = entry.second;
        if (item.width != 1 && item.width != 2 && item.width != 4)
            return fail(QStringLiteral("item %1 has width %2").arg(item.id).arg(item.width));
        if (item.count < 1 || item.count > MaxElements)
            return fail(QStringLiteral("item %1 has %2 elements").arg(item.id).arg(item.count));
        if (item.bank < 0 || item.bank > 1 || item.id < 0 || item.id > 0xFFFF)
            return fail(QStringLiteral("item %1 in bank %2").arg(item.id).arg(item.bank));
        if (item.bytes.size() != item.width * item.count)
            return fail(QStringLiteral("item %1 holds %2 bytes, not %3")
                            .arg(item.id)
                            .arg(item.bytes.size())
                            .arg(item.width * item.count));
        if (!item.defaults.isEmpty() && item.defaults.size() != item.bytes.size())
            return fail(QStringLiteral("item %1 has defaults of another size").arg(item.id));
    }
    if (m_listBlock.size() != CListBlockLayout::BlockSize(m_layout))
        return fail(QStringLiteral("list block of %1 bytes for layout '%2'")
                        .arg(m_listBlock.size())
                        .arg(CListBlockLayout::Code(m_layout)));
    return true;
}

bool CCodeplug::operator==(const CCodeplug& other) const
{
    if (m_layout != other.m_layout || m_listBlock != other.m_listBlock ||
        m_items.size() != other.m_items.size())
        return false;
    auto a = m_items.begin();
    auto b = other.m_items.begin();
    for (; a != m_items.end(); ++a, ++b) {
        const CCodeplugItem& x = a->second;
        const CCodeplugItem& y = b->second;
        if (a->first != b->first || x.width != y.width || x.count != y.count || x.bytes != y.bytes ||
            x.defaults != y.defaults || x.readOnly != y.readOnly)
            return false;
    }
    return true;
}
