// The PIM window in the main frame: the View menu's PIM window, its tabs and captions, File New, Open,
// Save As and Close in the PIM family, dropped and recent PIM files, the PIM list bar, and the
// synchronisation program's run.

#include "CCommandTable.h"
#include "CContactInfo.h"
#include "CDBTabWnd.h"
#include "CDocManager.h"
#include "CHelpWnd.h"
#include "CMainFrame.h"
#include "CPIMChildFrame.h"
#include "CPIMDoc.h"
#include "CPIMTabWnd.h"
#include "CPhoneBookView.h"
#include "CPhoneCenterView.h"
#include "CPhoneList.h"
#include "CPimDocManager.h"
#include "CPimFeature.h"
#include "CPimStore.h"
#include "CPimSync.h"
#include "CScheduleView.h"
#include "CScriptedAnswerer.h"
#include "CShortcutListDockBar.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "PimDocMessageIds.h"
#include "VelmoraConduit.h"
#include "WhenModal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

namespace {

CFrameSettings Settings(const QString& folder)
{
    CFrameSettings settings;
    settings.programFolder = folder;
    settings.displayName = QStringLiteral("Velmora Test");
    return settings;
}

QString Plain(int id)
{
    QString text = CVelmoraWrap::LoadString(id);
    text.remove(QLatin1Char('&'));
    return text;
}

QStringList TabTexts(const QTabWidget* tabs)
{
    QStringList texts;
    for (int i = 0; tabs && i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

QStringList ContactNames(const QString& path)
{
    QStringList names;
    auto store = CPimStore::Open(path);
    if (store) {
        for (const CPimContact& contact : store->Contacts())
            names << contact.name;
    }
    return names;
}

bool AddContact(const QString& name)
{
    CPimContact contact;
    contact.name = name;
    contact.company = contact.email = contact.address = contact.note = QLatin1String("");
    contact.numbers << CPimNumber{CPimNumber::Mobile, QStringLiteral("0501234567")};
    CPimStore* store = VelmoraPim::CurrentPimStore();
    return store && !store->SaveContact(contact);
}

QString NewProgramFolder()
{
    static int count = 0;
    const QString folder = CTestEnvironment::NewFolder(QStringLiteral("program-pim-%1").arg(++count));
    CTestEnvironment::FillProgramFolder(folder);
    return folder;
}

// A main frame with the PIM feature, in a program folder of its own.
struct PimFrame
{
    QString folder = NewProgramFolder();
    CMainFrame frame{Settings(folder)};
    CPimFeature::Parts parts;
    QStringList prompts;
    QString answer;

    PimFrame()
    {
        parts = CPimFeature::Register(frame.Registry(), CPimFeatureSettings{folder, 0});
        parts.documents->SetPathPrompt([this](bool save, const QString& suggested) {
            prompts << (save ? QStringLiteral("save:") : QStringLiteral("open:")) + suggested;
            return answer;
        });
        frame.show();
        QTest::qWaitForWindowExposed(&frame);
    }
    CPimDocManager& Docs() const { return *parts.documents; }
    CPIMChildFrame* Window() const { return parts.documents->Frame(); }
    bool Run(int id) { return frame.Commands().Execute(id); }
};

} // namespace

class TestPimWindow : public QObject
{
    Q_OBJECT

    CScriptedAnswerer& answers = CScriptedAnswerer::Instance();

private Q_SLOTS:
    void init()
    {
        CTestEnvironment::ClearSettings();
        answers.Clear();
    }

    void theWindowShowsBothBooksUnderTheirCaptions()
    {
        PimFrame pim;
        // The PIM features' first use checks for the synchronisation program.
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        QCOMPARE(answers.Ids(), QList<int>{PimDocMsg::SyncNotFound});
        CPIMChildFrame* window = pim.Window();
        QVERIFY(window);
        QCOMPARE(window->Document().PathName(), pim.folder + QStringLiteral("/VelmoraPIM1.pim"));
        QVERIFY(window->isMaximized());
        QCOMPARE(pim.frame.ActiveFamily(), int(FrameFamily::Pim));
        QCOMPARE(pim.frame.menuBar()->property("menuResource").toInt(), 143);
        QVERIFY(pim.frame.ListBar(CMainFrame::PimBarId)->isVisible());
        QVERIFY(pim.frame.Commands().IsChecked(FrameCmd::PimWindow));

        CPIMTabWnd* tabs = window->TabWnd();
        QCOMPARE(TabTexts(tabs),
                 (QStringList{CVelmoraWrap::LoadString(1742), CVelmoraWrap::LoadString(1743)}));
        QCOMPARE(tabs->widget(CPIMTabWnd::PhoneBookTab), tabs->PhoneBookView());
        QCOMPARE(TabTexts(tabs->DateBook()),
                 (QStringList{CVelmoraWrap::LoadString(1753), CVelmoraWrap::LoadString(1754),
                              CVelmoraWrap::LoadString(1755)}));
        // Activation labels the tabs again from the language texts.
        tabs->setTabText(0, QStringLiteral("stale"));
        tabs->DateBook()->setTabText(2, QStringLiteral("stale"));
        window->Activate();
        QCOMPARE(tabs->tabText(0), CVelmoraWrap::LoadString(1742));
        QCOMPARE(tabs->DateBook()->tabText(2), CVelmoraWrap::LoadString(1755));

        // Closing remembers a window that was not maximised; the next one opens that way.
        window->showNormal();
        QVERIFY(pim.Run(FrameCmd::FileClose));
        QVERIFY(!pim.Window());
        QCOMPARE(pim.frame.ActiveFamily(), int(FrameFamily::None));
        QVERIFY(!CPIMChildFrame::MaximizeSetting());
        // The View menu brings the last PIM file back.
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        QVERIFY(pim.Window());
        QCOMPARE(pim.Window()->Document().PathName(), pim.folder + QStringLiteral("/VelmoraPIM1.pim"));
        QVERIFY(!pim.Window()->isMaximized());
        QCOMPARE(answers.Count(), 1); // the check is made once
    }

    void fileCommandsWorkOnThePimFileInItsFamily()
    {
        PimFrame pim;
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        const QString first = pim.Window()->Document().PathName();
        QVERIFY(AddContact(QStringLiteral("Dana")));

        // New makes the next file and closes the one before with its window.
        QVERIFY(pim.Run(FrameCmd::FileNew));
        QCOMPARE(pim.frame.MdiArea()->subWindowList().size(), 1);
        QCOMPARE(pim.Window()->Document().PathName(), pim.folder + QStringLiteral("/VelmoraPIM2.pim"));
        QVERIFY(VelmoraPim::CurrentPimStore()->Contacts().isEmpty());

        // Save As asks for a name (the extension is added) and goes on with the copy.
        QVERIFY(AddContact(QStringLiteral("Eli")));
        const QString target = CTestEnvironment::NewFolder(QStringLiteral("saved")) + QStringLiteral("/Shop");
        pim.answer = target;
        QVERIFY(pim.Run(FrameCmd::FileSaveAs));
        QCOMPARE(pim.prompts.last(),
                 QStringLiteral("save:") + pim.folder + QStringLiteral("/VelmoraPIM2.pim"));
        QCOMPARE(pim.Window()->Document().PathName(), target + QStringLiteral(".pim"));
        QCOMPARE(ContactNames(target + QStringLiteral(".pim")), QStringList{QStringLiteral("Eli")});

        // Open in the PIM family asks for a PIM file; a damaged one is refused and the window stays.
        const QString damaged = pim.folder + QStringLiteral("/damaged.pim");
        QFile bad(damaged);
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not a database") > 0);
        bad.close();
        pim.answer = damaged;
        answers.Clear();
        QVERIFY(pim.Run(FrameCmd::FileOpen));
        QCOMPARE(pim.prompts.last().left(5), QStringLiteral("open:"));
        QCOMPARE(answers.Ids(), QList<int>{PimDocMsg::NotPimFile});
        QCOMPARE(pim.Window()->Document().PathName(), target + QStringLiteral(".pim"));
        QVERIFY(VelmoraPim::IsPimDatabaseOpen());

        // Close; then the recent-file list opens the PIM files again, the newest first.
        QVERIFY(pim.Run(FrameCmd::FileClose));
        QVERIFY(!VelmoraPim::IsPimDatabaseOpen());
        QVERIFY(!pim.frame.Commands().IsEnabled(FrameCmd::FileSaveAs));
        QCOMPARE(pim.frame.Documents().RecentFiles().Files().first(), target + QStringLiteral(".pim"));
        QVERIFY(pim.Run(FrameCmd::FileMru1 + 2));
        QCOMPARE(pim.Window()->Document().PathName(), first);
        QCOMPARE(pim.Window()->TabWnd()->PhoneBookView()->PhoneList()->ShownIds().size(), 1);

        // A recent PIM file that is gone says so and leaves the list.
        pim.Run(FrameCmd::FileClose);
        QVERIFY(QFile::remove(first));
        answers.Clear();
        QVERIFY(pim.Run(FrameCmd::FileMru1));
        QCOMPARE(answers.Ids(), QList<int>{PimDocMsg::FileMissing});
        QVERIFY(!pim.frame.Documents().RecentFiles().Files().contains(first));

        // Outside the PIM family New makes a fleet; a dropped PIM file opens as a PIM file.
        QVERIFY(pim.frame.OpenFiles({target + QStringLiteral(".pim")}));
        QCOMPARE(pim.frame.ActiveFamily(), int(FrameFamily::Pim));
    }

    void listBarItemsGoToTheirBook()
    {
        PimFrame pim;
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        QVERIFY(AddContact(QStringLiteral("Gil")));
        CPIMTabWnd* tabs = pim.Window()->TabWnd();
        CPhoneBookView* book = tabs->PhoneBookView();
        book->PhoneList()->Reload();
        tabs->setCurrentIndex(CPIMTabWnd::DateBookTab);

        QVERIFY(pim.frame.DispatchListBarClick(Plain(1749)));
        QCOMPARE(tabs->currentIndex(), int(CPIMTabWnd::PhoneBookTab));
        QVERIFY(book->ContactInfo()->IsEditingNew());
        // The name typed next goes to the card, though the list bar took the focus back.
        pim.frame.ListBar(CMainFrame::PimBarId)->setFocus();
        QTRY_VERIFY(book->ContactInfo()->isAncestorOf(QApplication::focusWidget()));
        book->ContactInfo()->Revert();

        book->PhoneList()->SelectContact(book->PhoneList()->ShownIds().first());
        answers.Clear();
        answers.Script({IDYES});
        QVERIFY(pim.frame.DispatchListBarClick(Plain(1750)));
        QCOMPARE(answers.Count(), 1);
        QVERIFY(VelmoraPim::CurrentPimStore()->Contacts().isEmpty());

        // The date book's items add and delete events in the view on show.
        tabs->setCurrentIndex(CPIMTabWnd::PhoneBookTab);
        WhenModal([](QWidget* dialog) {
            for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
                if (edit->property("controlId").toInt() == 1001)
                    edit->setText(QStringLiteral("Service at the depot"));
            }
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        QVERIFY(pim.frame.DispatchListBarClick(Plain(1762)));
        QCOMPARE(tabs->currentIndex(), int(CPIMTabWnd::DateBookTab));
        QCOMPARE(tabs->ActiveView(), static_cast<QWidget*>(tabs->DateBook()->CurrentView()));
        const QDateTime from = QDateTime::currentDateTime().addYears(-1);
        const QDateTime to = QDateTime::currentDateTime().addYears(1);
        QCOMPARE(VelmoraPim::CurrentPimStore()->Events(from, to).size(), 1);
        QCOMPARE(VelmoraPim::CurrentPimStore()->Events(from, to).first().title,
                 QStringLiteral("Service at the depot"));
        answers.Clear();
        answers.Script({IDYES});
        QVERIFY(pim.frame.DispatchListBarClick(Plain(1763)));
        QCOMPARE(answers.Count(), 1);
        QVERIFY(VelmoraPim::CurrentPimStore()->Events(from, to).isEmpty());

        // Synchronise without the program installed says so.
        answers.Clear();
        QVERIFY(pim.frame.DispatchListBarClick(Plain(1751)));
        QCOMPARE(answers.Ids(), QList<int>{PimDocMsg::SyncNotInstalled});
        QCOMPARE(CPimFeature::ItemOfLabel(QStringLiteral("no such item")), CPimFeature::NoItem);

        // Help opens the PIM topic, not the contents.
        QVERIFY(pim.frame.DispatchListBarClick(Plain(1621)));
        const CHelpWnd* help = pim.frame.findChild<CHelpWnd*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Browser()->source().fileName(), QStringLiteral("pim.html"));
    }

    void ctrlNInTheDateBookAddsAnEventRatherThanANewFile()
    {
        PimFrame pim;
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        const QString file = pim.Docs().Document()->PathName();
        CPIMTabWnd* tabs = pim.Window()->TabWnd();
        tabs->setCurrentIndex(CPIMTabWnd::DateBookTab);
        QWidget* view = tabs->DateBook()->CurrentView();
        view->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), view);

        bool asked = false;
        WhenModal([&asked](QWidget* dialog) {
            asked = true;
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        });
        QTest::keyClick(view, Qt::Key_N, Qt::ControlModifier);
        QTRY_VERIFY(asked);
        QCOMPARE(pim.Docs().Document()->PathName(), file);
    }

