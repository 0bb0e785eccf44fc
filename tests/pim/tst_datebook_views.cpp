// The date book's views over a real PIM file: adding an event through the event dialog, refusing an end
// before the start, placing events of a week that crosses a month end, dragging an event to another day
// and hour, deleting with the question, the keyboard, and clearing when the PIM file closes.

#include "CDBTabWnd.h"
#include "CDayView.h"
#include "CEventDlg.h"
#include "CMonthView.h"
#include "CPimStore.h"
#include "CScriptedAnswerer.h"
#include "CTestEnvironment.h"
#include "CWeekView.h"
#include "DateBookMessageIds.h"
#include "PimMessageIds.h"
#include "VelmoraConduit.h"
#include "WhenModal.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

namespace {

QDateTime At(int y, int m, int d, int h, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

template <typename T> T* Control(QWidget* dialog, int id)
{
    for (T* widget : dialog->findChildren<T*>()) {
        if (widget->property("controlId").toInt() == id)
            return widget;
    }
    return nullptr;
}

} // namespace

class TestDateBookViews : public QObject
{
    Q_OBJECT

    QString m_path;

    CPimStore* Store() { return VelmoraPim::CurrentPimStore(); }

    qint64 AddStored(const QString& title, const QDateTime& start, const QDateTime& end, bool allDay = false)
    {
        CPimEvent event;
        event.title = title;
        event.start = start;
        event.end = end;
        event.allDay = allDay;
        const CVelmoraError error = Store()->SaveEvent(event);
        return error ? 0 : event.id;
    }

    QList<CPimEvent> AllEvents() { return Store()->Events(At(2000, 1, 1, 0), At(2100, 1, 1, 0)); }

private Q_SLOTS:
    void init()
    {
        m_path = CTestEnvironment::NewFolder(QStringLiteral("pim")) + QStringLiteral("/book.pim");
        QFile::remove(m_path);
        QVERIFY(!CPimStore::CreateEmpty(m_path));
        QVERIFY(OpenDatabase(m_path) != 0);
        QVERIFY(OpenDateBookRecordset() != 0);
        CScriptedAnswerer::Instance().Clear();
    }
    void cleanup()
    {
        CloseDateBookRecordset();
        CloseDatabase();
    }

    void addThroughDialogAndRefuseEndBeforeStart()
    {
        CDBTabWnd book;
        book.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        book.resize(1000, 700);
        book.show();
        book.SetDate(QDate(2026, 12, 1));
        book.setCurrentIndex(CDBTabWnd::WeekTab);
        WhenModal([](QWidget* dialog) {
            Control<QLineEdit>(dialog, 1001)->setText(QStringLiteral("Service O'Brien's radios"));
            Control<QDateTimeEdit>(dialog, 1002)->setDateTime(At(2026, 11, 30, 10));
            // The end follows the start; set it before the start on purpose.
            Control<QDateTimeEdit>(dialog, 1003)->setDateTime(At(2026, 11, 30, 9));
            Control<QLineEdit>(dialog, 1005)->setText(QStringLiteral("מוסך ראשי"));
            auto* eventDialog = qobject_cast<CEventDlg*>(dialog);
            eventDialog->accept();
            QVERIFY(CScriptedAnswerer::Instance().Saw(PimMsg::EventTimesInvalid));
            QVERIFY(dialog->isVisible());
            Control<QDateTimeEdit>(dialog, 1003)->setDateTime(At(2026, 11, 30, 11, 30));
            eventDialog->accept();
        });
        book.AddEvent();
        const QList<CPimEvent> stored = AllEvents();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].title, QStringLiteral("Service O'Brien's radios"));
        QCOMPARE(stored[0].start, At(2026, 11, 30, 10));
        QCOMPARE(stored[0].end, At(2026, 11, 30, 11, 30));
        QCOMPARE(stored[0].location, QStringLiteral("מוסך ראשי"));
        // Every view reads it again and the new event is selected; the week of 30 November shows it.
        QCOMPARE(book.WeekView()->SelectedEventId(), stored[0].id);
        QCOMPARE(book.Date(), QDate(2026, 11, 30));
        QCOMPARE(book.MonthView()->Events().size(), 1);
        QVERIFY(!book.WeekView()->EventRect(stored[0].id, 1).isEmpty());

