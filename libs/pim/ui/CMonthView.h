#pragma once

#include "CScheduleView.h"

// The date book's month view: six weeks of seven days around the current month, each day listing its
// events ("+n more" when they do not fit). A click picks a day, a double-click edits an event or adds
// one on a free day, dragging an event to another day moves it there; the weeks run from right to left
// in right-to-left languages.
class CMonthView : public CScheduleView
{
    Q_OBJECT

public:
    explicit CMonthView(QWidget* parent = nullptr);

    struct Hit
    {
        int day = -1;       // index into Days()
        qint64 eventId = 0; // the event line under the point
        bool more = false;  // the "+n more" line
    };
    Hit HitTest(const QPoint& pos) const;
    // The cell of a day (widget coordinates).
    QRect CellRect(int day) const;
    // How many event lines a day's cell shows at the present size.
    int LinesPerCell() const;

    QSize sizeHint() const override { return QSize(760, 560); }
    QSize minimumSizeHint() const override { return QSize(280, 220); }

Q_SIGNALS:
    // A day was asked to be seen in full (its "+n more" line was clicked).
    void dayOpened(QDate day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int HeaderHeight() const;
    int LineHeight() const;
    QRect LogicalCell(int day) const;
    void PaintCell(QPainter& p, int day);

    qint64 m_dragId = 0;
    int m_dragFromDay = -1;
    int m_dropDay = -1;
    QPoint m_pressPos;
};
