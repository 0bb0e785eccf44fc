// Who holds a fleet, what a stopped holder leaves, and how the next open settles it.
#include "CAppendFile.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CFleetLeftovers.h"
#include "CFleetLock.h"
#include "CSafeFile.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraDoc.h"
#include "FleetMessageIds.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

// Takes the lock file given as $0 with flock(1) and keeps it, as the one process it becomes, until killed.
const QString kHolder = QStringLiteral("exec 9>>\"$0\" && flock -n 9 && echo held && exec sleep 60");

int UnitCount(const QString& path)
{
    CFleetConnection c;
    return c.Open(path) ? CFleetFixtures::Count(c.Database(), "unit_details") : -1;
}

bool DeleteUnit(const QSqlDatabase& db, const QString& imei)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM unit_details WHERE unit_imei_num = ?"));
    query.addBindValue(imei);
    return query.exec() && query.numRowsAffected() == 1;
}

} // namespace

class TestFleetLock : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CFleetContext> m_context;
    QString m_folder;

    // A fleet opened, changed after its open (its last save) and left as a killed program leaves it.
    QString CrashedFleet(const QString& name, int units)
    {
        const QString path = m_folder + "/" + name;
        if (!CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(units)) ||
            !CFleetFile::StoreFleetFile(path))
            return QString();
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        if (!doc->OnOpenDocument(path, CShowErrors()) ||
            !DeleteUnit(doc->Database(), CFleetFixtures::Units(units).first().imei))
            return QString();
        doc->SetModifiedFlag();
        doc.reset(); // no close: the files stay as they are
        return path;
    }

