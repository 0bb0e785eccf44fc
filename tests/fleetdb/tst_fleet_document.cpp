#include "CAppendFile.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CUnitRecSet.h"
#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "IFleetView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {

// A view that holds a recordset on the document, as the units view does.
class CRecordingView : public IFleetView
{
public:
    bool editing = false;
    bool closable = true;
    int released = 0;
    int attached = 0;
    int activated = 0;
    CUnitRecSet units;

    bool IsEditingCell() const override { return editing; }
    bool CanCloseView() override { return closable; }
    void ActivateView() override { ++activated; }
    void ReleaseDatabase() override
    {
        ++released;
        units.Close();
        units.SetDatabase(QSqlDatabase());
    }
    void AttachDatabase(const QSqlDatabase& db) override
    {
        ++attached;
        units.SetDatabase(db);
        units.Open();
    }
};

int UnitCount(const QString& path)
{
    CFleetConnection c;
    return c.Open(path) ? CFleetFixtures::Count(c.Database(), "unit_details") : -1;
}

// Adds a unit the way the units view does, straight into the working copy.
bool AddUnit(CVelmoraDoc& doc, const QString& imei, const QString& name)
{
    CUnitRecSet rs(doc.Database());
    rs.AddNew();
    rs.m_unit_imei_num = imei;
    rs.m_unit_user_name = name;
    if (!rs.Update())
        return false;
    doc.SetModifiedFlag();
    return true;
}

} // namespace

