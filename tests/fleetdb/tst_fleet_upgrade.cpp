#include "CFleetConnection.h"
#include "CFleetFixtures.h"
#include "CFleetSchema.h"
#include "CFleetUpgrade.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitRecSet.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using Kind = CFleetFixtures::Kind;
Q_DECLARE_METATYPE(CFleetFixtures::Kind)

class TestFleetUpgrade : public QObject
{
    Q_OBJECT

private:
    QString m_folder;

    // Units whose release ids an old program left at 0, and one it had filled in.
    static QList<CUnitSpec> OldUnits()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(4);
        units[0].modelType = 105;
        units[1].modelType = 90;
        units[2].modelType = 111;
        units[3].modelType = 105;
        units[3].releaseId = 50;
        units[3].subReleaseId = 3;
        return units;
    }

    // The file now has exactly the template's tables, columns and indexes.
    static void VerifyCurrentSchema(const QSqlDatabase& db)
    {
        CFleetConnection templ;
        QVERIFY(templ.Open(CFleetFixtures::TemplatePath()));
        QSqlQuery a(templ.Database());
        QSqlQuery b(db);
        const QString sql = "SELECT type, name, sql FROM sqlite_master ORDER BY type, name";
        QVERIFY(a.exec(sql) && b.exec(sql));
        while (a.next()) {
            QVERIFY(b.next());
            QCOMPARE(b.value(1).toString(), a.value(1).toString());
            QCOMPARE(b.value(2).toString(), a.value(2).toString());
        }
        QVERIFY(!b.next());
        QCOMPARE(CFleetUpgrade::ReadVersion(db), CFleetSchema::VersionNumber());
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_folder = CTestEnvironment::NewFolder("upgrade");
    }

    void currentFileNeitherAsksNorChanges()
    {
        const QString path = m_folder + "/current.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);
    }

    void refusedFilesStayAsTheyWere_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QList<int>>("script");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("newer") << Kind::Newer << QList<int>{} << QList<int>{1871};
        QTest::newRow("older, declined") << Kind::Version5 << QList<int>{IDNO} << QList<int>{1800, 1799};
        QTest::newRow("no version, declined")
            << Kind::Versionless << QList<int>{IDNO} << QList<int>{1800, 1799};
    }
    void refusedFilesStayAsTheyWere()
    {
        QFETCH(Kind, kind);
        QFETCH(QList<int>, script);
        QFETCH(QList<int>, messages);
        const QString path = m_folder + "/old.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(path, kind, OldUnits()));
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        for (int answer : script)
            CScriptedAnswerer::Instance().Script({answer});
        QVERIFY(!CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), messages);
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"old.vlf"});
    }

    void fileWithoutUnitsTableIsNoFleet()
    {
        const QString path = m_folder + "/other.vlf";
        {
            CFleetConnection c;
            QVERIFY(c.Create(path));
            QSqlQuery(c.Database()).exec("CREATE TABLE something (a)");
        }
        QVERIFY(!CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1603});
    }

    void olderVersionIsUpgradedAndKeepsItsData_data()
    {
        QTest::addColumn<int>("carrier");
        QTest::addColumn<int>("release105");
        QTest::addColumn<int>("release90");
        QTest::newRow("carrier 1") << 1 << 32 << 0;
        QTest::newRow("carrier 3") << 3 << 70 << 39;
    }
    void olderVersionIsUpgradedAndKeepsItsData()
    {
        QFETCH(int, carrier);
        QFETCH(int, release105);
        QFETCH(int, release90);
        const QString path = m_folder + "/v5.vlf";
        const QList<CUnitSpec> units = OldUnits();
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Version5, units));
        QList<QList<QVariantList>> phoneBooks;
        {
            CFleetConnection before;
            QVERIFY(before.Open(path));
            for (const CUnitSpec& u : units)
                phoneBooks << CFleetFixtures::Rows(before.Database(), "unit_phone_details", u.imei);
        }
        CScriptedAnswerer::Instance().Script({IDYES});
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(carrier), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1800});
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"v5.vlf"});

        CFleetConnection after;
        QVERIFY(after.Open(path));
        VerifyCurrentSchema(after.Database());
        CUnitRecSet rs(after.Database());
        QVERIFY(rs.Open(QString(), {}, "rowid"));
        QCOMPARE(rs.CountRecords(), units.size());
        const int releases[] = {release105, release90, 0, 50};
        // The old file had no sub-release column: every unit starts at 0 and the fixes apply.
        const int subReleases[] = {1, 0, 1, 1};
        for (int i = 0; i < units.size(); ++i, rs.MoveNext()) {
            QCOMPARE(rs.m_unit_user_name, units[i].user);
            QCOMPARE(rs.m_unit_prod_release_id, releases[i]);
            QCOMPARE(rs.m_unit_prod_sub_release_id, subReleases[i]);
            QCOMPARE(CFleetFixtures::Rows(after.Database(), "unit_phone_details", units[i].imei),
                     phoneBooks[i]);
        }
        // The fleet's own tables come through the rebuild.
        QCOMPARE(CFleetFixtures::Count(after.Database(), "talk_grp_detail"), 3);
        QCOMPARE(CFleetFixtures::Count(after.Database(), "master_user_table"), 3);
        QCOMPARE(CFleetFixtures::Count(after.Database(), "tarn_velmora_sms_saved_message"), 3);
        QCOMPARE(CFleetFixtures::Count(after.Database(), "talk_grp_header"), 3);
        // Upgraded once, the file opens without a question.
        CScriptedAnswerer::Instance().Clear();
        rs.SetDatabase(QSqlDatabase());
        after.Close();
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(carrier), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void fileWithoutVersionGetsTablesAndCounters()
    {
        const QString path = m_folder + "/old.vlf";
        QList<CUnitSpec> units = OldUnits();
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Versionless, units));
        CScriptedAnswerer::Instance().Script({IDYES});
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(3), CShowErrors()));
        CFleetConnection after;
        QVERIFY(after.Open(path));
        VerifyCurrentSchema(after.Database());
        QSqlQuery q(after.Database());
        // No release-id fixes for a file without a version; counters are the database's again.
        QVERIFY(q.exec("SELECT count(*) FROM unit_details WHERE unit_prod_release_id = 0 AND unit_model_type "
                       "= 105") &&
                q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        QVERIFY(
            q.exec("SELECT count(*), count(DISTINCT unit_rec_num), min(unit_rec_num) FROM unit_tg_details") &&
            q.next());
        QCOMPARE(q.value(0).toInt(), q.value(1).toInt());
        QVERIFY(q.value(2).toInt() > 0);
        QVERIFY(q.exec("SELECT unit_user_name FROM unit_details ORDER BY rowid"));
        for (const CUnitSpec& u : units) {
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), u.user);
        }
        QCOMPARE(CFleetFixtures::Count(after.Database(), "unit_private_details"), units.size() * 2);
        QCOMPARE(CFleetFixtures::Count(after.Database(), "talk_grp_detail"), 3);
    }

    // Without the rebuild (which may fail, say on a full disk) the file still has every column.
    void synchronisingAloneGivesEveryTableAndColumn()
    {
        const QString path = m_folder + "/v5.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Version5, OldUnits()));
        CFleetConnection file;
        CFleetConnection templ;
        QVERIFY(file.Open(path) && templ.Open(CFleetFixtures::TemplatePath()));
        const CVelmoraError error = CFleetUpgrade::SynchroniseSchema(file.Database(), templ.Database());
        QVERIFY2(!error, qPrintable(error.ToText()));
        for (const CFleetTable& t : CFleetSchema::Tables()) {
            QStringList columns = CFleetFixtures::Columns(file.Database(), t.name);
            columns.sort(Qt::CaseInsensitive);
            QStringList wanted = t.ColumnNames();
            wanted.sort(Qt::CaseInsensitive);
            QCOMPARE(columns, wanted);
        }
        QCOMPARE(CFleetFixtures::Count(file.Database(), "unit_details"), 4);
    }

    // An earlier upgrade stamped the version in place and was killed before its rebuild: the file says
    // it is current, but its counters are plain columns and the template's indexes are missing.
    void halfUpgradedFileIsFinishedWhenOpened()
    {
        const QString path = m_folder + "/half.vlf";
        const QList<CUnitSpec> units = OldUnits();
        QVERIFY(CFleetFixtures::WriteHalfUpgradedFleet(path, units));
        {
            CFleetConnection file;
            CFleetConnection templ;
            QVERIFY(file.Open(path) && templ.Open(CFleetFixtures::TemplatePath()));
            QCOMPARE(CFleetUpgrade::ReadVersion(file.Database()), CFleetSchema::VersionNumber());
            QVERIFY(!CFleetUpgrade::MatchesTemplate(file.Database(), templ.Database()));
        }
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        // The user agreed when the upgrade began: nothing is asked again.
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"half.vlf"});

        CFleetConnection after;
        QVERIFY(after.Open(path));
        VerifyCurrentSchema(after.Database());
        QSqlQuery q(after.Database());
        QVERIFY(q.exec("SELECT unit_user_name FROM unit_details ORDER BY rowid"));
        for (const CUnitSpec& u : units) {
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), u.user);
        }
        // Rows added from now on are numbered by the database.
        QVERIFY(
            q.exec("INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id) VALUES ('1', 1, 5)"));
        QVERIFY(q.exec("INSERT INTO unit_details (unit_imei_num) VALUES ('359999999999999')"));
        QVERIFY(q.exec("SELECT count(*) FROM unit_tg_details WHERE unit_rec_num IS NULL") && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QVERIFY(q.exec("SELECT unit_rec_num FROM unit_details WHERE unit_imei_num = '359999999999999'") &&
                q.next());
        QVERIFY(!q.value(0).isNull());
    }

    // The upgrade fails after its schema steps (its rebuild cannot be written): the file keeps every
    // byte, its old version included, and the upgrade's copies are gone.
    void failedUpgradeLeavesTheFileAsItWas()
    {
        const QString path = m_folder + "/v5.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Version5, OldUnits()));
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        QVERIFY(QDir().mkdir(path + ".tmp"));
        CScriptedAnswerer::Instance().Script({IDYES});
        QVERIFY(!CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), (QList<int>{1800, 1603}));
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"v5.vlf"});

        // Once the way is clear the same file upgrades.
        QVERIFY(QDir().rmdir(path + ".tmp"));
        CScriptedAnswerer::Instance().Clear();
        CScriptedAnswerer::Instance().Script({IDYES});
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        CFleetConnection after;
        QVERIFY(after.Open(path));
        VerifyCurrentSchema(after.Database());
    }

    // A killed upgrade leaves its copies beside the file; the next upgrade of that file clears them.
    void upgradeClearsWhatAKilledUpgradeLeft()
    {
        const QString path = m_folder + "/v5.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Version5, OldUnits()));
        const QStringList leftovers{".tmp",  ".tmp-journal", ".tmp.part",
                                    ".part", ".upgrade",     ".upgrade-journal"};
        for (const QString& suffix : leftovers)
            QVERIFY(CFleetFixtures::WriteBytes(path + suffix, "left by a killed upgrade"));
        // Another fleet's file that merely starts with the same name is not ours to remove.
        QVERIFY(CFleetFixtures::WriteBytes(m_folder + "/v5.vlf.tmp.keep", "a file of the user's"));
        CScriptedAnswerer::Instance().Script({IDYES});
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), (QStringList{"v5.vlf", "v5.vlf.tmp.keep"}));
        {
            CFleetConnection after;
            QVERIFY(after.Open(path));
            VerifyCurrentSchema(after.Database());
        }
        // Killed after its rename, an upgrade leaves its copy beside a current file: opening clears it.
        QVERIFY(QFile::copy(path, path + ".upgrade"));
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), (QStringList{"v5.vlf", "v5.vlf.tmp.keep"}));
    }

    // An upgrade killed at any moment leaves the old file (which the next open upgrades, clearing
    // what the killed one left) or the wholly upgraded one: never a new version on old tables.
    void killedUpgradeLeavesTheOldFileOrTheUpgradedOne()
    {
        const QString path = m_folder + "/killed.vlf";
        const QList<CUnitSpec> units = CFleetFixtures::Units(200);
        QVERIFY(CFleetFixtures::WriteOldFleet(path, Kind::Versionless, units));
        const QByteArray old = CFleetFixtures::Bytes(path);
        CScriptedAnswerer::Instance().Script({IDYES});
        QElapsedTimer timer;
        timer.start();
        QVERIFY(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()));
        const qint64 span = timer.nsecsElapsed() / 1000 + 500;
        constexpr int kRuns = 16;
        int oldKept = 0;
        for (int i = 0; i < kRuns; ++i) {
            CScriptedAnswerer::Instance().Clear();
            QVERIFY(CFleetFixtures::WriteBytes(path, old));
            CScriptedAnswerer::Instance().Script({IDYES});
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                CFleetErrors errors;
                CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), errors);
                ::_exit(0);
            }
            ::usleep(useconds_t(span * i / kRuns));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            const QString when = QString("killed after %1 us").arg(span * i / kRuns);
            if (CFleetFixtures::Bytes(path) == old) {
                ++oldKept;
            } else {
                CFleetConnection file;
                CFleetConnection templ;
                QVERIFY2(file.Open(path) && templ.Open(CFleetFixtures::TemplatePath()), qPrintable(when));
                QVERIFY2(CFleetUpgrade::MatchesTemplate(file.Database(), templ.Database()), qPrintable(when));
                QCOMPARE(CFleetUpgrade::ReadVersion(file.Database()), CFleetSchema::VersionNumber());
                QCOMPARE(CFleetFixtures::Count(file.Database(), "unit_details"), units.size());
            }
            // The next open brings the file up to date, whatever the kill left, and leaves nothing beside it.
            QVERIFY2(CFleetUpgrade::OpenAndUpgrade(path, CFleetFixtures::Settings(), CShowErrors()),
                     qPrintable(when));
            QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"killed.vlf"});
        }
        // The first kills come before the rename.
        QVERIFY(oldKept > 0);
    }
};

VELMORA_TEST_MAIN(TestFleetUpgrade)
#include "tst_fleet_upgrade.moc"