private Q_SLOTS:
    void init()
    {
        CScriptedAnswerer::Instance().Clear();
        m_folder = CTestEnvironment::NewFolder("Fleets");
        m_context = std::make_unique<CFleetContext>(CFleetFixtures::Settings());
    }

    void holdsNestWithinTheProgram()
    {
        const QString path = m_folder + "/Nest.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
        const QString link = m_folder + "/link.vlf";
        QVERIFY(QFile::link(path, link));
        CFleetLock outer;
        QVERIFY(!outer.Lock(link));
        QVERIFY(outer.IsFirstHold());
        QCOMPARE(CFleetLock::LockPathFor(link), path + ".lock");
        QVERIFY(QFile::exists(path + ".lock"));
        {
            CFleetLock inner;
            QVERIFY(!inner.Lock(path));
            QVERIFY(!inner.IsFirstHold());
        }
        QVERIFY(CFleetLock::HeldHere(path));
        CFleetLock moved = std::move(outer);
        QVERIFY(!outer.IsLocked() && moved.IsLocked());
        moved.Unlock();
        QVERIFY(!CFleetLock::HeldHere(path));
        QVERIFY(!QFile::exists(path + ".lock"));
    }

    void anotherProgramsHoldRefusesUntilItEnds()
    {
        const QString path = m_folder + "/Held.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(1)));
        // A holder that writes nothing into the lock file, and is then killed.
        QProcess holder;
        holder.start("sh", {"-c", kHolder, CFleetLock::LockPathFor(path)});
        QVERIFY(holder.waitForReadyRead(10000));
        CFleetLock lock;
        const CVelmoraError refused = CFleetLock().Lock(path);
        QCOMPARE(refused.Id(), int(FleetMsg::FleetInUse));
        QCOMPARE(refused.Args().value(1), CVelmoraError::Message(FleetMsg::FleetHolderUnknown).ToText());
        QVERIFY(!CFleetLock::HeldHere(path));
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(!lock.Lock(path));
        QVERIFY(lock.IsFirstHold());
        // Store and expand of a fleet another program holds do nothing.
        lock.Unlock();
        holder.start("sh", {"-c", kHolder, CFleetLock::LockPathFor(path)});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(CFleetLock().Lock(path).IsError());
        const QByteArray before = CFleetFixtures::Bytes(path);
        QVERIFY(!CFleetFile::StoreFleetFile(path));
        QCOMPARE(CFleetFixtures::Bytes(path), before);
        holder.kill();
        QVERIFY(holder.waitForFinished());
    }

    void leftoversOfAKilledWriterGoWhenTheFleetIsNextTaken()
    {
        const QString path = m_folder + "/Left.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        const QByteArray database = CFleetFixtures::Bytes(path);
        const QString restore = CFleetFile::RestoreTempPath(path);
        QVERIFY(CFleetFixtures::WriteBytes(path + ".part", database.left(5000)));
        QVERIFY(CFleetFixtures::WriteBytes(CFleetFile::CompactionTempPath(path), database));
        QVERIFY(CFleetFixtures::WriteBytes(restore, database.left(database.size() - 4096)));
        QVERIFY(CFleetLeftovers::IsCutShort(restore));
        QVERIFY(!CFleetLeftovers::IsCutShort(path));
        // A whole database under the expand temporary's unique name may be the user's: it stays.
        const QString whole = restore + ".Ab12Cd";
        QVERIFY(CFleetFixtures::WriteBytes(whole, database));
        const QString cut = restore + ".Xy34Zw";
        QVERIFY(CFleetFixtures::WriteBytes(cut, QByteArray()));
        {
            CFleetLock lock;
            QVERIFY(!lock.Lock(path));
        }
        QVERIFY(!QFile::exists(path + ".part"));
        QVERIFY(!QFile::exists(CFleetFile::CompactionTempPath(path)));
        QVERIFY(!QFile::exists(restore));
        QVERIFY(!QFile::exists(cut));
        QVERIFY(QFile::exists(whole));
        QCOMPARE(CFleetFixtures::Bytes(path), database);
    }

    void aStoppedSessionAsksWhichStateToKeep_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("keep the changes") << int(IDYES);
        QTest::newRow("last saved state") << int(IDNO);
        QTest::newRow("leave both") << int(IDCANCEL);
    }

    void aStoppedSessionAsksWhichStateToKeep()
    {
        QFETCH(int, answer);
        const QString path = CrashedFleet("Crash.vlf", 3);
        QVERIFY(!path.isEmpty());
        const QString backup = CVelmoraDoc::BackupPathFor(path);
        QCOMPARE(UnitCount(path), 2);
        QCOMPARE(UnitCount(backup), 3);
        const QByteArray fleetBytes = CFleetFixtures::Bytes(path);
        const QByteArray backupBytes = CFleetFixtures::Bytes(backup);

        CScriptedAnswerer::Instance().Script({answer});
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        const bool opened = doc->OnOpenDocument(path, CShowErrors());
        QCOMPARE(CScriptedAnswerer::Instance().Ids(), QList<int>{FleetMsg::CrashedSession});
        QCOMPARE(CScriptedAnswerer::Instance().Messages().first().type, VMT_YESNOCANCEL);
        if (answer == IDCANCEL) {
            QVERIFY(!opened);
            doc->OnCloseDocument();
            QCOMPARE(CFleetFixtures::Bytes(path), fleetBytes);
            QCOMPARE(CFleetFixtures::Bytes(backup), backupBytes);
            return;
        }
        QVERIFY(opened);
        QCOMPARE(CFleetFixtures::Count(doc->Database(), "unit_details"), answer == IDYES ? 2 : 3);
        // Kept changes are unsaved changes: the backup still holds the last save.
        QCOMPARE(doc->IsModified(), answer == IDYES);
        QCOMPARE(UnitCount(backup), 3);
        if (answer == IDYES) {
            // ...and closing without saving goes back to it.
            CScriptedAnswerer::Instance().Script({IDNO});
            QVERIFY(doc->SaveModified(CShowErrors()));
        }
        doc->OnCloseDocument();
        QVERIFY(!QFile::exists(backup));
        QVERIFY(CFleetFile::IsStoredForm(path));
    }

    void aBackupLikeTheFleetAsksNothing()
    {
        const QString path = m_folder + "/Same.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(2)));
        QVERIFY(QFile::copy(path, CVelmoraDoc::BackupPathFor(path)));
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        QVERIFY(doc->OnOpenDocument(path, CShowErrors()));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        QVERIFY(!doc->IsModified());
        doc->OnCloseDocument();
    }

    void anUnsettledFleetIsNotChangedFromElsewhere()
    {
        const QString source = CrashedFleet("Source.vlf", 3);
        QVERIFY(!source.isEmpty());
        const QByteArray before = CFleetFixtures::Bytes(source);
        CFleetLock lock;
        const CVelmoraError refused = CVelmoraDoc::HoldForChange(source, lock);
        QCOMPARE(refused.Id(), int(FleetMsg::CrashedSessionUndecided));
        QVERIFY(!lock.IsLocked());

        const QString target = m_folder + "/Target.vlf";
        QVERIFY(CFleetFixtures::MakeFleet(target, {}));
        auto doc = std::make_unique<CVelmoraDoc>(*m_context);
        QVERIFY(doc->OnOpenDocument(target, CShowErrors()));
        CFleetErrors errors;
        QVERIFY(!CAppendFile::AppendFleetFile(*doc, source, nullptr, errors));
        QVERIFY(!errors.isEmpty() && errors.first().Id() == FleetMsg::CrashedSessionUndecided);
        QCOMPARE(CFleetFixtures::Bytes(source), before);
        doc->OnCloseDocument();
    }

    void anEndWithoutQuestionsKeepsUnsavedChangesForLater()
    {
        const QString changed = m_folder + "/Changed.vlf";
        const QString clean = m_folder + "/Clean.vlf";
        for (const QString& path : {changed, clean})
            QVERIFY(CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(3)) &&
                    CFleetFile::StoreFleetFile(path));
        auto edited = std::make_unique<CVelmoraDoc>(*m_context);
        auto untouched = std::make_unique<CVelmoraDoc>(*m_context);
        QVERIFY(edited->OnOpenDocument(changed, CShowErrors()));
        QVERIFY(untouched->OnOpenDocument(clean, CShowErrors()));
        QVERIFY(DeleteUnit(edited->Database(), CFleetFixtures::Units(3).first().imei));
        edited->SetModifiedFlag();
        edited->OnAbandonDocument();
        untouched->OnAbandonDocument();
        QCOMPARE(m_context->OpenFleetDocuments(), 0);
        QVERIFY(CFleetFile::IsStoredForm(clean));
        QVERIFY(!QFile::exists(CVelmoraDoc::BackupPathFor(clean)));
        QVERIFY(!QFile::exists(CFleetLock::LockPathFor(changed)));
        QCOMPARE(UnitCount(changed), 2);
        QCOMPARE(UnitCount(CVelmoraDoc::BackupPathFor(changed)), 3);
        // The next open asks.
        CScriptedAnswerer::Instance().Script({IDNO});
        auto again = std::make_unique<CVelmoraDoc>(*m_context);
        QVERIFY(again->OnOpenDocument(changed, CShowErrors()));
        QVERIFY(CScriptedAnswerer::Instance().Saw(FleetMsg::CrashedSession));
        QCOMPARE(CFleetFixtures::Count(again->Database(), "unit_details"), 3);
        again->OnCloseDocument();
    }

    void newFleetsStepOverNamesAStoppedProgramLeft()
    {
        CFleetSettings settings = CFleetFixtures::Settings();
        settings.programFolder = CTestEnvironment::NewFolder("program");
        CFleetContext context(settings);
        QVERIFY(CFleetFixtures::WriteBytes(settings.programFolder + "/Velmora0", "unsaved work"));
        QVERIFY(CFleetFixtures::WriteBytes(settings.programFolder + "/Velmora1.tem", "its backup"));
        CVelmoraDoc doc(context);
        QVERIFY(doc.OnNewDocument(CShowErrors()));
        QCOMPARE(doc.WorkingPath(), settings.programFolder + "/Velmora2");
        doc.OnCloseDocument();
        QCOMPARE(CFleetFixtures::Bytes(settings.programFolder + "/Velmora0"), QByteArray("unsaved work"));
    }
};

VELMORA_TEST_MAIN(TestFleetLock)
#include "tst_fleet_lock.moc"
