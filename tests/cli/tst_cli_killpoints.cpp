// velmora-cli killed at every rename (and a few of the disk flushes) of store, expand and append: the
// fleet it leaves is whole, its database intact, and it holds the units of either before or after the
// command, never a mixture. Delete and upgrade open and close a fleet as append does;
// scripts/fleet-campaign.sh kills those too. The kills come from a preloaded library
// (tests/support/killpoint), so the program carries no test hooks.

#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

// At most this many flush kills per command: SQLite flushes often and every run starts the program.
constexpr int kFlushKills = 3;

QStringList SortedImeis(const QList<CUnitSpec>& units)
{
    QStringList imeis;
    for (const CUnitSpec& unit : units)
        imeis << unit.imei;
    imeis.sort();
    return imeis;
}

// How a run of the program ended.
struct CKillRun
{
    bool finished = false; // false: still running after a minute
    bool killed = false;
    int status = -1;
    QString err;
};

struct CKillCase
{
    QString name;
    // Makes the fleet (and whatever else the command needs) in a folder; returns the command's arguments.
    std::function<QStringList(const QString& folder)> prepare;
    QStringList before;
    QStringList after;
};

} // namespace

class TestCliKillPoints : public QObject
{
    Q_OBJECT

private:
    QString m_programFolder;

