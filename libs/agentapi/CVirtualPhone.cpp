#include "CVirtualPhone.h"

#include "AgentApi.h"
#include "CPhoneFile.h"

#include <QDataStream>
#include <QIODevice>

namespace {

const char* const OperationNames[] = {"AgentOpenLink",
                                      "AgentOpenRecoveryLink",
                                      "AgentReadCodeplug",
                                      "AgentWriteCodeplug",
                                      "AgentWriteCodeplugForCopy",
                                      "AgentResetPhone",
                                      "AgentGetBackupName",
                                      "AgentGetItemInfo",
                                      "AgentReadItem8",
                                      "AgentReadItem16",
                                      "AgentReadItem32",
                                      "AgentWriteItem8",
                                      "AgentWriteItem16",
                                      "AgentWriteItem32",
                                      "AgentResetItem",
                                      "AgentGetSubRelease",
                                      "AgentReadImei",
                                      "AgentGetSimStatus",
                                      "AgentVerifySimPin",
                                      "AgentReadSimBlock",
                                      "AgentWriteSimBlock",
                                      "AgentReadLists0",
                                      "AgentReadLists0X",
                                      "AgentReadLists1",
                                      "AgentReadLists2",
                                      "AgentReadLists3",
                                      "AgentReadLists4",
                                      "AgentReadLists4X",
                                      "AgentReadLists5",
                                      "AgentReadLists5X",
                                      "AgentReadLists8",
                                      "AgentReadLists9",
                                      "AgentWriteLists0",
                                      "AgentWriteLists0X",
                                      "AgentWriteLists1",
                                      "AgentWriteLists2",
                                      "AgentWriteLists3",
                                      "AgentWriteLists4",
                                      "AgentWriteLists4X",
                                      "AgentWriteLists5",
                                      "AgentWriteLists5X",
                                      "AgentWriteLists8",
                                      "AgentWriteLists9"};

const char* const FamilyNames[] = {"AgentReadItem", "AgentWriteItem", "AgentReadLists", "AgentWriteLists"};

const QLatin1String ItemPrefix("item:");

QByteArray PackDigits(const QString& digits, int bytes)
{
    QByteArray out(bytes, char(0xFF));
    for (int i = 0; i < bytes * 2; ++i) {
        const int nibble = i < digits.size() ? digits.at(i).digitValue() : 0xF;
        uchar& b = reinterpret_cast<uchar&>(out[i / 2]);
        b = (i % 2 == 0) ? uchar((nibble << 4) | (b & 0x0F)) : uchar((b & 0xF0) | nibble);
    }
    return out;
}

} // namespace

QString CVirtualPhone::UserName() const
{
    const CCodeplugItem* item = codeplug.Find(CodeplugItem::UserName, 0);
    return item ? item->Text() : QString();
}

QByteArray CVirtualPhone::ImeiBytes() const
{
    return PackDigits(imei, AGENT_IMEI_SIZE);
}

QByteArray CVirtualPhone::ImeiItemBytes() const
{
    return PackDigits(imei.left(14), 7);
}

bool CVirtualPhone::IsValidImei(const QString& imei)
{
    if (imei.size() != 15)
        return false;
    for (const QChar c : imei) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QByteArray CVirtualPhone::Serialize() const
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << imei << quint8(subRelease) << label;
    codeplug.Serialize(out);
    out << quint8(sim.slot ? 1 : 0) << quint8(sim.status) << sim.pin << quint8(sim.triesLeft) << sim.kind
        << sim.block;
    out << quint32(faults.size());
    for (const CPhoneFault& fault : faults)
        out << fault.target << qint32(fault.code) << qint32(fault.remaining);
    return payload;
}

bool CVirtualPhone::Deserialize(const QByteArray& payload, CVirtualPhone& phone, QString* why)
{
    QDataStream in(payload);
    in.setVersion(QDataStream::Qt_6_4);
    in.setByteOrder(QDataStream::LittleEndian);
    CVirtualPhone read;
    quint8 subRelease = 0;
    in >> read.imei >> subRelease >> read.label;
    read.subRelease = char(subRelease);
    if (in.status() != QDataStream::Ok) {
        if (why)
            *why = QStringLiteral("identity cut short");
        return false;
    }
    if (!read.codeplug.Deserialize(in, why))
        return false;
    quint8 slot = 0, status = 0, tries = 0;
    in >> slot >> status >> read.sim.pin >> tries >> read.sim.kind >> read.sim.block;
    read.sim.slot = slot != 0;
    read.sim.status = status;
    read.sim.triesLeft = tries;
    quint32 faultCount = 0;
    in >> faultCount;
    if (in.status() != QDataStream::Ok || faultCount > 1000) {
        if (why)
            *why = QStringLiteral("SIM or fault list cut short");
        return false;
    }
    for (quint32 i = 0; i < faultCount; ++i) {
        CPhoneFault fault;
        qint32 code = 0, remaining = 0;
        in >> fault.target >> code >> remaining;
        fault.code = code;
        fault.remaining = remaining;
        read.faults.append(fault);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        if (why)
            *why = QStringLiteral("fault list cut short or trailing data");
        return false;
    }
    if (!read.Validate(why))
        return false;
    phone = read;
    return true;
}

