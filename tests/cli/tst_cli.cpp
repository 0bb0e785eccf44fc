#include "CCliArguments.h"
#include "CCliTestRun.h"
#include "CCliTool.h"
#include "CFleetConnection.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CFleetUpgrade.h"
#include "CModelRules.h"
#include "CResourceStrings.h"
#include "CTestEnvironment.h"
#include "CTextTable.h"
#include "CUnitCascade.h"
#include "CUnitCommands.h"
#include "CVelmoraWrap.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

class TestCli : public QObject
{
    Q_OBJECT

private:
    QString m_dir;

    QString Fleet(const QString& name, const QList<CUnitSpec>& units)
    {
        const QString path = m_dir + "/" + name;
        QFile::remove(path);
        return CFleetFixtures::MakeFleet(path, units) ? path : QString();
    }
    // A plain copy of a fleet file (stored or not) to look into.
    QString PlainCopy(const QString& path)
    {
        const QString copy = m_dir + "/look-" + QFileInfo(path).fileName();
        QFile::remove(copy);
        if (!QFile::copy(path, copy))
            return QString();
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        if (CFleetFile::IsStoredForm(copy) && !CFleetFile::ExpandFleetFile(copy))
            return QString();
        return copy;
    }
    static QStringList Imeis(const QSqlDatabase& db)
    {
        QStringList imeis;
        QSqlQuery query(db);
        query.exec("SELECT unit_imei_num FROM unit_details ORDER BY unit_imei_num");
        while (query.next())
            imeis << query.value(0).toString();
        return imeis;
    }
    static bool Exec(const QString& path, const QString& sql, const QVariantList& values = {})
    {
        CFleetConnection connection;
        if (!connection.Open(path))
            return false;
        QSqlQuery query(connection.Database());
        query.prepare(sql);
        for (const QVariant& v : values)
            query.addBindValue(v);
        return query.exec();
    }

private Q_SLOTS:
    void init() { m_dir = CTestEnvironment::NewFolder("cli"); }

