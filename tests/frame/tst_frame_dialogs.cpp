// The frame's dialogs: the append question, the supported-codeplug list, the about box, help.

#include "AgentApi.h"
#include "CAboutDlg.h"
#include "CAppendDlg.h"
#include "CHelpWnd.h"
#include "CPSupport.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CVelmoraWrap.h"
#include "WhenModal.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <cstring>
#include <functional>

namespace {

template <typename T> T* ByControlId(QWidget* parent, int id)
{
    for (T* child : parent->findChildren<T*>()) {
        if (child->property("controlId").toInt() == id)
            return child;
    }
    return nullptr;
}

} // namespace

class TestFrameDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appendQuestionAnswersByButton()
    {
        CAppendDlg dialog;
        const struct
        {
            int controlId;
            int answer;
        } buttons[] = {{1043, IAppendQuestion::Overwrite},
                       {1046, IAppendQuestion::OverwriteAll},
                       {1049, IAppendQuestion::Skip},
                       {1052, IAppendQuestion::SkipAll}};
        for (const auto& button : buttons) {
            WhenModal([&button](QWidget* modal) {
                QPushButton* push = ByControlId<QPushButton>(modal, button.controlId);
                QVERIFY(push);
                push->click();
            });
            QCOMPARE(dialog.AskOverwrite(QStringLiteral("350000000000042")), button.answer);
        }
        // The IMEI is in the question; closing the dialog another way skips the unit.
        QLabel* text = ByControlId<QLabel>(&dialog, 1171);
        QVERIFY(text && text->text().contains(QStringLiteral("350000000000042")));
        WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        QCOMPARE(dialog.AskOverwrite(QStringLiteral("350000000000043")), int(IAppendQuestion::Dismissed));
        QVERIFY(dialog.Text().contains(QStringLiteral("350000000000043")));
    }

    void supportListRows()
    {
        // "@" separates the fields; a row ending in a line feed loses its "@" and carriage return.
        QCOMPARE(CPSupport::ParseSupportList("A@1@\r\nB@2"),
                 (QStringList{QStringLiteral("A\t1"), QStringLiteral("B\t2")}));
        QCOMPARE(CPSupport::ParseSupportList("Kestrel K10@16,17@\r\n"),
                 QStringList{QStringLiteral("Kestrel K10\t16,17")});
        QCOMPARE(CPSupport::ParseSupportList(""), QStringList());
        // A buffer filled to the end without a terminating zero is read no further than its size.
        char full[AGENT_SUPPORT_LIST_SIZE + 8];
        memset(full, 'x', sizeof full);
        full[0] = 'Z';
        QCOMPARE(CPSupport::ParseSupportList(full).first().size(), int(AGENT_SUPPORT_LIST_SIZE));
    }

    void aboutBoxShowsTheLibrarysSupportList()
    {
        const QStringList rows = CPSupport::ReadSupportList();
        QVERIFY(!rows.isEmpty());
        CAboutDlg about(QStringLiteral("Velmora Test"));
        QLabel* link = ByControlId<QLabel>(&about, 1884);
        QVERIFY(link && link->text().contains(CAboutDlg::WebAddress()));
        int shown = -1;
        WhenModal([&shown](QWidget* modal) {
            auto* support = qobject_cast<CPSupport*>(modal);
            QVERIFY(support);
            QTreeWidget* list = ByControlId<QTreeWidget>(support, 1886);
            QVERIFY(list);
            shown = list->topLevelItemCount();
            support->accept();
        });
        ByControlId<QPushButton>(&about, 1885)->click();
        QCOMPARE(shown, int(rows.size()));
    }

    void helpPages()
    {
        CScriptedAnswerer::Instance().Clear();
        CHelpWnd help;
        const QString index = CTestEnvironment::ProgramFolder() + QStringLiteral("/help/en/index.html");
        QVERIFY(help.ShowPage(index));
        QVERIFY(help.Browser()->toPlainText().contains(QStringLiteral("Velmora")));
        QVERIFY(!help.ShowPage(CTestEnvironment::ProgramFolder() + QStringLiteral("/help/xx/none.html")));
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 1);
        QVERIFY(CScriptedAnswerer::Instance().Messages().first().text.contains(QStringLiteral("none.html")));
    }
};

VELMORA_TEST_MAIN(TestFrameDialogs)
#include "tst_frame_dialogs.moc"