class TestFleetDocument : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetContext> m_context;
    QString m_folder;
    QString m_program;

    std::unique_ptr<CVelmoraDoc> NewDoc()
    {
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        return doc;
    }
    QStringList Files(const QString& folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_folder = CTestEnvironment::NewFolder("Fleets");
        // New fleets are made in a program folder of their own, so leftovers show.
        m_program = CTestEnvironment::NewFolder("program");
        CFleetSettings settings = CFleetFixtures::Settings();
        settings.programFolder = m_program;
        m_context = std::make_unique<CFleetContext>(settings);
    }

    void newFleetSavedAsThenClosed()
    {
        QSignalSpy shown(m_context.get(), &CFleetContext::showFleetListBar);
        QSignalSpy hidden(m_context.get(), &CFleetContext::hideListBars);
        auto doc = NewDoc();
        QVERIFY(doc->OnNewDocument(CShowErrors()));
        QCOMPARE(doc->WorkingPath(), m_program + "/Velmora0");
        // The lock file says this program holds the fleet.
        QCOMPARE(Files(m_program), (QStringList{"Velmora0", "Velmora0.lock", "Velmora0.tem"}));
        QVERIFY(doc->IsUntitled() && doc->IsDeleteOnClose());
        QCOMPARE(doc->Title(), QString("Velmora0"));
        QCOMPARE(m_context->OpenFleetDocuments(), 1);
        QCOMPARE(shown.count(), 1);

        QVERIFY(AddUnit(*doc, "1", "O'Brien"));
        const QString target = m_folder + "/Fleet.vlf";
        doc->SetSaveAsPrompt([&](const CVelmoraDoc&) { return target; });
        // File Save on a fleet without a name is Save As.
        QVERIFY(doc->DoFileSave(CShowErrors()));
        QVERIFY(!doc->IsUntitled() && !doc->IsDeleteOnClose() && !doc->IsModified());
        QCOMPARE(doc->PathName(), target);
        QCOMPARE(doc->WorkingPath(), target);
        QCOMPARE(Files(m_program), QStringList());
        QCOMPARE(Files(m_folder), (QStringList{"Fleet.vlf", "Fleet.vlf.lock", "fleet.tem"}));
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 1);
        QCOMPARE(m_context->OpenFleetDocuments(), 1);

        doc->OnCloseDocument();
        QCOMPARE(Files(m_folder), QStringList{"Fleet.vlf"});
        QVERIFY(CFleetFile::IsStoredForm(target));
        QCOMPARE(m_context->OpenFleetDocuments(), 0);
        QCOMPARE(hidden.count(), 1);

        // The second new fleet gets the next number.
        auto second = NewDoc();
        QVERIFY(second->OnNewDocument(CShowErrors()));
        QCOMPARE(second->WorkingPath(), m_program + "/Velmora1");
        second->OnCloseDocument();
    }

    void newFleetDiscardedLeavesNothing()
    {
        auto doc = NewDoc();
        QVERIFY(doc->OnNewDocument(CShowErrors()));
        QVERIFY(AddUnit(*doc, "1", "x"));
        CScriptedAnswerer::Instance().Script({IDNO});
        QVERIFY(doc->SaveModified(CShowErrors()));
        QCOMPARE(doc->LastAnswer(), int(IDNO));
        QCOMPARE(CScriptedAnswerer::Instance().Messages().first().type, VMT_YESNOCANCEL);
        doc->OnCloseDocument();
        QCOMPARE(Files(m_program), QStringList());
    }

    void openedFleetIsExpandedBackedUpAndStoredAgain()
    {
        const QString path = m_folder + "/Fleet.VLF";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(3)));
        QVERIFY(CFleetFile::StoreFleetFile(path));
        QSignalSpy recent(m_context.get(), &CFleetContext::showFleetListBar);
        auto doc = NewDoc();
        QSignalSpy paths(doc.get(), &CVelmoraDoc::pathNameChanged);
        QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(doc->BackupPath(), m_folder + "/fleet.tem");
        QVERIFY(QFile::exists(doc->BackupPath()));
        QCOMPARE(doc->Title(), QString("Fleet.VLF"));
        QCOMPARE(paths.count(), 1);
        QCOMPARE(paths.first().at(1).toBool(), true);
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 3);

        // The same fleet cannot be opened twice: the second open fails in the database's words.
        auto second = NewDoc();
        QVERIFY(!second->OnOpenDocument(path, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{0});
        QVERIFY(CScriptedAnswerer::Instance().Messages().first().text.contains("locked"));
        second->OnCloseDocument();
        QVERIFY(QFile::exists(doc->BackupPath()));
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 3);

        doc->OnCloseDocument();
        QVERIFY(CFleetFile::IsStoredForm(path));
        QCOMPARE(Files(m_folder), QStringList{"Fleet.VLF"});
        QCOMPARE(m_context->OpenFleetDocuments(), 0);
    }

    void saveKeepsBackupInStepAndReattachesViews()
    {
        const QString path = m_folder + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        auto doc = NewDoc();
        CRecordingView view;
        doc->AddView(&view);
        QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
        view.AttachDatabase(doc->Database());
        QVERIFY(AddUnit(*doc, "99", QString::fromUtf8("שרה")));
        QCOMPARE(UnitCount(doc->BackupPath()), 2);

        // A grid still editing a cell stops the save.
        view.editing = true;
        QVERIFY(!doc->DoFileSave(CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{1676});
        QVERIFY(doc->IsOpen() && doc->IsModified());
        view.editing = false;

        QVERIFY(doc->DoFileSave(CShowErrors()));
        QVERIFY(!doc->IsModified());
        QCOMPARE(view.released, 1);
        QCOMPARE(view.attached, 2);
        QVERIFY(view.units.IsOpen());
        QCOMPARE(view.units.CountRecords(), 3);
        QCOMPARE(UnitCount(doc->BackupPath()), 3);
        doc->RemoveView(&view);
        view.ReleaseDatabase();
        doc->OnCloseDocument();
    }

    void saveAsLeavesTheOldFileAtItsLastSave()
    {
        const QString a = m_folder + "/a.vlf";
        const QString b = m_folder + "/b.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(a, CFleetFixtures::Units(2)));
        auto doc = NewDoc();
        QVERIFY(doc->OnOpenDocument(a, CShowErrors()));
        QVERIFY(AddUnit(*doc, "99", "100%"));
        doc->SetSaveAsPrompt([&](const CVelmoraDoc&) { return b; });
        QVERIFY(doc->DoFileSaveAs(CShowErrors()));
        QCOMPARE(doc->WorkingPath(), b);
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), 3);
        // a.vlf went back to what it was and was stored; its backup is gone.
        QVERIFY(CFleetFile::IsStoredForm(a));
        QVERIFY(CFleetFile::ExpandFleetFile(a));
        QCOMPARE(UnitCount(a), 2);
        QCOMPARE(Files(m_folder), (QStringList{"a.vlf", "b.tem", "b.vlf", "b.vlf.lock"}));
        doc->OnCloseDocument();
    }

    void answeringNoRestoresTheLastSave()
    {
        const QString path = m_folder + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        auto doc = NewDoc();
        QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
        QVERIFY(AddUnit(*doc, "99", "x"));

        CScriptedAnswerer::Instance().Script({IDCANCEL});
        QVERIFY(!doc->SaveModified(CShowErrors()));
        QCOMPARE(doc->LastAnswer(), int(IDCANCEL));
        QVERIFY(doc->IsOpen());

        CScriptedAnswerer::Instance().Script({IDNO});
        QVERIFY(doc->SaveModified(CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Messages().last().text,
                 CVelmoraWrap::LoadString(1629).arg("fleet.vlf"));
        doc->OnCloseDocument();
        QVERIFY(CFleetFile::ExpandFleetFile(path));
        QCOMPARE(UnitCount(path), 2);
    }

    void aViewThatCannotCloseStopsTheQuestion()
    {
        auto doc = NewDoc();
        QVERIFY(doc->OnNewDocument(CShowErrors()));
        CRecordingView view;
        view.closable = false;
        doc->AddView(&view);
        doc->SetModifiedFlag();
        QVERIFY(!doc->SaveModified(CShowErrors()));
        QCOMPARE(view.activated, 1);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QVERIFY(!doc->CanCloseFrame(&view));
        doc->RemoveView(&view);
        doc->OnCloseDocument();
    }

    // A private fleet opened through a symlink: the backup is as private as the fleet, and saving and
    // closing change the real file, which stays private, while the link stays a link.
    void privateFleetThroughALinkKeepsItsIdentity()
    {
        const QString real = CTestEnvironment::NewFolder("RealFleets") + "/fleet.vlf";
        const QString link = m_folder + "/fleet.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(real, CFleetFixtures::Units(2)));
        QVERIFY(CFleetFile::StoreFleetFile(real));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0600) == 0);
        QVERIFY(QFile::link(real, link));
        const auto privateOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

        auto doc = NewDoc();
        QVERIFY(doc->OnOpenDocument(link, CShowErrors()));
        QCOMPARE(QFile::permissions(doc->BackupPath()), privateOnly);
        QVERIFY(AddUnit(*doc, "99", "Added"));
        QVERIFY(doc->DoFileSave(CShowErrors()));
        doc->OnCloseDocument();

        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFile::permissions(real), privateOnly);
        QVERIFY(CFleetFile::IsStoredForm(real));
        QVERIFY(CFleetFile::ExpandFleetFile(link));
        QCOMPARE(UnitCount(real), 3);
        QCOMPARE(QFile::permissions(real), privateOnly);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::System), QStringList{"fleet.vlf"});
    }

    void failedOpensSayWhyAndCleanUp_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("no fleet extension") << "fleet.db" << QByteArray("x") << QList<int>{1603};
        QTest::newRow("missing") << "missing.vlf" << QByteArray() << QList<int>{1640};
        QTest::newRow("junk") << "junk.vlf" << QByteArray("junk") << QList<int>{1801};
        QTest::newRow("newer") << "newer.vlf" << QByteArray("newer") << QList<int>{1871};
        QTest::newRow("read-only") << "readonly.vlf" << QByteArray("readonly") << QList<int>{1872};
        QTest::newRow("older, upgrade declined")
            << "older.vlf" << QByteArray("older") << QList<int>{1800, 1799};
    }
    void failedOpensSayWhyAndCleanUp()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QList<int>, messages);
        const QString path = m_folder + "/" + name;
        if (content == "newer")
            QVERIFY(
                CFleetFixtures::WriteOldFleet(path, CFleetFixtures::Kind::Newer, CFleetFixtures::Units(1)));
        else if (content == "older")
            QVERIFY(CFleetFixtures::WriteOldFleet(path, CFleetFixtures::Kind::Version5,
                                                  CFleetFixtures::Units(2)));
        else if (content == "readonly") {
            QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
            QVERIFY(CFleetFile::StoreFleetFile(path));
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else if (!content.isEmpty())
            QVERIFY(CFleetFixtures::WriteBytes(path, content));
        if (content == "older")
            CScriptedAnswerer::Instance().Script({IDNO});
        const QStringList before = Files(m_folder);
        const QByteArray bytes = CFleetFixtures::Bytes(path);
        QSignalSpy hidden(m_context.get(), &CFleetContext::hideListBars);
        auto doc = NewDoc();
        CFleetErrors errors;
        QVERIFY(!doc->OnOpenDocument(path, errors));
        // Only the upgrade question reaches the user from the document; what went wrong comes back
        // for the caller to show, after it.
        const QList<int> asked = CScriptedAnswerer::Instance().Ids();
        QCOMPARE(asked, content == "older" ? QList<int>{1800} : QList<int>{});
        QCOMPARE(errors.size(), 1);
        CShowErrors::Show(errors);
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), messages);
        QCOMPARE(m_context->OpenFleetDocuments(), 1);
        doc->OnCloseDocument();
        QCOMPARE(m_context->OpenFleetDocuments(), 0);
        QCOMPARE(hidden.count(), 1);
        QCOMPARE(Files(m_folder), before);
        QCOMPARE(CFleetFixtures::Bytes(path), bytes);
    }

    void extensionTestAndBackupName()
    {
        QCOMPARE(CVelmoraDoc::BackupPathFor("/Data/Fleets/Fleet.VLF"), QString("/Data/Fleets/fleet.tem"));
        QCOMPARE(CVelmoraDoc::BackupPathFor("/d/fleet.vlf.bak"), QString("/d/fleet.tem"));
        const QString path = m_folder + "/fleet.vlf.bak";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
        auto doc = NewDoc();
        QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
        QCOMPARE(doc->BackupPath(), m_folder + "/fleet.tem");
        doc->OnCloseDocument();
        // Not a "VLF" extension: closing leaves the file plain.
        QCOMPARE(CFleetFile::ProbeDatabase(path), CFleetFile::Probe::Database);
    }

    // Quotes, "%" and Hebrew in folder and file names: new, save as, store, reopen, append, save.
    void awkwardFolderAndFileNames()
    {
        const QString program = m_program + QString::fromUtf8("/O'Brien 100%3 \"דוד\"");
        QVERIFY(QDir().mkpath(program));
        CFleetSettings settings = CFleetFixtures::Settings();
        settings.programFolder = program;
        CFleetContext context(settings);
        CVelmoraDoc doc(context);
        QVERIFY(doc.OnNewDocument(CShowErrors()));
        QCOMPARE(doc.WorkingPath(), program + "/Velmora0");
        QVERIFY(AddUnit(doc, "1", "O'Brien"));
        const QString target = program + QString::fromUtf8("/צי 100% 'א'.vlf");
        doc.SetSaveAsPrompt([&](const CVelmoraDoc&) { return target; });
        QVERIFY(doc.DoFileSave(CShowErrors()));
        doc.OnCloseDocument();
        QVERIFY(CFleetFile::IsStoredForm(target));

        const QString other = program + "/O'Brien %1.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(other, CFleetFixtures::Units(3)));
        CVelmoraDoc again(context);
        QVERIFY(again.OnOpenDocument(target, CShowErrors()));
        QCOMPARE(again.BackupPath(), program + QString::fromUtf8("/צי 100% 'א'.tem"));
        QVERIFY(CAppendFile::AppendFleetFile(again, other, nullptr, CShowErrors()));
        QCOMPARE(CFleetFixtures::Count(again.Database(), "unit_details"), 4);
        QVERIFY(again.DoFileSave(CShowErrors()));
        again.OnCloseDocument();
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QCOMPARE(Files(program), (QStringList{"O'Brien %1.vlf", QString::fromUtf8("צי 100% 'א'.vlf")}));
        QVERIFY(CFleetFile::ExpandFleetFile(target));
        QCOMPARE(UnitCount(target), 4);
    }

    void saveAsOverAnOpenFleetIsRefused()
    {
        const QString a = m_folder + "/a.vlf";
        const QString b = m_folder + "/b.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(a, CFleetFixtures::Units(1)));
        QVERIFY(CFleetFixtures::MakeFleet(b, CFleetFixtures::Units(2)));
        auto first = NewDoc();
        auto second = NewDoc();
        QVERIFY(first->OnOpenDocument(a, CShowErrors()));
        QVERIFY(second->OnOpenDocument(b, CShowErrors()));
        first->SetSaveAsPrompt([&](const CVelmoraDoc&) { return b; });
        QVERIFY(!first->DoFileSaveAs(CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{0});
        QCOMPARE(CScriptedAnswerer::Instance().Messages().first().text,
                 CVelmoraWrap::LoadString(1386).arg(b));
        QCOMPARE(CFleetFixtures::Count(second->Database(), "unit_details"), 2);
        QCOMPARE(CFleetFixtures::Count(first->Database(), "unit_details"), 1);
        first->OnCloseDocument();
        second->OnCloseDocument();
    }
};

VELMORA_TEST_MAIN(TestFleetDocument)
#include "tst_fleet_document.moc"
