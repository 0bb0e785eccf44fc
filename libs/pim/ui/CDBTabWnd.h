#pragma once

#include <QDate>
#include <QTabWidget>

class CCalendarView;
class CDayView;
class CMonthView;
class CScheduleView;
class CWeekView;
class QLabel;
class QSplitter;

// The date book: day, week and month views as tabs, kept on the same date, with the month navigator
// beside the view on show and previous / today / next buttons in the tab bar's corner.
class CDBTabWnd : public QTabWidget
{
    Q_OBJECT

public:
    enum Tab : int
    {
        DayTab = 0,
        WeekTab = 1,
        MonthTab = 2,
    };
    enum : int
    {
        DayCaption = 1753,
        WeekCaption = 1754,
        MonthCaption = 1755,
    };

    explicit CDBTabWnd(QWidget* parent = nullptr);
    ~CDBTabWnd() override;

    CDayView* DayView() const { return m_day; }
    CWeekView* WeekView() const { return m_week; }
    CMonthView* MonthView() const { return m_month; }
    CCalendarView* CalendarView() const { return m_calendar; }
    // The view of the tab on show.
    CScheduleView* CurrentView() const;

    QDate Date() const { return m_date; }
    void SetDate(QDate date);
    // New entry and delete entry of the list bar, for the view on show.
    void AddEvent();
    void DeleteEvent();
    // Reloads the captions and labels (after a change of language).
    void RetranslateCaptions();

protected:
    void changeEvent(QEvent* event) override;

private:
    QSplitter* MakePage(CScheduleView* view);
    void OnTabChanged(int index);
    void UpdatePeriodLabel();
    void UpdateArrows();
    void SaveSplitter();

    CDayView* m_day = nullptr;
    CWeekView* m_week = nullptr;
    CMonthView* m_month = nullptr;
    CCalendarView* m_calendar = nullptr;
    QWidget* m_navigator = nullptr;
    QLabel* m_period = nullptr;
    class QToolButton* m_today = nullptr;
    class QToolButton* m_previous = nullptr;
    class QToolButton* m_next = nullptr;
    QDate m_date;
    bool m_syncing = false;
};
