// bench_talkgroup: the talkgroup manager on generated fleets.
//
//   bench_talkgroup [--sizes 1000,10000] [--repeat 3]
//
// Each fleet has 16 programmed talkgroups per unit on NAM1. For each size it prints the best of
// --repeat runs of:
//   show      the manager's window is made and shown for the first time: units listed, the index
//             rebuilt from every unit's list, the NAM's talkgroups and the first one's members filled
//   add all   a new talkgroup added to every unit in one go (location rule per unit, one transaction)
//   remove    the same talkgroup removed from every unit again

#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTGDlg.h"
#include "CTransaction.h"
#include "CVelmoraDoc.h"
#include "CVelmoraGridWnd.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
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
    CTransaction transaction(db);
    QSqlQuery unit(db), tg(db);
    unit.prepare(QStringLiteral("INSERT INTO unit_details (unit_user_name, unit_imei_num, unit_model_type, "
                                "unit_display_prvt_id, unit_prod_release_id) VALUES (?, ?, ?, ?, 0)"));
    tg.prepare(
        QStringLiteral("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, "
                       "unit_loc_no, unit_program_flag, unit_language) VALUES (?, 1, ?, ?, ?, 1, 0)"));
    for (int u = 0; u < units; ++u) {
        for (const QVariant& v : QVariantList{QStringLiteral("User %1").arg(u), Imei(u), 105 + (u % 2) * 9,
                                              QStringLiteral("12*34*%1").arg(u % 60000 + 1)})
            unit.addBindValue(v);
        if (!unit.exec())
            return false;
        for (int r = 1; r <= 16; ++r) {
            // Every unit skips location 9, so the add lands after a gap.
            const int location = r < 9 ? r : r + 1;
            for (const QVariant& v :
                 QVariantList{Imei(u), 100 + (u + r) % 40, QStringLiteral("Group %1").arg(r), location})
                tg.addBindValue(v);
            if (!tg.exec())
                return false;
        }
    }
    return transaction.Commit();
}

double Best(const QList<double>& times)
{
    return times.isEmpty() ? 0 : *std::min_element(times.begin(), times.end());
}

double Ms(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/config")));
    QApplication application(argc, argv);
    QList<int> sizes{1000, 10000};
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

    const QString program = scratch.path();
    for (const char* name : {"Carrier.ini", "VelmoraDB.vdf", "VelmoraVLF.vdf", "VelmoraRes.lang"}) {
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
    CFleetContext context(CFleetSettings::ForProgramFolder(program));

    std::printf("%8s %10s %10s %10s\n", "units", "show ms", "add ms", "remove ms");
    for (int size : sizes) {
        const QString path = scratch.path() + QStringLiteral("/bench_%1.vlf").arg(size);
        if (!Generate(path, size)) {
            std::fprintf(stderr, "cannot generate a fleet of %d units\n", size);
            return 1;
        }
        QList<double> show, add, remove;
        for (int run = 0; run < repeat; ++run) {
            CVelmoraDoc doc(context);
            CFleetErrors errors;
            if (!doc.OnOpenDocument(path, errors))
                return 1;
            CTGDlgSettings settings;
            settings.namCount = [] { return 3; };
            settings.capacityOf = CTalkgroupManager::CapacitiesOf(rules);
            QElapsedTimer timer;
            timer.start();
            {
                CTGDlg view(doc, settings);
                view.resize(1100, 600);
                view.show();
                view.Activate();
                view.grab();
                show << Ms(timer);
                if (view.Units()->RowCount() != size)
                    std::fprintf(stderr, "the window lists %d units\n", view.Units()->RowCount());
            }
            {
                CTalkgroupManager manager(doc.Database(), settings.capacityOf);
                const QList<CTalkgroupManager::Unit> units = manager.Units(false, QString());
                timer.restart();
                const CTalkgroupManager::AddResult result =
                    manager.AddUnits({1, 250, QStringLiteral("Bench")}, units);
                add << Ms(timer);
                if (result.error || result.added.size() != size)
                    std::fprintf(stderr, "add: %s, %d added\n", qPrintable(result.error.ToText()),
                                 int(result.added.size()));
                QStringList imeis;
                for (const CTalkgroupManager::Unit& u : units)
                    imeis << u.imei;
                timer.restart();
                if (manager.RemoveMembers({1, 250, QStringLiteral("Bench")}, imeis))
                    std::fprintf(stderr, "remove failed\n");
                remove << Ms(timer);
            }
            doc.OnCloseDocument();
        }
        std::printf("%8d %10.1f %10.1f %10.1f\n", size, Best(show), Best(add), Best(remove));
    }
    return 0;
}
