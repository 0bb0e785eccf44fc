#include "CPhonePreset.h"

#include "AgentApi.h"
#include "CListEntry.h"
#include "CodeplugItemIds.h"

#include <QDateTime>
#include <algorithm>
#include <iterator>

namespace {

using Kind = CListBlockLayout::ListKind;
using Fmt = CListBlockLayout::Format;

// Item offset (d - 1) of each style setting s = 0..25.
const char* const StyleNames[11] = {"",        "Normal",  "Loud",    "Soft",    "Vibrate", "Silent",
                                    "Meeting", "Outdoor", "Vehicle", "Headset", "Night"};

// What a freshly made phone keeps in its lists.
struct SampleNumber
{
    const char* name;
    const char* number;
};
const SampleNumber PhoneBook[] = {
    {"Dispatch", "5550100"}, {"Workshop", "5550101"}, {"Head office", "5550102"}, {"Help desk", "5550199"}};

struct SampleId
{
    const char* name;
    quint32 id;
};
const SampleId Talkgroups[] = {{"Dispatch", 101}, {"Operations", 102}, {"All call", 100}};
const SampleId Privates[] = {{"Supervisor", 2001}, {"Yard", 2002}};
const SampleId StatusMessages[] = {{"Available", 1}, {"Busy", 2}, {"On scene", 3}, {"Back soon", 4}};
const quint32 SampleUrban = 101;
const quint32 SampleFleet = 2000;

// Menu item identifiers of the first shortcuts; the rest hold "no shortcut".
const quint32 Shortcuts[] = {33554432u, 33554433u, 33554434u, 33554437u};
const char* const QuickNotes[10] = {
    "On my way", "In a meeting", "Call me back", "Running late", "Yes", "No", "Arrived", "Need help", "", ""};

void AddText(CCodeplug& cp, int id, int bank, int length, const QString& text)
{
    CCodeplugItem& item = cp.Add(id, bank, 1, length);
    item.SetText(text);
    item.defaults = item.bytes;
}

void AddValue(CCodeplug& cp, int id, int bank, int width, quint32 value, bool readOnly = false)
{
    CCodeplugItem& item = cp.Add(id, bank, width, 1, readOnly);
    item.SetElement(0, value);
    item.defaults = item.bytes;
}

void AddBytes(CCodeplug& cp, int id, int bank, const QByteArray& bytes, bool readOnly = false)
{
    CCodeplugItem& item = cp.Add(id, bank, 1, int(bytes.size()), readOnly);
    item.bytes = bytes;
    item.defaults = bytes;
}

QString Digits(quint32 value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')).right(width);
}

// "<model name> <serial>", the name cut so that the serial stays.
QString DefaultUserName(const QString& modelName, int serial)
{
    const QString number = QString::number(serial);
    const QString name = modelName.isEmpty() ? QStringLiteral("Unit") : modelName;
    return name.left(CPhonePreset::UserNameLength - 2 - number.size()).trimmed() + QLatin1Char(' ') + number;
}

int LuhnDigit(const QString& digits)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i) {
        int d = digits.at(digits.size() - 1 - i).digitValue();
        if (i % 2 == 0) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return (10 - sum % 10) % 10;
}

