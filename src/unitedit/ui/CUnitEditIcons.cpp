#include "CUnitEditIcons.h"

#include <QPainter>
#include <QPixmap>

QIcon CUnitEditIcons::PageIcon(int iconId)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (iconId == CUnitEditIcons::SettingsPageIcon) {
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
