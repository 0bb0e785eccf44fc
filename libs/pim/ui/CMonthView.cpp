#include "CMonthView.h"

#include "DateBookMessageIds.h"

#include <CVelmoraWrap.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kEventFill(0xd6, 0xe6, 0xf7);
const QColor kEventEdge(0x2f, 0x6f, 0xb3);
const QColor kOtherMonth(0xf3, 0xf3, 0xf3);
const QColor kGridLine(0xd0, 0xd0, 0xd0);

} // namespace

CMonthView::CMonthView(QWidget* parent) : CScheduleView(CDateBookLayout::MonthPeriod, parent) {}

int CMonthView::HeaderHeight() const
{
    return fontMetrics().height() + 8;
}

int CMonthView::LineHeight() const
{
    return fontMetrics().height() + 2;
}

QRect CMonthView::LogicalCell(int day) const
{
    const int top = HeaderHeight();
    const double w = width() / 7.0;
    const double h = double(height() - top) / CDateBookLayout::MonthWeeks;
    const int row = day / 7, col = day % 7;
    const int left = int(col * w), right = int((col + 1) * w);
    const int y = top + int(row * h), bottom = top + int((row + 1) * h);
    return QRect(left, y, right - left, bottom - y);
}

QRect CMonthView::CellRect(int day) const
{
    return Visual(LogicalCell(day));
}

int CMonthView::LinesPerCell() const
{
    const QRect cell = LogicalCell(0);
    return std::max(0, (cell.height() - LineHeight() - 2) / LineHeight());
}

CMonthView::Hit CMonthView::HitTest(const QPoint& pos) const
{
    Hit hit;
    for (int day = 0; day < Days().size(); ++day) {
        const QRect cell = CellRect(day);
        if (!cell.contains(pos))
            continue;
        hit.day = day;
        const int line = (pos.y() - cell.top() - LineHeight() - 2);
        if (line < 0)
            return hit;
        const int index = line / LineHeight();
        const QList<int>& events = Placed().value(day);
        const int lines = LinesPerCell();
        const bool overflow = events.size() > lines;
        if (overflow && index == lines - 1)
            hit.more = true;
        else if (index < events.size() && index < lines)
            hit.eventId = Events()[events[index]].id;
        return hit;
    }
    return hit;
}

void CMonthView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (PaintClosed(p))
        return;
    p.fillRect(rect(), palette().base());
    const int header = HeaderHeight();
    p.fillRect(0, 0, width(), header, palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    for (int col = 0; col < 7 && col < Days().size(); ++col) {
        const QRect cell = CellRect(col);
        const QRect head(cell.left(), 0, cell.width(), header);
        p.drawText(head, Qt::AlignCenter, locale().dayName(Days()[col].dayOfWeek(), QLocale::LongFormat));
    }
    for (int day = 0; day < Days().size(); ++day)
        PaintCell(p, day);
    p.setPen(kGridLine);
    p.drawLine(0, header - 1, width(), header - 1);
}