void FillListBlock(CCodeplug& cp, int nameLength)
{
    QByteArray& block = cp.ListBlock();
    for (const CListBlockLayout::Region& region : CListBlockLayout::Regions(cp.Layout())) {
        if (region.nam != 1)
            continue; // the other NAMs start empty
        auto put = [&](int slot, const CListEntry& entry) {
            if (slot < region.count)
                CListEntry::Encode(region.format, entry, block, CListBlockLayout::SlotOffset(region, slot));
        };
        int slot = 0;
        switch (region.kind) {
        case Kind::PhoneBook:
            for (const SampleNumber& s : PhoneBook) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name).left(nameLength);
                e.number = QString::fromLatin1(s.number);
                e.flag = 1;
                put(slot++, e);
            }
            break;
        case Kind::Talkgroup:
            for (const SampleId& s : Talkgroups) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name).left(nameLength);
                e.id = s.id;
                e.flag = 1;
                put(slot++, e);
            }
            break;
        case Kind::Private:
            for (const SampleId& s : Privates) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name).left(nameLength);
                e.id = s.id;
                e.member = s.id;
                if (region.format != Fmt::Short) {
                    e.urban = SampleUrban;
                    e.fleet = SampleFleet;
                }
                e.flag = 1;
                put(slot++, e);
            }
            break;
        case Kind::Status:
            for (const SampleId& s : StatusMessages) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name).left(nameLength);
                e.id = s.id;
                e.flag = 1;
                put(slot++, e);
            }
            break;
        case Kind::Scan:
            for (int i = 0; i < 2; ++i) {
                CListEntry e;
                e.flag = 1;
                e.slot = i + 1;          // slot of the talkgroup list (types 1 and 6)
                e.id = Talkgroups[i].id; // talkgroup id (type 9)
                e.name = QString::fromLatin1(Talkgroups[i].name).left(nameLength);
                if (region.format == Fmt::Scan)
                    e.name.clear();
                put(i, e);
            }
            break;
        case Kind::Consolidated:
            break;
        }
    }
}

QByteArray SimBlock(int simKind)
{
    QByteArray block(AGENT_SIM_BLOCK_SIZE, '\0');
    if (simKind < 2)
        return block; // a SIM of the first kind keeps no lists the program reads
    for (const CListBlockLayout::Region& region : CListBlockLayout::SimRegions()) {
        int slot = 0;
        auto put = [&](const CListEntry& entry) {
            CListEntry::Encode(region.format, entry, block, CListBlockLayout::SlotOffset(region, slot++));
        };
        if (simKind == 3 && region.kind == Kind::Consolidated) {
            // The consolidated list holds every kind of number: 2 phone, 1 private, 7 talkgroup.
            int index = 1;
            for (const SampleNumber& s : PhoneBook) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name).left(11);
                e.number = QString::fromLatin1(s.number);
                e.numberType = 2;
                e.tonNP = 0x81;
                e.nameIndex = index++;
                put(e);
            }
            for (const SampleId& s : Privates) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name);
                e.number = QStringLiteral("%1*%2*%3").arg(SampleUrban).arg(SampleFleet).arg(s.id);
                e.numberType = 1;
                e.tonNP = 0x81;
                e.nameIndex = index++;
                put(e);
            }
            for (const SampleId& s : Talkgroups) {
                CListEntry e;
                e.name = QString::fromLatin1(s.name);
                e.number = QString::number(s.id);
                e.numberType = 7;
                e.tonNP = 0x81;
                e.nameIndex = index++;
                put(e);
            }
        } else if (simKind == 2) {
            if (region.kind == Kind::PhoneBook) {
                for (const SampleNumber& s : PhoneBook) {
                    CListEntry e;
                    e.name = QString::fromLatin1(s.name).left(11);
                    e.number = QString::fromLatin1(s.number);
                    e.flag = 1;
                    put(e);
                }
            } else if (region.kind == Kind::Talkgroup) {
                for (const SampleId& s : Talkgroups) {
                    CListEntry e;
                    e.name = QString::fromLatin1(s.name);
                    e.id = s.id;
                    e.flag = 1;
                    put(e);
                }
            } else if (region.kind == Kind::Private) {
                for (const SampleId& s : Privates) {
                    CListEntry e;
                    e.name = QString::fromLatin1(s.name);
                    e.urban = SampleUrban;
                    e.fleet = SampleFleet;
                    e.member = s.id;
                    e.flag = 1;
                    put(e);
                }
            }
        }
    }
    return block;
}

