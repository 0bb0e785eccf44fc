#include "CDateBookLayout.h"

#include <algorithm>

Qt::DayOfWeek CDateBookLayout::WeekStart(const QLocale& locale)
{
    return locale.firstDayOfWeek();
}

QDate CDateBookLayout::StartOfWeek(QDate date, Qt::DayOfWeek weekStart)
{
    const int back = (date.dayOfWeek() - int(weekStart) + 7) % 7;
    return date.addDays(-back);
}

QList<QDate> CDateBookLayout::ViewDays(Period period, QDate date, Qt::DayOfWeek weekStart)
{
    QList<QDate> days;
    if (!date.isValid())
        return days;
    QDate first = date;
    int count = 1;
    if (period == WeekPeriod) {
        first = StartOfWeek(date, weekStart);
        count = 7;
    } else if (period == MonthPeriod) {
        first = StartOfWeek(QDate(date.year(), date.month(), 1), weekStart);
        count = 7 * MonthWeeks;
    }
    days.reserve(count);
    for (int i = 0; i < count; ++i)
        days.append(first.addDays(i));
    return days;
}

QDate CDateBookLayout::Step(Period period, QDate date, int steps)
{
    switch (period) {
    case DayPeriod:
        return date.addDays(steps);
    case WeekPeriod:
        return date.addDays(7 * qint64(steps));
    case MonthPeriod:
        return date.addMonths(steps);
    }
    return date;
}

QDate CDateBookLayout::FirstDay(const CDateSpan& span)
{
    return span.start.date();
}

QDate CDateBookLayout::LastDay(const CDateSpan& span)
{
    if (span.allDay)
        return std::max(span.start.date(), span.end.date());
    if (span.end <= span.start)
        return span.start.date();
    // The end is not part of the event: one ending at midnight is over the day before.
    const QDateTime last = span.end.addMSecs(-1);
    return last.date();
}

bool CDateBookLayout::OccursOn(const CDateSpan& span, QDate day)
{
    if (!span.start.isValid() || !day.isValid())
        return false;
    return FirstDay(span) <= day && day <= LastDay(span);
}

bool CDateBookLayout::InAllDayStrip(const CDateSpan& span)
{
    return span.allDay || FirstDay(span) != LastDay(span);
}

QList<QList<int>> CDateBookLayout::PlaceOnDays(const QList<CDateSpan>& spans, const QList<QDate>& days)
{
    QList<int> order;
    for (int i = 0; i < spans.size(); ++i)
        order.append(i);
    std::stable_sort(order.begin(), order.end(), [&spans](int a, int b) {
        const bool stripA = InAllDayStrip(spans[a]);
        const bool stripB = InAllDayStrip(spans[b]);
        if (stripA != stripB)
            return stripA;
        if (spans[a].start != spans[b].start)
            return spans[a].start < spans[b].start;
        return spans[a].end < spans[b].end;
    });
    QList<QList<int>> placed;
    placed.reserve(days.size());
    for (const QDate& day : days) {
        QList<int> onDay;
        for (int i : order) {
            if (OccursOn(spans[i], day))
                onDay.append(i);
        }
        placed.append(onDay);
    }
    return placed;
}

void CDateBookLayout::MinutesOnDay(const CDateSpan& span, QDate day, int& fromMinute, int& toMinute)
{
    const QDate first = FirstDay(span);
    const QDate last = LastDay(span);
    fromMinute = first < day ? 0 : span.start.time().msecsSinceStartOfDay() / 60000;
    if (last > day || span.end.date() > day)
        toMinute = 24 * 60;
    else
        toMinute = span.end.time().msecsSinceStartOfDay() / 60000;
    if (toMinute <= fromMinute)
        toMinute = std::min(24 * 60, fromMinute + 1);
    fromMinute = std::min(fromMinute, 24 * 60 - 1);
}

QList<CDayColumn> CDateBookLayout::DayColumns(const QList<CDateSpan>& spans, const QList<int>& indexes,
                                              QDate day)
{
    struct Item
    {
        int index, from, to;
    };
    QList<Item> items;
    for (int i : indexes) {
        Item item{i, 0, 0};
        MinutesOnDay(spans[i], day, item.from, item.to);
        items.append(item);
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.from != b.from ? a.from < b.from : a.to > b.to;
    });

    QList<CDayColumn> result;
    QList<int> columnEnds; // minute at which each column of the current group becomes free
    int groupStart = 0;    // first entry of result in the current group
    int groupEnd = -1;     // latest end in the current group
    auto closeGroup = [&]() {
        for (int k = groupStart; k < result.size(); ++k)
            result[k].columns = int(columnEnds.size());
        groupStart = int(result.size());
        columnEnds.clear();
    };
    for (const Item& item : items) {
        if (item.from >= groupEnd)
            closeGroup();
        int column = 0;
        while (column < columnEnds.size() && columnEnds[column] > item.from)
            ++column;
        if (column == columnEnds.size())
            columnEnds.append(item.to);
        else
            columnEnds[column] = item.to;
        groupEnd = std::max(groupEnd, item.to);
        result.append(CDayColumn{item.index, column, 1});
    }
    closeGroup();
    return result;
}

QDateTime CDateBookLayout::Snap(const QDateTime& time, int minutes)
{
    if (!time.isValid() || minutes <= 0)
        return time;
    const qint64 step = qint64(minutes) * 60;
    const QDateTime midnight = time.date().startOfDay(time.timeSpec());
    const qint64 secs = midnight.secsTo(time);
    const qint64 snapped = (secs + step / 2) / step * step;
    return midnight.addSecs(snapped);
}

CDateSpan CDateBookLayout::MovedTo(const CDateSpan& span, const QDateTime& newStart)
{
    CDateSpan moved = span;
    if (span.allDay) {
        const int days = int(span.start.date().daysTo(span.end.date()));
        moved.start = QDateTime(newStart.date(), span.start.time(), span.start.timeSpec());
        moved.end =
            QDateTime(newStart.date().addDays(std::max(days, 0)), span.end.time(), span.end.timeSpec());
        return moved;
    }
    const qint64 length = span.start.msecsTo(span.end);
    moved.start = newStart;
    moved.end = newStart.addMSecs(length);
    return moved;
}

CDateSpan CDateBookLayout::MovedBy(const CDateSpan& span, qint64 seconds)
{
    return MovedTo(span, span.start.addSecs(seconds));
}

CDateSpan CDateBookLayout::MovedByDays(const CDateSpan& span, int days)
{
    // By the calendar, not by 24-hour steps: 09:00 stays 09:00 across a clock change.
    return MovedTo(span,
                   QDateTime(span.start.date().addDays(days), span.start.time(), span.start.timeSpec()));
}
