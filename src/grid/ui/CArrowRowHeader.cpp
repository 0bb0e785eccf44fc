#include "CArrowRowHeader.h"

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

void CArrowRowHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect, logicalIndex);
    if (logicalIndex != m_current)
        return;
    // A small filled triangle pointing into the row, at the header's outer side.
    painter->save();
    const int h = qMin(rect.height() - 6, 10);
    const int w = h / 2 + 1;
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const int x = rtl ? rect.right() - 4 : rect.left() + 4;
    const int dir = rtl ? -1 : 1;
    const int cy = rect.center().y();
    QPolygon arrow;
    arrow << QPoint(x, cy - h / 2) << QPoint(x + dir * w, cy) << QPoint(x, cy + h / 2);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::WindowText));
    painter->drawPolygon(arrow);
    painter->restore();
}