void AddStyles(CCodeplug& cp)
{
    for (int r = 0; r <= 10; ++r) {
        for (const int offset : CPhonePreset::StyleItems(r)) {
            const int id = CodeplugItem::FirstStyle + CodeplugItem::StyleStride * r + offset;
            const int d = offset + 1;
            if (d == 1) {
                AddValue(cp, id, 0, 4, 10000); // back-light, milliseconds
                continue;
            }
            if (d == 2) {
                AddText(cp, id, 0, CPhonePreset::StyleNameLength, QString::fromLatin1(StyleNames[r]));
                continue;
            }
            quint32 value = 0;
            switch (d) {
            case 4: // ringer volume
                value = r == 2 ? 255 : (r == 5 ? 0 : (r == 3 ? 191 : 229));
                break;
            case 14: // keypad volume
                value = r == 5 ? 0 : 214;
                break;
            case 23: // mail volume
                value = 216;
                break;
            case 25: // java-or-data volume
                value = 242;
                break;
            case 24: // vibrate all
                value = (r == 4 || r == 6) ? 1 : 0;
                break;
            case 6: // line 2: ring style 1, type 0
                value = 1 << 2;
                break;
            case 12: // call-alert: ring style 9, type 0
                value = 9 << 2;
                break;
            case 16: // display
                value = 6;
                break;
            default:
                value = 0;
                break;
            }
            AddValue(cp, id, 0, 1, value);
        }
    }
}

} // namespace

int CPhonePreset::EffectiveCallListType(const CPhoneModelFacts& facts, int release)
{
    return (facts.modelType == 90 && release == 39) ? 8 : facts.callListType;
}

bool CPhonePreset::HasSim(const CPhoneModelFacts& facts)
{
    return facts.phoneClass >= 2 || facts.callListType == 7;
}

int CPhonePreset::NamCount(int callListType)
{
    return (callListType == 3 || callListType == 7) ? 1 : 3;
}

int CPhonePreset::MenuSlots(int modelType)
{
    return modelType == 114 ? 32 : (modelType == 116 ? 16 : 15);
}

