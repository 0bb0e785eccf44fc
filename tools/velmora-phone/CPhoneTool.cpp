#include "CPhoneTool.h"

#include "AgentApi.h"
#include "CCodeplugBackup.h"
#include "CModelCatalogue.h"
#include "CPhoneBench.h"
#include "CPhoneDump.h"
#include "CInstalledData.h"
#include "CPhonePreset.h"
#include "CVelmoraWrap.h"
#include "CVirtualPhone.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QSet<QString> FlagNames = {QStringLiteral("--connect"), QStringLiteral("--no-cross-fleet"),
                                 QStringLiteral("--force"),   QStringLiteral("--items"),
                                 QStringLiteral("--block"),   QStringLiteral("--sim"),
                                 QStringLiteral("--help")};
const QSet<QString> GlobalNames = {QStringLiteral("--bench"), QStringLiteral("--program-folder"),
                                   QStringLiteral("--appdb"), QStringLiteral("--carrier")};

bool ParseNumber(const QString& text, qint64& value)
{
    bool ok = false;
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    return ok;
}

QString SamePath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString CPhoneTool::Usage()
{
    return QStringLiteral(
        "Usage: velmora-phone [--bench DIR] [--program-folder DIR] [--appdb FILE] [--carrier FILE] COMMAND "
        "...\n"
        "\n"
        "The bench is the folder of virtual phones the program uses as its programming cable: the\n"
        "setting \"Phone Bench Folder\", by default \"phones\" in the program folder.\n"
        "\n"
        "Commands (PHONE is a file name on the bench, with or without .phone; without --phone the\n"
        "connected phone is meant):\n"
        "  models                          list the models of the catalogue\n"
        "  create NAME --model N [--release R] [--sub-release 1..26] [--imei DIGITS] [--serial N]\n"
        "         [--user TEXT] [--number1 N] [--number2 N] [--number3 N] [--sim-kind 1..3]\n"
        "         [--pin DIGITS] [--sim-status 0..6] [--cp-version V] [--default-version V]\n"
        "         [--no-cross-fleet] [--connect] [--force]\n"
        "                                  make a phone of a catalogue model\n"
        "  create-all [--connect] [--force] one phone of every catalogue model\n"
        "  list                            the phones of the bench (* = connected)\n"
        "  connect PHONE                   put a phone on the cable\n"
        "  disconnect                      take the phone off the cable\n"
        "  show [--phone PHONE]            identity, SIM and faults\n"
        "  dump [--phone PHONE] [--items] [--block] [--sim]\n"
        "                                  items and list blocks as text (all without a choice)\n"
        "  set-item ITEM [--bank B] (--text T | --values V,V,... | --hex HEX) [--width 1|2|4 --count N]\n"
        "         [--phone PHONE]          change (or, with --width and --count, make) an item\n"
        "  remove-item ITEM [--bank B] [--phone PHONE]\n"
        "                                  make an item absent\n"
        "  fault add TARGET CODE [--times N] [--phone PHONE]\n"
        "                                  TARGET answers CODE (every time, or the next N times);\n"
        "                                  TARGET is an operation (AgentReadCodeplug...), a family\n"
        "                                  (AgentReadItem, AgentWriteItem, AgentReadLists,\n"
        "                                  AgentWriteLists) or item:ID\n"
        "  fault clear [TARGET] [--phone PHONE]\n"
        "  fault list [--phone PHONE]\n"
        "  sim [--status 0..6] [--pin DIGITS|none] [--kind TEXT] [--tries 0..3] [--phone PHONE]\n"
        "                                  SIM state (0 no SIM, 1 not ready, 2 PIN needed, 3 ready,\n"
        "                                  4 ready without PIN, 5 PIN needed, 6 blocked)\n"
        "  backups FOLDER                  the codeplug backups (.dbf) of a folder\n");
}