    void usageErrorsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        QTest::newRow("nothing") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"frob"} << "unknown command 'frob'";
        QTest::newRow("missing operand")
            << QStringList{"show", "a.vlf"} << "Usage: velmora-cli show FILE IMEI";
        QTest::newRow("extra operand")
            << QStringList{"info", "a.vlf", "b.vlf"} << "Usage: velmora-cli info FILE";
        QTest::newRow("option of another command")
            << QStringList{"units", "a.vlf", "--yes"} << "units does not take --yes";
        QTest::newRow("both answers")
            << QStringList{"append", "a.vlf", "b.vlf", "--overwrite-all", "--skip-all"}
            << "exclude each other";
        QTest::newRow("nam out of range")
            << QStringList{"talkgroups", "a.vlf", "--nam", "4"} << "--nam takes 1, 2 or 3";
        QTest::newRow("value missing")
            << QStringList{"talkgroups", "a.vlf", "--nam"} << "--nam needs a value";
        QTest::newRow("flag with value")
            << QStringList{"units", "a.vlf", "--csv=1"} << "--csv takes no value";
    }
    void usageErrorsExitWithTwo()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        const CCliRun run = Cli(args);
        QCOMPARE(run.status, int(CCliTool::ExitUsage));
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void helpNamesEveryOptionACommandTakes()
    {
        // Help needs no program folder and changes nothing.
        const CCliRun all = Cli({"--help"});
        QCOMPARE(all.status, 0);
        for (const auto& command : CCliArguments::Commands())
            QVERIFY2(all.out.contains("  " + command.name + " "), qPrintable(command.name));
        for (const auto& command : CCliArguments::Commands()) {
            const CCliRun one = Cli({"help", command.name});
            QCOMPARE(one.status, 0);
            for (const QString& option : command.flags + command.valueOptions)
                QVERIFY2(one.out.contains(option), qPrintable(command.name + " " + option));
            QCOMPARE(Cli({command.name, "--help"}).out, one.out);
        }
    }

    void tablesKeepEveryCellOnItsOwn()
    {
        CTextTable table({"A", "B"});
        table.AddRow({"plain", "comma, here"});
        table.AddRow({"say \"hi\"", "two\nlines"});
        table.AddRow({"cr\rlf", ""});
        const QList<QStringList> records = ParseCsv(table.Csv());
        QCOMPARE(records.size(), 4);
        QCOMPARE(records.at(0), (QStringList{"A", "B"}));
        for (int i = 0; i < table.RowCount(); ++i)
            QCOMPARE(records.at(i + 1), table.Rows().at(i));
        // Plain text: one line per row, columns aligned, no trailing blanks.
        const QStringList lines = table.Plain().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(2), QString("say \"hi\"  two\\nlines"));
        QCOMPARE(lines.at(3), QString("cr\\rlf"));
        QCOMPARE(lines.at(1).indexOf("comma"), lines.at(2).indexOf("two"));
    }

    void newFleetIsStoredAndNeverReplacesAFile()
    {
        const QString path = m_dir + "/New Fleet.vlf";
        const CCliRun made = Cli({"new", path});
        QCOMPARE(made.status, 0);
        QVERIFY(CFleetFile::IsStoredForm(path));
        const CCliRun info = Cli({"info", path});
        QCOMPARE(info.status, 0);
        QVERIFY(info.out.contains(QRegularExpression("form\\s+stored")));
        QVERIFY(info.out.contains(QRegularExpression("units\\s+0\\n")));
        QVERIFY(info.out.contains("(current)"));

        const QByteArray before = CFleetFixtures::Bytes(path);
        const CCliRun again = Cli({"new", path});
        QCOMPARE(again.status, 1);
        QVERIFY(again.err.contains("exists already"));
        QCOMPARE(CFleetFixtures::Bytes(path), before);
        // No temporary fleet or backup is left in the program folder or beside the file.
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList{"New Fleet.vlf"});
    }

    void readingCommandsLeaveTheFileAsItWas()
    {
        const QString path = Fleet("read.vlf", CFleetFixtures::Units(4));
        const QByteArray plain = CFleetFixtures::Bytes(path);
        const QString imei = CFleetFixtures::Units(4).at(1).imei;
        for (const QStringList& args : {QStringList{"info", path}, QStringList{"units", path},
                                        QStringList{"show", path, imei}, QStringList{"talkgroups", path}}) {
            const CCliRun run = Cli(args);
            QVERIFY2(run.status == 0, qPrintable(args.join(' ') + ": " + run.err));
            QCOMPARE(CFleetFixtures::Bytes(path), plain);
        }
        QVERIFY(Cli({"info", path}).out.contains(QRegularExpression("form\\s+plain")));
        QVERIFY(!QFile::exists(m_dir + "/read.tem"));
    }

    void infoAndListsOfOlderAndNewerFiles()
    {
        const QString old = m_dir + "/old.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(old, CFleetFixtures::Kind::Version5, CFleetFixtures::Units(3)));
        const QByteArray bytes = CFleetFixtures::Bytes(old);
        const CCliRun info = Cli({"info", old});
        QCOMPARE(info.status, 0);
        QVERIFY2(info.out.contains(QRegularExpression("schema version\\s+5 \\(older")), qPrintable(info.out));
        QVERIFY(info.out.contains(QRegularExpression("units\\s+3\\n")));
        // Listing an older file shows it as upgraded, without the question and without changing it.
        const CCliRun units = Cli({"units", old, "--csv"});
        QCOMPARE(units.status, 0);
        QCOMPARE(ParseCsv(units.out).size(), 4);
        QVERIFY(units.err.contains("shown as upgraded"));
        QVERIFY(!units.err.contains("1800"));
        QCOMPARE(CFleetFixtures::Bytes(old), bytes);

        const QString newer = m_dir + "/newer.vlf";
        QVERIFY(CFleetFixtures::WriteOldFleet(newer, CFleetFixtures::Kind::Newer, CFleetFixtures::Units(1)));
        QVERIFY(Cli({"info", newer}).out.contains("99 (newer"));
        const CCliRun list = Cli({"units", newer});
        QCOMPARE(list.status, 1);
        QVERIFY(list.err.contains("velmora: error 1871: "));
    }

    void storeAndExpandKeepTheUnits()
    {
        const QString path = Fleet("cycle.vlf", CFleetFixtures::Units(5));
        QStringList imeis;
        {
            CFleetConnection c;
            QVERIFY(c.Open(path));
            imeis = Imeis(c.Database());
        }
        QCOMPARE(Cli({"store", path}).status, 0);
        QVERIFY(CFleetFile::IsStoredForm(path));
        QVERIFY(Cli({"store", path}).out.contains("stored already"));
        QCOMPARE(Cli({"expand", path}).status, 0);
        QVERIFY(CFleetFile::OpensAsDatabase(path));
        QVERIFY(Cli({"expand", path}).out.contains("plain already"));
        CFleetConnection c;
        QVERIFY(c.Open(path));
        QCOMPARE(Imeis(c.Database()), imeis);
    }

    void storeAndExpandRefuseWhatTheyCannotHandle()
    {
        const QString other = m_dir + "/fleet.db";
        QVERIFY(QFile::copy(Fleet("x.vlf", CFleetFixtures::Units(1)), other));
        const QByteArray bytes = CFleetFixtures::Bytes(other);
        const CCliRun store = Cli({"store", other});
        QCOMPARE(store.status, 1);
        QVERIFY(store.err.contains("only .vlf files"));
        QCOMPARE(CFleetFixtures::Bytes(other), bytes);

        const QString junk = m_dir + "/junk.vlf";
        QVERIFY(CFleetFixtures::WriteBytes(junk, "not a fleet at all"));
        QVERIFY(Cli({"expand", junk}).err.contains("velmora: error 1801: "));
        QCOMPARE(Cli({"store", junk}).status, 1);
        QCOMPARE(CFleetFixtures::Bytes(junk), QByteArray("not a fleet at all"));
        const CCliRun missing = Cli({"info", m_dir + "/none.vlf"});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.contains("velmora: error 1640: "));
    }

    // Store and expand report what they found, never success on a file that is no whole fleet.
    void storeAndExpandTellDamagedFilesApart()
    {
        const QString path = Fleet("whole.vlf", CFleetFixtures::Units(30));
        QCOMPARE(Cli({"store", path}).status, 0);
        const QByteArray stored = CFleetFixtures::Bytes(path);
        QByteArray flipped = stored;
        flipped[stored.size() / 2] = char(flipped[stored.size() / 2] ^ 0x04);
        const QString damaged = m_dir + "/damaged.vlf";
        for (const QByteArray& bytes :
             {stored.left(stored.size() / 2), stored.left(stored.size() - 2), flipped}) {
            QVERIFY(CFleetFixtures::WriteBytes(damaged, bytes));
            for (const QString& command : {QString("store"), QString("expand"), QString("units")}) {
                const CCliRun run = Cli({command, damaged});
                QCOMPARE(run.status, 1);
                QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
                QVERIFY2(run.err.contains("velmora: error 1877: ") && run.err.contains(damaged),
                         qPrintable(command + ": " + run.err));
                QCOMPARE(CFleetFixtures::Bytes(damaged), bytes);
            }
        }
        // An empty file, a byte of junk and a database of another program are no fleets, stored or plain.
        const QString other = m_dir + "/other.vlf";
        QVERIFY(Exec(Fleet("other.vlf", {}), "DROP TABLE unit_details"));
        for (const QByteArray& bytes : {QByteArray(), QByteArray("x"), CFleetFixtures::Bytes(other)}) {
            QVERIFY(CFleetFixtures::WriteBytes(damaged, bytes));
            for (const QString& command : {QString("store"), QString("expand")}) {
                const CCliRun run = Cli({command, damaged});
                QCOMPARE(run.status, 1);
                QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
                QVERIFY2(run.err.contains("velmora: error 1603: ") ||
                             run.err.contains("velmora: error 1801: "),
                         qPrintable(command + ": " + run.err));
                QCOMPARE(CFleetFixtures::Bytes(damaged), bytes);
            }
        }
    }

    void damagedFleetIsRefusedBeforeAChange_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("a page of the units") << -1;
        QTest::newRow("a page of the schema") << CFleetFixtures::kSchemaPage;
    }
    // A fleet with a damaged page is refused before delete or append write anything, as either side.
    void damagedFleetIsRefusedBeforeAChange()
    {
        QFETCH(int, page);
        const QList<CUnitSpec> units = CFleetFixtures::Units(120);
        const QString path = Fleet("damaged.vlf", units);
        QVERIFY(CFleetFixtures::DamagePage(path, page));
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        const QString other = Fleet("other.vlf", CFleetFixtures::Units(2, "other"));
        const QByteArray otherBytes = CFleetFixtures::Bytes(other);
        for (const QStringList& args :
             {QStringList{"delete", path, units.at(0).imei}, QStringList{"append", path, other},
              QStringList{"append", other, path}, QStringList{"store", path}, QStringList{"expand", path}}) {
            const CCliRun run = Cli(args);
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("velmora: error 1878: ") && run.err.contains(path),
                     qPrintable(args.join(' ') + ": " + run.err));
            QVERIFY(run.out.isEmpty());
            QCOMPARE(CFleetFixtures::Bytes(path), bytes);
            QCOMPARE(CFleetFixtures::Bytes(other), otherBytes);
        }
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), (QStringList{"damaged.vlf", "other.vlf"}));
    }

    void aFleetHeldByTheProgramIsLeftAlone()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(2);
        const QString path = Fleet("held.vlf", units);
        CFleetConnection held;
        QVERIFY(held.Open(path, CFleetConnection::Mode::Exclusive));
        QSqlQuery lock(held.Database());
        QVERIFY(lock.exec("SELECT COUNT(*) FROM unit_details") && lock.next());
        lock.finish();
        for (const QStringList& args :
             {QStringList{"units", path}, QStringList{"delete", path, units.at(0).imei},
              QStringList{"store", path}, QStringList{"append", path, Fleet("other.vlf", {})}}) {
            const CCliRun run = Cli(args);
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.startsWith("velmora: error: "), qPrintable(run.err));
        }
        held.Close();
        CFleetConnection c;
        QVERIFY(c.Open(path));
        QCOMPARE(Imeis(c.Database()).size(), units.size());
        QVERIFY(!QFile::exists(m_dir + "/held.tem"));
    }

    void upgradeNeedsTheAnswer()
    {
        const QString path = m_dir + "/up.vlf";
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        QVERIFY(CFleetFixtures::WriteOldFleet(path, CFleetFixtures::Kind::Version5, units));
        const QByteArray bytes = CFleetFixtures::Bytes(path);

        const CCliRun asked = Cli({"upgrade", path});
        QCOMPARE(asked.status, 1);
        QVERIFY(asked.err.contains("velmora: question 1800: "));
        QVERIFY(asked.err.contains("run again with --yes"));
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);
        QVERIFY(!QFile::exists(m_dir + "/up.tem"));

        const CCliRun done = Cli({"upgrade", path, "--yes"});
        QVERIFY2(done.status == 0, qPrintable(done.err));
        QVERIFY(done.out.contains("from schema version 5 to"));
        const QString look = PlainCopy(path);
        CFleetConnection c;
        QVERIFY(c.Open(look));
        CFleetConnection templ;
        QVERIFY(templ.Open(CFleetFixtures::TemplatePath()));
        QCOMPARE(CFleetUpgrade::ReadVersion(c.Database()), CFleetUpgrade::ReadVersion(templ.Database()));
        QCOMPARE(Imeis(c.Database()).size(), units.size());
        QVERIFY(Cli({"upgrade", path}).out.contains("is current"));
    }

    void upgradeFinishesAnUpgradeThatWasCutShort()
    {
        const QString path = m_dir + "/half.vlf";
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        QVERIFY(CFleetFixtures::WriteHalfUpgradedFleet(path, units));
        const CCliRun done = Cli({"upgrade", path});
        QVERIFY2(done.status == 0, qPrintable(done.err));
        QVERIFY(done.out.contains("is current"));
        CFleetConnection c;
        QVERIFY(c.Open(PlainCopy(path)));
        CFleetConnection templ;
        QVERIFY(templ.Open(CFleetFixtures::TemplatePath()));
        QVERIFY(CFleetUpgrade::MatchesTemplate(c.Database(), templ.Database()));
        QCOMPARE(Imeis(c.Database()).size(), units.size());
    }

    void unitsShowTheModelNameAndDisplayedId()
    {
        QList<CUnitSpec> specs = CFleetFixtures::Units(4);
        const QString path = Fleet("units.vlf", specs);
        // A name that CSV must quote, with a line break.
        QVERIFY(Exec(path, "UPDATE unit_details SET unit_user_name = ? WHERE unit_imei_num = ?",
                     {"Levi, \"Dan\"\nnight shift", specs.at(0).imei}));
        const CCliRun run = Cli({"units", path, "--csv"});
        QCOMPARE(run.status, 0);
        const QList<QStringList> records = ParseCsv(run.out);
        QCOMPARE(records.value(0), CUnitCommands::UnitHeaders());
        QCOMPARE(records.size(), specs.size() + 1);

        // The expected names come from the model rules of the program folder.
        QSqlDatabase appDb = QSqlDatabase::addDatabase("QSQLITE", "cli-appdb");
        appDb.setDatabaseName(CTestEnvironment::ProgramFolder() + "/VelmoraDB.vdf");
        QVERIFY(appDb.open());
        {
            CVelmoraWrap::SetAppPath(CTestEnvironment::ProgramFolder());
            CModelRules rules(appDb);
            QString list;
            QVERIFY(!rules.BuildModelList(list));
            QVERIFY(!list.isEmpty());
            QVERIFY(!rules.LoadInternationalLists());
            CFleetConnection c;
            QVERIFY(c.Open(path));
            QSqlQuery q(c.Database());
            QVERIFY(
                q.exec("SELECT unit_imei_num, unit_user_name, unit_model_type, unit_prod_sub_release_id, "
                       "unit_prod_release_id, unit_phone_num_nam1, unit_display_prvt_id FROM unit_details "
                       "ORDER BY rowid"));
            for (int row = 1; q.next(); ++row) {
                const QString name =
                    rules.ModelDisplayName(q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt());
                QVERIFY(!name.isEmpty());
                QCOMPARE(records.at(row), (QStringList{q.value(0).toString(), q.value(1).toString(), name,
                                                       q.value(5).toString(), q.value(6).toString()}));
            }
        }
        appDb = QSqlDatabase();
        QSqlDatabase::removeDatabase("cli-appdb");

        // Plain text: a header and one line per unit, whatever the names hold.
        const CCliRun plain = Cli({"units", path});
        QCOMPARE(plain.out.count('\n'), specs.size() + 1);
        QVERIFY(plain.out.contains("Levi, \"Dan\"\\nnight shift"));
    }

    void showPrintsEveryListOfTheUnit()
    {
        CUnitSpec alder = CFleetFixtures::Units(2).at(1); // model 114: Cedar personalisation
        alder.listRows = 3;
        const QString path = Fleet("show.vlf", {CFleetFixtures::Units(1).at(0), alder});
        const CCliRun run = Cli({"show", path, alder.imei});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(run.out.startsWith("Unit " + alder.imei + " ("));
        QVERIFY(run.out.contains(alder.user));
        CFleetConnection c;
        QVERIFY(c.Open(path));
        for (const char* table : {"unit_phone_details", "unit_private_details", "unit_tg_details",
                                  "unit_tg_scan", "unit_status_msg_list", "unit_consolid_call_list",
                                  "unit_alder_styles_details", "unit_alder_shortcut_details"}) {
            const int rows = CFleetFixtures::Count(c.Database(), table, alder.imei);
            QVERIFY2(run.out.contains(QString(" (%1), rows: %2\n").arg(table).arg(rows)), qPrintable(table));
        }
        QVERIFY(run.out.contains("Personalisation (unit_cedar_personalize_details), rows: 1\n"));
        // Nothing of the other unit.
        QVERIFY(!run.out.contains(CFleetFixtures::Units(1).at(0).imei));

        const CCliRun missing = Cli({"show", path, "999"});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.contains("no unit with IMEI 999"));
    }

    void appendAsksForExistingUnits()
    {
        const QList<CUnitSpec> all = CFleetFixtures::Units(4);
        const QString dest = Fleet("dest.vlf", {all.at(0), all.at(1)});
        CUnitSpec changed = all.at(1);
        changed.tag = "src";
        changed.user = "from source";
        const QString src = Fleet("src.vlf", {changed, all.at(2)});
        const QByteArray destBytes = CFleetFixtures::Bytes(dest);

        // Without an answer the existing unit stops the append and the fleet stays as it was.
        const CCliRun unanswered = Cli({"append", dest, src});
        QCOMPARE(unanswered.status, 1);
        QVERIFY(unanswered.err.contains("velmora: question 1409: "));
        QVERIFY(unanswered.err.contains(changed.imei));
        QVERIFY(unanswered.err.contains("--overwrite-all or --skip-all"));
        QCOMPARE(CFleetFixtures::Bytes(dest), destBytes);

        const CCliRun skipped = Cli({"append", dest, src, "--skip-all"});
        QVERIFY2(skipped.status == 0, qPrintable(skipped.err));
        QCOMPARE(skipped.out, dest + ": units added from " + src + ": 1; units in the fleet now: 3\n");
        QVERIFY(CFleetFile::IsStoredForm(src));
        {
            CFleetConnection c;
            QVERIFY(c.Open(PlainCopy(dest)));
            QCOMPARE(Imeis(c.Database()), (QStringList{all.at(0).imei, all.at(1).imei, all.at(2).imei}));
            QSqlQuery q(c.Database());
            q.prepare("SELECT unit_user_name FROM unit_details WHERE unit_imei_num = ?");
            q.addBindValue(changed.imei);
            QVERIFY(q.exec() && q.next());
            QCOMPARE(q.value(0).toString(), all.at(1).user);
        }

        const CCliRun overwritten = Cli({"append", dest, src, "--overwrite-all"});
        QVERIFY2(overwritten.status == 0, qPrintable(overwritten.err));
        CFleetConnection c;
        QVERIFY(c.Open(PlainCopy(dest)));
        CFleetConnection s;
        QVERIFY(s.Open(PlainCopy(src)));
        QCOMPARE(CFleetFixtures::Rows(c.Database(), "unit_details", changed.imei, {"unit_rec_num"}),
                 CFleetFixtures::Rows(s.Database(), "unit_details", changed.imei, {"unit_rec_num"}));
        QCOMPARE(CFleetFixtures::Rows(c.Database(), "unit_phone_details", changed.imei),
                 CFleetFixtures::Rows(s.Database(), "unit_phone_details", changed.imei));
    }

    void deleteRemovesWholeUnitsOrNothing()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(4);
        const QString path = Fleet("del.vlf", units);
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        const CCliRun refused = Cli({"delete", path, units.at(0).imei, "35999"});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.err.contains("35999"));
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);

        const CCliRun done = Cli({"delete", path, units.at(0).imei, units.at(2).imei, units.at(0).imei});
        QVERIFY2(done.status == 0, qPrintable(done.err));
        QCOMPARE(done.out, path + ": units deleted: 2\n");
        CFleetConnection c;
        QVERIFY(c.Open(PlainCopy(path)));
        for (const QString& table : CUnitCascade::DeleteTables()) {
            QCOMPARE(CFleetFixtures::Count(c.Database(), table, units.at(0).imei), 0);
            QCOMPARE(CFleetFixtures::Count(c.Database(), table, units.at(2).imei), 0);
        }
        QCOMPARE(Imeis(c.Database()), (QStringList{units.at(1).imei, units.at(3).imei}));
        QVERIFY(CFleetFixtures::Count(c.Database(), "unit_phone_details", units.at(1).imei) > 0);
    }

    void autofillFillsTheFleetOnce()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString path = Fleet("fill.vlf", units);
        const CCliRun first = Cli({"autofill", path});
        QVERIFY2(first.status == 0, qPrintable(first.err));
        QVERIFY2(first.out.startsWith(path + ": Auto fill added ") && !first.out.contains("added 0 "),
                 qPrintable(first.out));
        {
            // The fixture's units are Alder units: each other unit's number is in the consolidated list.
            CFleetConnection c;
            QVERIFY(c.Open(PlainCopy(path)));
            QStringList numbers;
            for (const QVariantList& row :
                 CFleetFixtures::Rows(c.Database(), "unit_consolid_call_list", units.at(0).imei))
                numbers << row.value(5).toString();
            QCOMPARE(numbers.count(QString("0521234" + units.at(1).imei.right(3))), 1);
            QCOMPARE(numbers.count(QString("12*34*" + units.at(1).imei.right(2))), 1);
        }
        // Everything is there already: a second run adds nothing.
        const CCliRun second = Cli({"autofill", path});
        QVERIFY2(second.status == 0, qPrintable(second.err));
        QCOMPARE(second.out, path + ": Auto fill added 0 entries to the lists of the fleet's 3 units.\n");
    }

    void talkgroupsIndexTheProgrammedEntries()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString path = Fleet("tg.vlf", units);
        QVERIFY(Exec(path, "DELETE FROM unit_tg_details"));
        QVERIFY(Exec(path, "DELETE FROM talk_grp_header"));
        const auto add = [&](const QString& imei, int nam, int id, const QVariant& name, bool programmed) {
            return Exec(path,
                        "INSERT INTO unit_tg_details (unit_imei_num, unit_nam, unit_tg_id, unit_tg_name, "
                        "unit_loc_no, "
                        "unit_program_flag, unit_language) VALUES (?, ?, ?, ?, 1, ?, 0)",
                        {imei, nam, id, name, programmed ? 1 : 0});
        };
        QVERIFY(add(units.at(0).imei, 1, 7, "Dispatch", true));
        QVERIFY(add(units.at(1).imei, 1, 7, "Dispatch", true));
        QVERIFY(add(units.at(2).imei, 1, 7, "Dispatch", false)); // not programmed: not a member
        QVERIFY(add(units.at(2).imei, 2, 9, "Night, \"late\"", true));
        // A talkgroup without a name, once as NULL and once empty: one talkgroup, both members.
        QVERIFY(add(units.at(0).imei, 1, 3, QVariant(QMetaType(QMetaType::QString)), true));
        QVERIFY(add(units.at(1).imei, 1, 3, "", true));
        QVERIFY(add(units.at(1).imei, 3, 0, "no id", true)); // id 0 is no talkgroup

        const CCliRun all = Cli({"talkgroups", path, "--csv"});
        QVERIFY2(all.status == 0, qPrintable(all.err));
        QCOMPARE(ParseCsv(all.out), (QList<QStringList>{{"NAM", "Talkgroup", "Name", "Units"},
                                                        {"1", "3", "", "2"},
                                                        {"1", "7", "Dispatch", "2"},
                                                        {"2", "9", "Night, \"late\"", "1"}}));
        const CCliRun members = Cli({"talkgroups", path, "--nam", "1", "--members", "--csv"});
        const QList<QStringList> rows = ParseCsv(members.out);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(3).mid(0, 5),
                 (QStringList{"1", "7", "Dispatch", units.at(0).imei, units.at(0).user}));
        QCOMPARE(rows.at(4).at(3), units.at(1).imei);
        for (const QStringList& row : rows.mid(1))
            QCOMPARE(row.at(0), QString("1"));
    }

    // Under French settings the tool's own texts, the grid's captions and the usage and help are French;
    // the CSV header, the IMEIs, the numbers and the shape of the lines stay as scripts know them.
    void commandsSpeakTheSettingsLanguage()
    {
        // Start once so the account has its settings and program folder.
        QCOMPARE(Cli({"new", m_dir + "/first.vlf"}).status, 0);
        QString folder;
        QVERIFY(CVelmoraWrap::GetRegistryValue("Velmora App Path", folder));
        CResourceStrings fr;
        QVERIFY(fr.Load(folder + "/VelmoraFrRes.lang"));
        CResourceStrings en;
        QVERIFY(en.Load(folder + "/VelmoraRes.lang"));
        QVERIFY(CVelmoraWrap::SetRegistryValue("Initial Language", "French"));
        struct English
        {
            ~English()
            {
                CVelmoraWrap::SetRegistryValue("Initial Language", "English");
                auto strings = std::make_shared<CResourceStrings>();
                strings->Load(CTestEnvironment::ProgramFolder() + "/VelmoraRes.lang");
                CVelmoraWrap::SetResourceStrings(strings);
            }
        } english;

        const QString made = m_dir + "/neuve.vlf";
        QCOMPARE(Cli({"new", made}).out, made + ": " + fr.Text(7966) + "\n");
        QVERIFY(fr.Text(7966) != en.Text(7966));

        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString path = Fleet("fr.vlf", units);
        const CCliRun plain = Cli({"units", path});
        QCOMPARE(plain.status, 0);
        const QString header = plain.out.section('\n', 0, 0);
        for (const int caption : {1376, 1378, 1374, 1373, 1372})
            QVERIFY2(header.contains(fr.Text(caption)), qPrintable(header));
        QVERIFY(header.contains("Nom d'utilisateur"));
        for (const CUnitSpec& unit : units)
            QVERIFY(plain.out.contains(unit.imei));
        const CCliRun csv = Cli({"units", path, "--csv"});
        QCOMPARE(ParseCsv(csv.out).value(0), CUnitCommands::UnitHeaders());
        QCOMPARE(ParseCsv(Cli({"talkgroups", path, "--csv"}).out).value(0),
                 CUnitCommands::TalkgroupHeaders(false));

        const CCliRun deleted = Cli({"delete", path, units.at(0).imei});
        QCOMPARE(deleted.out, path + ": " + fr.Text(7975).arg(1) + "\n");
        const CCliRun refused = Cli({"delete", path, "35999"});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, "velmora-cli: " + fr.Text(7955).arg(path, "35999") + "\n");
        const CCliRun missing = Cli({"info", m_dir + "/none.vlf"});
        QVERIFY(missing.err.startsWith("velmora: error 1640: " + fr.Text(1640)));

        // Usage and help come before the program starts, in the same language.
        const CCliRun usage = Cli({"frob"});
        QCOMPARE(usage.status, int(CCliTool::ExitUsage));
        QVERIFY2(usage.err.startsWith("velmora-cli: " + fr.Text(7901).arg("frob") + "\n"),
                 qPrintable(usage.err));
        const CCliRun help = Cli({"help", "append"});
        QVERIFY(help.out.startsWith(fr.Text(7911).arg("velmora-cli [--program-folder DIR] append DEST SRC")));
        QVERIFY(help.out.contains(fr.Text(7925).section('\n', 1, 1)));
        QVERIFY(Cli({"--help"}).out.contains("      " + fr.Text(7925).section('\n', 0, 0) + "\n"));
    }

    // The built program: exit status, a program folder of its own, messages in the settings' language.
    void programRunsFromItsOwnFolderInItsLanguage()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        const QString folder = home.filePath("shop");

        const CCliRun made = Program({"--program-folder", folder, "new", home.filePath("a.vlf")}, env);
        QVERIFY2(made.status == 0, qPrintable(made.err));
        QVERIFY(QFile::exists(folder + "/VelmoraVLF.vdf"));
        QVERIFY(QFile::exists(folder + "/settings/Quorvel/Velmora.conf"));
        // The account's own settings and program folder are untouched.
        QVERIFY(!QFile::exists(home.filePath("config/Quorvel/Velmora.conf")));
        QVERIFY(!QFile::exists(home.filePath("data/Velmora")));

        {
            QSettings settings(folder + "/settings/Quorvel/Velmora.conf", QSettings::IniFormat);
            settings.setValue("Initial Language", "French");
        }
        CResourceStrings french;
        QVERIFY(french.Load(folder + "/VelmoraFrRes.lang"));
        CResourceStrings english;
        QVERIFY(english.Load(folder + "/VelmoraRes.lang"));
        QVERIFY(!french.Text(1640).isEmpty() && french.Text(1640) != english.Text(1640));
        const CCliRun missing = Program({"info", home.filePath("none.vlf"), "--program-folder", folder}, env);
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains("velmora: error 1640: " + french.Text(1640)), qPrintable(missing.err));
        QCOMPARE(Program({"units"}, env).status, 2);

        // Hebrew: usage and help in the language of the folder's settings, before anything starts.
        {
            QSettings settings(folder + "/settings/Quorvel/Velmora.conf", QSettings::IniFormat);
            settings.setValue("Initial Language", "Hebrew");
        }
        CResourceStrings hebrew;
        QVERIFY(hebrew.Load(folder + "/VelmoraHebRes.lang"));
        const CCliRun usage = Program({"--program-folder", folder, "frob"}, env);
        QCOMPARE(usage.status, 2);
        QVERIFY2(usage.err.startsWith("velmora-cli: " + hebrew.Text(7901).arg("frob") + "\n"),
                 qPrintable(usage.err));
        const CCliRun help = Program({"--help", "--program-folder=" + folder}, env);
        QVERIFY2(help.out.contains("\n" + hebrew.Text(7913) + "\n  new FILE\n"), qPrintable(help.out));
        // The account has no settings: the installed English texts.
        QVERIFY(Program({"frob"}, env).err.startsWith("velmora-cli: unknown command 'frob'\n"));
        const CCliRun made2 = Program({"--program-folder", folder, "new", home.filePath("c.vlf")}, env);
        QCOMPARE(made2.out, home.filePath("c.vlf") + ": " + hebrew.Text(7966) + "\n");
    }

    void firstRunLeavesFleetFilesToTheWindow()
    {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        const CCliRun made = Program({"new", home.filePath("b.vlf")}, env);
        QVERIFY2(made.status == 0, qPrintable(made.err));
        QVERIFY(QFile::exists(home.filePath("data/Velmora/VelmoraDB.vdf")));
        QFile desktop(home.filePath("data/applications/velmora.desktop"));
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QByteArray text = desktop.readAll();
        QVERIFY2(text.contains("/velmora\" %F"), text.constData());
    }
};

VELMORA_TEST_MAIN(TestCli)
#include "tst_cli.moc"
