// The date book's date arithmetic: the days each view shows per locale, events placed on the days they
// take place (across a month end and a year end), side-by-side columns, snapping and moving.

#include "CDateBookLayout.h"
#include "CTestEnvironment.h"

#include <QTest>

namespace {

QDateTime At(int y, int m, int d, int h, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

CDateSpan Timed(const QDateTime& start, const QDateTime& end)
{
    return CDateSpan{start, end, false};
}

CDateSpan AllDay(QDate first, QDate last)
{
    return CDateSpan{QDateTime(first, QTime(0, 0)), QDateTime(last, QTime(0, 0)), true};
}

} // namespace

class TestDateBookLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void weekStartFollowsLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("first");
        QTest::newRow("Hebrew") << "he_IL" << int(Qt::Sunday);
        QTest::newRow("US English") << "en_US" << int(Qt::Sunday);
        QTest::newRow("French") << "fr_FR" << int(Qt::Monday);
    }
    void weekStartFollowsLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, first);
        const Qt::DayOfWeek start = CDateBookLayout::WeekStart(QLocale(locale));
        QCOMPARE(int(start), first);
        // Wednesday 2 December 2026: its week starts on 29 November (Sunday) or 30 November (Monday).
        const QList<QDate> week =
            CDateBookLayout::ViewDays(CDateBookLayout::WeekPeriod, QDate(2026, 12, 2), start);
        QCOMPARE(week.size(), 7);
        QCOMPARE(int(week.first().dayOfWeek()), first);
        QCOMPARE(week.first(), first == Qt::Sunday ? QDate(2026, 11, 29) : QDate(2026, 11, 30));
        QVERIFY(week.contains(QDate(2026, 12, 2)));
        // The week of a week-start day starts on that very day.
        QCOMPARE(CDateBookLayout::StartOfWeek(week.first(), start), week.first());
    }

    void monthGridIsSixWholeWeeks()
    {
        // February 2026 starts on a Sunday and fills exactly four weeks; the grid still shows six.
        const QList<QDate> sunday =
            CDateBookLayout::ViewDays(CDateBookLayout::MonthPeriod, QDate(2026, 2, 14), Qt::Sunday);
        QCOMPARE(sunday.size(), 42);
        QCOMPARE(sunday.first(), QDate(2026, 2, 1));
        QCOMPARE(sunday.last(), QDate(2026, 3, 14));
        // With Monday first, the grid of February 2026 opens on Monday 26 January.
        const QList<QDate> monday =
            CDateBookLayout::ViewDays(CDateBookLayout::MonthPeriod, QDate(2026, 2, 1), Qt::Monday);
        QCOMPARE(monday.first(), QDate(2026, 1, 26));
        QCOMPARE(int(monday.first().dayOfWeek()), int(Qt::Monday));
        // A month of 31 days starting on a Saturday needs all six rows: August 2026.
        const QList<QDate> august =
            CDateBookLayout::ViewDays(CDateBookLayout::MonthPeriod, QDate(2026, 8, 31), Qt::Sunday);
        QCOMPARE(august.first(), QDate(2026, 7, 26));
        QVERIFY(august.contains(QDate(2026, 8, 31)));
        for (int i = 1; i < august.size(); ++i)
            QCOMPARE(august[i - 1].daysTo(august[i]), qint64(1));
    }

    void stepsByPeriod()
    {
        QCOMPARE(CDateBookLayout::Step(CDateBookLayout::DayPeriod, QDate(2026, 12, 31), 1),
                 QDate(2027, 1, 1));
        QCOMPARE(CDateBookLayout::Step(CDateBookLayout::WeekPeriod, QDate(2026, 12, 29), 1),
                 QDate(2027, 1, 5));
        QCOMPARE(CDateBookLayout::Step(CDateBookLayout::WeekPeriod, QDate(2027, 1, 5), -1),
                 QDate(2026, 12, 29));
        // 31 January plus a month is the last day of February, not a day in March.
        QCOMPARE(CDateBookLayout::Step(CDateBookLayout::MonthPeriod, QDate(2026, 1, 31), 1),
                 QDate(2026, 2, 28));
        QCOMPARE(CDateBookLayout::Step(CDateBookLayout::MonthPeriod, QDate(2026, 1, 15), -1),
                 QDate(2025, 12, 15));
    }

    void weekPlacesEventsAcrossMonthEnd()
    {
        // The week of Sunday 29 November 2026 runs into December.
        const QList<QDate> week =
            CDateBookLayout::ViewDays(CDateBookLayout::WeekPeriod, QDate(2026, 12, 1), Qt::Sunday);
        QCOMPARE(week.first(), QDate(2026, 11, 29));
        const QList<CDateSpan> events = {
            Timed(At(2026, 11, 30, 9), At(2026, 11, 30, 10)),    // 0: Monday 30 November
            Timed(At(2026, 12, 1, 14), At(2026, 12, 1, 15, 30)), // 1: Tuesday 1 December
            Timed(At(2026, 11, 30, 22), At(2026, 12, 1, 2)),     // 2: overnight across the month end
            AllDay(QDate(2026, 11, 28), QDate(2026, 12, 2)),     // 3: starts before the week
            Timed(At(2026, 12, 3, 16), At(2026, 12, 4, 0)),      // 4: ends at midnight: Thursday only
            Timed(At(2026, 12, 6, 8), At(2026, 12, 6, 9)),       // 5: the following Sunday: not shown
            Timed(At(2026, 11, 28, 23), At(2026, 11, 29, 0)),    // 6: Saturday before, ends at midnight
        };
        const QList<QList<int>> placed = CDateBookLayout::PlaceOnDays(events, week);
        QCOMPARE(placed.size(), 7);
        QCOMPARE(placed[0], QList<int>({3}));       // Sun 29 Nov
        QCOMPARE(placed[1], QList<int>({3, 2, 0})); // Mon 30 Nov: strip events first
        QCOMPARE(placed[2], QList<int>({3, 2, 1})); // Tue 1 Dec
        QCOMPARE(placed[3], QList<int>({3}));       // Wed 2 Dec: last day of the all-day event
        QCOMPARE(placed[4], QList<int>({4}));       // Thu 3 Dec
        QCOMPARE(placed[5], QList<int>());
        QCOMPARE(placed[6], QList<int>());
    }

    void eventsAcrossYearEnd()
    {
        const QList<QDate> days =
            CDateBookLayout::ViewDays(CDateBookLayout::MonthPeriod, QDate(2026, 12, 20), Qt::Monday);
        const CDateSpan party = Timed(At(2026, 12, 31, 20), At(2027, 1, 1, 3));
        const CDateSpan holiday = AllDay(QDate(2026, 12, 30), QDate(2027, 1, 2));
        const QList<QList<int>> placed = CDateBookLayout::PlaceOnDays({party, holiday}, days);
        int partyDays = 0, holidayDays = 0;
        for (int i = 0; i < days.size(); ++i) {
            const bool hasParty = placed[i].contains(0);
            const bool hasHoliday = placed[i].contains(1);
            QCOMPARE(hasParty, days[i] == QDate(2026, 12, 31) || days[i] == QDate(2027, 1, 1));
            QCOMPARE(hasHoliday, days[i] >= QDate(2026, 12, 30) && days[i] <= QDate(2027, 1, 2));
            partyDays += hasParty;
            holidayDays += hasHoliday;
        }
        QCOMPARE(partyDays, 2);
        QCOMPARE(holidayDays, 4);
        QVERIFY(CDateBookLayout::InAllDayStrip(party));
        int from = 0, to = 0;
        CDateBookLayout::MinutesOnDay(party, QDate(2026, 12, 31), from, to);
        QCOMPARE(from, 20 * 60);
        QCOMPARE(to, 24 * 60);
        CDateBookLayout::MinutesOnDay(party, QDate(2027, 1, 1), from, to);
        QCOMPARE(from, 0);
        QCOMPARE(to, 3 * 60);
    }

    void overlapColumns()
    {
        const QDate day(2026, 12, 8);
        const QList<CDateSpan> events = {
            Timed(At(2026, 12, 8, 9), At(2026, 12, 8, 11)),        // 0
            Timed(At(2026, 12, 8, 10), At(2026, 12, 8, 12)),       // 1 overlaps 0
            Timed(At(2026, 12, 8, 11), At(2026, 12, 8, 13)),       // 2 overlaps 1, takes 0's freed column
            Timed(At(2026, 12, 8, 14), At(2026, 12, 8, 15)),       // 3 alone
            Timed(At(2026, 12, 8, 15), At(2026, 12, 8, 16)),       // 4 touches 3 only: its own group
            Timed(At(2026, 12, 8, 9, 30), At(2026, 12, 8, 9, 45)), // 5 inside 0, while 1 not yet begun
        };
        const QList<CDayColumn> columns = CDateBookLayout::DayColumns(events, {0, 1, 2, 3, 4, 5}, day);
        QCOMPARE(columns.size(), 6);
        QHash<int, CDayColumn> byIndex;
        for (const CDayColumn& c : columns)
            byIndex.insert(c.index, c);
        QCOMPARE(byIndex[0].column, 0);
        QCOMPARE(byIndex[5].column, 1);
        QCOMPARE(byIndex[1].column, 1);
        QCOMPARE(byIndex[2].column, 0);
        for (int i : {0, 1, 2, 5})
            QCOMPARE(byIndex[i].columns, 2);
        QCOMPARE(byIndex[3].column, 0);
        QCOMPARE(byIndex[3].columns, 1);
        QCOMPARE(byIndex[4].column, 0);
        QCOMPARE(byIndex[4].columns, 1);
        // No two events of a group share a column while they overlap.
        for (const CDayColumn& a : columns) {
            for (const CDayColumn& b : columns) {
                if (a.index >= b.index || a.column != b.column)
                    continue;
                const CDateSpan& x = events[a.index];
                const CDateSpan& y = events[b.index];
                QVERIFY2(x.end <= y.start || y.end <= x.start, "two overlapping events in one column");
            }
        }
    }

    void snapToQuarterHour_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QDateTime>("snapped");
        QTest::newRow("down") << At(2026, 12, 8, 9, 7) << At(2026, 12, 8, 9, 0);
        QTest::newRow("up") << At(2026, 12, 8, 9, 8) << At(2026, 12, 8, 9, 15);
        QTest::newRow("exact") << At(2026, 12, 8, 9, 45) << At(2026, 12, 8, 9, 45);
        QTest::newRow("into next day") << At(2026, 12, 31, 23, 53) << At(2027, 1, 1, 0, 0);
        QTest::newRow("seconds") << QDateTime(QDate(2026, 12, 8), QTime(9, 52, 29)) << At(2026, 12, 8, 9, 45);
    }
    void snapToQuarterHour()
    {
        QFETCH(QDateTime, time);
        QFETCH(QDateTime, snapped);
        QCOMPARE(CDateBookLayout::Snap(time), snapped);
    }

    void moveKeepsLength()
    {
        const CDateSpan service = Timed(At(2026, 12, 31, 22), At(2027, 1, 1, 1, 30));
        const CDateSpan moved = CDateBookLayout::MovedTo(service, At(2027, 1, 5, 8, 15));
        QCOMPARE(moved.start, At(2027, 1, 5, 8, 15));
        QCOMPARE(moved.end, At(2027, 1, 5, 11, 45));
        QVERIFY(!moved.allDay);
        const CDateSpan back = CDateBookLayout::MovedBy(moved, -3600);
        QCOMPARE(back.start, At(2027, 1, 5, 7, 15));
        QCOMPARE(back.end, At(2027, 1, 5, 10, 45));
        const CDateSpan nextDay = CDateBookLayout::MovedByDays(service, 1);
        QCOMPARE(nextDay.start, At(2027, 1, 1, 22));
        QCOMPARE(nextDay.end, At(2027, 1, 2, 1, 30));

        // An all-day event keeps its number of days and its times of day.
        const CDateSpan leave = AllDay(QDate(2026, 11, 30), QDate(2026, 12, 2));
        const CDateSpan later = CDateBookLayout::MovedTo(leave, At(2026, 12, 30, 14, 45));
        QVERIFY(later.allDay);
        QCOMPARE(later.start, At(2026, 12, 30, 0));
        QCOMPARE(later.end, At(2027, 1, 1, 0));
        QCOMPARE(CDateBookLayout::LastDay(later), QDate(2027, 1, 1));
    }

    void degenerateEvents()
    {
        // An event of no length is on its start's day; one ending before it starts is not smeared
        // over the days in between.
        const CDateSpan reminder = Timed(At(2026, 12, 8, 0), At(2026, 12, 8, 0));
        QVERIFY(CDateBookLayout::OccursOn(reminder, QDate(2026, 12, 8)));
        QVERIFY(!CDateBookLayout::OccursOn(reminder, QDate(2026, 12, 7)));
        int from = 0, to = 0;
        CDateBookLayout::MinutesOnDay(reminder, QDate(2026, 12, 8), from, to);
        QVERIFY(to > from);
        const CDateSpan backwards = Timed(At(2026, 12, 10, 9), At(2026, 12, 8, 9));
        QCOMPARE(CDateBookLayout::LastDay(backwards), QDate(2026, 12, 10));
        QVERIFY(!CDateBookLayout::OccursOn(backwards, QDate(2026, 12, 9)));
        QVERIFY(!CDateBookLayout::OccursOn(CDateSpan{}, QDate(2026, 12, 9)));
    }
};

VELMORA_TEST_MAIN(TestDateBookLayout)
#include "tst_datebook_layout.moc"
