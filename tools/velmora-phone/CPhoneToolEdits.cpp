// The commands of velmora-phone that look into a phone and change it: its items, faults and SIM.

#include "CPhoneTool.h"

#include "AgentApi.h"
#include "CPhoneDump.h"
#include "CVirtualPhone.h"
#include "PhoneToolMessageIds.h"
#include "PhoneToolText.h"

#include <QFileInfo>
#include <QTextStream>

int CPhoneTool::Show(const Arguments& a)
{
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    m_out << "phone " << QFileInfo(path).fileName() << '\n';
    for (const QString& line : CPhoneDump::Identity(phone))
        m_out << "  " << line << '\n';
    return 0;
}

int CPhoneTool::Dump(const Arguments& a)
{
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    const bool all = !a.flags.contains(QStringLiteral("--items")) &&
                     !a.flags.contains(QStringLiteral("--block")) &&
                     !a.flags.contains(QStringLiteral("--sim"));
    m_out << "phone " << QFileInfo(path).fileName() << '\n';
    if (all) {
        for (const QString& line : CPhoneDump::Identity(phone))
            m_out << "  " << line << '\n';
    }
    if (all || a.flags.contains(QStringLiteral("--items"))) {
        m_out << "items:\n";
        for (const QString& line : CPhoneDump::Items(phone))
            m_out << line << '\n';
    }
    if (all || a.flags.contains(QStringLiteral("--block"))) {
        m_out << "list block:\n";
        for (const QString& line : CPhoneDump::ListBlock(phone))
            m_out << line << '\n';
    }
    if (all || a.flags.contains(QStringLiteral("--sim"))) {
        m_out << "SIM block:\n";
        for (const QString& line : CPhoneDump::SimBlock(phone))
            m_out << line << '\n';
    }
    return 0;
}

int CPhoneTool::SetItem(const Arguments& a)
{
    qint64 id = 0, bank = 0;
    if (a.positional.size() != 1 || !ParseNumber(a.positional.first(), id) || id < 0 || id > 0xFFFF)
        return UsageError(QStringLiteral("set-item ITEM [--bank B] (--text T | --values V,... | --hex HEX)"));
    if (a.options.contains(QStringLiteral("--bank")) &&
        (!ParseNumber(a.options.value(QStringLiteral("--bank")), bank) || bank < 0 || bank > 1))
        return Fail(PhoneToolMsg::ValueOutOfRange, {QStringLiteral("--bank"), QStringLiteral("0..1")});
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    CCodeplugItem* item = phone.codeplug.Find(int(id), int(bank));
    if (a.options.contains(QStringLiteral("--width")) || a.options.contains(QStringLiteral("--count"))) {
        qint64 width = item ? item->width : 1, count = item ? item->count : 1;
        if ((a.options.contains(QStringLiteral("--width")) &&
             !ParseNumber(a.options.value(QStringLiteral("--width")), width)) ||
            (a.options.contains(QStringLiteral("--count")) &&
             !ParseNumber(a.options.value(QStringLiteral("--count")), count)) ||
            (width != 1 && width != 2 && width != 4) || count < 1 || count > CCodeplug::MaxElements)
            return Fail(PhoneToolMsg::ValueOutOfRange,
                        {QStringLiteral("--width, --count"),
                         QStringLiteral("1|2|4, 1..%1").arg(int(CCodeplug::MaxElements))});
        item = &phone.codeplug.Add(int(id), int(bank), int(width), int(count));
    }
    if (!item)
        return Fail(PhoneToolMsg::ItemAbsent, {QString::number(id), QString::number(bank)});
    if (a.options.contains(QStringLiteral("--text"))) {
        if (item->width != 1)
            return Fail(PhoneToolMsg::TextNeedsByteItem);
        item->SetText(a.options.value(QStringLiteral("--text")));
    } else if (a.options.contains(QStringLiteral("--values"))) {
        const QStringList values = a.options.value(QStringLiteral("--values")).split(QLatin1Char(','));
        if (values.size() > item->count)
            return Fail(PhoneToolMsg::TooManyElements, {QString::number(id), QString::number(item->count)});
        for (int i = 0; i < values.size(); ++i) {
            qint64 v = 0;
            const qint64 max = item->width == 4 ? 0xFFFFFFFFLL : (item->width == 2 ? 0xFFFF : 0xFF);
            if (!ParseNumber(values.at(i), v) || v < 0 || v > max)
                return Fail(PhoneToolMsg::ElementTooWide, {values.at(i), QString::number(item->width * 8)});
            item->SetElement(i, quint32(v));
        }
    } else if (a.options.contains(QStringLiteral("--hex"))) {
        const QByteArray bytes = QByteArray::fromHex(a.options.value(QStringLiteral("--hex")).toLatin1());
        if (bytes.size() > item->bytes.size())
            return Fail(PhoneToolMsg::TooManyBytes,
                        {QString::number(id), QString::number(item->bytes.size())});
        item->bytes.replace(0, bytes.size(), bytes);
    }
    const QString value = CPhoneDump::ItemValue(*item);
    if (!SavePhone(phone, path))
        return 1;
    m_out << PhoneToolText(PhoneToolMsg::ItemSet, {QString::number(id), QString::number(bank), value})
          << '\n';
    return 0;
}

