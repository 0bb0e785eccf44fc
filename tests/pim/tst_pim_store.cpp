// The PIM store and the conduit: round trips of awkward text, refusal of damaged and missing files
// without touching them, date ranges, and what a killed writer leaves behind.

#include "CPimStore.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray Digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Runs statements on a file through a raw connection (to build foreign or odd files).
bool RawExec(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString& sql : statements)
            ok = ok && query.exec(sql);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return ok;
}

QString Template()
{
    return QDir(CTestEnvironment::ProgramFolder()).filePath(QStringLiteral("VelmoraPIM.vdf"));
}

// A fresh PIM file copied from the shipped template, as the program makes new PIM files.
QString NewPimFile(const QString& name)
{
    const QString path = QDir(CTestEnvironment::NewFolder(name)).filePath(name + QStringLiteral(".pim"));
    if (!QFile::copy(Template(), path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

CPimContact Awkward()
{
    CPimContact c;
    c.name = QStringLiteral("O'Brien \"Dutch\" \u05d3\u05d5\u05d3 \u05db\u05d4\u05df");
    c.company = QStringLiteral("Fleet'; DROP TABLE pim_contact; --");
    c.numbers = {{CPimNumber::Mobile, QStringLiteral("+972 54-123-4567")},
                 {CPimNumber::Fax, QStringLiteral("03'555\"0101")},
                 {CPimNumber::Work, QStringLiteral("*77#")}};
    c.email = QStringLiteral("o'brien@example.com");
    c.address = QStringLiteral("\u05e8\u05d7\u05d5\u05d1 \u05d4\u05e8\u05e6\u05dc 5\nTel Aviv");
    c.note = QString(1000, QChar(0x05d0)).replace(500, 3, QStringLiteral("'\"%"));
    return c;
}

} // namespace

class TestPimStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        CloseDatabase();
        CScriptedAnswerer::Instance().Clear();
    }

    void templateIsAnEmptyPimDatabase()
    {
        QVERIFY(QFileInfo::exists(Template()));
        QVERIFY(CPimStore::IsPimDatabase(Template()));
        const QString path = NewPimFile(QStringLiteral("empty"));
        CVelmoraError error;
        auto store = CPimStore::Open(path, &error);
        QVERIFY2(store, qPrintable(error.ToText()));
        QVERIFY(store->Contacts().isEmpty());
        QVERIFY(store->Events(QDateTime(QDate(1900, 1, 1), QTime()), QDateTime(QDate(2200, 1, 1), QTime()))
                    .isEmpty());
    }

    void contactsRoundTripAndSortByName()
    {
        const QString path = NewPimFile(QStringLiteral("contacts"));
        CPimContact awkward = Awkward();
        CPimContact zed{0, QStringLiteral("zed"), {}, {}, {}, {}, {}};
        CPimContact adam{0, QStringLiteral("Adam"), {}, {{CPimNumber::Home, QStringLiteral("1")}}, {}, {},
                         {}};
        {
            auto store = CPimStore::Open(path);
            QVERIFY(store);
            QSignalSpy changed(store.get(), &CPimStore::contactsChanged);
            for (CPimContact* c : {&awkward, &zed, &adam}) {
                const CVelmoraError error = store->SaveContact(*c);
                QVERIFY2(!error.IsError(), qPrintable(error.ToText()));
                QVERIFY(c->id != 0);
            }
            QCOMPARE(changed.count(), 3);
        }
        auto store = CPimStore::Open(path);
        QVERIFY(store);
        const QList<CPimContact> contacts = store->Contacts();
        QCOMPARE(contacts.size(), 3);
        // Case does not decide the order; Latin before Hebrew-initial names is not asserted, only names.
        QCOMPARE(contacts[0].name, QStringLiteral("Adam"));
        QCOMPARE(contacts[1].name, awkward.name);
        QCOMPARE(contacts[2].name, QStringLiteral("zed"));
        QCOMPARE(contacts[1], awkward);
        QCOMPARE(contacts[1].note.size(), 1000);
        QCOMPARE(store->ContactById(adam.id).value(), adam);
        QVERIFY(!store->ContactById(adam.id + 100).has_value());
    }

    void updateReplacesNumbersAndDeleteRemovesThem()
    {
        const QString path = NewPimFile(QStringLiteral("update"));
        auto store = CPimStore::Open(path);
        QVERIFY(store);
        CPimContact c = Awkward();
        QVERIFY(!store->SaveContact(c).IsError());
        const qint64 id = c.id;
        c.numbers = {{CPimNumber::Pager, QStringLiteral("  42  ")},
                     {CPimNumber::Other, QStringLiteral("   ")}};
        c.name = QStringLiteral("Renamed");
        QVERIFY(!store->SaveContact(c).IsError());
        QCOMPARE(c.id, id);
        // Blank rows are not stored and numbers are kept trimmed; the struct tells what was stored.
        QCOMPARE(c.numbers, (QList<CPimNumber>{{CPimNumber::Pager, QStringLiteral("42")}}));
        QCOMPARE(store->ContactById(id).value(), c);

        QVERIFY(!store->DeleteContact(id).IsError());
        QVERIFY(store->Contacts().isEmpty());
        // Updating a contact that is gone says so instead of silently inserting nothing.
        const CVelmoraError gone = store->SaveContact(c);
        QCOMPARE(gone.Id(), int(PimMsg::ContactGone));
        store.reset();
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(QStringLiteral("SELECT count(*) FROM pim_contact_number"), db);
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        query.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("count"));
    }

    void blankNamesAndTitlesAreRefused()
    {
        auto store = CPimStore::Open(NewPimFile(QStringLiteral("blank")));
        QVERIFY(store);
        CPimContact c;
        c.name = QStringLiteral("   ");
        c.numbers = {{CPimNumber::Mobile, QStringLiteral("123")}};
        QCOMPARE(store->SaveContact(c).Id(), int(PimMsg::ContactNameEmpty));
        QCOMPARE(c.id, 0);
        CPimEvent e;
        e.title = QStringLiteral(" ");
        e.start = QDateTime(QDate(2026, 1, 1), QTime(10, 0));
        QCOMPARE(store->SaveEvent(e).Id(), int(PimMsg::EventTitleEmpty));
        e.title = QStringLiteral("Service");
        e.end = e.start.addSecs(-60);
        QCOMPARE(store->SaveEvent(e).Id(), int(PimMsg::EventTimesInvalid));
        QVERIFY(store->Contacts().isEmpty());
        QVERIFY(store->Events(e.start.addDays(-1), e.start.addDays(1)).isEmpty());
    }

    void eventsRoundTripAndRangeAcrossMonthEnd()
    {
        const QString path = NewPimFile(QStringLiteral("events"));
        auto store = CPimStore::Open(path);
        QVERIFY(store);
        auto at = [](int m, int d, int h) { return QDateTime(QDate(2026, m, d), QTime(h, 0)); };
        CPimEvent spanning{0,
                           QStringLiteral("Radio swap \"north\" \u05d8\u05d9\u05e4\u05d5\u05dc"),
                           at(1, 30, 9),
                           at(2, 2, 17),
                           false,
                           QStringLiteral("Depot 'B'"),
                           QString(1000, 'n'),
                           30};
        CPimEvent jan{0, QStringLiteral("January"), at(1, 31, 8), at(1, 31, 9), false, {}, {}, -1};
        CPimEvent allDay{0, QStringLiteral("Inventory"), at(2, 1, 0), at(2, 2, 0), true, {}, {}, 15};
        CPimEvent endsAtMidnight{
            0, QStringLiteral("Ends at the edge"), at(1, 31, 22), at(2, 1, 0), false, {}, {}, -1};
        CPimEvent point{0, QStringLiteral("Point"), at(2, 1, 0), at(2, 1, 0), false, {}, {}, -1};
        for (CPimEvent* e : {&spanning, &jan, &allDay, &endsAtMidnight, &point})
            QVERIFY(!store->SaveEvent(*e).IsError());

        const QList<CPimEvent> february = store->Events(at(2, 1, 0), at(3, 1, 0));
        QList<QString> titles;
        for (const CPimEvent& e : february)
            titles << e.title;
        QCOMPARE(titles, (QList<QString>{spanning.title, allDay.title, point.title}));
        QCOMPARE(february.first(), spanning);

        const QList<CPimEvent> january = store->Events(at(1, 1, 0), at(2, 1, 0));
        titles.clear();
        for (const CPimEvent& e : january)
            titles << e.title;
        QCOMPARE(titles, (QList<QString>{spanning.title, jan.title, endsAtMidnight.title}));

        // Moving an event takes it out of the old range.
        jan.start = at(3, 2, 8);
        jan.end = at(3, 2, 9);
        QVERIFY(!store->SaveEvent(jan).IsError());
        QCOMPARE(store->Events(at(1, 31, 0), at(1, 31, 23)).size(), 2);
        QVERIFY(!store->DeleteEvent(spanning.id).IsError());
        QVERIFY(!store->EventById(spanning.id).has_value());
        store.reset();
        auto reopened = CPimStore::Open(path);
        QVERIFY(reopened);
        QCOMPARE(reopened->EventById(allDay.id).value(), allDay);
        QCOMPARE(reopened->EventById(jan.id).value(), jan);
    }

    void damagedFilesAreRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("message");
        QTest::newRow("random bytes") << "random" << int(PimMsg::NotPimFile);
        QTest::newRow("empty file") << "empty" << int(PimMsg::NotPimFile);
        QTest::newRow("sqlite header then garbage") << "header" << int(PimMsg::NotPimFile);
        QTest::newRow("sqlite without the tables") << "foreign" << int(PimMsg::NotPimFile);
        QTest::newRow("pim tables without a version") << "noversion" << int(PimMsg::NotPimFile);
        QTest::newRow("pim table names, other columns") << "othercolumns" << int(PimMsg::NotPimFile);
        QTest::newRow("newer schema") << "newer" << int(PimMsg::PimFileNewer);
    }

    void damagedFilesAreRefusedAndLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(int, message);
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("damaged-") + kind);
        const QString path = QDir(folder).filePath(QStringLiteral("bad.pim"));
        if (kind == QLatin1String("random") || kind == QLatin1String("header") ||
            kind == QLatin1String("empty")) {
            QByteArray bytes;
            if (kind != QLatin1String("empty")) {
                bytes = QByteArray(8192, '\0');
                QRandomGenerator generator(7);
                for (char& b : bytes)
                    b = char(generator.bounded(256));
                if (kind == QLatin1String("header"))
                    bytes.replace(0, 16, QByteArray("SQLite format 3\0", 16));
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        } else if (kind == QLatin1String("foreign")) {
            QVERIFY(RawExec(path, {QStringLiteral("CREATE TABLE other (x)"),
                                   QStringLiteral("INSERT INTO other VALUES (1)")}));
        } else {
            QVERIFY(QFile::copy(Template(), path));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            QVERIFY(
                RawExec(path, {kind == QLatin1String("newer") ? QStringLiteral("PRAGMA user_version = 99")
                                                              : QStringLiteral("PRAGMA user_version = 0")}));
        }
        const QByteArray before = Digest(path);
        const QStringList filesBefore = QDir(folder).entryList(QDir::Files);

        QSignalSpy opened(VelmoraPim::Notifier(), &VelmoraPim::CPimNotifier::databaseOpened);
        QCOMPARE(OpenDatabase(path), 0);
        QCOMPARE(VelmoraPim::LastConduitError().Id(), message);
        QVERIFY(VelmoraPim::LastConduitError().Args().first().contains(QStringLiteral("bad.pim")));
        QVERIFY(!VelmoraPim::CurrentPimStore());
        QCOMPARE(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite), 0);
        QCOMPARE(OpenDateBookRecordset(), 0);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(Digest(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
        QVERIFY(!CPimStore::IsPimDatabase(path));
    }

    void missingPathIsNotCreated()
    {
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("missing"));
        const QString path = QDir(folder).filePath(QStringLiteral("nothing.pim"));
        QCOMPARE(OpenDatabase(path), 0);
        QCOMPARE(VelmoraPim::LastConduitError().Id(), int(PimMsg::PimFileMissing));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(OpenDatabase(folder), 0); // a folder is no PIM file either
    }

    void createEmptyRefusesAnExistingFile()
    {
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("create"));
        const QString path = QDir(folder).filePath(QStringLiteral("new.pim"));
        QVERIFY(!CPimStore::CreateEmpty(path).IsError());
        QVERIFY(CPimStore::IsPimDatabase(path));
        const QByteArray before = Digest(path);
        QCOMPARE(CPimStore::CreateEmpty(path).Id(), int(PimMsg::PimFileExists));
        QCOMPARE(Digest(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("new.pim")});
    }

    void conduitOpensClosesAndReopens()
    {
        const QString path = NewPimFile(QStringLiteral("conduit"));
        QSignalSpy opened(VelmoraPim::Notifier(), &VelmoraPim::CPimNotifier::databaseOpened);
        QSignalSpy phoneOpened(VelmoraPim::Notifier(), &VelmoraPim::CPimNotifier::phoneBookOpened);
        QSignalSpy closed(VelmoraPim::Notifier(), &VelmoraPim::CPimNotifier::databaseClosed);
        QSignalSpy phoneClosed(VelmoraPim::Notifier(), &VelmoraPim::CPimNotifier::phoneBookClosed);
        QVERIFY(OpenDatabase(path) != 0);
        QVERIFY(!VelmoraPim::LastConduitError().IsError());
        QVERIFY(!VelmoraPim::IsPhoneBookOpen());
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        QVERIFY(OpenDateBookRecordset() != 0);
        QVERIFY(VelmoraPim::IsPhoneBookOpen() && VelmoraPim::IsDateBookOpen());
        CPimContact c = Awkward();
        QVERIFY(!VelmoraPim::CurrentPimStore()->SaveContact(c).IsError());
        ClosePhoneBookRecordset();
        CloseDateBookRecordset();
        CloseDatabase();
        QVERIFY(!VelmoraPim::CurrentPimStore());
        QVERIFY(!VelmoraPim::IsPhoneBookOpen());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(phoneOpened.count(), 1);
        QCOMPARE(phoneClosed.count(), 1);
        QCOMPARE(closed.count(), 1);

        QVERIFY(OpenDatabase(path) != 0);
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        QCOMPARE(VelmoraPim::CurrentPimStore()->Contacts(), QList<CPimContact>{c});
        // Opening another file closes the first one (the views hear about both).
        QVERIFY(OpenDatabase(NewPimFile(QStringLiteral("conduit2"))) != 0);
        QCOMPARE(closed.count(), 2);
        QCOMPARE(phoneClosed.count(), 2);
        QVERIFY(!VelmoraPim::IsPhoneBookOpen());
        QVERIFY(VelmoraPim::CurrentPimStore()->Contacts().isEmpty());
    }

    void readOnlyFileOpensButRefusesChanges()
    {
        const QString path = NewPimFile(QStringLiteral("readonly"));
        {
            auto store = CPimStore::Open(path);
            CPimContact c = Awkward();
            QVERIFY(!store->SaveContact(c).IsError());
        }
        QFile::setPermissions(path, QFile::ReadOwner);
        if (QFileInfo(path).isWritable())
            QSKIP("running with rights that ignore file modes");
        const QByteArray before = Digest(path);
        QVERIFY(OpenDatabase(path) != 0);
        QVERIFY(OpenPhoneBookRecordset(VelmoraPim::PhoneBookReadWrite) != 0);
        QVERIFY(VelmoraPim::IsPhoneBookReadOnly());
        CPimStore* store = VelmoraPim::CurrentPimStore();
        QCOMPARE(store->Contacts().size(), 1);
        CPimContact c = store->Contacts().first();
        c.note = QStringLiteral("changed");
        QCOMPARE(store->SaveContact(c).Id(), int(PimMsg::PimFileReadOnly));
        QCOMPARE(store->DeleteContact(c.id).Id(), int(PimMsg::PimFileReadOnly));
        CloseDatabase();
        QCOMPARE(Digest(path), before);
    }

    void killedWriterLeavesWholeContacts_data()
    {
        QTest::addColumn<int>("flush");
        for (int n : {1, 2, 3, 5, 8, 13, 21})
            QTest::newRow(qPrintable(QStringLiteral("flush %1").arg(n))) << n;
    }

    void killedWriterLeavesWholeContacts()
    {
        QFETCH(int, flush);
        const QString path = NewPimFile(QStringLiteral("killed%1").arg(flush));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VELMORA_KILLPOINT_LIB));
        env.insert(QStringLiteral("VELMORA_KILL_MATCH"), QFileInfo(path).canonicalPath());
        env.insert(QStringLiteral("VELMORA_KILL_AT"), QStringLiteral("fsync:%1").arg(flush));
        env.insert(QStringLiteral("VELMORA_PIM_WRITER"), path);
        QProcess writer;
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(writer.waitForFinished(60000));
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("writer ended with %1").arg(writer.exitCode())));

        // Every contact there has all three of its numbers; the file still opens as a PIM file.
        auto store = CPimStore::Open(path);
        QVERIFY(store);
        const QList<CPimContact> contacts = store->Contacts();
        QVERIFY(contacts.size() < 20);
        for (const CPimContact& c : contacts)
            QCOMPARE(c.numbers.size(), 3);
        CPimContact more{0, QStringLiteral("after"), {}, {}, {}, {}, {}};
        QVERIFY(!store->SaveContact(more).IsError());
    }
};

// Writes 20 contacts of three numbers each into the file named by VELMORA_PIM_WRITER (the child that the
// kill test stops dead).
static int RunWriter(const QString& path)
{
    auto store = CPimStore::Open(path);
    if (!store)
        return 2;
    for (int i = 0; i < 20; ++i) {
        CPimContact c;
        c.name = QStringLiteral("Writer %1").arg(i);
        for (int k = 0; k < 3; ++k)
            c.numbers.append({k, QStringLiteral("%1%2").arg(i).arg(k)});
        if (store->SaveContact(c).IsError())
            return 3;
    }
    return 0;
}

int main(int argc, char** argv)
{
    const QString writerPath = qEnvironmentVariable("VELMORA_PIM_WRITER");
    if (!writerPath.isEmpty()) {
        QCoreApplication app(argc, argv);
        return RunWriter(writerPath);
    }
    CTestEnvironment::PrepareProcess();
    QApplication app(argc, argv);
    CTestEnvironment::PrepareApplication();
    TestPimStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pim_store.moc"