QString CPhoneTool::FileNameFor(const QString& modelName)
{
    QString name;
    for (const QChar c : modelName.toLower()) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            name += c;
        else if (!name.isEmpty() && !name.endsWith(QLatin1Char('-')))
            name += QLatin1Char('-');
    }
    while (name.endsWith(QLatin1Char('-')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("phone") : name;
}

int CPhoneTool::Fail(const QString& message)
{
    m_err << "velmora-phone: " << message << '\n';
    m_err.flush();
    return 1;
}

bool CPhoneTool::Parse(const QStringList& args, Arguments& parsed)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            parsed.positional << arg;
            continue;
        }
        if (FlagNames.contains(arg)) {
            parsed.flags << arg;
            continue;
        }
        if (i + 1 >= args.size()) {
            m_err << "velmora-phone: " << arg << " needs a value\n";
            return false;
        }
        parsed.options.insert(arg, args.at(++i));
    }
    return true;
}

QString CPhoneTool::ProgramFolder() const
{
    if (m_global.contains(QStringLiteral("--program-folder")))
        return m_global.value(QStringLiteral("--program-folder"));
    QString folder;
    if (CVelmoraWrap::GetRegistryValue(QStringLiteral("Velmora App Path"), folder) && !folder.isEmpty())
        return folder;
    return CInstalledData::DefaultProgramFolder();
}

QString CPhoneTool::BenchFolder() const
{
    if (m_global.contains(QStringLiteral("--bench")))
        return m_global.value(QStringLiteral("--bench"));
    QString folder;
    if (!m_global.contains(QStringLiteral("--program-folder")) &&
        CVelmoraWrap::GetRegistryValue(QStringLiteral("Phone Bench Folder"), folder) && !folder.isEmpty())
        return folder;
    return QDir(ProgramFolder()).filePath(QStringLiteral("phones"));
}

QString CPhoneTool::ProgramFile(const QString& name) const
{
    return CInstalledData::ProgramOrInstalledFile(ProgramFolder(), name);
}

bool CPhoneTool::LoadCatalogue(CModelCatalogue& catalogue)
{
    // Before the first start has filled the program folder, the catalogue is the installed one the
    // folder will be filled from.
    const QString appdb = m_global.contains(QStringLiteral("--appdb"))
                              ? m_global.value(QStringLiteral("--appdb"))
                              : ProgramFile(QStringLiteral("VelmoraDB.vdf"));
    const QString carrier = m_global.contains(QStringLiteral("--carrier"))
                                ? m_global.value(QStringLiteral("--carrier"))
                                : ProgramFile(QStringLiteral("Carrier.ini"));
    QString why;
    if (!catalogue.Load(appdb, carrier, &why)) {
        Fail(why);
        return false;
    }
    return true;
}

bool CPhoneTool::LoadPhone(const Arguments& a, CVirtualPhone& phone, QString& path)
{
    const CPhoneBench bench(BenchFolder());
    if (a.options.contains(QStringLiteral("--phone"))) {
        path = bench.PathOf(a.options.value(QStringLiteral("--phone")));
        if (path.isEmpty()) {
            Fail(QStringLiteral("'%1' is not a phone name").arg(a.options.value(QStringLiteral("--phone"))));
            return false;
        }
    } else {
        path = bench.ConnectedPath();
        if (path.isEmpty()) {
            Fail(QStringLiteral("no phone is connected on the bench %1 (use --phone)").arg(bench.Folder()));
            return false;
        }
    }
    QString why;
    const int rc = CVirtualPhone::Load(path, phone, &why);
    if (rc != AGENT_SUCCESS) {
        Fail(QStringLiteral("%1: %2 (%3)").arg(path, why, QLatin1String(AgentResultName(rc))));
        return false;
    }
    return true;
}

bool CPhoneTool::SavePhone(const CVirtualPhone& phone, const QString& path)
{
    QString why;
    if (!phone.Save(path, &why)) {
        Fail(QStringLiteral("cannot save %1: %2").arg(path, why));
        return false;
    }
    return true;
}

