#pragma once

#include "CScheduleView.h"

class QScrollBar;

// The hours grid shared by the day and the week view: a column per day with its date, a strip for
// all-day and multi-day events, and the day's hours below it, scrolled vertically; overlapping events
// stand side by side. An event is moved by dragging it (to a quarter of an hour, or to another day),
// edited by a double-click, and a double-click on a free hour makes a new one there. In right-to-left
// languages the day columns run from right to left.
class CTimeGridView : public CScheduleView
{
    Q_OBJECT

public:
    explicit CTimeGridView(CDateBookLayout::Period period, QWidget* parent = nullptr);

    // Where something lies in the view (for the mouse, and for tests that drive it).
    struct Hit
    {
        int day = -1;         // index into Days(), -1 outside the day columns
        bool inStrip = false; // in the all-day strip
        bool inHours = false; // in the hours grid
        int minute = 0;       // minute of the day under the point (in the hours grid)
        qint64 eventId = 0;   // the event under the point, 0 for none
    };
    Hit HitTest(const QPoint& pos) const;
    // Where an event is drawn on a day (in widget coordinates), empty when it is not visible there.
    QRect EventRect(qint64 id, int day) const;
    // The point of the hours grid at minute of day index day (widget coordinates).
    QPoint PointAt(int day, int minute) const;
    // Scrolls the hours grid so that hour is at its top.
    void ScrollToHour(int hour);
    int FirstVisibleMinute() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    enum : int
    {
        WorkingDayStart = 8,
        MaxStripRows = 4,
    };

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Geometry
    {
        int timeWidth = 0, headerHeight = 0, stripTop = 0, stripRowHeight = 0, stripRows = 1;
        int hoursTop = 0, hourHeight = 0, columnsLeft = 0, columnsRight = 0;
        double columnWidth = 0;
    };
    Geometry Layout() const;
    // Logical (left-to-right) rectangles; Visual() mirrors them for right-to-left.
    QRect ColumnRect(const Geometry& g, int day) const;
    QRect StripRect(const Geometry& g, int day, int row) const;
    QList<QPair<qint64, QRect>> TimedRects(const Geometry& g, int day) const;
    QPoint Logical(const QPoint& pos) const;
    QString HourLabel(int hour) const;
    int MaxScroll(const Geometry& g) const;
    void SetScroll(int value);
    QDateTime DropStart(const Hit& hit) const;

    void PaintHeader(QPainter& p, const Geometry& g);
    void PaintStrip(QPainter& p, const Geometry& g);
    void PaintHours(QPainter& p, const Geometry& g);
    void PaintEventBox(QPainter& p, const QRect& box, const CPimEvent& event, QDate day, bool compact);

    QScrollBar* m_scrollBar = nullptr;
    int m_scroll = 0;
    bool m_scrolledOnce = false;
    // Dragging an event: where the press was, which event, how far into the event it was grabbed.
    qint64 m_dragId = 0;
    QPoint m_pressPos;
    int m_grabMinutes = 0;
    int m_grabDay = 0;
    bool m_dragging = false;
    QDateTime m_dropStart;
};
