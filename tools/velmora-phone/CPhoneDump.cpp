#include "CPhoneDump.h"

#include "AgentApi.h"
#include "CListEntry.h"
#include "CVirtualPhone.h"

namespace {

QString RegionTitle(const CListBlockLayout::Region& region)
{
    QString title = CListBlockLayout::KindName(region.kind);
    if (region.kind != CListBlockLayout::ListKind::PhoneBook &&
        region.kind != CListBlockLayout::ListKind::Consolidated)
        title += QStringLiteral(" NAM%1").arg(region.nam);
    return title;
}

QStringList Regions(const QList<CListBlockLayout::Region>& regions, const QByteArray& block)
{
    QStringList lines;
    for (const CListBlockLayout::Region& region : regions) {
        int used = 0;
        for (int slot = 0; slot < region.count; ++slot) {
            const CListEntry entry =
                CListEntry::Decode(region.format, block, CListBlockLayout::SlotOffset(region, slot));
            if (entry.IsEmpty())
                continue;
            ++used;
            lines << QStringLiteral("  %1 slot %2: %3")
                         .arg(RegionTitle(region))
                         .arg(slot + 1)
                         .arg(entry.Describe(region.format));
        }
        if (used == 0)
            lines << QStringLiteral("  %1: empty (%2 slots at %3)")
                         .arg(RegionTitle(region))
                         .arg(region.count)
                         .arg(region.offset);
    }
    return lines;
}

} // namespace

QString CPhoneDump::SimStatusText(int status)
{
    switch (status) {
    case 0:
        return QStringLiteral("no SIM");
    case 1:
        return QStringLiteral("SIM not ready");
    case 2:
        return QStringLiteral("PIN needed");
    case 3:
        return QStringLiteral("ready (PIN entered)");
    case 4:
        return QStringLiteral("ready (no PIN lock)");
    case 5:
        return QStringLiteral("PIN needed (new SIM)");
    case 6:
        return QStringLiteral("blocked, PUK needed");
    default:
        return QStringLiteral("ready");
    }
}

QStringList CPhoneDump::Identity(const CVirtualPhone& phone)
{
    QStringList lines;
    lines << QStringLiteral("label:             %1").arg(phone.label);
    lines << QStringLiteral("IMEI:              %1").arg(phone.imei);
    lines << QStringLiteral("model type:        %1").arg(phone.ModelType());
    lines << QStringLiteral("release:           %1").arg(phone.Release());
    lines << QStringLiteral("sub-release:       %1")
                 .arg(phone.subRelease ? QString(QLatin1Char(phone.subRelease)) : QStringLiteral("none"));
    lines << QStringLiteral("structure version: 0x%1").arg(phone.StructureVersion(), 2, 16, QLatin1Char('0'));
    lines << QStringLiteral("default version:   0x%1")
                 .arg(phone.codeplug.Value(CodeplugItem::DefaultVersion), 2, 16, QLatin1Char('0'));
    lines << QStringLiteral("user name:         %1").arg(phone.UserName());
    const CListBlockLayout::Layout layout = phone.codeplug.Layout();
    lines << QStringLiteral("list block:        %1")
                 .arg(layout == CListBlockLayout::None ? QStringLiteral("none (lists on the SIM)")
                                                       : QStringLiteral("layout %1, %2 bytes")
                                                             .arg(CListBlockLayout::Code(layout))
                                                             .arg(CListBlockLayout::BlockSize(layout)));
    if (phone.sim.slot)
        lines << QStringLiteral("SIM:               status %1 (%2), kind \"%3\", PIN %4, %5 tries left")
                     .arg(phone.sim.status)
                     .arg(SimStatusText(phone.sim.status), phone.sim.kind,
                          phone.sim.pin.isEmpty() ? QStringLiteral("none") : phone.sim.pin)
                     .arg(phone.sim.triesLeft);
    else
        lines << QStringLiteral("SIM:               no SIM slot");
    lines << QStringLiteral("items:             %1").arg(phone.codeplug.ItemCount());
    lines << Faults(phone);
    return lines;
}

QString CPhoneDump::ItemValue(const CCodeplugItem& item)
{
    if (item.width == 1 && item.count > 1) {
        // Text items show as text when they hold printable characters followed only by zeros.
        const QByteArray& b = item.bytes;
        const int end = b.indexOf('\0') < 0 ? int(b.size()) : int(b.indexOf('\0'));
        bool text = end > 0;
        for (int i = 0; i < b.size() && text; ++i)
            text = i < end ? (uchar(b.at(i)) >= 0x20 && uchar(b.at(i)) < 0x7F) : b.at(i) == '\0';
        if (text || (b.count('\0') == b.size() && item.count >= 8))
            return QStringLiteral("\"%1\"").arg(QString::fromLatin1(b.left(end)));
    }
    QStringList values;
    for (int i = 0; i < item.count; ++i) {
        const quint32 v = item.Element(i);
        values << (item.width == 1
                       ? QString::number(v)
                       : QStringLiteral("%1 (0x%2)").arg(v).arg(v, item.width * 2, 16, QLatin1Char('0')));
    }
    return values.join(QLatin1Char(' '));
}

QStringList CPhoneDump::Items(const CVirtualPhone& phone)
{
    QStringList lines;
    for (const CCodeplugItem& item : phone.codeplug.Items()) {
        lines << QStringLiteral("  bank %1 item %2  %3-bit x%4%5: %6")
                     .arg(item.bank)
                     .arg(item.id, 4)
                     .arg(item.width * 8, 2)
                     .arg(item.count, -3)
                     .arg(item.readOnly ? QStringLiteral(" ro") : QStringLiteral("   "))
                     .arg(ItemValue(item));
    }
    return lines;
}

QStringList CPhoneDump::ListBlock(const CVirtualPhone& phone)
{
    const CListBlockLayout::Layout layout = phone.codeplug.Layout();
    if (layout == CListBlockLayout::None)
        return {QStringLiteral("  no list block")};
    return Regions(CListBlockLayout::Regions(layout), phone.codeplug.ListBlock());
}

QStringList CPhoneDump::SimBlock(const CVirtualPhone& phone)
{
    if (!phone.sim.slot)
        return {QStringLiteral("  no SIM slot")};
    QStringList lines = Regions(CListBlockLayout::SimRegions(), phone.sim.block);
    lines << QStringLiteral("  talkgroup type (byte %1): %2")
                 .arg(int(CListBlockLayout::SimTalkgroupTypeOffset))
                 .arg(quint8(phone.sim.block.at(CListBlockLayout::SimTalkgroupTypeOffset)));
    return lines;
}

QStringList CPhoneDump::Faults(const CVirtualPhone& phone)
{
    if (phone.faults.isEmpty())
        return {QStringLiteral("faults:            none")};
    QStringList lines;
    for (const CPhoneFault& fault : phone.faults) {
        lines << QStringLiteral("fault:             %1 answers %2 (%3), %4")
                     .arg(fault.target)
                     .arg(fault.code)
                     .arg(QLatin1String(AgentResultName(fault.code)))
                     .arg(fault.remaining == 0 ? QStringLiteral("every time")
                                               : QStringLiteral("%1 more time(s)").arg(fault.remaining));
    }
    return lines;
}
