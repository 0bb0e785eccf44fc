// bench_fleet_file: the fleet file operations against the plain tools they are built on.
//
//   bench_fleet_file [--sizes 100,1000,10000] [--repeat 3] [--folder DIR] [--keep 1]
//
// For each fleet size it generates a fleet with realistic lists (about 72 rows per unit) and prints,
// side by side, the best of --repeat runs of:
//   store    StoreFleetFile            vs  VACUUM INTO + "zstd -3" of the same file
//   expand   ExpandFleetFile           vs  "zstd -d" of the same stored file
//   append   the unit copy engine      vs  ATTACH + INSERT ... SELECT of every unit table
//            (copy of every unit into an empty fleet held open exclusively, as a document holds it)
// and, for information, the whole append command (checks, copy, header merge, storing the file back).

#include "CAppendFile.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetSchema.h"
#include "CTransaction.h"
#include "CVelmoraDoc.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString kTemplate = QStringLiteral(VELMORA_SHARE_DIR "/VelmoraVLF.vdf");

struct Statement
{
    QString table;
    int rows;
    QString sql;
    // Values of one row: unit number, row number.
    std::function<QVariantList(int, int)> values;
};

QString Imei(int u)
{
    return QStringLiteral("35%1").arg(u, 13, 10, QLatin1Char('0'));
}

// The unit and settings rows of a unit.
QList<Statement> UnitStatements()
{
    return {
        {"unit_details", 1,
         "INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, unit_phone_num_nam1, "
         "unit_display_prvt_id, unit_private_nam1_urban_id, unit_private_nam1_fleet_id, "
         "unit_private_nam1_member_id, "
         "unit_ip_address, units_comments, unit_last_mod_date, unit_prod_release_id) "
         "VALUES (?, ?, ?, ?, ?, 12, 34, ?, '10.1.2.3', ?, '12/01/2023 (10:20)', 70)",
         [](int u, int) {
             return QVariantList{QStringLiteral("User %1").arg(u),
                                 Imei(u),
                                 114 + u % 3,
                                 QStringLiteral("05212%1").arg(u),
                                 QStringLiteral("12*34*%1").arg(u),
                                 u,
                                 QStringLiteral("Driver of truck %1").arg(u)};
         }},
        {"unit_phone_ergo_settings", 1,
         "INSERT INTO unit_phone_ergo_settings (unit_imei_num, unit_vadk, unit_power_mode, unit_baud_rate) "
         "VALUES (?, 1, 2, 9600)",
         [](int u, int) { return QVariantList{Imei(u)}; }},
    };
}

// Phone book, private, talkgroup and scan rows.
QList<Statement> ListStatements()
{
    return {
        {"unit_phone_details", 20,
         "INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
         "unit_program_flag, unit_language) VALUES (?, ?, ?, ?, 1, 2)",
         [](int u, int r) {
             return QVariantList{Imei(u), r, QStringLiteral("0541234%1").arg(r),
                                 QStringLiteral("Contact %1 of user %2").arg(r).arg(u)};
         }},
        {"unit_private_details", 12,
         "INSERT INTO unit_private_details (unit_imei_num, unit_nam, unit_urban_id, unit_fleet_id, "
         "unit_member_id, "
         "unit_name, unit_loc_no, unit_program_flag) VALUES (?, 1, 12, 34, ?, ?, ?, 1)",
         [](int u, int r) {
             return QVariantList{Imei(u), r, QStringLiteral("Private %1").arg(r), r};
         }},
        {"unit_tg_details", 16,
         "INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, unit_loc_no, "
         "unit_program_flag) VALUES (?, ?, ?, ?, ?, 1)",
         [](int u, int r) {
             return QVariantList{Imei(u), r % 3 + 1, 1000 + r, QStringLiteral("Talkgroup %1").arg(r), r};
         }},
        {"unit_tg_scan", 8,
         "INSERT INTO unit_tg_scan (unit_imei_num, unit_nam, unit_tg_id, unit_loc_no, unit_tg_alias, "
         "unit_program_flag) VALUES (?, 1, ?, ?, ?, 1)",
         [](int u, int r) {
             return QVariantList{Imei(u), 1000 + r, r, QStringLiteral("Scan %1").arg(r)};
         }},
    };
}