QSet<QString> CPhoneTool::ImeisInUse() const
{
    QSet<QString> imeis;
    const CPhoneBench bench(BenchFolder());
    for (const QString& file : bench.PhoneFiles()) {
        CVirtualPhone phone;
        if (CVirtualPhone::Load(bench.PathOf(file), phone) == AGENT_SUCCESS)
            imeis.insert(phone.imei);
    }
    // Until the first start has filled the program folder (it has no application database yet), the
    // shipped phones its bench lacks are still to come into it: their IMEIs are taken as well.
    const QString folder = ProgramFolder();
    if (SamePath(bench.Folder()) == SamePath(QDir(folder).filePath(QStringLiteral("phones"))) &&
        !QFileInfo::exists(QDir(folder).filePath(QStringLiteral("VelmoraDB.vdf")))) {
        const CPhoneBench shipped(QDir(CInstalledData::Dir()).filePath(QStringLiteral("phones")));
        for (const QString& file : shipped.PhoneFiles()) {
            CVirtualPhone phone;
            if (!QFileInfo::exists(bench.PathOf(file)) &&
                CVirtualPhone::Load(shipped.PathOf(file), phone) == AGENT_SUCCESS)
                imeis.insert(phone.imei);
        }
    }
    return imeis;
}

int CPhoneTool::Run(const QStringList& args)
{
    int i = 0;
    while (i < args.size() && GlobalNames.contains(args.at(i))) {
        if (i + 1 >= args.size()) {
            m_err << "velmora-phone: " << args.at(i) << " needs a value\n";
            return 2;
        }
        m_global.insert(args.at(i), args.at(i + 1));
        i += 2;
    }
    if (i >= args.size() || args.at(i) == QLatin1String("help") || args.at(i) == QLatin1String("--help")) {
        m_out << Usage();
        return i >= args.size() ? 2 : 0;
    }
    const QString command = args.at(i);
    Arguments a;
    if (!Parse(args.mid(i + 1), a))
        return 2;
    int rc = 2;
    if (command == QLatin1String("models"))
        rc = Models();
    else if (command == QLatin1String("create"))
        rc = Create(a);
    else if (command == QLatin1String("create-all"))
        rc = CreateAll(a);
    else if (command == QLatin1String("list"))
        rc = List();
    else if (command == QLatin1String("connect"))
        rc = Connect(a);
    else if (command == QLatin1String("disconnect"))
        rc = Disconnect();
    else if (command == QLatin1String("show"))
        rc = Show(a);
    else if (command == QLatin1String("dump"))
        rc = Dump(a);
    else if (command == QLatin1String("set-item"))
        rc = SetItem(a);
    else if (command == QLatin1String("remove-item"))
        rc = RemoveItem(a);
    else if (command == QLatin1String("fault"))
        rc = Fault(a);
    else if (command == QLatin1String("sim"))
        rc = Sim(a);
    else if (command == QLatin1String("backups"))
        rc = Backups(a);
    else
        m_err << "velmora-phone: unknown command '" << command << "' (velmora-phone help)\n";
    m_out.flush();
    m_err.flush();
    return rc;
}

int CPhoneTool::Models()
{
    CModelCatalogue catalogue;
    if (!LoadCatalogue(catalogue))
        return 1;
    m_out << "type  name              class  lists  cross-fleet  plus  sub-models\n";
    for (const CPhoneModelFacts& f : catalogue.Models()) {
        QStringList subs;
        for (const CPhoneModelFacts::SubModel& s : f.subModels)
            subs << QStringLiteral("-%1#%2#%3").arg(s.subRelease).arg(s.release).arg(f.modelType);
        const QString xf =
            f.crossFleetCapable
                ? (f.crossFleetCPVersion
                       ? QStringLiteral("cp 0x%1").arg(f.crossFleetCPVersion, 2, 16, QLatin1Char('0'))
                       : QStringLiteral("always"))
                : QStringLiteral("no");
        m_out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                     .arg(f.modelType, 4)
                     .arg(f.name, -16)
                     .arg(f.phoneClass == 3
                              ? QStringLiteral("Alder")
                              : (f.phoneClass == 2 ? QStringLiteral("q700 ") : QStringLiteral("plain")))
                     .arg(f.callListType, 5)
                     .arg(xf, -11)
                     .arg(f.plusSeries ? QStringLiteral("yes ") : QStringLiteral("no  "))
                     .arg(subs.join(QLatin1Char(' ')));
    }
    return 0;
}

