// The help window and its parts on a small page set: titles and search of a language's pages, back,
// forward and home, links to pages that are not there, right to left for Hebrew, and the keys that ask
// for a control's help (F1, Shift+F1, the "What's This?" menu).

#include "CHelpKeys.h"
#include "CHelpLibrary.h"
#include "CHelpTable.h"
#include "CHelpWnd.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

void WritePage(const QString& folder, const QString& file, const QString& title, const QString& body)
{
    QFile out(QDir(folder).filePath(file));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("<html><head><title>%1</title></head><body><h1>%1</h1>%2</body></html>")
                  .arg(title, body)
                  .toUtf8());
}

// index, two topics and a page linking to a page that is not there.
QString SmallPageSet(const QString& language)
{
    const QString folder = CTestEnvironment::NewFolder(QStringLiteral("help-") + language);
    WritePage(folder, QStringLiteral("index.html"), QStringLiteral("Welcome"),
              QStringLiteral(
                  "<p><a href=\"sms.html\">SMS</a> <a href=\"talkgroups.html#members\">Members</a></p>"));
    WritePage(folder, QStringLiteral("sms.html"), QStringLiteral("Short messages"),
              QStringLiteral("<p>Send a message to a unit. The modem sends each message.</p>"
                             "<p><a href=\"index.html\">Contents</a> <a href=\"gone.html\">Gone</a></p>"));
    WritePage(folder, QStringLiteral("talkgroups.html"), QStringLiteral("Arranging talkgroups"),
              QStringLiteral("<p>A talkgroup gathers units. Its messages reach them all.</p><h2 "
                             "id=\"members\">Members</h2><p>Café rules.</p>"));
    return folder;
}

