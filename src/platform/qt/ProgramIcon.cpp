#include "platform/qt/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace windlecroft {

namespace {

// A quaver on a rounded plum-coloured tile, drawn on a 32-unit grid and scaled to the size.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x5A, 0x2A, 0x4E));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);

    const QColor note(0xF4, 0xE3, 0xB5);
    painter.setBrush(note);
    painter.save();
    painter.translate(12.5, 22.5);
    painter.rotate(-20);
    painter.drawEllipse(QPointF(0, 0), 4.6, 3.4);
    painter.restore();
    painter.drawRect(QRectF(15.6, 6, 2.2, 16.5));
    QPainterPath flag;
    flag.moveTo(17.8, 6);
    flag.cubicTo(19.5, 10, 25, 10.5, 23.5, 17);
    flag.cubicTo(23, 13.5, 20, 12.5, 17.8, 12);
    flag.closeSubpath();
    painter.drawPath(flag);
    return pixmap;
}

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}

} // namespace windlecroft
