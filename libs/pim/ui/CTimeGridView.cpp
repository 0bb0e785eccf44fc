#include "CTimeGridView.h"

#include "DateBookMessageIds.h"

#include <CVelmoraWrap.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

const QColor kEventFill(0xd6, 0xe6, 0xf7);
const QColor kEventEdge(0x2f, 0x6f, 0xb3);
const QColor kOffHours(0xf3, 0xf3, 0xf3);
const QColor kGridLine(0xd0, 0xd0, 0xd0);
const QColor kNowLine(0xd0, 0x30, 0x30);

// Hours and dates printed with digits read left to right even inside right-to-left text.
QString LeftToRight(const QString& text)
{
    return QChar(0x2066) + text + QChar(0x2069);
}

} // namespace

CTimeGridView::CTimeGridView(CDateBookLayout::Period period, QWidget* parent) : CScheduleView(period, parent)
{
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_scroll = value;
        update();
    });
    setMouseTracking(false);
}

QSize CTimeGridView::sizeHint() const
{
    return QSize(Days().size() > 1 ? 760 : 420, 560);
}

QSize CTimeGridView::minimumSizeHint() const
{
    return QSize(200, 200);
}

CTimeGridView::Geometry CTimeGridView::Layout() const
{
    const QFontMetrics fm = fontMetrics();
    Geometry g;
    g.timeWidth = 0;
    for (int hour : {0, 10, 12, 23})
        g.timeWidth = std::max(g.timeWidth, fm.horizontalAdvance(HourLabel(hour)) + 16);
    g.timeWidth =
        std::max(g.timeWidth, fm.horizontalAdvance(CVelmoraWrap::LoadString(DateBookMsg::AllDayStrip)) + 8);
    g.headerHeight = fm.height() + 10;
    g.stripRowHeight = fm.height() + 4;
    int most = 1;
    for (const QList<int>& onDay : Placed()) {
        int count = 0;
        for (int i : onDay)
            count += CDateBookLayout::InAllDayStrip(Span(Events()[i])) ? 1 : 0;
        most = std::max(most, count);
    }
    g.stripRows = std::min<int>(most, MaxStripRows);
    g.stripTop = g.headerHeight;
    g.hoursTop = g.headerHeight + g.stripRows * g.stripRowHeight + 6;
    g.hourHeight = std::max(44, 2 * fm.height() + 10);
    g.columnsLeft = g.timeWidth;
    g.columnsRight = width() - m_scrollBar->sizeHint().width();
    g.columnWidth = Days().isEmpty() ? 0 : double(g.columnsRight - g.columnsLeft) / Days().size();
    return g;
}

QRect CTimeGridView::ColumnRect(const Geometry& g, int day) const
{
    const int left = g.columnsLeft + int(std::lround(day * g.columnWidth));
    const int right = g.columnsLeft + int(std::lround((day + 1) * g.columnWidth));
    return QRect(left, 0, right - left, height());
}

QRect CTimeGridView::StripRect(const Geometry& g, int day, int row) const
{
    const QRect column = ColumnRect(g, day);
    return QRect(column.left() + 2, g.stripTop + row * g.stripRowHeight + 2, column.width() - 4,
                 g.stripRowHeight - 2);
}

QList<QPair<qint64, QRect>> CTimeGridView::TimedRects(const Geometry& g, int day) const
{
    QList<QPair<qint64, QRect>> rects;
    if (day < 0 || day >= Placed().size())
        return rects;
    QList<CDateSpan> spans;
    for (const CPimEvent& event : Events())
        spans.append(Span(event));
    QList<int> timed;
    for (int i : Placed()[day]) {
        if (!CDateBookLayout::InAllDayStrip(spans[i]))
            timed.append(i);
    }
    const QRect column = ColumnRect(g, day).adjusted(1, 0, -4, 0);
    const int minHeight = fontMetrics().height() + 2;
    for (const CDayColumn& placed : CDateBookLayout::DayColumns(spans, timed, Days()[day])) {
        int from = 0, to = 0;
        CDateBookLayout::MinutesOnDay(spans[placed.index], Days()[day], from, to);
        const double width = double(column.width()) / placed.columns;
        const int left = column.left() + int(placed.column * width);
        const int top = g.hoursTop + from * g.hourHeight / 60 - m_scroll;
        const int bottom = g.hoursTop + to * g.hourHeight / 60 - m_scroll;
        rects.append({Events()[placed.index].id,
                      QRect(left, top, std::max(int(width) - 1, 4), std::max(bottom - top - 1, minHeight))});
    }
    return rects;
}