QList<int> CPhonePreset::StyleItems(int style)
{
    QList<int> offsets;
    for (int s = 0; s <= 25; ++s) {
        const int item = CodeplugItem::StyleItem(style, s);
        const int offset = item - CodeplugItem::FirstStyle - CodeplugItem::StyleStride * style;
        if (item >= 0 && !offsets.contains(offset))
            offsets.append(offset);
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

QString CPhonePreset::MakeImei(int modelType, int serial, bool simPhone)
{
    const QString body = QStringLiteral("35") + Digits(quint32(modelType), 3) + QStringLiteral("000") +
                         Digits(quint32(serial), 6);
    return body + (simPhone ? QString::number(LuhnDigit(body)) : QStringLiteral("0"));
}

namespace {

// The preset's choices for one phone, with the options' defaults filled in and checked.
struct Plan
{
    int release = 0;
    int subRelease = 0;
    int callListType = 0;
    bool sim = false;
    bool alder = false;
    int nams = 3;
    int structure = 0;
    int defaultVersion = 0;
    bool crossFleet = false;
    QString imei;
    int simKind = 0;
    int simStatus = 0;
    quint32 member = 0;
    QString userName;
    QStringList numbers; // NAM 1..3
};

// Release, sub-release and codeplug versions; the reason they cannot be, else empty.
QString PlanVersions(const CPhoneModelFacts& facts, const CPhonePresetOptions& options, Plan& plan)
{
    const CPhoneModelFacts::SubModel first = facts.subModels.value(0, {1, 1});
    plan.release = options.release >= 0 ? options.release : first.release;
    plan.subRelease = options.subRelease >= 0 ? options.subRelease : first.subRelease;
    if (facts.modelType < 0 || facts.modelType > 255)
        return QStringLiteral("model type %1 is not 0..255").arg(facts.modelType);
    if (plan.release < 0 || plan.release > 0xFFFF)
        return QStringLiteral("release %1 is not 0..65535").arg(plan.release);
    if (plan.subRelease < 0 || plan.subRelease > 26)
        return QStringLiteral("sub-release %1 is not 0..26").arg(plan.subRelease);

    plan.callListType = CPhonePreset::EffectiveCallListType(facts, plan.release);
    plan.sim = CPhonePreset::HasSim(facts);
    plan.alder = facts.phoneClass == 3;
    plan.nams = CPhonePreset::NamCount(plan.callListType);

    int structure = options.structureVersion;
    if (structure < 0) {
        structure = CPhonePreset::DefaultStructureVersion;
        if (facts.crossFleetCapable && facts.crossFleetCPVersion != 0)
            structure = options.crossFleet
                            ? facts.crossFleetCPVersion
                            : (facts.crossFleetCPVersion == structure ? structure - 1 : structure);
    }
    if (structure > 0xFFFF)
        return QStringLiteral("structure version %1 is too large").arg(structure);
    plan.structure = structure;
    plan.defaultVersion =
        options.defaultVersion >= 0 ? options.defaultVersion : CPhonePreset::DefaultDefaultVersion;
    plan.crossFleet =
        facts.crossFleetCapable && (facts.crossFleetCPVersion == 0 || facts.crossFleetCPVersion == structure);
    if (facts.crossFleetCapable && facts.crossFleetCPVersion == 0 && !options.crossFleet)
        return QStringLiteral("every codeplug of model %1 is cross-fleet").arg(facts.modelType);
    return QString();
}

// IMEI, SIM, user name and numbers; the reason they cannot be, else empty.
QString PlanIdentity(const CPhoneModelFacts& facts, const CPhonePresetOptions& options, Plan& plan)
{
    plan.imei = options.imei.isEmpty() ? CPhonePreset::MakeImei(facts.modelType, options.serial, plan.sim)
                                       : options.imei;
    if (!CVirtualPhone::IsValidImei(plan.imei))
        return QStringLiteral("IMEI '%1' is not 15 digits").arg(plan.imei);
    if (!plan.sim && !plan.imei.endsWith(QLatin1Char('0')))
        return QStringLiteral("a phone without SIM reports its IMEI with a final 0: %1").arg(plan.imei);

    plan.simKind = options.simKind >= 0 ? options.simKind : (plan.alder ? 3 : 2);
    if (plan.simKind < 1 || plan.simKind > 3)
        return QStringLiteral("SIM kind %1 is not 1..3").arg(plan.simKind);
    if (options.pin.size() > AGENT_PIN_SIZE || (!options.pin.isEmpty() && options.pin.size() < 4))
        return QStringLiteral("a PIN has 4 to 8 digits");
    for (const QChar c : options.pin) {
        if (!c.isDigit())
            return QStringLiteral("a PIN has only digits");
    }
    plan.simStatus = options.simStatus >= 0 ? options.simStatus : (options.pin.isEmpty() ? 4 : 2);
    if (plan.simStatus > 255)
        return QStringLiteral("SIM status %1 is not 0..255").arg(plan.simStatus);
    if ((plan.simStatus == 2 || plan.simStatus == 5) && options.pin.isEmpty())
        return QStringLiteral("a SIM that asks for its PIN needs one (--pin)");

    plan.member = 1000u + quint32(options.serial % 100000);
    plan.userName =
        options.userName.isEmpty() ? DefaultUserName(facts.name, options.serial) : options.userName;
    plan.numbers = options.numbers;
    if (plan.numbers.isEmpty())
        plan.numbers << QStringLiteral("555") + Digits(quint32(options.serial), 4);
    while (plan.numbers.size() < 3)
        plan.numbers << QString();
    return QString();
}

void AddIdentity(CCodeplug& cp, const CVirtualPhone& made, const CPhoneModelFacts& facts, const Plan& plan)
{
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray date(5, '\0');
    date[0] = char(now.date().year() % 100);
    date[1] = char(now.date().month());
    date[2] = char(now.date().day());
    date[3] = char(now.time().hour());
    date[4] = char(now.time().minute());
    AddBytes(cp, CodeplugItem::LastModified, 0, date);
    AddText(cp, CodeplugItem::UserName, 0, CPhonePreset::UserNameLength, plan.userName);
    AddText(cp, CodeplugItem::Comments, 0, CPhonePreset::CommentLength, QString());
    AddBytes(cp, CodeplugItem::Imei, 0, made.ImeiItemBytes(), true);
    AddValue(cp, CodeplugItem::StructureVersion, 0, 2, quint32(plan.structure), true);
    AddValue(cp, CodeplugItem::DefaultVersion, 0, 2, quint32(plan.defaultVersion), true);
    AddValue(cp, CodeplugItem::ModelType, 0, 1, quint32(facts.modelType), true);
    AddValue(cp, CodeplugItem::CurrentNam, 0, 1, 1);
    for (int nam = 0; nam < 3; ++nam)
        AddText(cp, CodeplugItem::NumberNam1 + nam, 0, CPhonePreset::NumberLength, plan.numbers.at(nam));
    AddBytes(cp, CodeplugItem::ProgrammingState, 0, QByteArray::fromRawData("\x19\xF1\x00\x00\x00", 5));
    QString privateIds = Digits(plan.member, 6);
    for (int nam = 1; nam < plan.nams; ++nam)
        privateIds += QStringLiteral("000000");
    AddBytes(cp, CodeplugItem::PrivateIds, 0, privateIds.toLatin1()); // six digits per NAM, no terminator
    if (facts.crossFleetCapable) {
        for (int nam = 0; nam < 3; ++nam) {
            AddValue(cp, CodeplugItem::CrossFleetUrban + nam, 0, 4, nam == 0 ? SampleUrban : 0);
            AddValue(cp, CodeplugItem::CrossFleetFleet + nam, 0, 4, nam == 0 ? SampleFleet : 0);
            AddValue(cp, CodeplugItem::CrossFleetMember + nam, 0, 4, nam == 0 ? plan.member : 0);
        }
    }
    AddBytes(cp, CodeplugItem::IpAddress, 0, QByteArray(4, '\0'));
    AddText(cp, CodeplugItem::OnlineId, 0, CPhonePreset::OnlineIdLength, QString());
    AddValue(cp, CodeplugItem::Release, 0, 2, quint32(plan.release), true);
}

// Bits the program does not manage are set too, so that a write can be seen to keep them.
void AddSettings(CCodeplug& cp, const CPhoneModelFacts& facts, const Plan& plan)
{
    const bool scanLists = plan.callListType == 1 || plan.callListType == 6 || plan.callListType == 9;
    AddValue(cp, CodeplugItem::PowerMode, 0, 1, 0);
    AddValue(cp, CodeplugItem::TalkgroupType, 0, 1, 0);
    AddValue(cp, CodeplugItem::GeneralBits, 0, 2, 0x8C01); // one-minute beep, auto display timer
    AddText(cp, CodeplugItem::Passcode, 0, 4, QStringLiteral("1234"));
    cp.Find(CodeplugItem::Passcode, 0)->defaults = QByteArray("0000", 4); // what a passcode reset gives
    AddValue(cp, CodeplugItem::ActiveLine, 0, 1, 1);
    const bool unscaledBaud = facts.modelType == 92 && !facts.plusSeries;
    AddValue(cp, CodeplugItem::BaudRate, 0, 2, unscaledBaud ? 9600 : (facts.plusSeries ? 1152 : 96));
    AddValue(cp, CodeplugItem::EmergencyTalkgroup, 0, 2, 0);
    AddValue(cp, CodeplugItem::Language, 0, 1, 0);
    AddValue(cp, CodeplugItem::PowerDownTimer, 0, 4, 30 * 60000); // auto power-down after 30 minutes
    AddValue(cp, CodeplugItem::CallBits, 0, 2, 0x2222);           // group call tone, ISO, talk permit
    AddValue(cp, CodeplugItem::LockoutBits, 0, 2, 0x0108);        // call alert queuing; net mode on
    AddValue(cp, CodeplugItem::ButtonBits, 0, 1, scanLists ? 0xA1 : 0x21); // emergency button, talkgroup scan
    AddValue(cp, CodeplugItem::VibrateBits, 0, 2, 0x0009);
    AddValue(cp, CodeplugItem::Line1RingTone, 0, 1, 1);
    AddValue(cp, CodeplugItem::Line2RingTone, 0, 1, 2);
    AddValue(cp, CodeplugItem::PhoneOnlyBits, 0, 1, 0x02);
    AddValue(cp, CodeplugItem::CallAlertTimer, 0, 4, 0);
    AddValue(cp, CodeplugItem::PhotoSensorBits, 0, 1, 0x10);
    AddValue(cp, CodeplugItem::SimPinWarningBits, 0, 2, plan.sim ? 0x0005 : 0x0001);
}

void AddSimItems(CCodeplug& cp, const Plan& plan)
{
    AddText(cp, CodeplugItem::SimNumber, CodeplugItem::SimBank, CPhonePreset::NumberLength,
            plan.numbers.at(0));
    AddValue(cp, CodeplugItem::SimUrban, CodeplugItem::SimBank, 4, SampleUrban);
    AddValue(cp, CodeplugItem::SimFleet, CodeplugItem::SimBank, 4, SampleFleet);
    AddValue(cp, CodeplugItem::SimMember, CodeplugItem::SimBank, 4, plan.member);
    AddBytes(cp, CodeplugItem::SimIpAddress, CodeplugItem::SimBank,
             QByteArray::fromRawData("\x0A\x14\x00\x01", 4));
}

// Shortcuts, quick notes, soft keys, menu and styles of the Alder platform.
void AddAlderItems(CCodeplug& cp, int modelType)
{
    AddValue(cp, CodeplugItem::ShortcutCount, 0, 1, quint32(std::size(Shortcuts)));
    CCodeplugItem& shortcuts = cp.Add(CodeplugItem::ShortcutValues, 0, 4, CPhonePreset::ShortcutCapacity);
    for (int i = 0; i < CPhonePreset::ShortcutCapacity; ++i)
        shortcuts.SetElement(i, i < int(std::size(Shortcuts)) ? Shortcuts[i] : 0xFFFFFFFFu);
    shortcuts.defaults = shortcuts.bytes;
    for (int i = 0; i < 10; ++i)
        AddText(cp, CodeplugItem::FirstQuickNote + i, 0, CPhonePreset::QuickNoteLength,
                QString::fromLatin1(QuickNotes[i]));
    AddValue(cp, CodeplugItem::LeftKey, 0, 4, 1);
    AddValue(cp, CodeplugItem::RightKey, 0, 4, 2);
    AddValue(cp, CodeplugItem::PowerUpApp, 0, 4, 255); // power-up application: none
    const int slots = CPhonePreset::MenuSlots(modelType);
    CCodeplugItem& menu = cp.Add(CodeplugItem::MenuSlots, 0, 1, slots);
    for (int i = 0; i < slots; ++i)
        menu.SetElement(i, i < 15 ? quint32(i) : 255u);
    menu.defaults = menu.bytes;
    AddStyles(cp);
}

} // namespace

bool CPhonePreset::Build(const CPhoneModelFacts& facts, const CPhonePresetOptions& options,
                         CVirtualPhone& phone, QString* why)
{
    Plan plan;
    QString reason = PlanVersions(facts, options, plan);
    if (reason.isEmpty())
        reason = PlanIdentity(facts, options, plan);
    if (!reason.isEmpty()) {
        if (why)
            *why = reason;
        return false;
    }

    CVirtualPhone made;
    made.imei = plan.imei;
    made.subRelease = plan.subRelease == 0 ? char(0) : char('A' + plan.subRelease - 1);
    made.label = facts.name.isEmpty() ? QStringLiteral("model %1").arg(facts.modelType) : facts.name;
    CCodeplug& cp = made.codeplug;
    AddIdentity(cp, made, facts, plan);
    AddSettings(cp, facts, plan);
    if (plan.sim)
        AddSimItems(cp, plan);
    if (plan.alder)
        AddAlderItems(cp, facts.modelType);
    cp.SetLayout(CListBlockLayout::LayoutFor(plan.callListType, plan.crossFleet));
    FillListBlock(cp, plan.callListType == 8 ? 39 : 11);

    if (plan.sim) {
        made.sim.slot = true;
        made.sim.status = plan.simStatus;
        made.sim.pin = options.pin;
        made.sim.triesLeft = 3;
        made.sim.kind = QStringLiteral("0%1").arg(plan.simKind - 1);
        made.sim.block = SimBlock(plan.simKind);
    }
    if (!made.Validate(why))
        return false;
    phone = made;
    return true;
}
