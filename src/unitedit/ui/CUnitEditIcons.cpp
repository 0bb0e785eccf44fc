#include "CUnitEditIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

QIcon CUnitEditIcons::PageIcon(int iconId)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (iconId == CUnitEditIcons::ListPageIcon) {
        // A handset with a list beside it.
        p.setPen(QColor(70, 70, 70));
        p.setBrush(QColor(40, 90, 160));
        p.drawRoundedRect(QRectF(1.5, 1.5, 6, 13), 1.5, 1.5);
        p.setBrush(QColor(220, 235, 250));
        p.drawRect(QRectF(2.5, 3.5, 4, 4));
        p.setPen(QColor(40, 90, 160));
        for (int y : {4, 7, 10, 13})
            p.drawLine(QPointF(9.5, y + 0.5), QPointF(14.5, y + 0.5));
    } else if (iconId == CUnitEditIcons::SettingsPageIcon) {
        // A sheet of paper with lines of settings.
        p.setPen(QColor(70, 70, 70));
        p.setBrush(QColor(255, 251, 240));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setPen(QColor(40, 90, 160));
        for (int y : {5, 8, 11})
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    } else {
        // An information mark.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 160));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 7, 2, 5));
        p.drawEllipse(QRectF(7, 4, 2, 2));
    }
    return QIcon(pixmap);
}

QIcon CUnitEditIcons::ButtonIcon(int bitmapId)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(40, 90, 160);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    switch (bitmapId) {
    case MoveUpBitmap:
        p.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(14, 9), QPointF(2, 9)}));
        p.drawRect(QRectF(6, 9, 4, 5));
        break;
    case MoveDownBitmap:
        p.drawPolygon(QPolygonF({QPointF(8, 14), QPointF(14, 7), QPointF(2, 7)}));
        p.drawRect(QRectF(6, 2, 4, 5));
        break;
    case ClearBitmap:
        // An eraser.
        p.setBrush(QColor(200, 80, 80));
        p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(9, 3), QPointF(14, 8), QPointF(7, 15)}));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(2, 10), QPointF(5, 7), QPointF(10, 12), QPointF(7, 15)}));
        break;
    case CopyUserBitmap:
        p.setPen(QColor(70, 70, 70));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 9));
        p.drawRect(QRectF(6.5, 5.5, 8, 9));
        break;
    case AutoFillBitmap:
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 5, 6, 2));
        p.drawRect(QRectF(5, 9, 6, 2));
        break;
    case TransferBitmap:
        // Phone-book transfer: two arrows.
        p.drawPolygon(QPolygonF({QPointF(1, 5), QPointF(6, 1), QPointF(6, 9)}));
        p.drawRect(QRectF(6, 4, 9, 2));
        p.drawPolygon(QPolygonF({QPointF(15, 11), QPointF(10, 7), QPointF(10, 15)}));
        p.drawRect(QRectF(1, 10, 9, 2));
        break;
    default:
        // A button this set has no picture for (Close, Help) goes without one.
        return QIcon();
    }
    return QIcon(pixmap);
}
