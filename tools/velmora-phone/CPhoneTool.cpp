#include "CPhoneTool.h"

#include "AgentApi.h"
#include "CCodeplugBackup.h"
#include "CInstalledData.h"
#include "CModelCatalogue.h"
#include "CPhoneBench.h"
#include "CPhonePreset.h"
#include "CVelmoraWrap.h"
#include "CVirtualPhone.h"
#include "PhoneToolMessageIds.h"
#include "PhoneToolText.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace {

const QSet<QString> FlagNames = {QStringLiteral("--connect"), QStringLiteral("--no-cross-fleet"),
                                 QStringLiteral("--force"),   QStringLiteral("--items"),
                                 QStringLiteral("--block"),   QStringLiteral("--sim"),
                                 QStringLiteral("--help")};
const QSet<QString> GlobalNames = {QStringLiteral("--bench"), QStringLiteral("--program-folder"),
                                   QStringLiteral("--appdb"), QStringLiteral("--carrier")};

const QRegularExpression TrailingSpace(QStringLiteral("\\s+$"));

QString SamePath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

bool CPhoneTool::ParseNumber(const QString& text, qint64& value)
{
    bool ok = false;
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    return ok;
}

QString CPhoneTool::Usage()
{
    QString usage;
    for (int id : {PhoneToolMsg::HelpIntro, PhoneToolMsg::HelpMaking, PhoneToolMsg::HelpLooking,
                   PhoneToolMsg::HelpFaults}) {
        usage += PhoneToolText(id);
        if (!usage.endsWith(QLatin1Char('\n')))
            usage += QLatin1Char('\n');
    }
    return usage;
}

bool CPhoneTool::LoadSettingsLanguage(const QString& programFolder)
{
    QString name;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Initial Language"), name);
    return CInstalledData::LoadLanguageTable(programFolder, name);
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

int CPhoneTool::Fail(int messageId, const QStringList& args)
{
    return Fail(PhoneToolText(messageId, args));
}

int CPhoneTool::UsageError(const QString& syntax)
{
    Fail(PhoneToolMsg::UsageOf, {syntax});
    return 2;
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
            Fail(PhoneToolMsg::NeedsValue, {arg});
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
            Fail(PhoneToolMsg::NotAPhoneName, {a.options.value(QStringLiteral("--phone"))});
            return false;
        }
    } else {
        path = bench.ConnectedPath();
        if (path.isEmpty()) {
            Fail(PhoneToolMsg::NothingConnected, {bench.Folder()});
            return false;
        }
    }
    QString why;
    const int rc = CVirtualPhone::Load(path, phone, &why);
    if (rc != AGENT_SUCCESS) {
        Fail(PhoneToolMsg::PhoneUnusable, {path, why, QLatin1String(AgentResultName(rc))});
        return false;
    }
    return true;
}

bool CPhoneTool::SavePhone(const CVirtualPhone& phone, const QString& path)
{
    QString why;
    if (!phone.Save(path, &why)) {
        Fail(PhoneToolMsg::CannotWrite, {path, why});
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
            if (m_useSettingsLanguage)
                LoadSettingsLanguage(ProgramFolder());
            Fail(PhoneToolMsg::NeedsValue, {args.at(i)});
            return 2;
        }
        m_global.insert(args.at(i), args.at(i + 1));
        i += 2;
    }
    if (m_useSettingsLanguage)
        LoadSettingsLanguage(ProgramFolder());
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
        Fail(PhoneToolMsg::UnknownCommand, {command});
    m_out.flush();
    m_err.flush();
    return rc;
}

