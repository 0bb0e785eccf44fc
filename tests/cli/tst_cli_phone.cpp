#include "AgentApi.h"
#include "CCliTestRun.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CPhoneTool.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

class TestCliPhone : public QObject
{
    Q_OBJECT

private:
    QString m_dir;
    QString m_folder; // the tool's program folder (its bench is "phones" in it)

    // velmora-phone on the tool's bench; answers the IMEI a create printed.
    QString Phone(const QStringList& args)
    {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        CPhoneTool tool(o, e);
        const int status = tool.Run(QStringList{"--program-folder", m_folder} + args);
        o.flush();
        e.flush();
        if (status != 0)
            qWarning("velmora-phone %s: %s", qPrintable(args.join(' ')), qPrintable(err));
        const QRegularExpressionMatch imei = QRegularExpression("IMEI (\\d+)").match(out);
        return status == 0 ? (imei.hasMatch() ? imei.captured(1) : QString("ok")) : QString();
    }
    QString Backups() const { return m_folder + "/Backup"; }
    // The units of a fleet file (stored or plain) as IMEI -> user name.
    QMap<QString, QString> Units(const QString& path)
    {
        QMap<QString, QString> units;
        const CCliRun run = Cli({"units", path, "--csv"});
        for (const QStringList& record : ParseCsv(run.out).mid(1))
            units.insert(record.value(0), record.value(1));
        return units;
    }
    bool Rename(const QString& path, const QString& imei, const QString& user)
    {
        if (CFleetFile::IsStoredForm(path) && !CFleetFile::ExpandFleetFile(path))
            return false;
        CFleetConnection c;
        if (!c.Open(path))
            return false;
        QSqlQuery q(c.Database());
        q.prepare("UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?");
        q.addBindValue(user);
        q.addBindValue(imei);
        return q.exec() && q.numRowsAffected() == 1;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // SIM phones wait seconds between steps; the bench needs no waiting.
        AgentSetDelayFunction([](int) {});
        // The first run sets up the tool's program folder with its bench.
        QCOMPARE(Cli({"new", CTestEnvironment::NewFolder("first") + "/first.vlf"}).status, 0);
        QVERIFY(CVelmoraWrap::GetRegistryValue("Velmora App Path", m_folder));
        QVERIFY(QDir(m_folder + "/phones").exists());
    }
    void init() { m_dir = CTestEnvironment::NewFolder("phone"); }

    void readIntoANewFleetAndWriteBack()
    {
        const QString imei = Phone({"create", "round", "--model", "70", "--serial", "11", "--user",
                                    "Field 11", "--connect", "--force"});
        QVERIFY(!imei.isEmpty());
        const QString fleet = m_dir + "/fleet.vlf";
        const CCliRun read = Cli({"read-phone", fleet});
        QVERIFY2(read.status == 0, qPrintable(read.err));
        QVERIFY2(read.out.contains(": read from the phone: unit " + imei + "; units in the fleet now: 1\n"),
                 qPrintable(read.out));
        QVERIFY(CFleetFile::IsStoredForm(fleet));
        QCOMPARE(Units(fleet), (QMap<QString, QString>{{imei, "Field 11"}}));

        // A change made in the fleet reaches the phone, and the phone's old codeplug is kept.
        QVERIFY(Rename(fleet, imei, "Renamed"));
        const QByteArray fleetBytes = Bytes(fleet);
        QFile::remove(Backups() + "/" + imei + ".dbf");
        const CCliRun written = Cli({"write-phone", fleet});
        QVERIFY2(written.status == 0, qPrintable(written.err));
        QVERIFY(written.err.contains("velmora: notice 1503: "));
        QVERIFY(QFile::exists(Backups() + "/" + imei + ".dbf"));
        QCOMPARE(Bytes(fleet), fleetBytes); // writing only reads the fleet

        const QString again = m_dir + "/again.vlf";
        QCOMPARE(Cli({"read-phone", again}).status, 0);
        QCOMPARE(Units(again), (QMap<QString, QString>{{imei, "Renamed"}}));
    }

    void readingAUnitTheFleetHoldsNeedsReplace()
    {
        const QString imei =
            Phone({"create", "twice", "--model", "70", "--serial", "12", "--connect", "--force"});
        const QString fleet = m_dir + "/twice.vlf";
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        const QString fromPhone = Units(fleet).value(imei);
        QVERIFY(!fromPhone.isEmpty());
        QVERIFY(Rename(fleet, imei, "kept"));
        const QByteArray bytes = Bytes(fleet);

        const CCliRun asked = Cli({"read-phone", fleet});
        QCOMPARE(asked.status, 1);
        QVERIFY(asked.err.contains("velmora: question 1604: "));
        QVERIFY(asked.err.contains("--replace"));
        QCOMPARE(Bytes(fleet), bytes);

        const CCliRun replaced = Cli({"read-phone", fleet, "--replace"});
        QVERIFY2(replaced.status == 0, qPrintable(replaced.err));
        QVERIFY2(replaced.out.endsWith(": the phone's unit was replaced; units in the fleet now: 1\n"),
                 qPrintable(replaced.out));
        QCOMPARE(Units(fleet).value(imei), fromPhone);
    }

