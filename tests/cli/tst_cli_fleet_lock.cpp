// Two programs on one fleet, a stopped session's backup, and runs ended by a signal.
#include "CCliSignals.h"
#include "CCliTestRun.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CFleetLock.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

QString Exe()
{
    return qEnvironmentVariable("VELMORA_BIN_DIR") + QStringLiteral("/velmora-cli");
}

// The IMEIs of a fleet file, stored or plain, read from a copy.
QStringList Imeis(const QString& path, const QString& scratch)
{
    QFile::remove(scratch);
    if (!QFile::copy(path, scratch))
        return {QStringLiteral("<no copy>")};
    QFile::setPermissions(scratch, QFile::ReadOwner | QFile::WriteOwner);
    if (CFleetFile::IsStoredForm(scratch) && !CFleetFile::ExpandFleetFile(scratch))
        return {QStringLiteral("<damaged>")};
    CFleetConnection c;
    if (!c.Open(scratch))
        return {QStringLiteral("<no database>")};
    QStringList imeis;
    QSqlQuery query(c.Database());
    query.exec(QStringLiteral("SELECT unit_imei_num FROM unit_details ORDER BY unit_imei_num"));
    while (query.next())
        imeis << query.value(0).toString();
    return imeis;
}

QStringList CliFolders(const QString& tmp)
{
    return QDir(tmp).entryList({QStringLiteral("velmora-cli-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

class TestCliFleetLock : public QObject
{
    Q_OBJECT

private:
    QString m_dir;

    QString Fleet(const QString& name, const QList<CUnitSpec>& units, bool stored = true)
    {
        const QString path = m_dir + "/" + name;
        if (!CFleetFixtures::MakeFleet(path, units) || (stored && !CFleetFile::StoreFleetFile(path)))
            return QString();
        return path;
    }

    // Leaves a fleet as a program killed with it open leaves it: the changes after the last save in the
    // plain fleet file, the last saved state in its backup.
    bool Crash(const QString& path, const QString& deleteImei)
    {
        const QString backup = CVelmoraDoc::BackupPathFor(path);
        if (!CFleetFile::ExpandFleetFile(path) || !QFile::copy(path, backup))
            return false;
        CFleetConnection c;
        if (!c.Open(path))
            return false;
        QSqlQuery query(c.Database());
        query.prepare(QStringLiteral("DELETE FROM unit_details WHERE unit_imei_num = ?"));
        query.addBindValue(deleteImei);
        return query.exec() && query.numRowsAffected() == 1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_dir = CTestEnvironment::NewFolder("first");
        // The first run sets the program folder up; the runs below start together on a set-up one.
        QCOMPARE(Program({"--help"}).status, 0);
        QCOMPARE(Program({"info", Fleet("first.vlf", {})}).status, 0);
    }

    void init() { m_dir = CTestEnvironment::NewFolder("lock"); }

    void concurrentWritersLoseNoUpdate()
    {
        // Two deletes of different units started together, again and again: each either does its
        // deletion or is refused as the fleet is in use; none reports a deletion the file lacks.
        int refused = 0;
        for (int round = 0; round < 6; ++round) {
            const QList<CUnitSpec> units = CFleetFixtures::Units(40);
            const QString path = Fleet(QStringLiteral("pair%1.vlf").arg(round), units);
            QVERIFY(!path.isEmpty());
            QProcess first;
            QProcess second;
            first.start(Exe(), {"delete", path, units.at(3).imei});
            QTest::qWait(round * 10);
            second.start(Exe(), {"delete", path, units.at(7).imei});
            QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
            QStringList expected;
            for (const CUnitSpec& unit : units)
                expected << unit.imei;
            for (auto* run : {&first, &second}) {
                const QString err = QString::fromUtf8(run->readAllStandardError());
                const QString imei = run == &first ? units.at(3).imei : units.at(7).imei;
                if (run->exitCode() == 0) {
                    expected.removeAll(imei);
                } else {
                    QVERIFY2(err.contains("error 1873: "), qPrintable(err));
                    ++refused;
                }
            }
            expected.sort();
            QCOMPARE(Imeis(path, m_dir + "/look.vlf"), expected);
            QVERIFY(CFleetFile::IsStoredForm(path));
            QVERIFY(!QFile::exists(CFleetLock::LockPathFor(path)));
        }
        qInfo("refused writers: %d of 12", refused);
    }

    void aHeldFleetIsRefusedNamingItsHolder()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString path = Fleet("held.vlf", units);
        const QByteArray before = CFleetFixtures::Bytes(path);
        CFleetLock lock;
        QVERIFY(!lock.Lock(path));
        const QString holder = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        for (const QStringList& args : {QStringList{"delete", path, units.at(0).imei},
                                        QStringList{"expand", path}, QStringList{"units", path}}) {
            const CCliRun run = Program(args);
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("error 1873: ") && run.err.contains(holder) &&
                         run.err.contains(QString::number(QCoreApplication::applicationPid())),
                     qPrintable(run.err));
        }
        QCOMPARE(CFleetFixtures::Bytes(path), before);
        lock.Unlock();
        QCOMPARE(Program({"delete", path, units.at(0).imei}).status, 0);
    }

    void aStoppedSessionIsSettledOnlyByTheUsersChoice()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(4);
        const QString path = Fleet("crash.vlf", units);
        const QString backup = CVelmoraDoc::BackupPathFor(path);
        QVERIFY(Crash(path, units.at(0).imei));
        const QByteArray fleetBytes = CFleetFixtures::Bytes(path);
        const QByteArray backupBytes = CFleetFixtures::Bytes(backup);

        // Neither option: refused naming both, and both files stay as they are.
        const CCliRun undecided = Cli({"delete", path, units.at(1).imei});
        QCOMPARE(undecided.status, 1);
        QVERIFY2(undecided.err.contains("question 1875: ") && undecided.err.contains("--keep-unsaved") &&
                     undecided.err.contains("--last-saved"),
                 qPrintable(undecided.err));
        QCOMPARE(CFleetFixtures::Bytes(path), fleetBytes);
        QCOMPARE(CFleetFixtures::Bytes(backup), backupBytes);
        // A fleet read or appended from elsewhere is not decided behind the user's back either.
        const CCliRun append = Cli({"append", Fleet("dest.vlf", {}), path});
        QVERIFY2(append.status == 1 && append.err.contains("7996"), qPrintable(append.err));
        QCOMPARE(CFleetFixtures::Bytes(backup), backupBytes);

        QCOMPARE(Cli({"delete", path, units.at(1).imei, "--keep-unsaved", "--last-saved"}).status, 2);

        // Back to the last save: the unit deleted after it is there again, and the command's own work
        // is done on that state.
        const CCliRun last = Cli({"delete", path, units.at(1).imei, "--last-saved"});
        QVERIFY2(last.status == 0, qPrintable(last.err));
        QCOMPARE(Imeis(path, m_dir + "/look.vlf"),
                 (QStringList{units.at(0).imei, units.at(2).imei, units.at(3).imei}));
        QVERIFY(!QFile::exists(backup));

        QVERIFY(Crash(path, units.at(2).imei));
        const CCliRun keep = Cli({"delete", path, units.at(3).imei, "--keep-unsaved"});
        QVERIFY2(keep.status == 0, qPrintable(keep.err));
        QCOMPARE(Imeis(path, m_dir + "/look.vlf"), QStringList{units.at(0).imei});
        QVERIFY(!QFile::exists(backup));
    }

    void aSignalBeforeTheCommitKeepsNothing()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString path = Fleet("signal.vlf", units);
        const QByteArray before = CFleetFixtures::Bytes(path);
        {
            CCliSignals::CHold hold;
            QCOMPARE(::raise(SIGTERM), 0);
            QCOMPARE(CCliSignals::Pending(), SIGTERM);
            const CCliRun run = Cli({"delete", path, units.at(0).imei});
            QCOMPARE(run.status, 1);
            QCOMPARE(CCliSignals::Take(), SIGTERM);
            QCOMPARE(CCliSignals::Pending(), 0);
        }
        QCOMPARE(CFleetFixtures::Bytes(path), before);
        QVERIFY(!QFile::exists(CVelmoraDoc::BackupPathFor(path)));
    }

    void signalledRunsLeaveNoCopies()
    {
        const QString tmp = CTestEnvironment::NewFolder("tmp");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp);
        const QList<CUnitSpec> units = CFleetFixtures::Units(1500);
        const QString path = Fleet("big.vlf", units);
        const QByteArray before = CFleetFixtures::Bytes(path);
        int stopped = 0;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            for (const QStringList& args :
                 {QStringList{"units", path}, QStringList{"delete", path, units.at(5).imei}}) {
                QProcess run;
                run.setProcessEnvironment(env);
                run.start(Exe(), args);
                QVERIFY(run.waitForStarted());
                // The signal comes while the run has its copy of the fleet.
                const qint64 pid = run.processId();
                while (CliFolders(tmp).isEmpty() && !run.waitForFinished(2)) {
                }
                ::kill(pid_t(pid), signal);
                QVERIFY(run.waitForFinished(60000));
                // Ended by the signal's own status after cleaning up, or done before it came.
                QCOMPARE(run.exitStatus(), QProcess::NormalExit);
                QVERIFY2(run.exitCode() == 128 + signal || run.exitCode() == 0,
                         qPrintable(QString::number(run.exitCode()) + run.readAllStandardError()));
                QCOMPARE(CliFolders(tmp), QStringList());
                if (run.exitCode() != 0) {
                    ++stopped;
                    QCOMPARE(CFleetFixtures::Bytes(path), before);
                }
                QVERIFY(!QFile::exists(CVelmoraDoc::BackupPathFor(path)));
            }
        }
        qInfo("runs stopped by the signal: %d of 6", stopped);
    }

    void firstRunsStartedTogetherAllStart()
    {
        // A fresh account: every run sets the program folder up at once.
        const QString home = CTestEnvironment::NewFolder("fresh");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home + "/config");
        env.insert("XDG_DATA_HOME", home + "/data");
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int i = 0; i < 4; ++i) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->setProcessEnvironment(env);
            runs.back()->start(Exe(), {"new", QStringLiteral("%1/f%2.vlf").arg(home).arg(i)});
        }
        for (const auto& run : runs) {
            QVERIFY(run->waitForFinished(60000));
            QVERIFY2(run->exitCode() == 0, run->readAllStandardError().constData());
        }
        QVERIFY(QFile::exists(home + "/data/Velmora/VelmoraVLF.vdf"));
        QCOMPARE(QDir(home + "/data/Velmora").entryList({"*.??????"}, QDir::Files), QStringList());
    }

    void foldersOfRunsThatDiedAreRemoved()
    {
        const QString tmp = CTestEnvironment::NewFolder("tmp2");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp);
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() > 0 ? gone.processId() : 999999;
        const QString dead = QStringLiteral("%1/velmora-cli-%2-abc123").arg(tmp).arg(deadPid);
        const QString alive =
            QStringLiteral("%1/velmora-cli-%2-xyz789").arg(tmp).arg(QCoreApplication::applicationPid());
        const QString foreign = tmp + "/velmora-cli-notes";
        for (const QString& dir : {dead, alive, foreign}) {
            QVERIFY(QDir().mkpath(dir));
            QFile f(dir + "/original");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // The instance socket a killed run left: a file of its own kind in the temporary folder.
        const QString socket =
            QStringLiteral("%1/velmora-velmora-cli-%2-1-%3").arg(tmp).arg(deadPid).arg(::getuid());
        QVERIFY(CFleetFixtures::WriteBytes(socket, QByteArray()));
        const CCliRun run = Program({"info", Fleet("any.vlf", CFleetFixtures::Units(1))}, env);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(dead));
        QVERIFY(!QFileInfo::exists(socket));
        QVERIFY(QFileInfo::exists(alive + "/original"));
        QVERIFY(QFileInfo::exists(foreign + "/original"));
    }
};

VELMORA_TEST_MAIN(TestCliFleetLock)
#include "tst_cli_fleet_lock.moc"