int CPhoneTool::Create(const Arguments& a)
{
    if (a.positional.size() != 1 || !a.options.contains(QStringLiteral("--model")))
        return Fail(QStringLiteral("usage: create NAME --model N [options] (velmora-phone help)")), 2;
    CModelCatalogue catalogue;
    if (!LoadCatalogue(catalogue))
        return 1;
    qint64 model = 0;
    if (!ParseNumber(a.options.value(QStringLiteral("--model")), model) || !catalogue.Find(int(model)))
        return Fail(QStringLiteral("model %1 is not in the catalogue (velmora-phone models)")
                        .arg(a.options.value(QStringLiteral("--model"))));
    const CPhoneModelFacts& facts = *catalogue.Find(int(model));

    CPhonePresetOptions options;
    struct NumberOption
    {
        const char* name;
        int* target;
    };
    const NumberOption numbers[] = {{"--release", &options.release},
                                    {"--sub-release", &options.subRelease},
                                    {"--serial", &options.serial},
                                    {"--sim-kind", &options.simKind},
                                    {"--sim-status", &options.simStatus},
                                    {"--cp-version", &options.structureVersion},
                                    {"--default-version", &options.defaultVersion}};
    for (const NumberOption& n : numbers) {
        const QString key = QLatin1String(n.name);
        if (!a.options.contains(key))
            continue;
        qint64 value = 0;
        if (!ParseNumber(a.options.value(key), value) || value < 0 || value > 0xFFFF)
            return Fail(QStringLiteral("%1 wants a number 0..65535").arg(key));
        *n.target = int(value);
    }
    options.imei = a.options.value(QStringLiteral("--imei"));
    options.userName = a.options.value(QStringLiteral("--user"));
    options.pin = a.options.value(QStringLiteral("--pin"));
    options.crossFleet = !a.flags.contains(QStringLiteral("--no-cross-fleet"));
    for (int nam = 1; nam <= 3; ++nam)
        options.numbers << a.options.value(QStringLiteral("--number%1").arg(nam));
    if (options.numbers.join(QString()).isEmpty())
        options.numbers.clear();

    const CPhoneBench bench(BenchFolder());
    QString why;
    if (!bench.Prepare(&why))
        return Fail(why);
    const QString path = bench.PathOf(a.positional.first());
    if (path.isEmpty())
        return Fail(QStringLiteral("'%1' is not a phone name").arg(a.positional.first()));
    if (QFileInfo::exists(path) && !a.flags.contains(QStringLiteral("--force")))
        return Fail(QStringLiteral("%1 exists (--force replaces it)").arg(path));

    // Every phone of the bench keeps its own IMEI: its backups are named after it.
    QSet<QString> inUse = ImeisInUse();
    CVirtualPhone existing;
    if (QFileInfo::exists(path) && CVirtualPhone::Load(path, existing) == AGENT_SUCCESS)
        inUse.remove(existing.imei);
    if (!options.imei.isEmpty() && inUse.contains(options.imei))
        return Fail(QStringLiteral("IMEI %1 is already used on the bench").arg(options.imei));
    if (options.imei.isEmpty() && !a.options.contains(QStringLiteral("--serial"))) {
        while (inUse.contains(
            CPhonePreset::MakeImei(facts.modelType, options.serial, CPhonePreset::HasSim(facts))))
            ++options.serial;
    }

    CVirtualPhone phone;
    if (!CPhonePreset::Build(facts, options, phone, &why))
        return Fail(why);
    if (!SavePhone(phone, path))
        return 1;
    m_out << "created " << QFileInfo(path).fileName() << ": " << facts.name << ", IMEI " << phone.imei
          << '\n';
    if (a.flags.contains(QStringLiteral("--connect"))) {
        if (!bench.Connect(QFileInfo(path).fileName(), &why))
            return Fail(why);
        m_out << "connected " << QFileInfo(path).fileName() << '\n';
    }
    return 0;
}