    void aSimPhoneWithAPinNeedsIt()
    {
        const QString imei = Phone(
            {"create", "locked", "--model", "70", "--serial", "13", "--pin", "4321", "--connect", "--force"});
        const QString fleet = m_dir + "/locked.vlf";
        const CCliRun refused = Cli({"read-phone", fleet});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.err.contains("run again with --pin PIN"));
        QVERIFY(!QFile::exists(fleet)); // the new fleet is not left behind
        const CCliRun wrong = Cli({"read-phone", fleet, "--pin", "1111"});
        QCOMPARE(wrong.status, 1);
        QVERIFY(!QFile::exists(fleet));
        const CCliRun read = Cli({"read-phone", fleet, "--pin", "4321"});
        QVERIFY2(read.status == 0, qPrintable(read.err));
        QCOMPARE(Units(fleet).keys(), QStringList{imei});
    }

    void writeWithImeiRefusesAnotherPhone()
    {
        const QString fleet = m_dir + "/two.vlf";
        const QString first =
            Phone({"create", "first", "--model", "70", "--serial", "14", "--connect", "--force"});
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        const QString second =
            Phone({"create", "second", "--model", "70", "--serial", "15", "--connect", "--force"});
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        QCOMPARE(Units(fleet).size(), 2);

        // The second phone is on the cable: asking for the first unit must not program it.
        QFile::remove(Backups() + "/" + second + ".dbf");
        const CCliRun refused = Cli({"write-phone", fleet, "--imei", first});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("velmora: error 6227: "), qPrintable(refused.err));
        QVERIFY(!QFile::exists(Backups() + "/" + second + ".dbf"));
        const CCliRun unknown = Cli({"write-phone", fleet, "--imei", "123"});
        QCOMPARE(unknown.status, 1);
        QVERIFY(unknown.err.contains("no unit with IMEI 123"));

        const CCliRun written = Cli({"write-phone", fleet, "--imei", second});
        QVERIFY2(written.status == 0, qPrintable(written.err));
        QVERIFY(QFile::exists(Backups() + "/" + second + ".dbf"));
    }

    void recoverPutsABackupBack()
    {
        const QString imei = Phone({"create", "restore", "--model", "70", "--serial", "16", "--user",
                                    "Before", "--connect", "--force"});
        const QString fleet = m_dir + "/restore.vlf";
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        QVERIFY(Rename(fleet, imei, "After"));
        QFile::remove(Backups() + "/" + imei + ".dbf");
        QCOMPARE(Cli({"write-phone", fleet}).status, 0);

        const CCliRun asked = Cli({"recover"});
        QCOMPARE(asked.status, 1);
        QVERIFY(asked.err.contains("velmora: question 1896: "));
        QVERIFY(asked.err.contains("run again with --yes"));
        const CCliRun missing = Cli({"recover", m_dir + "/none.dbf", "--yes"});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.contains("velmora: error 1508: "));

        // Without a file the phone's own backup is restored: the phone holds its old name again.
        const CCliRun restored = Cli({"recover", "--yes"});
        QVERIFY2(restored.status == 0, qPrintable(restored.err));
        QVERIFY(restored.err.contains("velmora: notice 1505: "));
        const QString back = m_dir + "/back.vlf";
        QCOMPARE(Cli({"read-phone", back}).status, 0);
        QCOMPARE(Units(back).value(imei), QString("Before"));
    }

    // The session the README shows, with the built programs on a fresh account.
    void readmeSession()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
        const QString bin = qEnvironmentVariable("VELMORA_BIN_DIR");
        const auto run = [&](const QString& program, const QStringList& args) {
            QProcess process;
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(home.path());
            process.start(bin + "/" + program, args);
            process.waitForFinished(60000);
            const QString out = QString::fromUtf8(process.readAllStandardOutput());
            if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
                qWarning("%s %s: %s", qPrintable(program), qPrintable(args.join(' ')),
                         qPrintable(QString::fromUtf8(process.readAllStandardError())));
            return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? out : QString();
        };
        // A brand-new account: neither the program nor velmora-cli has started on it yet.
        const QString created = run("velmora-phone", {"create", "shop-phone", "--model", "20", "--connect"});
        const QString imei = QRegularExpression("IMEI (\\d+)").match(created).captured(1);
        QVERIFY(!imei.isEmpty());
        QVERIFY(QFile::exists(home.filePath(".local/share/Velmora/phones/shop-phone.phone")));
        // The first start fills the program folder around the bench and keeps the phone on the cable.
        QVERIFY(run("velmora-cli", {"read-phone", "fleet.vlf"}).contains(imei));
        QVERIFY(run("velmora-cli", {"units", "fleet.vlf"}).contains(imei));
        QVERIFY(!run("velmora-cli", {"write-phone", "fleet.vlf"}).isEmpty());
        QVERIFY(run("velmora-phone", {"backups", home.filePath(".local/share/Velmora/Backup")})
                    .contains(imei + ".dbf"));
    }

private:
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

VELMORA_TEST_MAIN(TestCliPhone)
#include "tst_cli_phone.moc"
