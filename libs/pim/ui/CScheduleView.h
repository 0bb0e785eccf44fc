#pragma once

#include "CDateBookLayout.h"
#include "PimRecords.h"

#include <QDate>
#include <QList>
#include <QPointer>
#include <QWidget>

class CPimStore;

// What the day, week and month views of the date book share: the current date and the days it shows,
// the events of those days read from the open PIM database, the selected event, navigation, and the
// commands new, edit, move and delete. The view follows the conduit: it reads again when the events
// change and clears and disables itself while no date book is open.
class CScheduleView : public QWidget
{
    Q_OBJECT

public:
    explicit CScheduleView(CDateBookLayout::Period period, QWidget* parent = nullptr);
    ~CScheduleView() override;

    CDateBookLayout::Period Period() const { return m_period; }
    QDate Date() const { return m_date; }
    // The days on screen, first to last.
    const QList<QDate>& Days() const { return m_days; }
    Qt::DayOfWeek WeekStart() const;
    // The events on screen, as last read.
    const QList<CPimEvent>& Events() const { return m_events; }
    qint64 SelectedEventId() const { return m_selectedId; }
    // The open date book, or nullptr.
    CPimStore* Store() const;

    void SetDate(QDate date);
    void Previous();
    void Next();
    void Today();
    void SelectEvent(qint64 id);

    // New entry: opens the event dialog for a new event on the current date (at the next whole hour
    // today, else at nine) and saves it.
    void AddEvent();
    void AddEventAt(const QDateTime& start, bool allDay);
    // Delete entry: deletes the selected event after asking.
    void DeleteEvent();
    // Opens the event dialog on an event and saves the changes.
    void EditEvent(qint64 id);
    // Moves an event to start at newStart, keeping its length; false (with the reason shown) when the
    // PIM file refuses it.
    bool MoveEvent(qint64 id, const QDateTime& newStart);
    // Reads the events of the days on screen again.
    void Refresh();

Q_SIGNALS:
    void dateChanged(QDate date);

protected:
    // The events of Days() placed on each day, all-day and multi-day ones first.
    const QList<QList<int>>& Placed() const { return m_placed; }
    static CDateSpan Span(const CPimEvent& event);
    const CPimEvent* EventById(qint64 id) const;
    // The day under the keyboard's arrows moves by this many days for Up and Down.
    virtual int RowStep() const { return 7; }
    // What the view shows for a line of an event: its start time (timed events) and title.
    QString EventLabel(const CPimEvent& event, QDate day) const;
    // Paints the note shown while no date book is open; true when it did.
    bool PaintClosed(class QPainter& painter);
    // Mirrors a rectangle laid out left to right for a right-to-left view.
    QRect Visual(const QRect& logical) const;

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void AttachStore();
    void Detach();
    void UpdateDays();
    bool SaveEdited(CPimEvent& event);
    void SelectNextEventOfDay(bool forward);

    CDateBookLayout::Period m_period;
    QDate m_date;
    QList<QDate> m_days;
    QList<CPimEvent> m_events;
    QList<QList<int>> m_placed;
    qint64 m_selectedId = 0;
    QPointer<CPimStore> m_store;
    QMetaObject::Connection m_storeConnection;
};