int CPhoneTool::CreateAll(const Arguments& a)
{
    CModelCatalogue catalogue;
    if (!LoadCatalogue(catalogue))
        return 1;
    const CPhoneBench bench(BenchFolder());
    QString why;
    if (!bench.Prepare(&why))
        return Fail(why);
    QSet<QString> inUse = ImeisInUse();
    QString first;
    int failures = 0;
    for (const CPhoneModelFacts& facts : catalogue.Models()) {
        const QString file = FileNameFor(facts.name) + CPhoneBench::PhoneSuffix();
        const QString path = bench.PathOf(file);
        if (QFileInfo::exists(path) && !a.flags.contains(QStringLiteral("--force"))) {
            m_out << "kept " << file << " (exists)\n";
            if (first.isEmpty())
                first = file;
            continue;
        }
        CPhonePresetOptions options;
        while (inUse.contains(
            CPhonePreset::MakeImei(facts.modelType, options.serial, CPhonePreset::HasSim(facts))))
            ++options.serial;
        CVirtualPhone phone;
        if (!CPhonePreset::Build(facts, options, phone, &why) || !phone.Save(path, &why)) {
            m_err << "velmora-phone: " << file << ": " << why << '\n';
            ++failures;
            continue;
        }
        inUse.insert(phone.imei);
        if (first.isEmpty())
            first = file;
        m_out << "created " << file << ": " << facts.name << ", IMEI " << phone.imei << '\n';
    }
    if (a.flags.contains(QStringLiteral("--connect")) && !first.isEmpty()) {
        if (!bench.Connect(first, &why))
            return Fail(why);
        m_out << "connected " << first << '\n';
    }
    return failures ? 1 : 0;
}

int CPhoneTool::List()
{
    const CPhoneBench bench(BenchFolder());
    const QString connected = bench.ConnectedName();
    m_out << "bench " << bench.Folder() << '\n';
    const QStringList files = bench.PhoneFiles();
    if (files.isEmpty())
        m_out << "  no phones (velmora-phone create-all makes one of every model)\n";
    for (const QString& file : files) {
        CVirtualPhone phone;
        QString why;
        const int rc = CVirtualPhone::Load(bench.PathOf(file), phone, &why);
        const QString mark = file == connected ? QStringLiteral("*") : QStringLiteral(" ");
        if (rc != AGENT_SUCCESS) {
            m_out << mark << ' ' << file << "  REFUSED: " << why << " (" << AgentResultName(rc) << ")\n";
            continue;
        }
        m_out << QStringLiteral("%1 %2  model %3  %4  IMEI %5  %6%7\n")
                     .arg(mark, file)
                     .arg(phone.ModelType())
                     .arg(phone.label, phone.imei, phone.UserName(),
                          phone.faults.isEmpty() ? QString() : QStringLiteral("  [faults]"));
    }
    if (!connected.isEmpty() && !files.contains(connected))
        m_out << "connected names " << connected << ", which is not on the bench\n";
    return 0;
}

int CPhoneTool::Connect(const Arguments& a)
{
    if (a.positional.size() != 1)
        return Fail(QStringLiteral("usage: connect PHONE")), 2;
    const CPhoneBench bench(BenchFolder());
    QString why;
    if (!bench.Connect(a.positional.first(), &why))
        return Fail(why);
    CVirtualPhone phone;
    const int rc = CVirtualPhone::Load(bench.ConnectedPath(), phone, &why);
    m_out << "connected " << bench.ConnectedName();
    if (rc == AGENT_SUCCESS)
        m_out << ": " << phone.label << ", IMEI " << phone.imei << '\n';
    else
        m_out << " (the program will refuse it: " << why << ")\n";
    return 0;
}