QString CTimeGridView::HourLabel(int hour) const
{
    return LeftToRight(locale().toString(QTime(hour, 0), QLocale::ShortFormat));
}

QPoint CTimeGridView::Logical(const QPoint& pos) const
{
    return layoutDirection() == Qt::RightToLeft ? QPoint(width() - 1 - pos.x(), pos.y()) : pos;
}

CTimeGridView::Hit CTimeGridView::HitTest(const QPoint& pos) const
{
    const Geometry g = Layout();
    const QPoint lp = Logical(pos);
    Hit hit;
    if (lp.x() < g.columnsLeft || lp.x() >= g.columnsRight || g.columnWidth <= 0)
        return hit;
    hit.day = std::clamp(int((lp.x() - g.columnsLeft) / g.columnWidth), 0, int(Days().size()) - 1);
    if (lp.y() >= g.hoursTop) {
        hit.inHours = true;
        hit.minute = std::clamp((lp.y() - g.hoursTop + m_scroll) * 60 / g.hourHeight, 0, 24 * 60 - 1);
        const QList<QPair<qint64, QRect>> rects = TimedRects(g, hit.day);
        for (auto it = rects.crbegin(); it != rects.crend(); ++it) {
            if (it->second.contains(lp)) {
                hit.eventId = it->first;
                break;
            }
        }
    } else if (lp.y() >= g.stripTop) {
        hit.inStrip = true;
        const int row = (lp.y() - g.stripTop) / g.stripRowHeight;
        int stripRow = 0;
        for (int i : Placed().value(hit.day)) {
            if (!CDateBookLayout::InAllDayStrip(Span(Events()[i])))
                continue;
            if (stripRow++ == row)
                hit.eventId = Events()[i].id;
        }
        // A full strip's last row says "+n more" rather than showing an event.
        if (row == g.stripRows - 1 && stripRow > g.stripRows)
            hit.eventId = 0;
    }
    return hit;
}

QRect CTimeGridView::EventRect(qint64 id, int day) const
{
    const Geometry g = Layout();
    for (const auto& [eventId, rect] : TimedRects(g, day)) {
        if (eventId == id)
            return Visual(rect);
    }
    int row = 0;
    for (int i : Placed().value(day)) {
        if (!CDateBookLayout::InAllDayStrip(Span(Events()[i])))
            continue;
        if (Events()[i].id == id && row < g.stripRows)
            return Visual(StripRect(g, day, row));
        ++row;
    }
    return QRect();
}

QPoint CTimeGridView::PointAt(int day, int minute) const
{
    const Geometry g = Layout();
    const QRect column = ColumnRect(g, day);
    return Visual(QRect(column.center().x(), g.hoursTop + minute * g.hourHeight / 60 - m_scroll, 1, 1))
        .topLeft();
}

int CTimeGridView::MaxScroll(const Geometry& g) const
{
    return std::max(0, 24 * g.hourHeight - (height() - g.hoursTop));
}

void CTimeGridView::SetScroll(int value)
{
    m_scrollBar->setValue(std::clamp(value, 0, m_scrollBar->maximum()));
    m_scroll = m_scrollBar->value();
    update();
}

void CTimeGridView::ScrollToHour(int hour)
{
    const Geometry g = Layout();
    m_scrollBar->setRange(0, MaxScroll(g));
    SetScroll(hour * g.hourHeight);
}

int CTimeGridView::FirstVisibleMinute() const
{
    return m_scroll * 60 / Layout().hourHeight;
}

void CTimeGridView::resizeEvent(QResizeEvent* event)
{
    const Geometry g = Layout();
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(Visual(QRect(width() - barWidth, g.hoursTop, barWidth, height() - g.hoursTop)));
    m_scrollBar->setRange(0, MaxScroll(g));
    m_scrollBar->setPageStep(std::max(1, height() - g.hoursTop));
    m_scrollBar->setSingleStep(g.hourHeight / 4);
    m_scroll = m_scrollBar->value();
    CScheduleView::resizeEvent(event);
}