int CPhoneTool::RemoveItem(const Arguments& a)
{
    qint64 id = 0, bank = 0;
    if (a.positional.size() != 1 || !ParseNumber(a.positional.first(), id))
        return UsageError(QStringLiteral("remove-item ITEM [--bank B]"));
    if (a.options.contains(QStringLiteral("--bank")) &&
        !ParseNumber(a.options.value(QStringLiteral("--bank")), bank))
        return Fail(PhoneToolMsg::ValueOutOfRange, {QStringLiteral("--bank"), QStringLiteral("0..1")});
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    if (!phone.codeplug.Remove(int(id), int(bank)))
        return Fail(PhoneToolMsg::ItemAlreadyAbsent, {QString::number(id), QString::number(bank)});
    if (!SavePhone(phone, path))
        return 1;
    m_out << PhoneToolText(PhoneToolMsg::ItemRemoved, {QString::number(id), QString::number(bank)}) << '\n';
    return 0;
}

int CPhoneTool::Fault(const Arguments& a)
{
    const QString verb = a.positional.value(0);
    CVirtualPhone phone;
    QString path;
    if (verb == QLatin1String("add")) {
        qint64 code = 0, times = 0;
        if (a.positional.size() != 3 || !ParseNumber(a.positional.at(2), code))
            return UsageError(QStringLiteral("fault add TARGET CODE [--times N]"));
        const QString target = a.positional.at(1);
        if (!CVirtualPhone::IsValidFaultTarget(target))
            return Fail(PhoneToolMsg::BadFaultTarget,
                        {target, CVirtualPhone::FaultTargets().join(QStringLiteral(", "))});
        if (code == AGENT_SUCCESS || !AgentIsKnownResult(int(code)))
            return Fail(PhoneToolMsg::ValueOutOfRange, {QStringLiteral("CODE"), QStringLiteral("-1..-30")});
        if (a.options.contains(QStringLiteral("--times")) &&
            (!ParseNumber(a.options.value(QStringLiteral("--times")), times) || times < 1))
            return Fail(PhoneToolMsg::ValueOutOfRange, {QStringLiteral("--times"), QStringLiteral("1..")});
        if (!LoadPhone(a, phone, path))
            return 1;
        phone.faults.erase(std::remove_if(phone.faults.begin(), phone.faults.end(),
                                          [&](const CPhoneFault& f) { return f.target == target; }),
                           phone.faults.end());
        phone.faults.append({target, int(code), int(times)});
    } else if (verb == QLatin1String("clear")) {
        if (!LoadPhone(a, phone, path))
            return 1;
        const QString target = a.positional.value(1);
        phone.faults.erase(
            std::remove_if(phone.faults.begin(), phone.faults.end(),
                           [&](const CPhoneFault& f) { return target.isEmpty() || f.target == target; }),
            phone.faults.end());
    } else if (verb == QLatin1String("list")) {
        if (!LoadPhone(a, phone, path))
            return 1;
    } else {
        return UsageError(QStringLiteral("fault add|clear|list ..."));
    }
    if (verb != QLatin1String("list") && !SavePhone(phone, path))
        return 1;
    for (const QString& line : CPhoneDump::Faults(phone))
        m_out << line << '\n';
    return 0;
}

int CPhoneTool::Sim(const Arguments& a)
{
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    if (!phone.sim.slot)
        return Fail(PhoneToolMsg::NoSimSlot, {QFileInfo(path).fileName()});
    qint64 value = 0;
    if (a.options.contains(QStringLiteral("--status"))) {
        if (!ParseNumber(a.options.value(QStringLiteral("--status")), value) || value < 0 || value > 255)
            return Fail(PhoneToolMsg::ValueOutOfRange,
                        {QStringLiteral("--status"), QStringLiteral("0..255")});
        phone.sim.status = int(value);
    }
    if (a.options.contains(QStringLiteral("--pin"))) {
        const QString pin = a.options.value(QStringLiteral("--pin"));
        if (pin == QLatin1String("none")) {
            phone.sim.pin.clear();
        } else {
            const bool digits = std::all_of(pin.begin(), pin.end(), [](QChar c) { return c.isDigit(); });
            if (!digits || pin.size() < 4 || pin.size() > AGENT_PIN_SIZE)
                return Fail(PhoneToolMsg::PinDigits);
            phone.sim.pin = pin;
        }
    }
    if (a.options.contains(QStringLiteral("--kind")))
        phone.sim.kind = a.options.value(QStringLiteral("--kind"));
    if (a.options.contains(QStringLiteral("--tries"))) {
        if (!ParseNumber(a.options.value(QStringLiteral("--tries")), value) || value < 0 || value > 3)
            return Fail(PhoneToolMsg::ValueOutOfRange, {QStringLiteral("--tries"), QStringLiteral("0..3")});
        phone.sim.triesLeft = int(value);
    }
    if ((phone.sim.status == 2 || phone.sim.status == 5) && phone.sim.pin.isEmpty())
        return Fail(PhoneToolMsg::PinNeeded);
    if (!SavePhone(phone, path))
        return 1;
    m_out << "SIM: status " << phone.sim.status << " (" << CPhoneDump::SimStatusText(phone.sim.status)
          << "), kind \"" << phone.sim.kind << "\", PIN "
          << (phone.sim.pin.isEmpty() ? QStringLiteral("none") : phone.sim.pin) << ", " << phone.sim.triesLeft
          << " tries left\n";
    return 0;
}
