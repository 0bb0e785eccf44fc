#include "CArrowRowHeader.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>

CArrowRowHeader::CArrowRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setProperty("controlId", int(ControlId));
    setSectionsClickable(true);
    setHighlightSections(true);
}

void CArrowRowHeader::SetCurrentRow(int section)
{
    if (section == m_current)
        return;
    m_current = section;
    viewport()->update();
}

QSize CArrowRowHeader::sectionSizeFromContents(int logicalIndex) const
{
    // Room for the arrow on either side of the centred row number.
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    size.rwidth() += 2 * kArrowRoom;
    return size;
}

void CArrowRowHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    if (m_current < 0 || m_current >= count() || isSectionHidden(m_current))
        return;
    // Drawn over the finished sections: a style may paint a section in a buffer of its own, where
    // anything added inside the section's painting is lost.
    const QRect rect(0, sectionViewportPosition(m_current), viewport()->width(), sectionSize(m_current));
    if (!rect.intersects(event->rect()))
        return;
    // A small filled triangle pointing into the row, at the header's outer side.
    QPainter painter(viewport());
    const int h = qMin(rect.height() - 6, 10);
    const int w = h / 2 + 1;
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const int x = rtl ? rect.right() - 3 : rect.left() + 3;
    const int dir = rtl ? -1 : 1;
    const int cy = rect.center().y();
    QPolygon arrow;
    arrow << QPoint(x, cy - h / 2) << QPoint(x + dir * w, cy) << QPoint(x, cy + h / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::WindowText));
    painter.drawPolygon(arrow);
}