void CTimeGridView::showEvent(QShowEvent* event)
{
    CScheduleView::showEvent(event);
    if (!m_scrolledOnce) {
        // Open on the working day rather than at midnight.
        m_scrolledOnce = true;
        ScrollToHour(WorkingDayStart);
    }
}

void CTimeGridView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (PaintClosed(p))
        return;
    // The strip may have grown or shrunk with the events read.
    const Geometry g = Layout();
    if (m_scrollBar->y() != g.hoursTop) {
        QResizeEvent resize(size(), size());
        resizeEvent(&resize);
    }
    p.fillRect(rect(), palette().base());
    PaintHours(p, g);
    PaintHeader(p, g);
    PaintStrip(p, g);
}

void CTimeGridView::PaintHeader(QPainter& p, const Geometry& g)
{
    p.fillRect(Visual(QRect(0, 0, width(), g.headerHeight)), palette().window());
    const QDate today = QDate::currentDate();
    for (int day = 0; day < Days().size(); ++day) {
        const QDate date = Days()[day];
        const QRect cell = Visual(ColumnRect(g, day).adjusted(0, 0, 0, g.headerHeight - height()));
        if (date == today)
            p.fillRect(cell, palette().color(QPalette::Highlight).lighter(170));
        QFont font = p.font();
        font.setBold(date == Date());
        p.setFont(font);
        p.setPen(palette().color(QPalette::WindowText));
        const QString text =
            Days().size() == 1 ? locale().toString(date, QLocale::LongFormat)
                               : locale().dayName(date.dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') +
                                     LeftToRight(QStringLiteral("%1/%2").arg(date.day()).arg(date.month()));
        p.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignCenter,
                   fontMetrics().elidedText(text, Qt::ElideRight, cell.width() - 8));
        font.setBold(false);
        p.setFont(font);
        p.setPen(kGridLine);
        p.drawLine(cell.topLeft(), cell.bottomLeft());
    }
    p.setPen(kGridLine);
    p.drawLine(0, g.headerHeight - 1, width(), g.headerHeight - 1);
}

void CTimeGridView::PaintStrip(QPainter& p, const Geometry& g)
{
    const QRect strip(0, g.stripTop, width(), g.hoursTop - g.stripTop);
    p.fillRect(strip, palette().window());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(Visual(QRect(2, g.stripTop, g.timeWidth - 6, g.stripRowHeight)),
               Qt::AlignVCenter | Qt::AlignRight, CVelmoraWrap::LoadString(DateBookMsg::AllDayStrip));
    for (int day = 0; day < Days().size(); ++day) {
        QList<int> strip;
        for (int i : Placed()[day]) {
            if (CDateBookLayout::InAllDayStrip(Span(Events()[i])))
                strip.append(i);
        }
        for (int row = 0; row < strip.size() && row < g.stripRows; ++row) {
            const QRect box = Visual(StripRect(g, day, row));
            if (row == g.stripRows - 1 && strip.size() > g.stripRows) {
                const int more = int(strip.size()) - row;
                p.setPen(palette().color(QPalette::WindowText));
                p.drawText(box, Qt::AlignVCenter | Qt::AlignLeft,
                           CVelmoraWrap::FillArgs(CVelmoraWrap::LoadString(DateBookMsg::MoreEvents),
                                                  {QString::number(more)}));
                break;
            }
            PaintEventBox(p, box, Events()[strip[row]], Days()[day], true);
        }
    }
    p.setPen(kGridLine);
    p.drawLine(0, g.hoursTop - 1, width(), g.hoursTop - 1);
}