    void theFileIsClosedAndTheWindowWaitsWhileSyncRuns()
    {
        PimFrame pim;
        QVERIFY(pim.Run(FrameCmd::PimWindow));
        const QString path = pim.Window()->Document().PathName();
        const QString folder = CTestEnvironment::NewFolder(QStringLiteral("syncdesk"));
        QFile program(folder + QStringLiteral("/SyncDesk"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\ncd \"$(dirname \"$0\")\"\ntouch started\n"
                      "while [ ! -e release ]; do sleep 0.05; done\n");
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        CVelmoraWrap::SetGroupValue(CPimSync::SettingsGroup(), QStringLiteral("InstallDir"), folder);

        answers.Clear();
        QVERIFY(pim.Run(FrameCmd::SyncPim));
        QCOMPARE(answers.Count(), 0);
        QVERIFY(!pim.Window());
        QVERIFY(!VelmoraPim::IsPimDatabaseOpen());
        QVERIFY(!pim.frame.isEnabled());
        QCOMPARE(pim.frame.StatusPane(0)->text(), CVelmoraWrap::LoadString(PimDocMsg::SyncRunning));
        QTRY_VERIFY(QFile::exists(folder + QStringLiteral("/started")));
        QVERIFY(!pim.frame.Commands().IsEnabled(FrameCmd::SyncPim));

        QFile release(folder + QStringLiteral("/release"));
        QVERIFY(release.open(QIODevice::WriteOnly));
        release.close();
        QTRY_VERIFY_WITH_TIMEOUT(pim.frame.isEnabled(), 10000);
        QVERIFY(pim.Window());
        QCOMPARE(pim.Window()->Document().PathName(), path);
        QVERIFY(VelmoraPim::IsPimDatabaseOpen());
        QCOMPARE(answers.Count(), 0);
    }
};

VELMORA_TEST_MAIN(TestPimWindow)
#include "tst_pim_window.moc"
