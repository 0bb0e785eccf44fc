#include "AgentApi.h"
#include "CCliTestRun.h"
#include "CPhoneTool.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

// velmora-cli copy against the bench of the tool's program folder.
class TestCliCopy : public QObject
{
    Q_OBJECT

private:
    QString m_dir;
    QString m_folder;

    QString Phone(const QStringList& args, QString* printed = nullptr)
    {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        CPhoneTool tool(o, e);
        const int status = tool.Run(QStringList{"--program-folder", m_folder} + args);
        o.flush();
        e.flush();
        if (printed)
            *printed = out;
        const QRegularExpressionMatch imei = QRegularExpression("IMEI (\\d+)").match(out);
        return status == 0 ? (imei.hasMatch() ? imei.captured(1) : QString("ok")) : QString();
    }

    QString Talkgroups(const QString& phone)
    {
        QString dump;
        Phone({"dump", "--phone", phone, "--block"}, &dump);
        QStringList lines;
        for (const QString& line : dump.split('\n')) {
            if (line.contains("talkgroups NAM1 slot"))
                lines << line.trimmed();
        }
        return lines.join('\n');
    }

private Q_SLOTS:
    void initTestCase()
    {
        AgentSetDelayFunction([](int) {});
        QCOMPARE(Cli({"new", CTestEnvironment::NewFolder("first") + "/first.vlf"}).status, 0);
        QVERIFY(CVelmoraWrap::GetRegistryValue("Velmora App Path", m_folder));
        m_dir = CTestEnvironment::NewFolder("copy");
    }

    void copyWritesEachPhoneAndPrintsOneLine()
    {
        // A SIM phone as the source: the copy runs the SIM stage too.
        const QString source =
            Phone({"create", "source", "--model", "70", "--serial", "31", "--connect", "--force"});
        QVERIFY(!source.isEmpty());
        const QString fleet = m_dir + "/fleet.vlf";
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        const QString sourceLists = Talkgroups("source");

        for (const int serial : {32, 33}) {
            const QString name = QStringLiteral("target%1").arg(serial);
            const QString imei = Phone({"create", name, "--model", "70", "--serial", QString::number(serial),
                                        "--connect", "--force"});
            QVERIFY(!imei.isEmpty());
            const CCliRun run = Cli({"copy", fleet, source, "--items", "talkgroup1,basic"});
            QVERIFY2(run.status == 0, qPrintable(run.err + run.out));
            const QStringList fields = run.out.trimmed().split('\t');
            QCOMPARE(run.out.count('\n'), 1);
            QCOMPARE(fields.size(), 5);
            QCOMPARE(fields.at(1), imei);
            QCOMPARE(fields.at(2), QStringLiteral("70"));
            QVERIFY(QFile::exists(fields.at(4)));
            QCOMPARE(Talkgroups(name), sourceLists);
        }
    }

    void badItemsWriteNothing()
    {
        const QString source =
            Phone({"create", "plain", "--model", "10", "--serial", "41", "--connect", "--force"});
        const QString fleet = m_dir + "/plain.vlf";
        QCOMPARE(Cli({"read-phone", fleet}).status, 0);
        const QString target =
            Phone({"create", "other", "--model", "10", "--serial", "42", "--connect", "--force"});
        QFile::remove(m_folder + "/Backup/" + target + ".dbf");
        CCliRun run = Cli({"copy", fleet, source, "--items", "talkgroups"});
        QVERIFY(run.status != 0);
        QVERIFY(run.err.contains("talkgroup1"));
        // A phone without SIM cannot take the consolidated list.
        run = Cli({"copy", fleet, source, "--items", "consolidated"});
        QVERIFY(run.status != 0);
        run = Cli({"copy", fleet, "350000000000000", "--items", "basic"});
        QVERIFY(run.status != 0);
        QVERIFY(!QFile::exists(m_folder + "/Backup/" + target + ".dbf"));
    }
};

VELMORA_TEST_MAIN(TestCliCopy)
#include "tst_cli_copy.moc"
