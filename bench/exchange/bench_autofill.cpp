// bench_autofill: the whole-fleet auto fill on generated fleets.
//
//   bench_autofill [--sizes 100,300,1000] [--repeat 3]
//
// Every fleet mixes Alder units (consolidated call list) with units of a plain model (private-call
// list and phone list); each unit has a NAM1 number and a private id, and every fourth unit already
// has a few entries with a gap. For each size it prints the best of --repeat runs of the fill on a
// fresh copy of the fleet, with the entries added and the units whose lists ran full.

#include "CFleetAutoFill.h"
#include "CFleetConnection.h"
#include "CModelProfile.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTransaction.h"
#include "CVelmoraWrap.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

const QString kShare = QStringLiteral(VELMORA_SHARE_DIR);

QString Imei(int u)
{
    return QStringLiteral("35%1").arg(u, 13, 10, QLatin1Char('0'));
}

int PlainModel(const CModelRules& rules)
{
    for (int model = 1; model < 256; ++model) {
        CModelProfile p;
        if (rules.SetupListCapacities(model, false, p) && p.phoneClass != CModelRules::AlderPhoneClass &&
            p.capacities.phoneBook > 0 && p.capacities.privateList[0] > 0)
            return model;
    }
    return 0;
}

bool Generate(const QString& path, int units, int plainModel)
{
    QFile::remove(path);
    if (!QFile::copy(kShare + QStringLiteral("/VelmoraVLF.vdf"), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    CFleetConnection c;
    if (!c.Open(path))
        return false;
    const QSqlDatabase db = c.Database();
    CTransaction transaction(db);
    QSqlQuery unit(db), phone(db);
    unit.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                "unit_phone_num_nam1, unit_display_prvt_id, unit_prod_release_id) "
                                "VALUES (?, ?, ?, ?, ?, 0)"));
    phone.prepare(
        QStringLiteral("INSERT INTO unit_phone_details (unit_imei_num, unit_speed_dial, unit_phone_num, "
                       "unit_name, unit_program_flag, unit_language) VALUES (?, ?, ?, 'Office', 1, 0)"));
    for (int u = 0; u < units; ++u) {
        // One unit in three is an Alder.
        const int model = u % 3 == 0 ? 105 : plainModel;
        for (const QVariant& v : QVariantList{QStringLiteral("Bench user number %1").arg(u), Imei(u), model,
                                              QStringLiteral("05%1").arg(u, 8, 10, QLatin1Char('0')),
                                              QStringLiteral("12*34*%1").arg(u % 60000 + 1)})
            unit.addBindValue(v);
        if (!unit.exec())
            return false;
        if (u % 4 != 0 || model == 105)
            continue;
        for (int slot : {1, 2, 4}) {
            for (const QVariant& v : QVariantList{Imei(u), slot, QStringLiteral("0399%1").arg(slot)})
                phone.addBindValue(v);
            if (!phone.exec())
                return false;
        }
    }
    return transaction.Commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QList<int> sizes{100, 300, 1000};
    int repeat = 3;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& s : args[i + 1].split(QLatin1Char(',')))
                sizes << s.toInt();
        } else if (args[i] == QLatin1String("--repeat")) {
            repeat = qMax(1, args[i + 1].toInt());
        }
    }
    QTemporaryDir scratch;
    const QString program = scratch.path();
    for (const char* name : {"Carrier.ini", "VelmoraDB.vdf", "VelmoraRes.lang"}) {
        QFile::copy(kShare + QLatin1Char('/') + QLatin1String(name),
                    program + QLatin1Char('/') + QLatin1String(name));
        QFile::setPermissions(program + QLatin1Char('/') + QLatin1String(name),
                              QFile::ReadOwner | QFile::WriteOwner);
    }
    CVelmoraWrap::SetAppPath(program);
    auto strings = std::make_shared<CResourceStrings>();
    strings->Load(program + QStringLiteral("/VelmoraRes.lang"));
    CVelmoraWrap::SetResourceStrings(strings);
    QSqlDatabase appDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_appdb"));
    appDb.setDatabaseName(program + QStringLiteral("/VelmoraDB.vdf"));
    if (!appDb.open())
        return 1;
    CModelRules rules(appDb);
    QString list;
    if (rules.BuildModelList(list) || rules.LoadInternationalLists())
        return 1;
    const int plain = PlainModel(rules);
    std::printf("%-8s %12s %10s %10s\n", "units", "fill ms", "added", "full");
    for (int size : sizes) {
        const QString source = program + QStringLiteral("/gen%1.vlf").arg(size);
        if (!Generate(source, size, plain)) {
            std::fprintf(stderr, "cannot generate a fleet of %d units\n", size);
            return 1;
        }
        double best = -1;
        CFleetAutoFill::Report report;
        for (int r = 0; r < repeat; ++r) {
            const QString path = program + QStringLiteral("/run.vlf");
            QFile::remove(path);
            QFile::copy(source, path);
            CFleetConnection c;
            if (!c.Open(path, CFleetConnection::Mode::Exclusive))
                return 1;
            QElapsedTimer timer;
            timer.start();
            report = CFleetAutoFill(c.Database(), rules).Run([](int, int) { return true; });
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (report.error) {
                std::fprintf(stderr, "%s\n", qPrintable(report.error.ToText()));
                return 1;
            }
            best = best < 0 ? ms : std::min(best, ms);
        }
        std::printf("%-8d %12.1f %10d %10lld\n", size, best, report.added,
                    qlonglong(report.fullUnits.size()));
    }
    return 0;
}