int CPhoneTool::Models()
{
    CModelCatalogue catalogue;
    if (!LoadCatalogue(catalogue))
        return 1;
    // Columns as wide as their values or their titles, whichever is wider.
    QStringList titles = PhoneToolText(PhoneToolMsg::ModelColumns).split(QLatin1Char('|'));
    while (titles.size() < 7)
        titles << QString();
    int widths[6] = {4, 16, 5, 5, 11, 4};
    for (int c = 0; c < 6; ++c)
        widths[c] = std::max(widths[c], int(titles.at(c).size()));
    m_out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7")
                 .arg(titles.at(0), widths[0])
                 .arg(titles.at(1), -widths[1])
                 .arg(titles.at(2), -widths[2])
                 .arg(titles.at(3), -widths[3])
                 .arg(titles.at(4), -widths[4])
                 .arg(titles.at(5), -widths[5])
                 .arg(titles.at(6))
                 .remove(TrailingSpace)
          << '\n';
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
        m_out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7")
                     .arg(f.modelType, widths[0])
                     .arg(f.name, -widths[1])
                     .arg(f.phoneClass == 3
                              ? QStringLiteral("Alder")
                              : (f.phoneClass == 2 ? QStringLiteral("q700") : QStringLiteral("plain")),
                          -widths[2])
                     .arg(f.callListType, widths[3])
                     .arg(xf, -widths[4])
                     .arg(f.plusSeries ? QStringLiteral("yes") : QStringLiteral("no"), -widths[5])
                     .arg(subs.join(QLatin1Char(' ')))
                     .remove(TrailingSpace)
              << '\n';
    }
    return 0;
}

int CPhoneTool::Create(const Arguments& a)
{
    if (a.positional.size() != 1 || !a.options.contains(QStringLiteral("--model")))
        return UsageError(QStringLiteral("create NAME --model N [...]"));
    CModelCatalogue catalogue;
    if (!LoadCatalogue(catalogue))
        return 1;
    qint64 model = 0;
    if (!ParseNumber(a.options.value(QStringLiteral("--model")), model) || !catalogue.Find(int(model)))
        return Fail(PhoneToolMsg::ModelUnknown, {a.options.value(QStringLiteral("--model"))});
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
            return Fail(PhoneToolMsg::ValueOutOfRange, {key, QStringLiteral("0..65535")});
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
        return Fail(PhoneToolMsg::NotAPhoneName, {a.positional.first()});
    if (QFileInfo::exists(path) && !a.flags.contains(QStringLiteral("--force")))
        return Fail(PhoneToolMsg::PhoneExists, {path});

    // Every phone of the bench keeps its own IMEI: its backups are named after it.
    QSet<QString> inUse = ImeisInUse();
    CVirtualPhone existing;
    if (QFileInfo::exists(path) && CVirtualPhone::Load(path, existing) == AGENT_SUCCESS)
        inUse.remove(existing.imei);
    if (!options.imei.isEmpty() && inUse.contains(options.imei))
        return Fail(PhoneToolMsg::ImeiInUse, {options.imei});
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
    m_out << PhoneToolText(PhoneToolMsg::Created, {QFileInfo(path).fileName(), facts.name, phone.imei})
          << '\n';
    if (a.flags.contains(QStringLiteral("--connect"))) {
        if (!bench.Connect(QFileInfo(path).fileName(), &why))
            return Fail(why);
        m_out << PhoneToolText(PhoneToolMsg::ConnectedFile, {QFileInfo(path).fileName()}) << '\n';
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
            m_out << PhoneToolText(PhoneToolMsg::Kept, {file}) << '\n';
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
            Fail(PhoneToolMsg::CannotWrite, {file, why});
            ++failures;
            continue;
        }
        inUse.insert(phone.imei);
        if (first.isEmpty())
            first = file;
        m_out << PhoneToolText(PhoneToolMsg::Created, {file, facts.name, phone.imei}) << '\n';
    }
    if (a.flags.contains(QStringLiteral("--connect")) && !first.isEmpty()) {
        if (!bench.Connect(first, &why))
            return Fail(why);
        m_out << PhoneToolText(PhoneToolMsg::ConnectedFile, {first}) << '\n';
    }
    return failures ? 1 : 0;
}

