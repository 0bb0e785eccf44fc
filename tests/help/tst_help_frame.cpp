// The main frame's help: a context opens its page (with its anchor) in the language's folder, an
// unknown context says the page is missing, F1 in a modal dialog opens a help window that takes clicks
// while the dialog is up and comes back to the main window after, and Hebrew reads right to left.

#include "CFleetFixtures.h"
#include "CFrameSettings.h"
#include "CHelpWnd.h"
#include "CMainFrame.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "IFrameServices.h"

#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace {

CFrameSettings Settings(const QString& language = QStringLiteral("en"))
{
    CFrameSettings settings;
    settings.programFolder = CTestEnvironment::ProgramFolder();
    settings.templatePath = CFleetFixtures::TemplatePath();
    settings.displayName = QStringLiteral("Velmora Test");
    settings.helpFile = settings.programFolder + QStringLiteral("/help/%1/index.html").arg(language);
    return settings;
}

QString Shown(const CMainFrame& frame)
{
    const CHelpWnd* help = frame.findChild<CHelpWnd*>();
    if (!help || !help->isVisible())
        return QString();
    const QUrl source = help->Browser()->source();
    const QString file = QFileInfo(source.toLocalFile()).dir().dirName() + QLatin1Char('/') +
                         QFileInfo(source.toLocalFile()).fileName();
    return source.hasFragment() ? file + QLatin1Char('#') + source.fragment() : file;
}

} // namespace

class TestHelpFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CScriptedAnswerer::Instance().Clear(); }

    void contextsOpenTheirPages()
    {
        CMainFrame frame(Settings());
        frame.ShowHelp(0x20000 + 114);
        QCOMPARE(Shown(frame), QStringLiteral("en/page-basic.html"));
        frame.Services().ShowHelp(0x20000 + 124);
        QCOMPARE(Shown(frame), QStringLiteral("en/page-nam-lists.html#scan"));
        frame.Services().ShowHelp(135313);
        QCOMPARE(Shown(frame), QStringLiteral("en/pim.html"));
        // The toolkit's contexts and a control without a topic go to the contents.
        frame.ShowHelp(262146);
        QCOMPARE(Shown(frame), QStringLiteral("en/index.html"));
        frame.ShowHelp(135293);
        frame.ShowHelp(0);
        QCOMPARE(Shown(frame), QStringLiteral("en/index.html"));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        // A context the table does not know says so and leaves the page shown.
        frame.ShowHelp(424242);
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 1);
        QVERIFY(CScriptedAnswerer::Instance().Messages().first().text.contains(QStringLiteral("424242")));
        QCOMPARE(Shown(frame), QStringLiteral("en/index.html"));
    }

    void hebrewAndFrenchHaveTheirOwnPages()
    {
        CMainFrame hebrew(Settings(QStringLiteral("he")));
        hebrew.ShowHelp(135274);
        QCOMPARE(Shown(hebrew), QStringLiteral("he/copy-user-info.html"));
        QCOMPARE(hebrew.findChild<CHelpWnd*>()->layoutDirection(), Qt::RightToLeft);
        CMainFrame french(Settings(QStringLiteral("fr")));
        french.ShowHelp(0x20000 + 1313);
        QCOMPARE(Shown(french), QStringLiteral("fr/transfer.html"));
        QCOMPARE(french.findChild<CHelpWnd*>()->layoutDirection(), Qt::LeftToRight);
    }

    void f1InAModalDialogOpensItsTopicBesideIt()
    {
        CMainFrame frame(Settings());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QDialog dialog(&frame);
        dialog.setProperty("helpContext", 136375);
        auto* edit = new QLineEdit(&dialog);
        (new QVBoxLayout(&dialog))->addWidget(edit);
        CHelpWnd* during = nullptr;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, &dialog, [&]() {
            QTRY_VERIFY(dialog.isActiveWindow());
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_F1);
            during = frame.findChild<CHelpWnd*>();
            if (during)
                owner = during->parentWidget();
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(during);
        // While the dialog was up the help window was its own (so the dialog did not block it).
        QCOMPARE(owner, &dialog);
        // Afterwards it is the main window's again, still open on the dialog's topic.
        CHelpWnd* after = frame.findChild<CHelpWnd*>();
        QCOMPARE(after, during);
        QCOMPARE(after->parentWidget(), &frame);
        QCOMPARE(Shown(frame), QStringLiteral("en/read-write.html"));
    }
};

VELMORA_TEST_MAIN(TestHelpFrame)
#include "tst_help_frame.moc"
