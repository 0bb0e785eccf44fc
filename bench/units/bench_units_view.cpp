// bench_units_view: how long a fleet takes from opening to the first painted rows of its units grid.
//
//   bench_units_view [--sizes 100,1000,10000] [--repeat 3] [--folder DIR]
//
// For each fleet size it generates a fleet with realistic lists (about 50 rows per unit) and prints
// the best of --repeat runs of:
//   open      the fleet document opens the stored file (expand, backup copy, schema check, exclusive
//             open)
//   paint     the units grid is made, shown and painted once (what the user first sees)
//   total     open + paint
//   blocks    blocks of rows the grid read for that first picture
// and, for information, what reading every row would cost (a sweep over the whole table), which
// the grid never does at opening.

#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CUnitsView.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

QString Imei(int u)
{
    return QStringLiteral("35%1").arg(u, 13, 10, QLatin1Char('0'));
}

bool Exec(const QSqlDatabase& db, const QString& sql, int units, int rows,
          const std::function<QVariantList(int, int)>& values)
{
    QSqlQuery q(db);
    if (!q.prepare(sql)) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        return false;
    }
    for (int u = 0; u < units; ++u) {
        for (int r = 1; r <= rows; ++r) {
            for (const QVariant& v : values(u, r))
                q.addBindValue(v);
            if (!q.exec()) {
                std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
                return false;
            }
        }
    }
    return true;
}

bool Generate(const QString& path, int units)
{
    QFile::remove(path);
    if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection c;
    if (!c.Open(path))
        return false;
    const QSqlDatabase db = c.Database();
    QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    CTransaction transaction(db);
    const bool ok =
        Exec(db,
             "INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, unit_phone_num_nam1, "
             "unit_currentNAMSelection, unit_display_prvt_id, unit_private_nam1_urban_id, "
             "unit_private_nam1_fleet_id, unit_private_nam1_member_id, unit_cross_fleet_enable, "
             "unit_ip_address, units_comments, unit_sim_version, unit_prod_release_id) "
             "VALUES (?, ?, ?, ?, 1, ?, 12, 34, ?, 1, '10.1.2.3', ?, 3, 0)",
             units, 1,
             [](int u, int) {
                 return QVariantList{QStringLiteral("User %1").arg(u),
                                     Imei(u),
                                     105 + (u % 2) * 9,
                                     QStringLiteral("05212%1").arg(u),
                                     QStringLiteral("12*34*%1").arg(u % 60000 + 1),
                                     u % 60000 + 1,
                                     QStringLiteral("Driver of truck %1").arg(u)};
             }) &&
        Exec(db, "INSERT INTO unit_phone_ergo_settings (unit_imei_num, unit_vadk) VALUES (?, 1)", units, 1,
             [](int u, int) { return QVariantList{Imei(u)}; }) &&
        Exec(db,
             "INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, unit_name, "
             "unit_program_flag, unit_language) VALUES (?, ?, ?, ?, 1, 2)",
             units, 20,
             [](int u, int r) {
                 return QVariantList{Imei(u), r, QStringLiteral("0541234%1").arg(r),
                                     QStringLiteral("Contact %1 of user %2").arg(r).arg(u)};
             }) &&
        Exec(db,
             "INSERT INTO unit_private_details (unit_imei_num, unit_nam, unit_urban_id, unit_fleet_id, "
             "unit_member_id, unit_name, unit_loc_no, unit_program_flag) VALUES (?, 1, 12, 34, ?, ?, ?, 1)",
             units, 12,
             [](int u, int r) {
                 return QVariantList{Imei(u), r, QStringLiteral("Private %1").arg(r), r};
             }) &&
        Exec(db,
             "INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, unit_loc_no, "
             "unit_program_flag) VALUES (?, 1, ?, ?, ?, 1)",
             units, 16, [](int u, int r) {
                 return QVariantList{Imei(u), 1000 + r, QStringLiteral("Talkgroup %1").arg(r), r};
             });
    return ok && transaction.Commit();
}

double Best(const QList<double>& times)
{
    return times.isEmpty() ? 0 : *std::min_element(times.begin(), times.end());
}

struct Settings
{
    std::unique_ptr<CModelRules> rules;
    CUnitsSettings units;
};