bool CVirtualPhone::Validate(QString* why) const
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!IsValidImei(imei))
        return fail(QStringLiteral("IMEI '%1' is not 15 digits").arg(imei));
    const bool letter = (subRelease >= 'A' && subRelease <= 'Z') || (subRelease >= 'a' && subRelease <= 'z');
    if (subRelease != 0 && !letter)
        return fail(QStringLiteral("sub-release is not a letter"));
    if (!codeplug.Validate(why))
        return false;
    if (sim.slot && sim.block.size() != AGENT_SIM_BLOCK_SIZE)
        return fail(QStringLiteral("SIM block of %1 bytes").arg(sim.block.size()));
    if (!sim.slot && !sim.block.isEmpty())
        return fail(QStringLiteral("SIM block without a SIM slot"));
    if (sim.pin.size() > AGENT_PIN_SIZE)
        return fail(QStringLiteral("SIM PIN longer than 8 digits"));
    for (const QChar c : sim.pin) {
        if (!c.isDigit())
            return fail(QStringLiteral("SIM PIN holds a non-digit"));
    }
    if (sim.status < 0 || sim.status > 255 || sim.triesLeft < 0 || sim.triesLeft > 3)
        return fail(QStringLiteral("SIM status or PIN tries out of range"));
    for (const CPhoneFault& fault : faults) {
        if (!IsValidFaultTarget(fault.target) || !AgentIsKnownResult(fault.code) ||
            fault.code == AGENT_SUCCESS || fault.remaining < 0)
            return fail(QStringLiteral("fault '%1' = %2 is not valid").arg(fault.target).arg(fault.code));
    }
    return true;
}

int CVirtualPhone::Load(const QString& path, CVirtualPhone& phone, QString* why)
{
    QByteArray payload;
    const CPhoneFile::Status status = CPhoneFile::Read(path, CPhoneFile::Kind::Phone, payload);
    if (why)
        *why = CPhoneFile::StatusText(status);
    switch (status) {
    case CPhoneFile::Status::Ok:
        break;
    case CPhoneFile::Status::Missing:
        return AGENT_NO_PHONE;
    case CPhoneFile::Status::Unreadable:
        return AGENT_READ_FAILED;
    case CPhoneFile::Status::Foreign:
    case CPhoneFile::Status::Newer:
        return AGENT_PHONE_FORMAT;
    case CPhoneFile::Status::Damaged:
        return AGENT_PHONE_DAMAGED;
    }
    if (!Deserialize(payload, phone, why))
        return AGENT_PHONE_DAMAGED;
    return AGENT_SUCCESS;
}

bool CVirtualPhone::Save(const QString& path, QString* why) const
{
    if (!Validate(why))
        return false;
    return CPhoneFile::WriteAtomically(path, CPhoneFile::Wrap(CPhoneFile::Kind::Phone, Serialize()), why);
}

int CVirtualPhone::FaultIndex(const QString& operation, int item) const
{
    for (int i = 0; i < faults.size(); ++i) {
        const QString& target = faults.at(i).target;
        if (target == operation)
            return i;
        if (item >= 0 && target.startsWith(ItemPrefix) && target.mid(ItemPrefix.size()).toInt() == item)
            return i;
        for (const char* family : FamilyNames) {
            if (target == QLatin1String(family) && operation.startsWith(target))
                return i;
        }
    }
    return -1;
}

void CVirtualPhone::UseFault(int index)
{
    if (index < 0 || index >= faults.size())
        return;
    CPhoneFault& fault = faults[index];
    if (fault.remaining > 0 && --fault.remaining == 0)
        faults.removeAt(index);
}

QStringList CVirtualPhone::FaultTargets()
{
    QStringList targets;
    for (const char* name : OperationNames)
        targets << QLatin1String(name);
    for (const char* name : FamilyNames)
        targets << QLatin1String(name);
    return targets;
}

bool CVirtualPhone::IsValidFaultTarget(const QString& target)
{
    if (target.startsWith(ItemPrefix)) {
        bool ok = false;
        const int id = target.mid(ItemPrefix.size()).toInt(&ok);
        return ok && id >= 0 && id <= 0xFFFF;
    }
    return FaultTargets().contains(target);
}