QString Shown(const CHelpWnd& help)
{
    const QUrl source = help.Browser()->source();
    const QString file = QFileInfo(source.toLocalFile()).fileName();
    return source.hasFragment() ? file + QLatin1Char('#') + source.fragment() : file;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }

    void pagesGiveTitlesAndSearch()
    {
        const CHelpLibrary library(SmallPageSet(QStringLiteral("en")));
        QStringList titles;
        for (const CHelpLibrary::CTopic& topic : library.Topics())
            titles << topic.title;
        // The contents page first, the others by title.
        QCOMPARE(titles, (QStringList{QStringLiteral("Welcome"), QStringLiteral("Arranging talkgroups"),
                                      QStringLiteral("Short messages")}));
        // Every word must be there; case and accents do not matter.
        QCOMPARE(library.Search(QStringLiteral("MODEM unit")).size(), 1);
        QCOMPARE(library.Search(QStringLiteral("modem Unit")).first().file, QStringLiteral("sms.html"));
        QCOMPARE(library.Search(QStringLiteral("cafe")).first().file, QStringLiteral("talkgroups.html"));
        QVERIFY(library.Search(QStringLiteral("message fire")).isEmpty());
        QVERIFY(library.Search(QStringLiteral("  ")).isEmpty());
        // A page whose title holds the word comes before one that only mentions it.
        const QList<CHelpLibrary::CTopic> messages = library.Search(QStringLiteral("messages"));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.first().file, QStringLiteral("sms.html"));
        // Markup is not text.
        QVERIFY(library.Search(QStringLiteral("href")).isEmpty());
        QCOMPARE(CHelpLibrary::TitleOf(QStringLiteral("<h1>Only <b>a</b> heading</h1>")),
                 QStringLiteral("Only a heading"));
        QCOMPARE(CHelpLibrary::Fold(QStringLiteral("Écran")), QStringLiteral("ecran"));
    }

    void backForwardAndHome()
    {
        const QString folder = SmallPageSet(QStringLiteral("en"));
        CHelpWnd help;
        QVERIFY(help.ShowPage(QDir(folder).filePath(QStringLiteral("index.html"))));
        QCOMPARE(help.TopicList()->count(), 3);
        QCOMPARE(help.TopicList()->currentItem()->text(), QStringLiteral("Welcome"));
        auto* back = help.findChild<QToolButton*>(QStringLiteral("HelpBack"));
        auto* forward = help.findChild<QToolButton*>(QStringLiteral("HelpForward"));
        QVERIFY(back && forward);
        QVERIFY(!back->isEnabled());

        // A link, then a topic of the list.
        Q_EMIT help.Browser()->anchorClicked(QUrl(QStringLiteral("talkgroups.html#members")));
        QCOMPARE(Shown(help), QStringLiteral("talkgroups.html#members"));
        QListWidgetItem* sms =
            help.TopicList()->findItems(QStringLiteral("Short messages"), Qt::MatchExactly).first();
        Q_EMIT help.TopicList()->itemActivated(sms);
        QCOMPARE(Shown(help), QStringLiteral("sms.html"));
        QCOMPARE(help.TopicList()->currentItem(), sms);

        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(Shown(help), QStringLiteral("talkgroups.html#members"));
        QVERIFY(forward->isEnabled());
        // The keys do the same.
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(Shown(help), QStringLiteral("index.html"));
        QVERIFY(!back->isEnabled());
        QTest::keyClick(&help, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(Shown(help), QStringLiteral("talkgroups.html#members"));
        forward->click();
        QCOMPARE(Shown(help), QStringLiteral("sms.html"));
        QVERIFY(!forward->isEnabled());
        help.findChild<QToolButton*>(QStringLiteral("HelpHome"))->click();
        QCOMPARE(Shown(help), QStringLiteral("index.html"));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
    }

    void searchListsAndOpensResults()
    {
        CHelpWnd help;
        QVERIFY(
            help.ShowPage(QDir(SmallPageSet(QStringLiteral("en"))).filePath(QStringLiteral("index.html"))));
        QCOMPARE(help.Search(QStringLiteral("unit")), 2);
        QCOMPARE(help.ResultList()->count(), 2);
        QVERIFY(help.OpenResult(1));
        QCOMPARE(Shown(help), QStringLiteral("talkgroups.html"));
        // A click on a result opens it too.
        QTest::mouseClick(help.ResultList()->viewport(), Qt::LeftButton, {},
                          help.ResultList()->visualItemRect(help.ResultList()->item(0)).center());
        QCOMPARE(Shown(help), QStringLiteral("sms.html"));
        // Typed and run with Enter; nothing found says so and opens nothing.
        auto* query = help.findChild<QLineEdit*>(QStringLiteral("HelpQuery"));
        query->clear();
        QTest::keyClicks(query, QStringLiteral("radar"));
        QTest::keyClick(query, Qt::Key_Return);
        QCOMPARE(help.ResultList()->count(), 1);
        QVERIFY(help.ResultList()->item(0)->text().contains(QStringLiteral("radar")));
        QVERIFY(!help.OpenResult(0));
        QCOMPARE(Shown(help), QStringLiteral("sms.html"));
    }

    void aMissingPageSaysSoAndKeepsThePageShown()
    {
        const QString folder = SmallPageSet(QStringLiteral("en"));
        CHelpWnd help;
        QVERIFY(help.ShowPage(QDir(folder).filePath(QStringLiteral("sms.html"))));
        Q_EMIT help.Browser()->anchorClicked(QUrl(QStringLiteral("gone.html")));
        QCOMPARE(Shown(help), QStringLiteral("sms.html"));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 1);
        QVERIFY(CScriptedAnswerer::Instance().Messages().first().text.contains(QStringLiteral("gone.html")));
        QVERIFY(!help.Browser()->toPlainText().isEmpty());
    }

    void hebrewPagesReadRightToLeft()
    {
        const QString root = CTestEnvironment::NewFolder(QStringLiteral("help-root"));
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("he")}) {
            QVERIFY(QDir(root).mkpath(language));
            WritePage(root + QLatin1Char('/') + language, QStringLiteral("index.html"), language, QString());
        }
        CHelpWnd help;
        QVERIFY(help.ShowPage(root + QStringLiteral("/he/index.html")));
        QCOMPARE(help.layoutDirection(), Qt::RightToLeft);
        // The language follows the pages shown: its topic list too.
        QVERIFY(help.ShowPage(root + QStringLiteral("/en/index.html")));
        QCOMPARE(help.layoutDirection(), Qt::LeftToRight);
        QCOMPARE(help.TopicList()->item(0)->text(), QStringLiteral("en"));
    }

    void aControlHasTheTopicOfItsDialog()
    {
        QWidget main;
        main.setProperty("helpContext", 1);
        QDialog dialog(&main);
        dialog.setProperty("helpContext", 135293);
        auto* page = new QWidget(&dialog);
        page->setProperty("helpContext", 0x20000 + 114);
        auto* edit = new QLineEdit(page);
        auto* button = new QPushButton(&dialog);
        QCOMPARE(HelpTable::ContextOf(edit), 0x20000 + 114);
        QCOMPARE(HelpTable::ContextOf(button), 135293);
        // The walk stops at the window: a dialog without a context does not take its owner's.
        dialog.setProperty("helpContext", QVariant());
        QCOMPARE(HelpTable::ContextOf(button), 0);
        QCOMPARE(HelpTable::ContextOf(nullptr), 0);
        // The table: pages by context, the toolkit's general topic the contents.
        QCOMPARE(HelpTable::PageOf(0x20000 + 104), QStringLiteral("page-nam-lists.html#private"));
        QCOMPARE(HelpTable::PageOf(HelpTable::GeneralContext), QStringLiteral("index.html"));
        QVERIFY(HelpTable::PageOf(0x10000 + 115).isEmpty());
        const QList<int> contexts = HelpTable::Contexts();
        QCOMPARE(QSet<int>(contexts.begin(), contexts.end()).size(), contexts.size());
    }

    void helpKeysAskForTheFocusedOrClickedControl()
    {
        QList<int> asked;
        CHelpKeys keys([&asked](int context) { asked << context; });
        QDialog dialog;
        dialog.setProperty("helpContext", 136375);
        auto* layout = new QVBoxLayout(&dialog);
        auto* edit = new QLineEdit(&dialog);
        auto* button = new QPushButton(QStringLiteral("Go"), &dialog);
        auto* inner = new QWidget(&dialog);
        inner->setProperty("helpContext", 135294);
        auto* other = new QPushButton(QStringLiteral("Other"), inner);
        layout->addWidget(edit);
        layout->addWidget(button);
        layout->addWidget(inner);
        // An action with F1 in the window does not take the key from the control.
        auto* topics = new QAction(&dialog);
        topics->setShortcut(Qt::Key_F1);
        dialog.addAction(topics);
        QSignalSpy fired(topics, &QAction::triggered);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(asked, QList<int>{136375});
        QCOMPARE(fired.size(), 0);

        // Shift+F1, then a click: the clicked control's topic, and the click goes no further.
        QSignalSpy clicked(other, &QPushButton::clicked);
        QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(keys.InWhatsThisMode());
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(asked.last(), 135294);
        QCOMPARE(clicked.size(), 0);
        QVERIFY(!keys.InWhatsThisMode());
        // Escape leaves the mode without asking.
        QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!keys.InWhatsThisMode());
        QCOMPARE(asked.size(), 2);
        QVERIFY(dialog.isVisible());

        // Right-click: an editor keeps its entries above "What's This?"; a button gets it alone.
        std::unique_ptr<QMenu> editMenu(keys.MenuFor(edit));
        QVERIFY(editMenu && editMenu->actions().size() > 2);
        std::unique_ptr<QMenu> buttonMenu(keys.MenuFor(button));
        QCOMPARE(buttonMenu->actions().size(), 1);
        buttonMenu->actions().first()->trigger();
        QCOMPARE(asked.last(), 136375);
        // Controls outside a dialog, or of a dialog without a topic, keep their own menus.
        QWidget plain;
        auto* loose = new QPushButton(&plain);
        QVERIFY(!keys.MenuFor(loose));
        dialog.setProperty("helpContext", QVariant());
        QVERIFY(!keys.MenuFor(button));
    }
};

VELMORA_TEST_MAIN(TestHelp)
#include "tst_help.moc"
