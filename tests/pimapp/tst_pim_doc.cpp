// PIM documents: new file names, the template copy, open checks, save as, close, "Last PIM File", and
// the synchronisation program's launch and end.

#include "CPIMDoc.h"
#include "CPimStore.h"
#include "CPimSync.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "PimDocMessageIds.h"
#include "VelmoraConduit.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

QString LastPimFile()
{
    QString value;
    CVelmoraWrap::GetRegistryValue(QStringLiteral("Last PIM File"), value);
    return value;
}

QByteArray Digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A program folder of its own with the PIM template.
QString FolderWithTemplate(const QString& name)
{
    const QString folder = CTestEnvironment::NewFolder(name);
    QFile::copy(CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraPIM.vdf"),
                folder + QStringLiteral("/VelmoraPIM.vdf"));
    return folder;
}

CPimContact Contact(const QString& name, const QString& number)
{
    CPimContact contact;
    contact.name = name;
    // Fields the card leaves empty are empty texts, not absent ones.
    contact.company = contact.email = contact.address = contact.note = QLatin1String("");
    contact.numbers << CPimNumber{CPimNumber::Mobile, number};
    return contact;
}

QStringList ContactNames()
{
    QStringList names;
    if (CPimStore* store = VelmoraPim::CurrentPimStore()) {
        for (const CPimContact& contact : store->Contacts())
            names << contact.name;
    }
    return names;
}

// A stand-in for the synchronisation program: it says it started, then waits for its release file.
QString MakeSyncProgram(const QString& folder)
{
    const QString program = folder + QStringLiteral("/SyncDesk");
    WriteFile(program, QStringLiteral("#!/bin/sh\n"
                                      "touch \"$(dirname \"$0\")/started\"\n"
                                      "while [ ! -e \"$(dirname \"$0\")/release\" ]; do sleep 0.05; done\n")
                           .toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program;
}

} // namespace

class TestPimDoc : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