bool Prepare(const QString& programFolder, Settings& settings)
{
    for (const char* name : {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang"}) {
        if (!QFile::copy(kShare + QLatin1Char('/') + QLatin1String(name),
                         programFolder + QLatin1Char('/') + QLatin1String(name)))
            return false;
        QFile::setPermissions(programFolder + QLatin1Char('/') + QLatin1String(name),
                              QFile::ReadOwner | QFile::WriteOwner);
    }
    CVelmoraWrap::SetAppPath(programFolder);
    auto strings = std::make_shared<CResourceStrings>();
    if (!strings->Load(programFolder + QStringLiteral("/VelmoraRes.lang")))
        return false;
    CVelmoraWrap::SetResourceStrings(strings);
    QSqlDatabase app = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_appdb"));
    app.setDatabaseName(programFolder + QStringLiteral("/VelmoraDB.vdf"));
    if (!app.open())
        return false;
    settings.rules = std::make_unique<CModelRules>(app);
    QString list;
    if (settings.rules->BuildModelList(list) || list.isEmpty() || settings.rules->LoadInternationalLists())
        return false;
    settings.units.rules = settings.rules.get();
    settings.units.modelList = list;
    settings.units.faxLabel = QStringLiteral("Fax");
    return true;
}

struct Options
{
    QList<int> sizes{100, 1000, 10000};
    int repeat = 3;
    QString folder;
};

Options ParseOptions(const QStringList& args, const QString& scratch)
{
    Options o;
    o.folder = scratch;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sizes")) {
            o.sizes.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(',')))
                o.sizes << s.toInt();
        } else if (args[i] == QLatin1String("--repeat")) {
            o.repeat = qMax(1, args[i + 1].toInt());
        } else if (args[i] == QLatin1String("--folder")) {
            o.folder = args[i + 1];
        }
    }
    return o;
}

struct Timings
{
    QList<double> open, paint, total, sweep;
    int blocks = 0;
};

// One run: open the fleet, show and paint its units grid once, then read every row for comparison.
bool TimeOneRun(CFleetContext& context, const Settings& settings, const QString& path, Timings& t)
{
    QElapsedTimer timer;
    timer.start();
    CVelmoraDoc doc(context);
    CFleetErrors errors;
    if (!doc.OnOpenDocument(path, errors)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return false;
    }
    const double opened = timer.nsecsElapsed() / 1e6;
    {
        CUnitsView view(doc, settings.units);
        view.resize(1100, 700);
        view.show();
        const QPixmap first = view.grab();
        const double painted = timer.nsecsElapsed() / 1e6;
        t.blocks = view.Model()->BlocksRead();
        t.open << opened;
        t.paint << painted - opened;
        t.total << painted;
        if (first.isNull())
            return false;
        QElapsedTimer all;
        all.start();
        for (int row = 1; row <= view.Model()->UnitCount(); ++row)
            view.Model()->CellText(row, 1);
        t.sweep << all.nsecsElapsed() / 1e6;
    }
    doc.OnCloseDocument();
    return true;
}

// Generates a fleet of the given size, times repeat runs on it and prints one line; false on failure.
bool BenchOneSize(CFleetContext& context, const Settings& settings, const Options& o, int size)
{
    const QString path = o.folder + QStringLiteral("/fleet%1.vlf").arg(size);
    if (!Generate(path, size)) {
        std::fprintf(stderr, "cannot generate %s\n", qPrintable(path));
        return false;
    }
    {
        // A fleet lies on disk in its stored form, as the program leaves it when it closes.
        CVelmoraDoc doc(context);
        CFleetErrors errors;
        if (!doc.OnOpenDocument(path, errors))
            return false;
        doc.OnCloseDocument();
    }
    Timings t;
    for (int r = 0; r < o.repeat; ++r) {
        if (!TimeOneRun(context, settings, path, t))
            return false;
    }
    std::printf("%8d %10.1f %10.1f %10.1f %7d %14.1f\n", size, Best(t.open), Best(t.paint), Best(t.total),
                t.blocks, Best(t.sweep));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    // The settings store of the run is its own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);

    const Options options = ParseOptions(application.arguments(), scratch.path());
    const QString programFolder = options.folder + QStringLiteral("/program");
    QDir().mkpath(programFolder);
    Settings settings;
    if (!Prepare(programFolder, settings)) {
        std::fprintf(stderr, "cannot prepare the program folder from %s\n", qPrintable(kShare));
        return 1;
    }
    CFleetContext context(CFleetSettings::ForProgramFolder(programFolder));

    std::printf("%8s %10s %10s %10s %7s %14s\n", "units", "open ms", "paint ms", "total ms", "blocks",
                "all rows ms");
    for (int size : options.sizes) {
        if (!BenchOneSize(context, settings, options, size))
            return 1;
    }
    return 0;
}