    QProcessEnvironment Environment(const QString& folder, const QString& killAt, const QString& log) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", VELMORA_KILLPOINT_LIB);
        env.insert("VELMORA_KILL_MATCH", folder);
        // A program built with AddressSanitizer wants its runtime loaded first; the preloaded
        // library comes before it and carries no instrumentation of its own.
        const QString asan = env.value("ASAN_OPTIONS");
        env.insert("ASAN_OPTIONS", (asan.isEmpty() ? QString() : asan + ":") + "verify_asan_link_order=0");
        if (!killAt.isEmpty())
            env.insert("VELMORA_KILL_AT", killAt);
        if (!log.isEmpty())
            env.insert("VELMORA_KILL_LOG", log);
        return env;
    }

    // Runs the command on the fleet in folder; only renames and flushes there count.
    CKillRun Run(const QString& folder, const QStringList& args, const QString& killAt,
                 const QString& log = QString()) const
    {
        QProcess process;
        process.setProcessEnvironment(Environment(folder, killAt, log));
        process.start(qEnvironmentVariable("VELMORA_BIN_DIR") + "/velmora-cli",
                      QStringList{"--program-folder", m_programFolder} + args);
        CKillRun run;
        run.finished = process.waitForFinished(60000);
        if (!run.finished) {
            process.kill();
            process.waitForFinished();
        }
        run.killed = process.exitStatus() == QProcess::CrashExit;
        run.status = process.exitCode();
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    // The renames and flushes of one undisturbed run.
    void CountCalls(const CKillCase& c, int& renames, int& flushes) const
    {
        const QString folder = CTestEnvironment::NewFolder(c.name + "-count");
        const QString log = folder + "/calls.log";
        const CKillRun run = Run(folder, c.prepare(folder), QString(), log);
        QVERIFY2(run.finished && !run.killed && run.status == 0, qPrintable(run.err));
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        renames = static_cast<int>(std::count_if(
            lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("rename "); }));
        flushes = static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                                 [](const QByteArray& l) { return l.startsWith("fsync "); }));
        QVERIFY2(renames > 0, qPrintable(c.name + ": no rename seen; the kills would test nothing"));
        // What the command left must pass the same check.
        QCOMPARE(WholeFleet(folder + "/fleet.vlf", c.after, c.after), QString());
    }

    // Empty when path is a whole fleet holding the units `before` or `after`; else what is wrong.
    static QString WholeFleet(const QString& path, const QStringList& before, const QStringList& after)
    {
        if (!QFileInfo(path).isFile())
            return "the fleet is gone";
        // A copy with its rollback journal, as the next open would find them.
        const QString look = CTestEnvironment::NewFolder("look") + "/fleet.vlf";
        for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")}) {
            if (QFileInfo::exists(path + suffix) && !QFile::copy(path + suffix, look + suffix))
                return "cannot copy " + path + suffix;
        }
        if (CFleetFile::IsStoredForm(look) && !CFleetFile::ExpandFleetFile(look))
            return "a stored fleet that does not expand";
        CFleetConnection connection;
        if (!connection.Open(look))
            return "no database: " + connection.LastErrorText();
        QSqlQuery check(connection.Database());
        if (!check.exec("PRAGMA integrity_check") || !check.next() || check.value(0).toString() != "ok")
            return "integrity check: " + check.value(0).toString();
        QSqlQuery query(connection.Database());
        if (!query.exec("SELECT unit_imei_num FROM unit_details ORDER BY unit_imei_num"))
            return "no unit table";
        QStringList imeis;
        while (query.next())
            imeis << query.value(0).toString();
        if (imeis != before && imeis != after)
            return "units neither before nor after: " + imeis.join(' ');
        return QString();
    }

    // Kills the command at each kill point and checks the fleet each time.
    void KillEverywhere(const CKillCase& c)
    {
        int renames = 0;
        int flushes = 0;
        CountCalls(c, renames, flushes);
        if (QTest::currentTestFailed())
            return;
        QStringList points;
        for (int n = 1; n <= renames; ++n)
            points << QString("rename:%1").arg(n) << QString("rename:%1:after").arg(n);
        const int step = std::max(1, (flushes + kFlushKills - 1) / kFlushKills);
        for (int n = 1; n <= flushes; n += step)
            points << QString("fsync:%1:after").arg(n);
        qInfo("%s: %d renames, %d flushes, %d kill points", qPrintable(c.name), renames, flushes,
              int(points.size()));
        for (const QString& point : points) {
            const QString folder =
                CTestEnvironment::NewFolder(c.name + "-" + QString(point).replace(':', '-'));
            const CKillRun run = Run(folder, c.prepare(folder), point);
            // The kill point was reached: the program did not finish on its own.
            QVERIFY2(run.finished && run.killed,
                     qPrintable(c.name + " " + point + " was not killed: " + run.err));
            const QString wrong = WholeFleet(folder + "/fleet.vlf", c.before, c.after);
            QVERIFY2(wrong.isEmpty(), qPrintable(c.name + " killed at " + point + ": " + wrong));
        }
    }

    static QString Stored(const QString& path)
    {
        return CFleetFile::StoreFleetFile(path) && CFleetFile::IsStoredForm(path) ? path : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(VELMORA_KILLPOINT_LIB));
        m_programFolder = CTestEnvironment::NewFolder("program");
        // The first run fills the program folder; the kill runs find it ready.
        const CKillRun first = Run(m_programFolder, {"--help"}, QString());
        QVERIFY2(first.finished && first.status == 0, qPrintable(first.err));
    }

    void killedStore()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        KillEverywhere(
            {"store",
             [units](const QString& folder) {
                 const QString path = folder + "/fleet.vlf";
                 return CFleetFixtures::MakeFleet(path, units) ? QStringList{"store", path} : QStringList();
             },
             SortedImeis(units), SortedImeis(units)});
    }

    void killedExpand()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        KillEverywhere({"expand",
                        [units](const QString& folder) {
                            const QString path = folder + "/fleet.vlf";
                            return CFleetFixtures::MakeFleet(path, units) && !Stored(path).isEmpty()
                                       ? QStringList{"expand", path}
                                       : QStringList();
                        },
                        SortedImeis(units), SortedImeis(units)});
    }

    void killedAppend()
    {
        const QList<CUnitSpec> all = CFleetFixtures::Units(5);
        const QList<CUnitSpec> mine = all.mid(0, 3);
        const QList<CUnitSpec> theirs = all.mid(3);
        KillEverywhere({"append",
                        [mine, theirs](const QString& folder) {
                            const QString path = folder + "/fleet.vlf";
                            const QString source = folder + "/source.vlf";
                            return CFleetFixtures::MakeFleet(path, mine) && !Stored(path).isEmpty() &&
                                           CFleetFixtures::MakeFleet(source, theirs)
                                       ? QStringList{"append", path, source}
                                       : QStringList();
                        },
                        SortedImeis(mine), SortedImeis(all)});
    }
};

VELMORA_TEST_MAIN(TestCliKillPoints)
#include "tst_cli_killpoints.moc"
