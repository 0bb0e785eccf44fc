#include "CAppendFile.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CFleetSchema.h"
#include "CScriptedAnswerer.h"
#include "CScriptedQuestion.h"
#include "CTestEnvironment.h"
#include "CTransaction.h"
#include "CUnitCascade.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "IAppendQuestion.h"

#include <QApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

// Per-unit tables whose rows a copy must carry unchanged; the list counters are the destination's.
const QStringList kCopied = CFleetSchema::UnitListTables();

// The unit as the destination should hold it after a copy from source.
void VerifySameUnit(const QSqlDatabase& source, const QSqlDatabase& destination, const QString& imei)
{
    QCOMPARE(CFleetFixtures::Rows(destination, "unit_details", imei, {"unit_rec_num"}),
             CFleetFixtures::Rows(source, "unit_details", imei, {"unit_rec_num"}));
    for (const QString& table : kCopied) {
        const auto expected = CFleetFixtures::Rows(source, table, imei, {"unit_rec_num"});
        QVERIFY2(CFleetFixtures::Rows(destination, table, imei, {"unit_rec_num"}) == expected,
                 qPrintable(table));
    }
}

} // namespace

class TestUnitCopy : public QObject
{
    Q_OBJECT

private:
    QString m_folder;
    std::unique_ptr<CFleetContext> m_context;
    CScriptedQuestion m_question;

    QString Fleet(const QString& name, const QList<CUnitSpec>& units)
    {
        const QString path = m_folder + "/" + name;
        return CFleetFixtures::MakeFleet(path, units) ? path : QString();
    }
    std::unique_ptr<CVelmoraDoc> Open(const QString& path)
    {
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        return doc->OnOpenDocument(path, CShowErrors()) ? std::move(doc) : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_question = CScriptedQuestion();
        m_folder = CTestEnvironment::NewFolder("copy");
        m_context = std::make_unique<CFleetContext>(CFleetFixtures::Settings());
    }