int CPhoneTool::Disconnect()
{
    QString why;
    if (!CPhoneBench(BenchFolder()).Disconnect(&why))
        return Fail(why);
    m_out << "no phone connected\n";
    return 0;
}

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
        return Fail(
                   QStringLiteral("usage: set-item ITEM [--bank B] (--text T | --values V,... | --hex HEX)")),
               2;
    if (a.options.contains(QStringLiteral("--bank")) &&
        (!ParseNumber(a.options.value(QStringLiteral("--bank")), bank) || bank < 0 || bank > 1))
        return Fail(QStringLiteral("--bank is 0 or 1"));
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
            return Fail(
                QStringLiteral("--width is 1, 2 or 4 and --count 1..%1").arg(int(CCodeplug::MaxElements)));
        item = &phone.codeplug.Add(int(id), int(bank), int(width), int(count));
    }
    if (!item)
        return Fail(QStringLiteral("item %1 (bank %2) is absent; give --width and --count to make it")
                        .arg(id)
                        .arg(bank));
    if (a.options.contains(QStringLiteral("--text"))) {
        if (item->width != 1)
            return Fail(QStringLiteral("--text needs an 8-bit item"));
        item->SetText(a.options.value(QStringLiteral("--text")));
    } else if (a.options.contains(QStringLiteral("--values"))) {
        const QStringList values = a.options.value(QStringLiteral("--values")).split(QLatin1Char(','));
        if (values.size() > item->count)
            return Fail(QStringLiteral("item %1 holds %2 elements").arg(id).arg(item->count));
        for (int i = 0; i < values.size(); ++i) {
            qint64 v = 0;
            const qint64 max = item->width == 4 ? 0xFFFFFFFFLL : (item->width == 2 ? 0xFFFF : 0xFF);
            if (!ParseNumber(values.at(i), v) || v < 0 || v > max)
                return Fail(QStringLiteral("'%1' does not fit a %2-bit element")
                                .arg(values.at(i))
                                .arg(item->width * 8));
            item->SetElement(i, quint32(v));
        }
    } else if (a.options.contains(QStringLiteral("--hex"))) {
        const QByteArray bytes = QByteArray::fromHex(a.options.value(QStringLiteral("--hex")).toLatin1());
        if (bytes.size() > item->bytes.size())
            return Fail(QStringLiteral("item %1 holds %2 bytes").arg(id).arg(item->bytes.size()));
        item->bytes.replace(0, bytes.size(), bytes);
    }
    const QString value = CPhoneDump::ItemValue(*item);
    if (!SavePhone(phone, path))
        return 1;
    m_out << "item " << id << " (bank " << bank << "): " << value << '\n';
    return 0;
}