// Status messages, consolidated list, quick notes and personalisation.
QList<Statement> ExtraStatements()
{
    return {
        {"unit_status_msg_list", 8,
         "INSERT INTO unit_status_msg_list (unit_imei_num, unit_msg_text, unit_nam, unit_msg_id, "
         "unit_loc_no, "
         "unit_program_flag) VALUES (?, ?, 1, ?, ?, 1)",
         [](int u, int r) {
             return QVariantList{Imei(u), QStringLiteral("Status message number %1").arg(r), r, r};
         }},
        {"unit_consolid_call_list", 4,
         "INSERT INTO unit_consolid_call_list (unit_imei_num, unit_name, unit_num, unit_num_type, "
         "unit_nameIndex, "
         "unit_rec_num) VALUES (?, ?, ?, ?, ?, ?)",
         [](int u, int r) {
             return QVariantList{
                 Imei(u), QStringLiteral("Entry %1").arg(r), QStringLiteral("0501234%1").arg(r), r % 4, r, r};
         }},
        {"unit_alder_quick_notes", 1,
         "INSERT INTO unit_alder_quick_notes (unit_imei_num, unit_quick_notes_1, unit_quick_notes_2) "
         "VALUES (?, 'On my way', 'Call me back')",
         [](int u, int) { return QVariantList{Imei(u)}; }},
        {"unit_alder_personalize_details", 1,
         "INSERT INTO unit_alder_personalize_details (unit_imei_num, unit_left_key, unit_right_key, "
         "unit_main_menu_1) VALUES (?, 1, 2, 3)",
         [](int u, int) { return QVariantList{Imei(u)}; }},
    };
}

// One statement's rows for every unit.
bool Insert(const QSqlDatabase& db, const Statement& s, int units)
{
    QSqlQuery q(db);
    if (!q.prepare(s.sql)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(s.table), qPrintable(q.lastError().text()));
        return false;
    }
    for (int u = 0; u < units; ++u) {
        for (int r = 1; r <= s.rows; ++r) {
            for (const QVariant& v : s.values(u, r))
                q.addBindValue(v);
            if (!q.exec()) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(s.table), qPrintable(q.lastError().text()));
                return false;
            }
        }
    }
    return true;
}

// Rows per unit: 1 unit + 1 settings + 20 phone book + 12 private + 16 talkgroup + 8 scan + 8 status
// + 4 consolidated + 1 quick notes + 1 personalisation = 72.
bool Generate(const QString& path, int units)
{
    QFile::remove(path);
    if (!QFile::copy(kTemplate, path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection c;
    if (!c.Open(path))
        return false;
    const QSqlDatabase db = c.Database();
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    CTransaction transaction(db);
    for (const Statement& s : UnitStatements() + ListStatements() + ExtraStatements()) {
        if (!Insert(db, s, units))
            return false;
    }
    return transaction.Commit();
}

struct Pair
{
    double ours = 1e9;
    double baseline = 1e9;
};

// Best of repeat runs of each, taken in turns so that a busy moment of the machine hits both alike.
Pair Best(int repeat, const std::function<void()>& prepareOurs, const std::function<bool()>& ours,
          const std::function<void()>& prepareBaseline, const std::function<bool()>& baseline)
{
    Pair best;
    for (int i = 0; i < repeat; ++i) {
        for (int side = 0; side < 2; ++side) {
            (side == 0 ? prepareOurs : prepareBaseline)();
            QElapsedTimer timer;
            timer.start();
            if (!(side == 0 ? ours : baseline)()) {
                std::fprintf(stderr, "a run failed\n");
                return Pair{-1, -1};
            }
            double& slot = side == 0 ? best.ours : best.baseline;
            slot = std::min(slot, timer.nsecsElapsed() / 1e9);
        }
    }
    return best;
}

bool Tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void Copy(const QString& from, const QString& to)
{
    QFile::remove(to);
    QFile::copy(from, to);
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
}

bool VacuumInto(const QString& from, const QString& to)
{
    QFile::remove(to);
    CFleetConnection c;
    if (!c.Open(from))
        return false;
    QSqlQuery q(c.Database());
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(to);
    return q.exec();
}

// Every unit table copied with plain SQL, into a fleet held open exclusively.
bool PlainInsertSelect(const QString& source, const QString& target)
{
    CFleetConnection c;
    if (!c.Open(target, CFleetConnection::Mode::Exclusive))
        return false;
    QSqlQuery q(c.Database());
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS src"));
    q.addBindValue(source);
    if (!q.exec())
        return false;
    {
        CTransaction t(c.Database());
        for (const QString& table : CAppendFile::PairTables()) {
            if (table == QLatin1String("talk_grp_header"))
                continue;
            if (!q.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM src.%1").arg(table)))
                return false;
        }
        if (!t.Commit())
            return false;
    }
    return q.exec(QStringLiteral("DETACH DATABASE src"));
}

bool EngineCopy(const QString& source, const QString& target)
{
    CFleetConnection dst;
    CFleetConnection src;
    if (!dst.Open(target, CFleetConnection::Mode::Exclusive) || !src.Open(source))
        return false;
    CAppendFile engine(dst.Database(), src.Database());
    engine.CopyAllUnits();
    return !engine.CopiedImeis().isEmpty();
}

struct Options
{
    QList<int> sizes{100, 1000, 10000};
    int repeat = 3;
    QString folder;
    bool keep = false;
};

Options ParseOptions(const QStringList& args)
{
    Options o;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sizes")) {
            o.sizes.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(',')))
                o.sizes << s.toInt();
        } else if (args[i] == QLatin1String("--repeat")) {
            o.repeat = std::max(1, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--folder")) {
            o.folder = args[i + 1];
        } else if (args[i] == QLatin1String("--keep")) {
            o.keep = args[i + 1] == QLatin1String("1");
        }
    }
    return o;
}

