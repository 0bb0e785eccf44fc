// The document manager in the main window: new, open, save, save as, close, exit, recent files, append.

#include "CChildFrame.h"
#include "CCommandTable.h"
#include "CDocManager.h"
#include "CFakeView.h"
#include "CFleetConnection.h"
#include "CFleetContext.h"
#include "CFleetFile.h"
#include "CFleetFixtures.h"
#include "CMainFrame.h"
#include "CScriptedAnswerer.h"
#include "CScriptedQuestion.h"
#include "CShortcutListDockBar.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "IAppendQuestion.h"
#include "IFrameServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

namespace {

CFrameSettings Settings(const QString& programFolder)
{
    CFrameSettings settings;
    settings.programFolder = programFolder;
    settings.templatePath = CFleetFixtures::TemplatePath();
    settings.displayName = QStringLiteral("Velmora Test");
    return settings;
}

// Units in a fleet file as it lies on disk (stored or plain), read from a copy.
int UnitCount(const QString& path)
{
    const QString copy = CTestEnvironment::NewFolder(QStringLiteral("count")) + QStringLiteral("/copy.vlf");
    if (!QFile::copy(path, copy))
        return -1;
    if (CFleetFile::IsStoredForm(copy) && !CFleetFile::ExpandFleetFile(copy))
        return -1;
    CFleetConnection connection;
    if (!connection.Open(copy))
        return -1;
    return CFleetFixtures::Count(connection.Database(), QStringLiteral("unit_details"));
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();
    QString m_program;
    QString m_folder;
    std::unique_ptr<CMainFrame> m_frame;
    QList<std::pair<CDocManager::Prompt, QString>> m_prompts;
    QStringList m_promptAnswers;

    CDocManager& Docs() { return m_frame->Documents(); }
    QString Fleet(const QString& name, int units)
    {
        const QString path = m_folder + QLatin1Char('/') + name;
        return CFleetFixtures::MakeFleet(path, CFleetFixtures::Units(units)) ? path : QString();
    }
    QStringList Files(const QString& folder) const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
    // A change the user made in a fleet: one more unit, and the document marked modified.
    void AddUnit(CVelmoraDoc* doc, const QString& imei)
    {
        CUnitSpec unit;
        unit.imei = imei;
        unit.user = QStringLiteral("Added");
        QVERIFY(CFleetFixtures::AddUnit(doc->Database(), unit));
        doc->SetModifiedFlag(true);
    }

private Q_SLOTS:
    void init()
    {
        CTestEnvironment::ClearSettings();
        answers.Clear();
        m_program = CTestEnvironment::NewFolder(QStringLiteral("program"));
        m_folder = CTestEnvironment::NewFolder(QStringLiteral("fleets"));
        m_frame = std::make_unique<CMainFrame>(Settings(m_program));
        m_prompts.clear();
        m_promptAnswers.clear();
        Docs().SetPathPrompt([this](CDocManager::Prompt prompt, const QString& suggested) {
            m_prompts.append({prompt, suggested});
            return m_promptAnswers.isEmpty() ? QString() : m_promptAnswers.takeFirst();
        });
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanup()
    {
        m_frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void newFleetSavedAsThenReopenedFromTheRecentList()
    {
        CCommandTable& commands = m_frame->Commands();
        QVERIFY(commands.Execute(FrameCmd::FileNew));
        CVelmoraDoc* doc = Docs().ActiveDocument();
        QVERIFY(doc);
        QVERIFY(doc->IsUntitled());
        CChildFrame* child = Docs().FrameOf(doc);
        QVERIFY(child->isMaximized());
        QCOMPARE(child->Tabs()->tabText(0), CVelmoraWrap::LoadString(1680));
        QCOMPARE(m_frame->Documents().Context().OpenFleetDocuments(), 1);
        QVERIFY(m_frame->ListBar(CMainFrame::FleetBarId)->isVisible());
        AddUnit(doc, QStringLiteral("350000000000777"));

        // Save of a new fleet asks for a name; one typed without the extension gets it.
        m_promptAnswers << m_folder + QStringLiteral("/Harbour");
        QVERIFY(commands.Execute(FrameCmd::FileSave));
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(m_prompts.first().first, CDocManager::Prompt::SaveAs);
        QVERIFY(m_prompts.first().second.endsWith(QStringLiteral(".vlf")));
        const QString saved = m_folder + QStringLiteral("/Harbour.vlf");
        QCOMPARE(doc->PathName(), saved);
        QVERIFY(!doc->IsUntitled());
        QVERIFY(!doc->IsModified());
        // The new fleet's temporary files are gone from the program folder.
        QCOMPARE(Files(m_program), QStringList());
        QCOMPARE(Docs().RecentFiles().Files(), QStringList{saved});
        QVERIFY(commands.Action(FrameCmd::FileMru1)->isVisible());
        QVERIFY(commands.Action(FrameCmd::FileMru1)->text().contains(QStringLiteral("Harbour.vlf")));

        QVERIFY(commands.Execute(FrameCmd::FileClose));
        QCOMPARE(Docs().Count(), 0);
        QCOMPARE(answers.Count(), 0);
        QVERIFY(!m_frame->ListBar(CMainFrame::FleetBarId)->isVisible());
        QVERIFY(CFleetFile::IsStoredForm(saved));

        QVERIFY(commands.Execute(FrameCmd::FileMru1));
        QVERIFY(Docs().ActiveDocument());
        QCOMPARE(CFleetFixtures::Count(Docs().ActiveDocument()->Database(), QStringLiteral("unit_details")),
                 1);
        // The recent list survives in the settings.
        CRecentFileList reread;
        reread.Load();
        QCOMPARE(reread.Files(), QStringList{saved});
    }

    void fileDialogsStartWhereTheUserWorked()
    {
        CCommandTable& commands = m_frame->Commands();
        // Nothing opened yet: the documents folder when there is one, else home; not the start folder.
        QVERIFY(commands.Execute(FrameCmd::FileOpen));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(m_prompts.last().second, QDir(documents).exists() ? documents : QDir::homePath());

        // After a fleet of another folder was opened, Open and a new fleet's Save As start there.
        const QString path = Fleet(QStringLiteral("Harbour.vlf"), 1);
        QVERIFY(Docs().OpenFleet(path));
        QVERIFY(commands.Execute(FrameCmd::FileClose));
        QVERIFY(commands.Execute(FrameCmd::FileOpen));
        QCOMPARE(m_prompts.last(), std::make_pair(CDocManager::Prompt::Open, m_folder));
        QVERIFY(commands.Execute(FrameCmd::FileNew));
        QVERIFY(commands.Execute(FrameCmd::FileSaveAs));
        QCOMPARE(m_prompts.last().first, CDocManager::Prompt::SaveAs);
        QCOMPARE(QFileInfo(m_prompts.last().second).absolutePath(), m_folder);

        // A recent fleet whose folder is gone is passed over.
        QVERIFY(QDir(m_folder).removeRecursively());
        QVERIFY(commands.Execute(FrameCmd::FileOpen));
        QCOMPARE(m_prompts.last().second, QDir(documents).exists() ? documents : QDir::homePath());
    }

    void closingAModifiedFleetAsksFirst()
    {
        const QString path = Fleet(QStringLiteral("Harbour.vlf"), 2);
        CVelmoraDoc* doc = Docs().OpenFleet(path);
        QVERIFY(doc);
        AddUnit(doc, QStringLiteral("350000000000777"));

        // Cancel: the fleet stays open with its change.
        answers.Script({IDCANCEL});
        QVERIFY(m_frame->Commands().Execute(FrameCmd::FileClose));
        QCOMPARE(Docs().Count(), 1);
        QCOMPARE(answers.Count(), 1);
        QCOMPARE(answers.Messages().first().type, VMT_YESNOCANCEL);
        QVERIFY(answers.Messages().first().text.contains(QStringLiteral("Harbour.vlf")));
        QCOMPARE(CFleetFixtures::Count(doc->Database(), QStringLiteral("unit_details")), 3);

        // The window's close button asks the same question; No throws the change away.
        answers.Clear();
        answers.Script({IDNO});
        Docs().FrameOf(doc)->close();
        QCOMPARE(Docs().Count(), 0);
        QCOMPARE(answers.Count(), 1);
        QCOMPARE(UnitCount(path), 2);

        // Yes saves it.
        doc = Docs().OpenFleet(path);
        QVERIFY(doc);
        AddUnit(doc, QStringLiteral("350000000000778"));
        answers.Clear();
        answers.Script({IDYES});
        QVERIFY(Docs().CloseDocument(doc));
        QCOMPARE(UnitCount(path), 3);
        QCOMPARE(Files(m_folder), QStringList{QStringLiteral("Harbour.vlf")});
    }

    void exitAsksEveryFleetAndStopsAtCancel()
    {
        const QString first = Fleet(QStringLiteral("first.vlf"), 1);
        const QString second = Fleet(QStringLiteral("second.vlf"), 1);
        CVelmoraDoc* a = Docs().OpenFleet(first);
        CVelmoraDoc* b = Docs().OpenFleet(second);
        QVERIFY(a && b);
        AddUnit(a, QStringLiteral("350000000000777"));
        AddUnit(b, QStringLiteral("350000000000778"));

        // No for the first, Cancel for the second: the program keeps running with the second.
        answers.Script({IDNO, IDCANCEL});
        QVERIFY(!m_frame->close());
        QVERIFY(m_frame->isVisible());
        QCOMPARE(Docs().Documents(), QList<CVelmoraDoc*>{b});
        QCOMPARE(UnitCount(first), 1);

        answers.Clear();
        answers.Script({IDYES});
        QVERIFY(m_frame->close());
        QCOMPARE(Docs().Count(), 0);
        QCOMPARE(answers.Count(), 1);
        QCOMPARE(UnitCount(second), 2);
    }

    void aFileOpensOnce()
    {
        const QString path = Fleet(QStringLiteral("Harbour.vlf"), 2);
        CVelmoraDoc* doc = Docs().OpenFleet(path);
        QVERIFY(doc);
        QVERIFY(Docs().NewFleet());
        // Opening it again, by another spelling of its path, brings its window back.
        QCOMPARE(Docs().OpenFleet(m_folder + QStringLiteral("/./Harbour.vlf")), doc);
        QCOMPARE(Docs().Count(), 2);
        QCOMPARE(Docs().ActiveDocument(), doc);
        QCOMPARE(answers.Count(), 0);

        // Another fleet cannot be saved over a file that is open.
        CVelmoraDoc* fresh = Docs().Documents().last();
        m_promptAnswers << path;
        QVERIFY(!fresh->DoFileSaveAs(CShowErrors()));
        QCOMPARE(answers.Ids(), QList<int>{0});
        QVERIFY(answers.Messages().first().text.contains(QStringLiteral("Harbour.vlf")));
        QCOMPARE(CFleetFixtures::Count(doc->Database(), QStringLiteral("unit_details")), 2);
    }

    void aFleetMadeWhileTheWindowWaitsBecomesTheActiveOne()
    {
        // A phone read into a new fleet makes it through the frame's services while the main window
        // is disabled by the read's wait, with another fleet open.
        const QString path = Fleet(QStringLiteral("north-depot.vlf"), 2);
        CVelmoraDoc* old = Docs().OpenFleet(path);
        QVERIFY(old);
        IFrameServices& services = m_frame->Services();
        services.BeginWait();
        CVelmoraDoc* read = services.NewFleet();
        QVERIFY(read);
        QCOMPARE(Docs().ActiveDocument(), read);
        AddUnit(read, QStringLiteral("350000000000777"));
        services.EndWait();
        QCOMPARE(Docs().ActiveDocument(), read);
        QCOMPARE(m_frame->MdiArea()->activeSubWindow(), Docs().FrameOf(read));
        QVERIFY(m_frame->windowTitle().startsWith(QFileInfo(read->Title()).fileName()));

        // Save is the new fleet's: it asks for a name, proposing the new fleet's own.
        const QString saved = m_folder + QStringLiteral("/read.vlf");
        const QString readName = QFileInfo(read->Title()).fileName();
        m_promptAnswers << saved;
        QVERIFY(m_frame->Commands().Execute(FrameCmd::FileSave));
        QCOMPARE(m_prompts.size(), 1);
        QCOMPARE(QFileInfo(m_prompts.first().second).completeBaseName(), readName);
        QCOMPARE(read->PathName(), saved);
        QCOMPARE(answers.Count(), 0);
        QCOMPARE(UnitCount(path), 2);

        // Save As proposes the name it has now; saving it over the other open fleet says why not.
        m_promptAnswers << path;
        QVERIFY(m_frame->Commands().Execute(FrameCmd::FileSaveAs));
        QCOMPARE(m_prompts.last().second, saved);
        QCOMPARE(answers.Ids(), QList<int>{0});
        QVERIFY(answers.Messages().first().text.contains(QStringLiteral("north-depot.vlf")));
        QCOMPARE(CFleetFixtures::Count(old->Database(), QStringLiteral("unit_details")), 2);
    }

    void aSaveThatFailsSaysWhy()
    {
        CVelmoraDoc* doc = Docs().NewFleet();
        QVERIFY(doc);
        // A folder that is not there.
        m_promptAnswers << m_folder + QStringLiteral("/gone/Harbour.vlf");
        QVERIFY(m_frame->Commands().Execute(FrameCmd::FileSaveAs));
        QCOMPARE(answers.Count(), 1);
        QVERIFY(answers.Messages().first().text.contains(QStringLiteral("Harbour.vlf")));
        QVERIFY(doc->IsUntitled());

        // A cancelled name question is no failure.
        answers.Clear();
        QVERIFY(m_frame->Commands().Execute(FrameCmd::FileSaveAs));
        QCOMPARE(answers.Count(), 0);
    }

    void failedOpensLeaveNothingBehind()
    {
        const QString missing = m_folder + QStringLiteral("/gone.vlf");
        QVERIFY(!Docs().OpenFleet(missing));
        QCOMPARE(answers.Ids(), QList<int>{1640});
        QCOMPARE(Docs().Count(), 0);
        QCOMPARE(Docs().Context().OpenFleetDocuments(), 0);
        QCOMPARE(Files(m_folder), QStringList());

        // A recent entry whose file went away leaves the list when it fails to open.
        const QString path = Fleet(QStringLiteral("Harbour.vlf"), 1);
        QVERIFY(Docs().CloseDocument(Docs().OpenFleet(path)));
        QCOMPARE(Docs().RecentFiles().Files(), QStringList{path});
        QVERIFY(QFile::remove(path));
        answers.Clear();
        QVERIFY(!Docs().OpenRecent(0));
        QCOMPARE(answers.Ids(), QList<int>{1640});
        QCOMPARE(Docs().RecentFiles().Files(), QStringList());

        // Files of the command line: every one is tried; one failure is reported.
        const QString other = Fleet(QStringLiteral("Other.vlf"), 1);
        QVERIFY(!m_frame->OpenFiles({missing, other}));
        QCOMPARE(Docs().Count(), 1);
        QVERIFY(m_frame->OpenFiles({other}));
        QCOMPARE(Docs().Count(), 1);
    }

    void appendCopiesAnotherFleetsUnits()
    {
        const QString target = Fleet(QStringLiteral("target.vlf"), 2);
        const QList<CUnitSpec> units = CFleetFixtures::Units(4);
        const QString source = m_folder + QStringLiteral("/source.vlf");
        QVERIFY(CFleetFixtures::MakeFleet(source, units));
        QVERIFY(!m_frame->Commands().IsEnabled(FrameCmd::AppendFleet));
        CVelmoraDoc* doc = Docs().OpenFleet(target);
        QVERIFY(doc);

        // The fleet's own file is not appended to itself, and nothing is asked.
        CScriptedQuestion question({IAppendQuestion::OverwriteAll});
        Docs().SetAppendQuestion(&question);
        m_promptAnswers << target;
        QVERIFY(m_frame->Commands().Execute(FrameCmd::AppendFleet));
        QCOMPARE(m_prompts.last(), std::make_pair(CDocManager::Prompt::Append, QStringLiteral("*.vlf")));
        QVERIFY(question.asked.isEmpty());
        QVERIFY(!doc->IsModified());

        // Two of the four units exist: the first question's "overwrite all" covers the second.
        m_promptAnswers << source;
        QVERIFY(m_frame->Commands().Execute(FrameCmd::AppendFleet));
        QCOMPARE(question.asked, QStringList{units.first().imei});
        QCOMPARE(CFleetFixtures::Count(doc->Database(), QStringLiteral("unit_details")), 4);
        QVERIFY(doc->IsModified());
        // The appended file is stored again.
        QVERIFY(CFleetFile::IsStoredForm(source));
    }

    void appendWaitsForAnEditedCell()
    {
        Docs().SetViewFactory(CChildFrame::UnitsTab, [](CVelmoraDoc& document) {
            return new CFakeUnitsView(document, FrameFamily::Fleet);
        });
        CVelmoraDoc* doc = Docs().NewFleet();
        QVERIFY(doc);
        auto* view = dynamic_cast<CFakeUnitsView*>(Docs().FrameOf(doc)->View(CChildFrame::UnitsTab));
        QVERIFY(view);
        view->editing = true;
        QVERIFY(m_frame->Commands().Execute(FrameCmd::AppendFleet));
        QCOMPARE(answers.Ids(), QList<int>{1676});
        QCOMPARE(answers.Messages().first().type, VMT_NOTICE);
        // It stopped before asking for a file.
        QVERIFY(m_prompts.isEmpty());
        QCOMPARE(view->finished, 1);
    }
};

VELMORA_TEST_MAIN(TestDocuments)
#include "tst_documents.moc"