int CPhoneTool::RemoveItem(const Arguments& a)
{
    qint64 id = 0, bank = 0;
    if (a.positional.size() != 1 || !ParseNumber(a.positional.first(), id))
        return Fail(QStringLiteral("usage: remove-item ITEM [--bank B]")), 2;
    if (a.options.contains(QStringLiteral("--bank")) &&
        !ParseNumber(a.options.value(QStringLiteral("--bank")), bank))
        return Fail(QStringLiteral("--bank is 0 or 1"));
    CVirtualPhone phone;
    QString path;
    if (!LoadPhone(a, phone, path))
        return 1;
    if (!phone.codeplug.Remove(int(id), int(bank)))
        return Fail(QStringLiteral("item %1 (bank %2) is already absent").arg(id).arg(bank));
    if (!SavePhone(phone, path))
        return 1;
    m_out << "item " << id << " (bank " << bank << ") removed\n";
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
            return Fail(QStringLiteral("usage: fault add TARGET CODE [--times N]")), 2;
        const QString target = a.positional.at(1);
        if (!CVirtualPhone::IsValidFaultTarget(target))
            return Fail(QStringLiteral("'%1' is not an operation, a family or item:ID; operations: %2")
                            .arg(target, CVirtualPhone::FaultTargets().join(QStringLiteral(", "))));
        if (code == AGENT_SUCCESS || !AgentIsKnownResult(int(code)))
            return Fail(QStringLiteral("CODE is one of -1..-30"));
        if (a.options.contains(QStringLiteral("--times")) &&
            (!ParseNumber(a.options.value(QStringLiteral("--times")), times) || times < 1))
            return Fail(QStringLiteral("--times is a number from 1"));
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
        return Fail(QStringLiteral("usage: fault add|clear|list ...")), 2;
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
        return Fail(QStringLiteral("%1 has no SIM slot").arg(QFileInfo(path).fileName()));
    qint64 value = 0;
    if (a.options.contains(QStringLiteral("--status"))) {
        if (!ParseNumber(a.options.value(QStringLiteral("--status")), value) || value < 0 || value > 255)
            return Fail(QStringLiteral("--status is 0..6 (above 6: ready)"));
        phone.sim.status = int(value);
    }
    if (a.options.contains(QStringLiteral("--pin"))) {
        const QString pin = a.options.value(QStringLiteral("--pin"));
        if (pin == QLatin1String("none")) {
            phone.sim.pin.clear();
        } else {
            const bool digits = std::all_of(pin.begin(), pin.end(), [](QChar c) { return c.isDigit(); });
            if (!digits || pin.size() < 4 || pin.size() > AGENT_PIN_SIZE)
                return Fail(QStringLiteral("a PIN has 4 to 8 digits"));
            phone.sim.pin = pin;
        }
    }
    if (a.options.contains(QStringLiteral("--kind")))
        phone.sim.kind = a.options.value(QStringLiteral("--kind"));
    if (a.options.contains(QStringLiteral("--tries"))) {
        if (!ParseNumber(a.options.value(QStringLiteral("--tries")), value) || value < 0 || value > 3)
            return Fail(QStringLiteral("--tries is 0..3"));
        phone.sim.triesLeft = int(value);
    }
    if ((phone.sim.status == 2 || phone.sim.status == 5) && phone.sim.pin.isEmpty())
        return Fail(QStringLiteral("a SIM that asks for its PIN needs one (--pin)"));
    if (!SavePhone(phone, path))
        return 1;
    m_out << "SIM: status " << phone.sim.status << " (" << CPhoneDump::SimStatusText(phone.sim.status)
          << "), kind \"" << phone.sim.kind << "\", PIN "
          << (phone.sim.pin.isEmpty() ? QStringLiteral("none") : phone.sim.pin) << ", " << phone.sim.triesLeft
          << " tries left\n";
    return 0;
}

int CPhoneTool::Backups(const Arguments& a)
{
    if (a.positional.size() != 1)
        return Fail(QStringLiteral("usage: backups FOLDER")), 2;
    const QDir folder(a.positional.first());
    if (!folder.exists())
        return Fail(QStringLiteral("no folder %1").arg(folder.path()));
    const QStringList files =
        folder.entryList({QStringLiteral("*.dbf"), QStringLiteral("*.dbf.new")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        m_out << "no backups in " << folder.path() << '\n';
    for (const QString& file : files) {
        CCodeplugBackup backup;
        QString why;
        const int rc = CCodeplugBackup::Load(folder.filePath(file), backup, &why);
        if (rc != AGENT_SUCCESS) {
            m_out << file << "  UNREADABLE: " << why << '\n';
            continue;
        }
        m_out << QStringLiteral("%1  IMEI %2  model %3  saved %4%5\n")
                     .arg(file, backup.imei)
                     .arg(backup.modelType)
                     .arg(backup.saved.toLocalTime().toString(Qt::ISODate),
                          file.endsWith(QLatin1String(".new"))
                              ? QStringLiteral("  (left by an unfinished write)")
                              : QString());
    }
    return 0;
}
