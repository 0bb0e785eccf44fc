#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>

// When an event of the date book takes place, as far as laying it out goes. A timed event covers
// [start, end): one from 22:00 to midnight does not reach the next day. An all-day event covers every
// date from its start's date to its end's date, both included.
struct CDateSpan
{
    QDateTime start;
    QDateTime end;
    bool allDay = false;
};

// Where one event of a day sits in the day's hours grid: a column among the events it overlaps.
struct CDayColumn
{
    int index = 0;   // the event's index in the list given
    int column = 0;  // 0 .. columns-1
    int columns = 1; // how many columns its group of overlapping events needs
};

// The date arithmetic of the day, week and month views: which days a view shows, on which days an
// event appears, how overlapping events share a day, and how dragging moves an event. No widgets.
class CDateBookLayout
{
public:
    enum Period
    {
        DayPeriod,
        WeekPeriod,
        MonthPeriod,
    };
    enum : int
    {
        MonthWeeks = 6,
        SnapMinutes = 15,
    };

    // The first day of the week where the locale lives: Sunday in Israel and the United States,
    // Monday in France.
    static Qt::DayOfWeek WeekStart(const QLocale& locale);
    // The first day of the week holding date.
    static QDate StartOfWeek(QDate date, Qt::DayOfWeek weekStart);
    // The days a view of the period shows for date: the date itself, the seven days of its week, or
    // six whole weeks starting with the week that holds the first of date's month.
    static QList<QDate> ViewDays(Period period, QDate date, Qt::DayOfWeek weekStart);
    // The same date one period earlier (steps < 0) or later; a month step keeps the day of the month
    // where the month has it, else takes the month's last day.
    static QDate Step(Period period, QDate date, int steps);

    // True when the event takes place (for at least a moment) on day.
    static bool OccursOn(const CDateSpan& span, QDate day);
    // The first and last day the event takes place on (an event of no length: its start's day).
    static QDate FirstDay(const CDateSpan& span);
    static QDate LastDay(const CDateSpan& span);
    // For every day of days, the indexes of the events taking place on it, all-day and multi-day
    // events first, then by start time, then by end time.
    static QList<QList<int>> PlaceOnDays(const QList<CDateSpan>& spans, const QList<QDate>& days);
    // Events that go into a day's all-day strip rather than its hours grid: all-day events and timed
    // events that run over more than one day.
    static bool InAllDayStrip(const CDateSpan& span);

    // The part of day [fromMinute, toMinute) a timed event covers, in minutes after midnight, clipped
    // to the day (0 .. 1440). An event of no length still gets a sliver.
    static void MinutesOnDay(const CDateSpan& span, QDate day, int& fromMinute, int& toMinute);
    // Side-by-side columns for the timed events of one day (indexes into spans). Events that overlap,
    // directly or through others, share a group; each takes the leftmost column free at its start.
    static QList<CDayColumn> DayColumns(const QList<CDateSpan>& spans, const QList<int>& indexes, QDate day);

    // time rounded to the nearest quarter of an hour (ties go later).
    static QDateTime Snap(const QDateTime& time, int minutes = SnapMinutes);
    // The span moved so that it starts at newStart, keeping its length (and its all-day flag; an
    // all-day event keeps its number of days).
    static CDateSpan MovedTo(const CDateSpan& span, const QDateTime& newStart);
    // The span moved by a number of seconds (dragging in the hours grid) or of days (dragging to
    // another day).
    static CDateSpan MovedBy(const CDateSpan& span, qint64 seconds);
    static CDateSpan MovedByDays(const CDateSpan& span, int days);
};