    void appendIntoAnEmptyFleetCopiesEveryUnit()
    {
        const QString source = Fleet("source.vlf", CFleetFixtures::Units(8));
        const QString target = Fleet("target.vlf", {});
        auto doc = Open(target);
        QVERIFY(doc);
        const int headers = CFleetFixtures::Count(doc->Database(), "talk_grp_header");
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(m_question.asked, QStringList());
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QVERIFY(doc->IsModified() && doc->IsChanged());
        // The appended file was plain; it is stored again afterwards.
        QVERIFY(CFleetFile::IsStoredForm(source));
        QVERIFY(CFleetFile::ExpandFleetFile(source));
        CFleetConnection src;
        QVERIFY(src.Open(source));
        for (const CUnitSpec& u : CFleetFixtures::Units(8))
            VerifySameUnit(src.Database(), doc->Database(), u.imei);
        // The appended fleet's talkgroups join the ones already there.
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "talk_grp_header"),
                 headers + CFleetFixtures::Count(src.Database(), "talk_grp_header"));
        doc->OnCloseDocument();
    }

    void overwriteAllAsksOnceAndReplacesLists()
    {
        QList<CUnitSpec> old = CFleetFixtures::Units(4, " old");
        for (CUnitSpec& u : old)
            u.listRows = 5;
        QList<CUnitSpec> fresh = CFleetFixtures::Units(4, " new");
        const QString source = Fleet("source.vlf", fresh);
        auto doc = Open(Fleet("target.vlf", old));
        QVERIFY(doc);
        m_question.answers = {IAppendQuestion::OverwriteAll};
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(m_question.asked, QStringList{fresh.first().imei});
        QVERIFY(CFleetFile::ExpandFleetFile(source));
        CFleetConnection src;
        QVERIFY(src.Open(source));
        for (const CUnitSpec& u : fresh) {
            VerifySameUnit(src.Database(), doc->Database(), u.imei);
            QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_phone_details", u.imei), 2);
        }
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 4);
        doc->OnCloseDocument();
    }

    void skipAllStopsAskingButNewUnitsComeIn()
    {
        const QList<CUnitSpec> old = CFleetFixtures::Units(3, " old");
        const QList<CUnitSpec> fresh = CFleetFixtures::Units(5, " new");
        const QString source = Fleet("source.vlf", fresh);
        const QString target = Fleet("target.vlf", old);
        auto doc = Open(target);
        QVERIFY(doc);
        m_question.answers = {IAppendQuestion::Overwrite, IAppendQuestion::SkipAll};
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(m_question.asked, (QStringList{fresh[0].imei, fresh[1].imei}));
        QVERIFY(CFleetFile::ExpandFleetFile(source));
        CFleetConnection src;
        CFleetConnection before;
        QVERIFY(src.Open(source) && before.Open(doc->BackupPath()));
        VerifySameUnit(src.Database(), doc->Database(), fresh[0].imei);
        VerifySameUnit(before.Database(), doc->Database(), fresh[1].imei);
        VerifySameUnit(before.Database(), doc->Database(), fresh[2].imei);
        VerifySameUnit(src.Database(), doc->Database(), fresh[3].imei);
        VerifySameUnit(src.Database(), doc->Database(), fresh[4].imei);
        doc->OnCloseDocument();
    }

    void closingTheQuestionSkipsThatUnit()
    {
        const QString source = Fleet("source.vlf", CFleetFixtures::Units(2, " new"));
        auto doc = Open(Fleet("target.vlf", CFleetFixtures::Units(2, " old")));
        QVERIFY(doc);
        m_question.answers = {IAppendQuestion::Dismissed, IAppendQuestion::Skip};
        const auto before = CFleetFixtures::Rows(doc->Database(), "unit_phone_details");
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(m_question.asked.size(), 2);
        QCOMPARE(CFleetFixtures::Rows(doc->Database(), "unit_phone_details"), before);
        // Even a copy that copied nothing marks the fleet changed.
        QVERIFY(doc->IsModified());
        doc->OnCloseDocument();
    }

    void appendingTheOpenFileDoesNothing()
    {
        const QString path = Fleet("fleet.vlf", CFleetFixtures::Units(2));
        auto doc = Open(path);
        QVERIFY(doc);
        QVERIFY(!CAppendFile::AppendFleetFile(*doc, path, &m_question, CShowErrors()));
        QVERIFY(!CAppendFile::AppendFleetFile(*doc, m_folder + "/./fleet.vlf", &m_question, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 2);
        doc->OnCloseDocument();
    }

    void appendReportsAFileItCannotRead()
    {
        auto doc = Open(Fleet("target.vlf", {}));
        QVERIFY(doc);
        QVERIFY(!CAppendFile::AppendFleetFile(*doc, m_folder + "/missing.vlf", &m_question, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), (QList<int>{1640, 1603}));
        doc->OnCloseDocument();
    }

    void personalisationFollowsTheModelType()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(3);
        units[0].modelType = 114;
        units[1].modelType = 116;
        units[2].modelType = 105;
        for (CUnitSpec& u : units)
            u.allPersonalize = true;
        const QString source = Fleet("source.vlf", units);
        // The destination already holds the Cedar unit with rows in two personalisation tables.
        auto doc = Open(Fleet("target.vlf", {units[0]}));
        QVERIFY(doc);
        QSqlQuery q(doc->Database());
        QVERIFY(q.exec("UPDATE unit_cedar_personalize_details SET unit_left_key = -1"));
        QVERIFY(q.exec("UPDATE unit_alder_personalize_details SET unit_left_key = -1"));
        m_question.answers = {IAppendQuestion::Overwrite};
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        const struct
        {
            int unit;
            QString table;
            int rows;
        } expected[] = {{0, "unit_cedar_personalize_details", 1}, {0, "unit_agps_personalize_details", 1},
                        {0, "unit_alder_personalize_details", 1}, {1, "unit_agps_personalize_details", 1},
                        {1, "unit_cedar_personalize_details", 0}, {1, "unit_alder_personalize_details", 0},
                        {2, "unit_alder_personalize_details", 1}, {2, "unit_cedar_personalize_details", 0},
                        {2, "unit_agps_personalize_details", 0}};
        for (const auto& e : expected)
            QVERIFY2(CFleetFixtures::Count(doc->Database(), e.table, units[e.unit].imei) == e.rows,
                     qPrintable(e.table + " " + QString::number(e.unit)));
        // Over an existing unit only its model's table is replaced.
        QVERIFY(q.exec("SELECT unit_left_key FROM unit_cedar_personalize_details") && q.next());
        QCOMPARE(q.value(0).toInt(), 114);
        QVERIFY(q.exec("SELECT unit_left_key FROM unit_alder_personalize_details WHERE unit_imei_num = '" +
                       units[0].imei + "'") &&
                q.next());
        QCOMPARE(q.value(0).toInt(), -1);
        q.finish();
        doc->OnCloseDocument();
    }

    void phoneUnitIsReplacedOnlyOnYes()
    {
        CUnitSpec unit = CFleetFixtures::Units(1, " phone").first();
        const QString scratch = Fleet("phone.tem", {unit});
        auto doc = Open(Fleet("target.vlf", CFleetFixtures::Units(1, " old")));
        QVERIFY(doc);
        CFleetConnection phone;
        QVERIFY(phone.Open(scratch));
        {
            CAppendFile engine(*doc);
            QVERIFY(engine.LendPhoneReadSource(phone.Database()));
            CScriptedAnswerer::Instance().Script({IDNO});
            QVERIFY(!engine.CopyOnePhoneUnit());
        }
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1604});
        QVERIFY(!doc->IsModified());
        QVERIFY(CFleetFixtures::Rows(doc->Database(), "unit_details", unit.imei) !=
                CFleetFixtures::Rows(phone.Database(), "unit_details", unit.imei));
        {
            CAppendFile engine(*doc);
            engine.LendPhoneReadSource(phone.Database());
            CScriptedAnswerer::Instance().Script({IDYES});
            QVERIFY(engine.CopyOnePhoneUnit());
        }
        QVERIFY(doc->IsModified());
        VerifySameUnit(phone.Database(), doc->Database(), unit.imei);
        doc->OnCloseDocument();
    }

    // A phone read may still hold its rows in an open transaction: the engine must see them.
    void uncommittedPhoneRowsAreCopied()
    {
        const QString scratch = Fleet("phone.tem", {});
        auto doc = Open(Fleet("target.vlf", {}));
        QVERIFY(doc);
        CFleetConnection phone;
        QVERIFY(phone.Open(scratch));
        CTransaction pending(phone.Database());
        const CUnitSpec unit = CFleetFixtures::Units(1).first();
        QVERIFY(CFleetFixtures::AddUnit(phone.Database(), unit));
        {
            CAppendFile engine(*doc);
            engine.LendPhoneReadSource(phone.Database());
            QVERIFY(engine.CopyOnePhoneUnit());
        }
        VerifySameUnit(phone.Database(), doc->Database(), unit.imei);
        doc->OnCloseDocument();
    }

    void draggingTwoUnitsMovesThem()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(4);
        auto source = Open(Fleet("source.vlf", units));
        auto target = Open(Fleet("target.vlf", {}));
        QVERIFY(source && target);
        const QStringList moved{units[2].imei, units[0].imei, units[2].imei};
        const QString expected = m_folder + "/expected.vlf";
        QVERIFY(QFile::copy(source->BackupPath(), expected));
        CShowErrors::Show(CAppendFile::DragUnits(*target, *source, moved, true, &m_question));
        for (const QString& table : CUnitCascade::DeleteTables()) {
            QVERIFY2(CFleetFixtures::Count(source->Database(), table, units[0].imei) == 0, qPrintable(table));
            QVERIFY2(CFleetFixtures::Count(source->Database(), table, units[2].imei) == 0, qPrintable(table));
        }
        QCOMPARE(CFleetFixtures::Count(source->Database(), "unit_details"), 2);
        QCOMPARE(CFleetFixtures::Count(target->Database(), "unit_details"), 2);
        CFleetConnection before;
        QVERIFY(before.Open(expected));
        VerifySameUnit(before.Database(), target->Database(), units[0].imei);
        VerifySameUnit(before.Database(), target->Database(), units[2].imei);
        // Both fleets changed: both are asked about when they close.
        QVERIFY(source->IsModified() && target->IsModified());

        // A copy (not a move) leaves the source as it is.
        CShowErrors::Show(CAppendFile::DragUnits(*target, *source, {units[1].imei}, false, &m_question));
        QCOMPARE(CFleetFixtures::Count(source->Database(), "unit_details"), 2);
        QCOMPARE(CFleetFixtures::Count(target->Database(), "unit_details"), 3);
        source->OnCloseDocument();
        target->OnCloseDocument();
    }

    void aMissingSourceTableIsReportedOnceAndTheRestCopied()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString source = Fleet("source.vlf", units);
        const QString target = Fleet("target.vlf", {});
        CFleetConnection src;
        CFleetConnection dst;
        QVERIFY(src.Open(source) && dst.Open(target));
        QVERIFY(QSqlQuery(src.Database()).exec("DROP TABLE unit_alder_quick_notes"));
        CAppendFile engine(dst.Database(), src.Database(), &m_question);
        QVERIFY(engine.OpenTablePairs());
        engine.CopyAllUnits();
        // The engine tells, it does not show: the caller does.
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(engine.Errors(), CFleetErrors{CVelmoraError::Message(1603)});
        QVERIFY(engine.HadErrors());
        QCOMPARE(engine.CopiedImeis().size(), 3);
        QCOMPARE(CFleetFixtures::Count(dst.Database(), "unit_alder_quick_notes"), 0);
        for (const CUnitSpec& u : units)
            QCOMPARE(CFleetFixtures::Count(dst.Database(), "unit_tg_scan", u.imei), 2);
    }

    // A table that fails to copy is a failed append, a move that keeps its units, and a rebuild that
    // keeps the old file: whatever was not carried over stays where it was. (A fleet file that lacks
    // a table is completed when it is opened, so the table goes missing behind the open document.)
    void aTableThatFailsToCopyIsAFailureAndLosesNothing()
    {
        const QList<CUnitSpec> units = CFleetFixtures::Units(3);
        const QString source = Fleet("source.vlf", units);
        QList<QVariantList> phoneBook;
        {
            CFleetConnection src;
            QVERIFY(src.Open(source));
            phoneBook = CFleetFixtures::Rows(src.Database(), "unit_phone_details");
        }
        auto doc = Open(Fleet("target.vlf", {}));
        QVERIFY(doc);
        QVERIFY(QSqlQuery(doc->Database()).exec("DROP TABLE unit_alder_quick_notes"));
        QVERIFY(!CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1603});
        // What could be copied is there; the file appended from is whole (stored again).
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 3);
        QVERIFY(CFleetFile::ExpandFleetFile(source));
        {
            CFleetConnection src;
            QVERIFY(src.Open(source));
            QCOMPARE(CFleetFixtures::Rows(src.Database(), "unit_phone_details"), phoneBook);
            QCOMPARE(CFleetFixtures::Count(src.Database(), "unit_details"), 3);
        }

        // Moving units whose quick notes cannot be copied leaves them in the fleet they came from.
        CScriptedAnswerer::Instance().Clear();
        auto from = Open(source);
        auto to = Open(Fleet("empty.vlf", {}));
        QVERIFY(from && to);
        QVERIFY(QSqlQuery(to->Database()).exec("DROP TABLE unit_alder_quick_notes"));
        CShowErrors::Show(
            CAppendFile::DragUnits(*to, *from, {units[0].imei, units[1].imei}, true, &m_question));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1603});
        QCOMPARE(CFleetFixtures::Count(from->Database(), "unit_details"), 3);
        QCOMPARE(CFleetFixtures::Count(from->Database(), "unit_phone_details", units[0].imei), 2);
        from->OnCloseDocument();
        to->OnCloseDocument();
        doc->OnCloseDocument();

        // A rebuild that cannot carry a table leaves the file as it was.
        CScriptedAnswerer::Instance().Clear();
        QVERIFY(CFleetFile::ExpandFleetFile(source));
        {
            CFleetConnection src;
            QVERIFY(src.Open(source));
            QVERIFY(QSqlQuery(src.Database()).exec("DROP TABLE unit_alder_quick_notes"));
        }
        const QByteArray plain = CFleetFixtures::Bytes(source);
        QVERIFY(!CAppendFile::RebuildFromTemplate(source, CFleetFixtures::TemplatePath(), CShowErrors()));
        QCOMPARE(CFleetFixtures::Bytes(source), plain);
        QVERIFY(!QFile::exists(source + ".tmp"));
    }

    // The schema is the one list of a unit's tables: whatever table it names as the unit's, an append
    // brings the unit's rows in it, an IMEI change moves them and a delete removes them.
    void everyPerUnitTableOfTheSchemaIsCopiedRenamedAndDeleted()
    {
        QList<CUnitSpec> units = CFleetFixtures::Units(3);
        units[0].modelType = 114;
        units[1].modelType = 116;
        units[2].modelType = 105;
        const QString source = Fleet("source.vlf", units);
        {
            // One more row per table, written from the schema alone, so a table the fixture does not
            // know yet is covered too.
            CFleetConnection src;
            QVERIFY(src.Open(source));
            QSqlQuery q(src.Database());
            for (const CFleetTable& table : CFleetSchema::Tables()) {
                if (table.role != CFleetRole::Unit || table.uniqueImei)
                    continue;
                for (const CUnitSpec& u : units) {
                    if (table.IsPersonalize() && table.name != CFleetSchema::PersonalizeTableFor(u.modelType))
                        continue;
                    QVERIFY(q.prepare(
                        QStringLiteral("INSERT INTO %1 (unit_imei_num) VALUES (?)").arg(table.name)));
                    q.addBindValue(u.imei);
                    QVERIFY2(q.exec(), qPrintable(table.name));
                }
            }
        }
        QMap<QString, int> rows; // "table imei" -> rows in the source
        {
            CFleetConnection src;
            QVERIFY(src.Open(source));
            for (const QString& table : CFleetSchema::PerUnitTables()) {
                for (const CUnitSpec& u : units)
                    rows[table + ' ' + u.imei] = CFleetFixtures::Count(src.Database(), table, u.imei);
            }
        }
        auto doc = Open(Fleet("target.vlf", {}));
        QVERIFY(doc);
        QVERIFY(CAppendFile::AppendFleetFile(*doc, source, &m_question, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        const QSqlDatabase db = doc->Database();
        for (const QString& table : CFleetSchema::PerUnitTables()) {
            for (const CUnitSpec& u : units) {
                const bool own = !CFleetSchema::Find(table)->IsPersonalize() ||
                                 table == CFleetSchema::PersonalizeTableFor(u.modelType);
                const int expected = own ? rows.value(table + ' ' + u.imei) : 0;
                QVERIFY2(!own || expected > 0, qPrintable(table + " has no rows to copy"));
                QVERIFY2(CFleetFixtures::Count(db, table, u.imei) == expected,
                         qPrintable(table + ' ' + u.imei));
            }
        }

        QMap<QString, int> before;
        for (const QString& table : CFleetSchema::ImeiKeyedTables())
            before[table] = CFleetFixtures::Count(db, table, units[0].imei);
        QVERIFY(!CUnitCascade::ChangeImei(db, units[0].imei, "359999999999999").IsError());
        for (const QString& table : CFleetSchema::ImeiKeyedTables()) {
            QVERIFY2(CFleetFixtures::Count(db, table, units[0].imei) == 0, qPrintable(table));
            QVERIFY2(CFleetFixtures::Count(db, table, "359999999999999") == before[table], qPrintable(table));
        }

        QVERIFY(!CUnitCascade::DeleteUnits(db, {units[1].imei, units[2].imei}).IsError());
        for (const QString& table : CFleetSchema::PerUnitTables()) {
            QVERIFY2(CFleetFixtures::Count(db, table, units[1].imei) == 0, qPrintable(table));
            QVERIFY2(CFleetFixtures::Count(db, table, units[2].imei) == 0, qPrintable(table));
        }
        doc->OnCloseDocument();
    }

    // A table keyed by a unit's IMEI must say what it is to the unit, or cascade and copy miss it.
    void everyImeiKeyedTableHasAUnitRole()
    {
        for (const CFleetTable& table : CFleetSchema::Tables()) {
            const bool keyed = table.ColumnIndex("unit_imei_num") >= 0;
            const bool unitRole = table.role == CFleetRole::Unit || table.role == CFleetRole::UnitLink;
            QVERIFY2(keyed == unitRole && keyed == table.perUnit, qPrintable(table.name));
        }
        QCOMPARE(CFleetSchema::PerUnitTables().first(), QString("unit_details"));
        QVERIFY(!CFleetSchema::PerUnitTables().contains("talk_grp_detail"));
        QVERIFY(CFleetSchema::ImeiKeyedTables().contains("talk_grp_detail"));
        QVERIFY(!CFleetSchema::ImeiKeyedTables().contains("unit_details"));
    }

    void personalisationTableFollowsTheModel()
    {
        QCOMPARE(CFleetSchema::PersonalizeTableFor(114), QString("unit_cedar_personalize_details"));
        QCOMPARE(CFleetSchema::PersonalizeTableFor(116), QString("unit_agps_personalize_details"));
        for (int other : {0, 105, 115, 117, kOtherModels})
            QCOMPARE(CFleetSchema::PersonalizeTableFor(other), QString("unit_alder_personalize_details"));
        QCOMPARE(CFleetSchema::PersonalizeModelCondition("unit_cedar_personalize_details", "m"),
                 QString("m = 114"));
        QCOMPARE(CFleetSchema::PersonalizeModelCondition("unit_alder_personalize_details", "m"),
                 QString("m NOT IN (116, 114)"));
        QCOMPARE(CFleetSchema::PersonalizeModelCondition("unit_tg_scan", "m"), QString());
        QCOMPARE(CFleetSchema::PersonalizeTables().size(), 3);
        QVERIFY(!CFleetSchema::UnitListTables().contains("unit_details"));
        for (const QString& table : CFleetSchema::PersonalizeTables())
            QVERIFY(!CFleetSchema::UnitListTables().contains(table));
    }

    void mergedTalkgroupRowsKeepFreeNumbers()
    {
        const QString source = Fleet("source.vlf", {});
        const QString target = Fleet("target.vlf", {});
        CFleetConnection src;
        CFleetConnection dst;
        QVERIFY(src.Open(source) && dst.Open(target));
        QSqlQuery q(src.Database());
        QVERIFY(q.exec(
            "INSERT INTO talk_grp_header (tg_name, tg_id, tg_row_num, unit_nam) VALUES ('far', 9, 50, 2)"));
        CAppendFile engine(dst.Database(), src.Database());
        engine.MergeTalkgroupHeaders(true);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QVERIFY(engine.Errors().isEmpty());
        QVERIFY(q.exec("SELECT tg_name, tg_row_num FROM talk_grp_header ORDER BY tg_row_num"));
        QSqlQuery d(dst.Database());
        QVERIFY(d.exec("SELECT count(*), count(DISTINCT tg_row_num) FROM talk_grp_header") && d.next());
        QCOMPARE(d.value(0).toInt(), 7);
        QCOMPARE(d.value(1).toInt(), 7);
        QVERIFY(d.exec("SELECT tg_name FROM talk_grp_header WHERE tg_row_num = 50") && d.next());
        QCOMPARE(d.value(0).toString(), QString("far"));
        d.finish();
        engine.MergeTalkgroupHeaders(false);
        QCOMPARE(CFleetFixtures::Rows(dst.Database(), "talk_grp_header"),
                 CFleetFixtures::Rows(src.Database(), "talk_grp_header"));
    }
};

VELMORA_TEST_MAIN(TestUnitCopy)
#include "tst_unit_copy.moc"