// The whole append command on a document, with the file stored back at its end; negative on failure.
double AppendCommand(const QString& folder, const QString& fleet, const QString& work, const QString& target,
                     int repeat)
{
    CFleetContext context(CFleetSettings::ForProgramFolder(folder));
    context.SetSettings([&] {
        CFleetSettings s = CFleetSettings::ForProgramFolder(folder);
        s.templatePath = kTemplate;
        return s;
    }());
    double command = 1e9;
    for (int i = 0; i < repeat; ++i) {
        Copy(kTemplate, target);
        Copy(fleet, work);
        QElapsedTimer timer;
        timer.start();
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(target, errors) || !CAppendFile::AppendFleetFile(doc, work, nullptr, errors))
            return -1;
        doc.OnCloseDocument();
        command = std::min(command, timer.nsecsElapsed() / 1e9);
    }
    return command;
}

int CountRows(const QString& fleet)
{
    int rows = 0;
    CFleetConnection c;
    c.Open(fleet);
    QSqlQuery q(c.Database());
    for (const QString& table : CAppendFile::PairTables()) {
        if (q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(table)) && q.next())
            rows += q.value(0).toInt();
    }
    return rows;
}

// Generates a fleet of the given size, times every operation on it and prints one line; false on failure.
bool BenchOneSize(const Options& o, const QString& zstd, int units)
{
    const QString& folder = o.folder;
    const int repeat = o.repeat;
    const QString fleet = folder + QStringLiteral("/fleet%1.vlf").arg(units);
    if (!Generate(fleet, units))
        return false;
    const double mb = QFileInfo(fleet).size() / 1e6;
    const QString work = folder + QStringLiteral("/work.vlf");
    const QString compact = folder + QStringLiteral("/compact.db");
    const QString packed = folder + QStringLiteral("/compact.db.zst");
    const QString target = folder + QStringLiteral("/target.vlf");
    const QString unpacked = folder + QStringLiteral("/unpacked.db");

    const Pair store = Best(
        repeat, [&] { Copy(fleet, work); },
        [&] { return CFleetFile::StoreFleetFile(work) && CFleetFile::IsStoredForm(work); },
        [&] { QFile::remove(packed); },
        [&] {
            return VacuumInto(fleet, compact) && Tool(zstd, {"-3", "-q", "-f", compact, "-o", packed});
        });
    const QString stored = folder + QStringLiteral("/stored.vlf");
    Copy(work, stored);
    const Pair expand = Best(
        repeat, [&] { Copy(stored, work); }, [&] { return CFleetFile::ExpandFleetFile(work); },
        [&] { QFile::remove(unpacked); },
        [&] {
            return Tool(zstd, {"-d", "-q", "-f", stored, "-o", unpacked});
        });
    const Pair append = Best(
        repeat, [&] { Copy(kTemplate, target); }, [&] { return EngineCopy(fleet, target); },
        [&] { Copy(kTemplate, target); }, [&] { return PlainInsertSelect(fleet, target); });
    const double command = AppendCommand(folder, fleet, work, target, repeat);
    if (command < 0)
        return false;

    std::printf("%-7d %8d %9.1f | %6.3f / %6.3f s = %5.2fx | %6.3f / %6.3f s = %5.2fx | %6.3f / %6.3f s "
                "= %5.2fx | %6.3f s\n",
                units, CountRows(fleet), mb, store.ours, store.baseline, store.ours / store.baseline,
                expand.ours, expand.baseline, expand.ours / expand.baseline, append.ours, append.baseline,
                append.ours / append.baseline, command);
    std::fflush(stdout);
    // --keep leaves the generated fleet and its stored form for a closer look.
    for (const QString& f : {fleet, work, compact, packed, target, unpacked, stored}) {
        if (!o.keep || (f != fleet && f != stored))
            QFile::remove(f);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options = ParseOptions(app.arguments());
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/velmora-bench-XXXXXX"));
    if (options.folder.isEmpty())
        options.folder = temp.path();
    QDir().mkpath(options.folder);
    const QString zstd = QStandardPaths::findExecutable(QStringLiteral("zstd"));
    if (zstd.isEmpty()) {
        std::fprintf(stderr, "zstd is not installed\n");
        return 1;
    }

    std::printf("%-7s %8s %9s | %-28s | %-28s | %-28s | %s\n", "units", "rows", "MB",
                "store  (ours / baseline)", "expand (ours / baseline)", "append (ours / baseline)",
                "append command");
    for (int units : options.sizes) {
        if (!BenchOneSize(options, zstd, units))
            return 1;
    }
    return 0;
}