void CTimeGridView::PaintHours(QPainter& p, const Geometry& g)
{
    p.save();
    p.setClipRect(QRect(0, g.hoursTop, width(), height() - g.hoursTop));
    const int top = g.hoursTop - m_scroll;
    for (int day = 0; day < Days().size(); ++day) {
        const QRect column = ColumnRect(g, day);
        // The hours before and after the working day are greyed.
        p.fillRect(Visual(QRect(column.left(), top, column.width(), WorkingDayStart * g.hourHeight)),
                   kOffHours);
        p.fillRect(Visual(QRect(column.left(), top + 18 * g.hourHeight, column.width(), 6 * g.hourHeight)),
                   kOffHours);
        if (Days()[day] == Date() && Days().size() > 1)
            p.fillRect(Visual(column), QColor(0x30, 0x70, 0xc0, 18));
    }
    for (int hour = 0; hour < 24; ++hour) {
        const int y = top + hour * g.hourHeight;
        p.setPen(kGridLine);
        p.drawLine(Visual(QRect(g.columnsLeft, y, g.columnsRight - g.columnsLeft, 1)).topLeft(),
                   Visual(QRect(g.columnsRight - 1, y, 1, 1)).topLeft());
        p.setPen(QPen(kGridLine.lighter(110), 1, Qt::DotLine));
        const int half = y + g.hourHeight / 2;
        p.drawLine(Visual(QRect(g.columnsLeft, half, 1, 1)).topLeft(),
                   Visual(QRect(g.columnsRight - 1, half, 1, 1)).topLeft());
        p.setPen(palette().color(QPalette::WindowText));
        const QString label = HourLabel(hour);
        p.drawText(Visual(QRect(2, y + 1, g.timeWidth - 8, fontMetrics().height())),
                   Qt::AlignRight | Qt::AlignTop, label);
    }
    p.setPen(kGridLine);
    for (int day = 0; day <= Days().size(); ++day) {
        const int x = day < Days().size() ? ColumnRect(g, day).left() : g.columnsRight - 1;
        const QPoint a = Visual(QRect(x, g.hoursTop, 1, 1)).topLeft();
        p.drawLine(a, QPoint(a.x(), height()));
    }
    const QDateTime now = QDateTime::currentDateTime();
    for (int day = 0; day < Days().size(); ++day) {
        for (const auto& [id, rect] : TimedRects(g, day)) {
            for (const CPimEvent& event : Events()) {
                if (event.id == id)
                    PaintEventBox(p, Visual(rect), event, Days()[day], false);
            }
        }
        if (Days()[day] == now.date()) {
            const QRect column = ColumnRect(g, day);
            const int y = top + now.time().msecsSinceStartOfDay() / 60000 * g.hourHeight / 60;
            p.setPen(QPen(kNowLine, 2));
            const QRect line = Visual(QRect(column.left(), y, column.width(), 1));
            p.drawLine(line.left(), y, line.right(), y);
        }
    }
    if (m_dragging && m_dropStart.isValid()) {
        for (const CPimEvent& event : Events()) {
            if (event.id != m_dragId || CDateBookLayout::InAllDayStrip(Span(event)))
                continue;
            const int day = int(Days().indexOf(m_dropStart.date()));
            if (day < 0)
                break;
            const qint64 length = std::max<qint64>(event.start.secsTo(event.end), 15 * 60);
            const int from = m_dropStart.time().msecsSinceStartOfDay() / 60000;
            const int minutes = int(std::min<qint64>(length / 60, 24 * 60 - from));
            const QRect column = ColumnRect(g, day).adjusted(1, 0, -4, 0);
            const QRect ghost(column.left(), top + from * g.hourHeight / 60, column.width(),
                              minutes * g.hourHeight / 60);
            p.setPen(QPen(kEventEdge, 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(Visual(ghost));
        }
    }
    p.restore();
}

void CTimeGridView::PaintEventBox(QPainter& p, const QRect& box, const CPimEvent& event, QDate day,
                                  bool compact)
{
    const bool selected = event.id == SelectedEventId();
    const QColor fill = selected ? palette().color(QPalette::Highlight) : kEventFill;
    const QColor text = selected ? palette().color(QPalette::HighlightedText) : QColor(0x10, 0x20, 0x40);
    p.fillRect(box, fill);
    p.fillRect(Visual(QRect(Visual(box).left(), box.top(), 3, box.height())), kEventEdge);
    p.setPen(kEventEdge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(text);
    const QRect inner = box.adjusted(6, 1, -4, -1);
    QString label = EventLabel(event, day);
    if (compact || inner.height() < 2 * fontMetrics().height()) {
        p.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(label, Qt::ElideRight, inner.width()));
        return;
    }
    if (!event.location.isEmpty())
        label += QLatin1Char('\n') + event.location;
    p.save();
    p.setClipRect(inner);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label);
    p.restore();
}

QDateTime CTimeGridView::DropStart(const Hit& hit) const
{
    const CPimEvent* event = EventById(m_dragId);
    if (!event || hit.day < 0)
        return QDateTime();
    const QDate day = Days()[hit.day];
    if (CDateBookLayout::InAllDayStrip(Span(*event))) {
        // Strip events move by whole days, keeping their times of day.
        return QDateTime(event->start.date().addDays(Days()[m_grabDay].daysTo(day)), event->start.time());
    }
    if (!hit.inHours)
        return QDateTime();
    const QDateTime grabbed = QDateTime(day, QTime(0, 0)).addSecs(qint64(hit.minute - m_grabMinutes) * 60);
    return CDateBookLayout::Snap(grabbed);
}

void CTimeGridView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const Hit hit = HitTest(event->position().toPoint());
    m_dragging = false;
    m_dragId = 0;
    if (hit.day < 0 || event->button() != Qt::LeftButton)
        return CScheduleView::mousePressEvent(event);
    SetDate(Days()[hit.day]);
    SelectEvent(hit.eventId);
    if (hit.eventId != 0) {
        const CPimEvent* grabbed = EventById(hit.eventId);
        m_dragId = hit.eventId;
        m_pressPos = event->position().toPoint();
        m_grabDay = hit.day;
        int from = 0, to = 0;
        CDateBookLayout::MinutesOnDay(Span(*grabbed), Days()[hit.day], from, to);
        // Where in the event it was taken, counted from the event's start (also when it began before).
        const qint64 startOffset = QDateTime(Days()[hit.day], QTime(0, 0)).secsTo(grabbed->start) / 60;
        m_grabMinutes = hit.inHours ? int(hit.minute - startOffset) : 0;
    }
    event->accept();
}

void CTimeGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragId == 0 || !(event->buttons() & Qt::LeftButton))
        return CScheduleView::mouseMoveEvent(event);
    const QPoint pos = event->position().toPoint();
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    m_dropStart = DropStart(HitTest(pos));
    setCursor(m_dropStart.isValid() ? Qt::SizeAllCursor : Qt::ForbiddenCursor);
    update();
}

void CTimeGridView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dropped = m_dragging && event->button() == Qt::LeftButton;
    const qint64 id = m_dragId;
    const QDateTime start = dropped ? DropStart(HitTest(event->position().toPoint())) : QDateTime();
    m_dragging = false;
    m_dragId = 0;
    m_dropStart = QDateTime();
    unsetCursor();
    if (dropped && start.isValid())
        MoveEvent(id, start);
    update();
    event->accept();
}

void CTimeGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const Hit hit = HitTest(event->position().toPoint());
    m_dragging = false;
    m_dragId = 0;
    if (hit.day < 0 || event->button() != Qt::LeftButton)
        return;
    if (hit.eventId != 0)
        EditEvent(hit.eventId);
    else if (hit.inStrip)
        AddEventAt(QDateTime(Days()[hit.day], QTime(0, 0)), true);
    else if (hit.inHours)
        AddEventAt(QDateTime(Days()[hit.day], QTime(hit.minute / 30 * 30 / 60, hit.minute / 30 * 30 % 60)),
                   false);
    event->accept();
}

void CTimeGridView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    SetScroll(m_scroll - delta * Layout().hourHeight / 120);
    event->accept();
}

void CTimeGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_dragging) {
        m_dragging = false;
        m_dragId = 0;
        unsetCursor();
        update();
        return;
    }
    // In the day view Up and Down scroll the hours; the week view moves a week.
    if (Days().size() == 1 && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        SetScroll(m_scroll + (event->key() == Qt::Key_Up ? -1 : 1) * Layout().hourHeight);
        return;
    }
    if (event->key() == Qt::Key_Home && Days().size() >= 1) {
        ScrollToHour(WorkingDayStart);
        return;
    }
    CScheduleView::keyPressEvent(event);
}