        // A cancelled dialog stores nothing; a blank title is refused.
        WhenModal([](QWidget* dialog) {
            Control<QLineEdit>(dialog, 1001)->setText(QStringLiteral("   "));
            qobject_cast<CEventDlg*>(dialog)->accept();
            QVERIFY(CScriptedAnswerer::Instance().Saw(PimMsg::EventTitleEmpty));
            qobject_cast<CEventDlg*>(dialog)->reject();
        });
        book.DayView()->AddEvent();
        QCOMPARE(AllEvents().size(), 1);
    }

    void weekViewPlacesEventsAcrossMonthEnd()
    {
        const qint64 monday = AddStored(QStringLiteral("Monday"), At(2026, 11, 30, 9), At(2026, 11, 30, 10));
        const qint64 overnight =
            AddStored(QStringLiteral("Overnight"), At(2026, 11, 30, 22), At(2026, 12, 1, 2));
        const qint64 leave =
            AddStored(QStringLiteral("Leave"), At(2026, 11, 27, 0), At(2026, 12, 2, 0), true);
        const qint64 friday = AddStored(QStringLiteral("Friday"), At(2026, 12, 4, 16), At(2026, 12, 5, 0));
        const qint64 outside = AddStored(QStringLiteral("Next week"), At(2026, 12, 6, 8), At(2026, 12, 6, 9));
        QVERIFY(monday && overnight && leave && friday && outside);

        CWeekView week;
        week.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        week.resize(900, 700);
        week.show();
        week.SetDate(QDate(2026, 12, 3));
        QCOMPARE(week.Days().first(), QDate(2026, 11, 29));
        QCOMPARE(week.Days().last(), QDate(2026, 12, 5));
        auto shownOn = [&week](qint64 id) {
            QList<int> days;
            for (int day = 0; day < 7; ++day) {
                if (!week.EventRect(id, day).isEmpty())
                    days.append(day);
            }
            return days;
        };
        QCOMPARE(shownOn(monday), QList<int>({1}));
        QCOMPARE(shownOn(overnight), QList<int>({1, 2}));
        QCOMPARE(shownOn(leave), QList<int>({0, 1, 2, 3})); // Friday 27 November to Wednesday 2 December
        QCOMPARE(shownOn(friday), QList<int>({5}));         // ends at midnight: not on Saturday
        QCOMPARE(shownOn(outside), QList<int>());

        // French weeks start on Monday: the same date shows 30 November to 6 December.
        week.setLocale(QLocale(QLocale::French, QLocale::France));
        QCOMPARE(week.Days().first(), QDate(2026, 11, 30));
        QCOMPARE(shownOn(outside), QList<int>({6}));
        QCOMPARE(shownOn(monday), QList<int>({0}));

        // In right to left the first day is drawn at the right.
        week.setLayoutDirection(Qt::RightToLeft);
        const QRect mondayRtl = week.EventRect(monday, 0);
        const QRect sundayRtl = week.EventRect(outside, 6);
        QVERIFY(mondayRtl.left() > sundayRtl.right());
        QCOMPARE(week.HitTest(mondayRtl.center()).eventId, monday);
    }

    void dragMovesEventKeepingLength()
    {
        const qint64 id =
            AddStored(QStringLiteral("Radio check"), At(2026, 12, 1, 10), At(2026, 12, 1, 11, 30));
        CWeekView week;
        week.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        week.resize(900, 700);
        week.show();
        week.SetDate(QDate(2026, 12, 1));
        week.ScrollToHour(8);
        QVERIFY(QTest::qWaitForWindowExposed(&week));
        const QRect box = week.EventRect(id, 2);
        QVERIFY(!box.isEmpty());
        // Grab the event at its top edge and drop it on Thursday at about 14:05 (snaps to 14:00).
        const QPoint grab(box.center().x(), box.top() + 1);
        const QPoint drop = week.PointAt(4, 14 * 60 + 5);
        QTest::mousePress(&week, Qt::LeftButton, {}, grab);
        QTest::mouseMove(&week, grab + QPoint(10, 10));
        QTest::mouseMove(&week, drop);
        QTest::mouseRelease(&week, Qt::LeftButton, {}, drop);
        const std::optional<CPimEvent> moved = Store()->EventById(id);
        QVERIFY(moved);
        QCOMPARE(moved->start, At(2026, 12, 3, 14));
        QCOMPARE(moved->end, At(2026, 12, 3, 15, 30));
        QVERIFY(!week.EventRect(id, 4).isEmpty());
        QVERIFY(week.EventRect(id, 2).isEmpty());

        // A click without a drag moves nothing.
        const QRect now = week.EventRect(id, 4);
        QTest::mouseClick(&week, Qt::LeftButton, {}, now.center());
        QCOMPARE(Store()->EventById(id)->start, At(2026, 12, 3, 14));
        QCOMPARE(week.SelectedEventId(), id);

        // In the month view an event dragged to another day keeps its hours.
        CMonthView month;
        month.resize(900, 700);
        month.show();
        month.SetDate(QDate(2026, 12, 3));
        const int from = int(month.Days().indexOf(QDate(2026, 12, 3)));
        const int to = int(month.Days().indexOf(QDate(2027, 1, 2)));
        QVERIFY(from >= 0 && to >= 0);
        const QRect cell = month.CellRect(from);
        const QPoint line(cell.center().x(), cell.top() + 2 * month.fontMetrics().height());
        QCOMPARE(month.HitTest(line).eventId, id);
        const QPoint target = month.CellRect(to).center();
        QTest::mousePress(&month, Qt::LeftButton, {}, line);
        QTest::mouseMove(&month, line + QPoint(15, 15));
        QTest::mouseMove(&month, target);
        QTest::mouseRelease(&month, Qt::LeftButton, {}, target);
        QCOMPARE(Store()->EventById(id)->start, At(2027, 1, 2, 14));
        QCOMPARE(Store()->EventById(id)->end, At(2027, 1, 2, 15, 30));
    }

    void deleteAsksFirst()
    {
        const qint64 id = AddStored(QStringLiteral("Battery swap"), At(2026, 12, 8, 9), At(2026, 12, 8, 10));
        CDayView day;
        day.resize(500, 600);
        day.show();
        day.SetDate(QDate(2026, 12, 8));
        day.SelectEvent(id);
        CScriptedAnswerer& answers = CScriptedAnswerer::Instance();
        answers.Script({IDNO});
        QTest::keyClick(&day, Qt::Key_Delete);
        QVERIFY(answers.Saw(DateBookMsg::ConfirmDelete));
        QVERIFY(answers.Messages().last().text.contains(QStringLiteral("Battery swap")));
        QVERIFY(Store()->EventById(id));
        answers.Script({IDYES});
        QTest::keyClick(&day, Qt::Key_Delete);
        QVERIFY(!Store()->EventById(id));
        QCOMPARE(day.Events().size(), 0);
        QCOMPARE(day.SelectedEventId(), qint64(0));
        // Nothing selected: Delete asks nothing.
        answers.Clear();
        QTest::keyClick(&day, Qt::Key_Delete);
        QCOMPARE(answers.Count(), 0);
    }

    void keyboardAndSharedDate()
    {
        CDBTabWnd book;
        book.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        book.resize(1000, 700);
        book.show();
        book.SetDate(QDate(2026, 12, 31));
        book.setCurrentIndex(CDBTabWnd::WeekTab);
        QTest::keyClick(book.WeekView(), Qt::Key_PageDown);
        QCOMPARE(book.Date(), QDate(2027, 1, 7));
        QCOMPARE(book.DayView()->Date(), QDate(2027, 1, 7));
        QCOMPARE(book.MonthView()->Days().first(), QDate(2026, 12, 27));
        QTest::keyClick(book.WeekView(), Qt::Key_Up);
        QCOMPARE(book.Date(), QDate(2026, 12, 31));
        QTest::keyClick(book.WeekView(), Qt::Key_Right);
        QCOMPARE(book.Date(), QDate(2027, 1, 1));
        book.setCurrentIndex(CDBTabWnd::MonthTab);
        QTest::keyClick(book.MonthView(), Qt::Key_PageUp);
        QCOMPARE(book.Date(), QDate(2026, 12, 1));
        // Right to left, the right arrow goes back in time.
        book.setLayoutDirection(Qt::RightToLeft);
        QTest::keyClick(book.MonthView(), Qt::Key_Right);
        QCOMPARE(book.Date(), QDate(2026, 11, 30));
        QTest::keyClick(book.MonthView(), Qt::Key_T);
        QCOMPARE(book.Date(), QDate::currentDate());
        // The same key on a Hebrew keyboard types alef.
        QTest::keyClick(book.MonthView(), Qt::Key_PageDown);
        QVERIFY(book.Date() != QDate::currentDate());
        QTest::sendKeyEvent(QTest::Click, book.MonthView(), Qt::Key(0x05D0), QString(QChar(0x05D0)), {});
        QCOMPARE(book.Date(), QDate::currentDate());
        QCOMPARE(book.WeekView()->Date(), QDate::currentDate());
    }

    void doubleClickAddsAtTheHourAndEnterEdits()
    {
        CDayView day;
        day.resize(500, 700);
        day.show();
        day.SetDate(QDate(2026, 12, 8));
        day.ScrollToHour(8);
        // A double-click at 13:40 proposes an event from 13:30 to 14:30; all day makes it a whole day.
        WhenModal([](QWidget* dialog) {
            QCOMPARE(Control<QDateTimeEdit>(dialog, 1002)->dateTime(), At(2026, 12, 8, 13, 30));
            QCOMPARE(Control<QDateTimeEdit>(dialog, 1003)->dateTime(), At(2026, 12, 8, 14, 30));
            // Moving the start carries the end along.
            Control<QDateTimeEdit>(dialog, 1002)->setDateTime(At(2026, 12, 9, 8));
            QCOMPARE(Control<QDateTimeEdit>(dialog, 1003)->dateTime(), At(2026, 12, 9, 9));
            Control<QDateTimeEdit>(dialog, 1003)->setDateTime(At(2026, 12, 11, 9));
            Control<QCheckBox>(dialog, 1004)->setChecked(true);
            Control<QLineEdit>(dialog, 1001)->setText(QStringLiteral("Fleet audit"));
            qobject_cast<CEventDlg*>(dialog)->accept();
        });
        QTest::mouseDClick(&day, Qt::LeftButton, {}, day.PointAt(0, 13 * 60 + 40));
        QList<CPimEvent> stored = AllEvents();
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored[0].allDay);
        QCOMPARE(stored[0].start, At(2026, 12, 9, 0));
        QCOMPARE(stored[0].end, At(2026, 12, 11, 0));
        // The view went to the event's day and shows it on every day it covers, the last one included.
        QCOMPARE(day.Date(), QDate(2026, 12, 9));
        day.SetDate(QDate(2026, 12, 11));
        QCOMPARE(day.Events().size(), 1);
        QVERIFY(!day.EventRect(stored[0].id, 0).isEmpty());

        // Enter on the selected event edits it; the changes are stored.
        day.SelectEvent(stored[0].id);
        WhenModal([](QWidget* dialog) {
            QCOMPARE(Control<QLineEdit>(dialog, 1001)->text(), QStringLiteral("Fleet audit"));
            Control<QLineEdit>(dialog, 1005)->setText(QStringLiteral("Depot \"North\""));
            qobject_cast<CEventDlg*>(dialog)->accept();
        });
        QTest::keyClick(&day, Qt::Key_Return);
        stored = AllEvents();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].location, QStringLiteral("Depot \"North\""));
        QCOMPARE(stored[0].start, At(2026, 12, 9, 0));
    }

    void monthShowsMoreAndOpensTheDay()
    {
        for (int i = 0; i < 9; ++i)
            QVERIFY(AddStored(QStringLiteral("Pickup %1").arg(i + 1), At(2026, 12, 15, 8 + i),
                              At(2026, 12, 15, 9 + i)));
        CDBTabWnd book;
        book.resize(900, 500);
        book.show();
        book.SetDate(QDate(2026, 12, 1));
        book.setCurrentIndex(CDBTabWnd::MonthTab);
        QVERIFY(QTest::qWaitForWindowExposed(&book));
        CMonthView* month = book.MonthView();
        const int day = int(month->Days().indexOf(QDate(2026, 12, 15)));
        const int lines = month->LinesPerCell();
        QVERIFY2(lines > 1 && lines < 9, "the cell should be too small for nine events");
        // The last line of the cell says how many more there are, and opens the day in the day view.
        const QRect cell = month->CellRect(day);
        const int lineHeight = month->fontMetrics().height() + 2;
        const QPoint moreLine(cell.center().x(),
                              cell.top() + lineHeight + 2 + (lines - 1) * lineHeight + lineHeight / 2);
        QVERIFY(month->HitTest(moreLine).more);
        const QPoint lastEvent(moreLine.x(), moreLine.y() - lineHeight);
        QCOMPARE(month->HitTest(lastEvent).eventId, month->Events()[0].id + lines - 2);
        QTest::mouseClick(month, Qt::LeftButton, {}, moreLine);
        QCOMPARE(book.currentIndex(), int(CDBTabWnd::DayTab));
        QCOMPARE(book.DayView()->Date(), QDate(2026, 12, 15));
        QCOMPARE(book.DayView()->Events().size(), 9);
        // The day view opens on the working day, not at midnight.
        QCOMPARE(book.DayView()->FirstVisibleMinute(), 8 * 60);
    }

    void viewsClearWhenTheFileCloses()
    {
        AddStored(QStringLiteral("Inspection"), At(2026, 12, 8, 9), At(2026, 12, 8, 10));
        CDBTabWnd book;
        book.show();
        book.SetDate(QDate(2026, 12, 8));
        QCOMPARE(book.DayView()->Events().size(), 1);
        QVERIFY(book.DayView()->isEnabled());
        CloseDateBookRecordset();
        CloseDatabase();
        QCOMPARE(book.DayView()->Events().size(), 0);
        QCOMPARE(book.MonthView()->Events().size(), 0);
        QVERIFY(!book.WeekView()->isEnabled());
        QVERIFY(!book.DayView()->Store());
        // New entry with nothing open does nothing (no dialog, no message).
        CScriptedAnswerer::Instance().Clear();
        book.AddEvent();
        QCOMPARE(CScriptedAnswerer::Instance().Count(), 0);
        // Opened again, they read the file again.
        QVERIFY(OpenDatabase(m_path) != 0);
        QVERIFY(OpenDateBookRecordset() != 0);
        QCOMPARE(book.DayView()->Events().size(), 1);
        QVERIFY(book.DayView()->isEnabled());
    }
};

VELMORA_TEST_MAIN(TestDateBookViews)
#include "tst_datebook_views.moc"