void CMonthView::PaintCell(QPainter& p, int day)
{
    const QDate date = Days()[day];
    const QRect cell = CellRect(day);
    if (date.month() != Date().month())
        p.fillRect(cell, kOtherMonth);
    if (m_dropDay == day && m_dragId != 0)
        p.fillRect(cell, QColor(0x30, 0x70, 0xc0, 40));
    p.setPen(kGridLine);
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    if (date == Date()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(cell.adjusted(1, 1, -2, -2));
    }
    // The day's number at the cell's leading corner; today's on a coloured disc.
    const int lineHeight = LineHeight();
    QString number = QString::number(date.day());
    if (date.day() == 1)
        number = locale().monthName(date.month(), QLocale::ShortFormat) + QLatin1Char(' ') + number;
    const QRect numberRect =
        Visual(QRect(LogicalCell(day).left() + 4, cell.top() + 2, cell.width() - 8, lineHeight));
    QFont font = p.font();
    font.setBold(date == QDate::currentDate());
    p.setFont(font);
    p.setPen(date == QDate::currentDate()
                 ? palette().color(QPalette::Highlight)
                 : palette().color(date.month() == Date().month() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::WindowText));
    p.drawText(numberRect, Qt::AlignLeft | Qt::AlignVCenter, number);
    font.setBold(false);
    p.setFont(font);

    const QList<int>& events = Placed().value(day);
    const int lines = LinesPerCell();
    const bool overflow = events.size() > lines;
    const int shown = overflow ? lines - 1 : int(events.size());
    for (int k = 0; k < shown; ++k) {
        const CPimEvent& event = Events()[events[k]];
        const QRect line(cell.left() + 2, cell.top() + lineHeight + 2 + k * lineHeight, cell.width() - 4,
                         lineHeight - 1);
        const bool selected = event.id == SelectedEventId();
        const bool strip = CDateBookLayout::InAllDayStrip(Span(event));
        if (selected)
            p.fillRect(line, palette().color(QPalette::Highlight));
        else if (strip)
            p.fillRect(line, kEventFill);
        p.setPen(selected ? palette().color(QPalette::HighlightedText) : QColor(0x10, 0x20, 0x40));
        const QRect text = line.adjusted(3, 0, -3, 0);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(EventLabel(event, date), Qt::ElideRight, text.width()));
        if (strip && !selected) {
            p.setPen(kEventEdge);
            p.drawRect(line.adjusted(0, 0, -1, -1));
        }
    }
    if (overflow && lines > 0) {
        const QRect line(cell.left() + 2, cell.top() + lineHeight + 2 + shown * lineHeight, cell.width() - 4,
                         lineHeight - 1);
        p.setPen(kEventEdge);
        p.drawText(line.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   CVelmoraWrap::FillArgs(CVelmoraWrap::LoadString(DateBookMsg::MoreEvents),
                                          {QString::number(events.size() - shown)}));
    }
}

void CMonthView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const Hit hit = HitTest(event->position().toPoint());
    m_dragId = 0;
    m_dropDay = -1;
    if (hit.day < 0 || event->button() != Qt::LeftButton)
        return CScheduleView::mousePressEvent(event);
    const QDate day = Days()[hit.day];
    if (hit.more) {
        SetDate(day);
        Q_EMIT dayOpened(day);
        return;
    }
    // A day of the next or previous month turns the page; the grid stays put otherwise.
    SetDate(day);
    if (Days().value(hit.day) != day)
        return;
    SelectEvent(hit.eventId);
    if (hit.eventId != 0) {
        m_dragId = hit.eventId;
        m_dragFromDay = hit.day;
        m_pressPos = event->position().toPoint();
    }
}

void CMonthView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragId == 0 ||
        (event->position().toPoint() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    const int day = HitTest(event->position().toPoint()).day;
    if (day != m_dropDay) {
        m_dropDay = day;
        update();
    }
}

void CMonthView::mouseReleaseEvent(QMouseEvent* event)
{
    const qint64 id = m_dragId;
    const int target = m_dropDay;
    m_dragId = 0;
    m_dropDay = -1;
    if (id != 0 && target >= 0 && target != m_dragFromDay && event->button() == Qt::LeftButton) {
        if (const CPimEvent* moving = EventById(id)) {
            const qint64 days = Days()[m_dragFromDay].daysTo(Days()[target]);
            const QDate targetDay = Days()[target];
            MoveEvent(id, QDateTime(moving->start.date().addDays(days), moving->start.time()));
            SetDate(targetDay);
        }
    }
    update();
}

void CMonthView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Hit hit = HitTest(event->position().toPoint());
    m_dragId = 0;
    if (hit.day < 0 || hit.more || event->button() != Qt::LeftButton)
        return;
    if (hit.eventId != 0)
        EditEvent(hit.eventId);
    else
        AddEventAt(QDateTime(Days()[hit.day], QTime(9, 0)), false);
}