private Q_SLOTS:
    void init()
    {
        answers.Clear();
        CVelmoraWrap::SetRegistryValue(QStringLiteral("Last PIM File"), QString());
    }

    void newFilesCountUpPastExistingOnesAndTakeTheDatabaseOver()
    {
        const QString folder = FolderWithTemplate(QStringLiteral("new"));
        QVERIFY(WriteFile(folder + QStringLiteral("/VelmoraPIM1.pim"), "one"));
        QVERIFY(WriteFile(folder + QStringLiteral("/VelmoraPIM2.pim"), "two"));
        QCOMPARE(CPIMDoc::NewFileName(folder, QStringLiteral("VelmoraPIM")),
                 folder + QStringLiteral("/VelmoraPIM3.pim"));

        CPIMDoc first(folder);
        QSignalSpy opened(&first, &CPIMDoc::fileOpened);
        QVERIFY(!first.OnNewDocument());
        const QString third = folder + QStringLiteral("/VelmoraPIM3.pim");
        QCOMPARE(first.PathName(), third);
        QVERIFY(first.IsOpen());
        QCOMPARE(opened.size(), 1);
        QCOMPARE(LastPimFile(), third);
        QCOMPARE(VelmoraPim::CurrentPimFile(), third);
        QVERIFY(VelmoraPim::IsPimDatabaseOpen() && VelmoraPim::IsPhoneBookOpen() &&
                VelmoraPim::IsDateBookOpen());
        QCOMPARE(CPIMDoc::OpenDocument(), &first);
        // The files that were there are left alone.
        QCOMPARE(Digest(folder + QStringLiteral("/VelmoraPIM1.pim")),
                 QCryptographicHash::hash("one", QCryptographicHash::Sha256));

        // A second new document takes the one database: the first closes.
        CPIMDoc second(folder);
        QSignalSpy firstClosed(&first, &CPIMDoc::closed);
        QVERIFY(!second.OnNewDocument());
        QCOMPARE(second.PathName(), folder + QStringLiteral("/VelmoraPIM4.pim"));
        QCOMPARE(firstClosed.size(), 1);
        QVERIFY(!first.IsOpen());
        QCOMPARE(CPIMDoc::OpenDocument(), &second);
        second.OnCloseDocument();
        QVERIFY(!VelmoraPim::IsPimDatabaseOpen());
        QVERIFY(!CPIMDoc::OpenDocument());
    }

    void aFailedCopyNamesTheFileAndKeepsTheOpenDocument()
    {
        const QString folder = FolderWithTemplate(QStringLiteral("keep"));
        CPIMDoc open(folder);
        QVERIFY(!open.OnNewDocument());

        // A program folder without the template still makes PIM files: empty ones.
        const QString bare = CTestEnvironment::NewFolder(QStringLiteral("bare"));
        CPIMDoc older(bare);
        QVERIFY(!older.OnNewDocument());
        QCOMPARE(older.PathName(), bare + QStringLiteral("/VelmoraPIM1.pim"));
        QVERIFY(ContactNames().isEmpty());
        QVERIFY(!open.IsOpen());
        QVERIFY(!open.OnOpenDocument(open.PathName()));

        // A folder where no file can be made: the message names the file, nothing is closed.
        const QString nowhere = bare + QStringLiteral("/no/such/folder");
        CPIMDoc other(nowhere);
        const CVelmoraError error = other.OnNewDocument();
        QCOMPARE(error.Id(), int(PimDocMsg::FileCopyFailed));
        QCOMPARE(error.Args(),
                 QStringList{QDir::toNativeSeparators(nowhere + QStringLiteral("/VelmoraPIM1.pim"))});
        QVERIFY(!QFile::exists(nowhere + QStringLiteral("/VelmoraPIM1.pim")));
        QVERIFY(open.IsOpen());
        QCOMPARE(CPIMDoc::OpenDocument(), &open);
        QCOMPARE(LastPimFile(), open.PathName());
    }

    void openRefusesOtherNamesMissingAndDamagedFiles()
    {
        const QString folder = FolderWithTemplate(QStringLiteral("open"));
        CPIMDoc current(folder);
        QVERIFY(!current.OnNewDocument());
        const QString good = current.PathName();
        CPimContact ada = Contact(QStringLiteral("Ada"), QStringLiteral("123"));
        const CVelmoraError saved = VelmoraPim::CurrentPimStore()->SaveContact(ada);
        QVERIFY2(!saved, qPrintable(saved.ToText() + QString::number(saved.Id())));

        CPIMDoc doc(folder);
        const QString text = folder + QStringLiteral("/book.txt");
        QVERIFY(QFile::copy(good, text));
        QCOMPARE(doc.OnOpenDocument(text).Id(), int(PimDocMsg::NotPimFile));
        QCOMPARE(doc.OnOpenDocument(folder + QStringLiteral("/gone.pim")).Id(), int(PimDocMsg::FileMissing));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("dir.pim")));
        QCOMPARE(doc.OnOpenDocument(folder + QStringLiteral("/dir.pim")).Id(), int(PimDocMsg::FileMissing));

        // Not a database, and a database without the PIM tables: refused and not touched.
        const QString damaged = folder + QStringLiteral("/damaged.pim");
        QVERIFY(WriteFile(damaged, QByteArray("SQLite format 3\0garbage", 24) + QByteArray(4000, 'x')));
        const QByteArray before = Digest(damaged);
        QCOMPARE(doc.OnOpenDocument(damaged).Id(), int(PimDocMsg::NotPimFile));
        QCOMPARE(Digest(damaged), before);
        QVERIFY(!doc.IsOpen());
        // The document that was open stays open with its contacts, and stays the last PIM file.
        QVERIFY(current.IsOpen());
        QCOMPARE(ContactNames(), QStringList{QStringLiteral("Ada")});
        QCOMPARE(LastPimFile(), good);

        // The extension counts in any case; the file opens and takes over.
        const QString upper = folder + QStringLiteral("/Copy.PIM");
        current.OnCloseDocument();
        QVERIFY(QFile::copy(good, upper));
        QVERIFY(!doc.OnOpenDocument(upper));
        QCOMPARE(doc.PathName(), upper);
        QCOMPARE(ContactNames(), QStringList{QStringLiteral("Ada")});
        QCOMPARE(LastPimFile(), upper);
        doc.OnCloseDocument();
    }

    void saveAsCopiesAndGoesOnWithTheCopy()
    {
        const QString folder = FolderWithTemplate(QStringLiteral("saveas"));
        CPIMDoc doc(folder);
        QVERIFY(!doc.OnNewDocument());
        const QString original = doc.PathName();
        CPimContact contact =
            Contact(QStringLiteral("O'Brien \u05e9\u05dc\u05d5\u05dd"), QStringLiteral("+972 3"));
        QVERIFY(!VelmoraPim::CurrentPimStore()->SaveContact(contact));

        // The same file, however it is spelled, does nothing.
        QSignalSpy opened(&doc, &CPIMDoc::fileOpened);
        const QString spelled = folder + QStringLiteral("/../") + QFileInfo(folder).fileName() +
                                QStringLiteral("/") + QFileInfo(original).fileName();
        QVERIFY(!doc.OnSaveDocumentAs(spelled));
        QVERIFY(!doc.OnSaveDocumentAs(original));
        QCOMPARE(opened.size(), 0);
        QCOMPARE(doc.PathName(), original);

        // A name without the extension is refused before anything is written.
        QCOMPARE(doc.OnSaveDocumentAs(folder + QStringLiteral("/plain")).Id(), int(PimDocMsg::NotPimFile));
        QVERIFY(!QFile::exists(folder + QStringLiteral("/plain")));

        const QString copy =
            CTestEnvironment::NewFolder(QStringLiteral("saveas-target")) + QStringLiteral("/Shop.pim");
        QVERIFY(!doc.OnSaveDocumentAs(copy));
        QCOMPARE(doc.PathName(), copy);
        QVERIFY(doc.IsOpen());
        QCOMPARE(VelmoraPim::CurrentPimFile(), copy);
        QCOMPARE(LastPimFile(), copy);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(ContactNames(), QStringList{contact.name});
        // Changes go to the copy from now on; the original keeps what it had.
        CPimContact second = Contact(QStringLiteral("Second"), QStringLiteral("5"));
        QVERIFY(!VelmoraPim::CurrentPimStore()->SaveContact(second));
        doc.OnCloseDocument();
        CVelmoraError error;
        auto store = CPimStore::Open(original, &error);
        QVERIFY(store);
        QCOMPARE(store->Contacts().size(), 1);
        store.reset();

        // A copy that cannot be written names the file; the document goes on with its own.
        QVERIFY(!doc.OnOpenDocument(original));
        const QString nowhere = folder + QStringLiteral("/no/such/folder/x.pim");
        const CVelmoraError failed = doc.OnSaveDocumentAs(nowhere);
        QCOMPARE(failed.Id(), int(PimDocMsg::FileCopyFailed));
        QCOMPARE(failed.Args(), QStringList{QDir::toNativeSeparators(nowhere)});
        QVERIFY(doc.IsOpen());
        QCOMPARE(doc.PathName(), original);
        QCOMPARE(ContactNames(), QStringList{contact.name});
        doc.OnCloseDocument();
    }

    void syncIsLaunchedWithoutAShellAndFollowedToItsEnd()
    {
        const QString group = CPimSync::SettingsGroup();
        CVelmoraWrap::SetGroupValue(group, QStringLiteral("InstallDir"), QString());
        const CVelmoraError check = CPimSync::CheckInstalled();
        QCOMPARE(check.Id(), int(PimDocMsg::SyncNotFound));
        QVERIFY(check.IsNotice());
        CPimSync sync;
        QSignalSpy started(&sync, &CPimSync::started);
        QSignalSpy finished(&sync, &CPimSync::finished);
        QCOMPARE(sync.Launch().Id(), int(PimDocMsg::SyncNotInstalled));

        // Installed folder without the program.
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("sync desk 'quoted' $HOME"));
        CVelmoraWrap::SetGroupValue(group, QStringLiteral("InstallDir"), folder);
        QVERIFY(!CPimSync::CheckInstalled());
        QCOMPARE(sync.Launch().Id(), int(PimDocMsg::SyncNotInstalled));
        QCOMPARE(started.size(), 0);

        MakeSyncProgram(folder);
        QVERIFY(!sync.Launch());
        QCOMPARE(started.size(), 1);
        QVERIFY(sync.IsRunning());
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/started")));
        QTest::qWait(200);
        QCOMPARE(finished.size(), 0);
        QVERIFY(sync.IsRunning());
        // A second launch while it runs starts nothing more.
        QVERIFY(!sync.Launch());
        QCOMPARE(started.size(), 1);

        QVERIFY(WriteFile(folder + QStringLiteral("/release"), "go"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QVERIFY(!sync.IsRunning());
        QCOMPARE(answers.Count(), 0);
    }
};

VELMORA_TEST_MAIN(TestPimDoc)
#include "tst_pim_doc.moc"