int CPhoneTool::List()
{
    const CPhoneBench bench(BenchFolder());
    const QString connected = bench.ConnectedName();
    m_out << PhoneToolText(PhoneToolMsg::BenchFolder, {bench.Folder()}) << '\n';
    const QStringList files = bench.PhoneFiles();
    if (files.isEmpty())
        m_out << "  " << PhoneToolText(PhoneToolMsg::BenchEmpty) << '\n';
    for (const QString& file : files) {
        CVirtualPhone phone;
        QString why;
        const int rc = CVirtualPhone::Load(bench.PathOf(file), phone, &why);
        const QString mark = file == connected ? QStringLiteral("*") : QStringLiteral(" ");
        if (rc != AGENT_SUCCESS) {
            m_out << mark << ' ' << file << "  "
                  << PhoneToolText(PhoneToolMsg::PhoneRefused, {why, QLatin1String(AgentResultName(rc))})
                  << '\n';
            continue;
        }
        m_out << PhoneToolText(PhoneToolMsg::PhoneLine,
                               {mark, file, QString::number(phone.ModelType()), phone.label, phone.imei,
                                phone.UserName(),
                                phone.faults.isEmpty()
                                    ? QString()
                                    : QStringLiteral("  ") + PhoneToolText(PhoneToolMsg::FaultsMark)})
              << '\n';
    }
    if (!connected.isEmpty() && !files.contains(connected))
        m_out << PhoneToolText(PhoneToolMsg::ConnectedMissing, {connected}) << '\n';
    return 0;
}

int CPhoneTool::Connect(const Arguments& a)
{
    if (a.positional.size() != 1)
        return UsageError(QStringLiteral("connect PHONE"));
    const CPhoneBench bench(BenchFolder());
    QString why;
    if (!bench.Connect(a.positional.first(), &why))
        return Fail(why);
    CVirtualPhone phone;
    const int rc = CVirtualPhone::Load(bench.ConnectedPath(), phone, &why);
    if (rc == AGENT_SUCCESS)
        m_out << PhoneToolText(PhoneToolMsg::ConnectedPhone,
                               {bench.ConnectedName(), phone.label, phone.imei});
    else
        m_out << PhoneToolText(PhoneToolMsg::ConnectedRefused, {bench.ConnectedName(), why});
    m_out << '\n';
    return 0;
}

int CPhoneTool::Disconnect()
{
    QString why;
    if (!CPhoneBench(BenchFolder()).Disconnect(&why))
        return Fail(why);
    m_out << PhoneToolText(PhoneToolMsg::Disconnected) << '\n';
    return 0;
}

int CPhoneTool::Backups(const Arguments& a)
{
    if (a.positional.size() != 1)
        return UsageError(QStringLiteral("backups FOLDER"));
    const QDir folder(a.positional.first());
    if (!folder.exists())
        return Fail(PhoneToolMsg::NoFolder, {folder.path()});
    const QStringList files =
        folder.entryList({QStringLiteral("*.dbf"), QStringLiteral("*.dbf.new")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        m_out << PhoneToolText(PhoneToolMsg::NoBackups, {folder.path()}) << '\n';
    for (const QString& file : files) {
        CCodeplugBackup backup;
        QString why;
        const int rc = CCodeplugBackup::Load(folder.filePath(file), backup, &why);
        if (rc != AGENT_SUCCESS) {
            m_out << PhoneToolText(PhoneToolMsg::BackupUnreadable, {file, why}) << '\n';
            continue;
        }
        m_out << PhoneToolText(PhoneToolMsg::BackupLine,
                               {file, backup.imei, QString::number(backup.modelType),
                                backup.saved.toLocalTime().toString(Qt::ISODate),
                                file.endsWith(QLatin1String(".new"))
                                    ? QStringLiteral("  ") + PhoneToolText(PhoneToolMsg::UnfinishedWrite)
                                    : QString()})
              << '\n';
    }
    return 0;
}
