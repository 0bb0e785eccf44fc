#include "CMessageBoxAnswerer.h"
#include "CTestEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

// The message boxes of the program: the button pressed is the answer, and a box asked during long work
// shows the ordinary cursor while it waits for the user.
class TestMessageBox : public QObject
{
    Q_OBJECT

    // Runs `act` on the box once it is shown, records the cursor it was shown with.
    static int Ask(const CVelmoraMessage& message, const std::function<void(QMessageBox&)>& act,
                   Qt::CursorShape* cursorSeen = nullptr)
    {
        QTimer::singleShot(0, [act, cursorSeen]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (cursorSeen)
                *cursorSeen = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                                             : Qt::BitmapCursor;
            act(*box);
        });
        CMessageBoxAnswerer answerer;
        return answerer.Answer(message);
    }
    static CVelmoraMessage Message(VELMORA_MSG_TYPE type)
    {
        CVelmoraMessage message;
        message.type = type;
        message.text = QStringLiteral("Save changes to O'Brien 100%?");
        message.caption = QStringLiteral("Velmora");
        return message;
    }
    static std::function<void(QMessageBox&)> Press(QMessageBox::StandardButton which)
    {
        return [which](QMessageBox& box) { box.button(which)->click(); };
    }

private Q_SLOTS:
    void buttonsAreTheAnswers()
    {
        QCOMPARE(Ask(Message(VMT_YESNO), Press(QMessageBox::Yes)), int(IDYES));
        QCOMPARE(Ask(Message(VMT_YESNO), Press(QMessageBox::No)), int(IDNO));
        QCOMPARE(Ask(Message(VMT_YESNOCANCEL), Press(QMessageBox::Cancel)), int(IDCANCEL));
        QCOMPARE(Ask(Message(VMT_NOTICE), Press(QMessageBox::Ok)), int(IDOK));
        QCOMPARE(Ask(Message(VMT_ERROR), Press(QMessageBox::Ok)), int(IDOK));
        // Escape on a three-way question cancels; Enter takes the default, yes.
        QCOMPARE(
            Ask(Message(VMT_YESNOCANCEL), [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
            int(IDCANCEL));
        QCOMPARE(Ask(Message(VMT_YESNO), [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }),
                 int(IDYES));
    }

    // "No" of a yes/no question is an answer that acts (read into a new fleet, drop the changes): Escape
    // and closing the window leave the question open until a button is pressed.
    void escapeDoesNotAnswerAYesNoQuestion_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("then yes") << int(QMessageBox::Yes) << int(IDYES);
        QTest::newRow("then no") << int(QMessageBox::No) << int(IDNO);
    }
    void escapeDoesNotAnswerAYesNoQuestion()
    {
        QFETCH(int, button);
        QFETCH(int, answer);
        bool openAfterEscape = false;
        bool openAfterClose = false;
        const int got = Ask(Message(VMT_YESNO), [&](QMessageBox& box) {
            QTest::keyClick(&box, Qt::Key_Escape);
            QTest::keyClick(box.button(QMessageBox::Yes), Qt::Key_Escape);
            openAfterEscape = box.isVisible() && box.clickedButton() == nullptr;
            box.close();
            openAfterClose = box.isVisible() && box.clickedButton() == nullptr;
            box.button(QMessageBox::StandardButton(button))->click();
        });
        QVERIFY(openAfterEscape);
        QVERIFY(openAfterClose);
        QCOMPARE(got, answer);
    }

    void boxDuringLongWorkShowsTheArrow()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Qt::CursorShape seen = Qt::BitmapCursor;
        QCOMPARE(Ask(Message(VMT_YESNO), Press(QMessageBox::No), &seen), int(IDNO));
        QCOMPARE(seen, Qt::ArrowCursor);
        // The work goes on with its busy cursor afterwards.
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QApplication::restoreOverrideCursor();
        QVERIFY(!QApplication::overrideCursor());

        // Without long work no cursor is forced on the box or left behind.
        QCOMPARE(Ask(Message(VMT_NOTICE), Press(QMessageBox::Ok), &seen), int(IDOK));
        QCOMPARE(seen, Qt::BitmapCursor);
        QVERIFY(!QApplication::overrideCursor());
    }
};

VELMORA_TEST_MAIN(TestMessageBox)
#include "tst_message_box.moc"
