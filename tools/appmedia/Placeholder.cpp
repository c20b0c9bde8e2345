#include "Placeholder.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace appmedia {

QImage placeholderPicture(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    const double s = w / 480.0;

    QLinearGradient paper(0, 0, 0, h);
    paper.setColorAt(0, QColor(0xf6, 0xef, 0xe4));
    paper.setColorAt(1, QColor(0xe8, 0xdc, 0xc8));
    p.fillRect(QRectF(0, 0, w, h), paper);

    QPen dashed(QColor(0xc9, 0xb9, 0xa0), 3 * s, Qt::DashLine, Qt::RoundCap);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(14 * s, 14 * s, w - 28 * s, h - 28 * s), 18 * s, 18 * s);

    const QPointF centre(w * 0.46, h * 0.54);
    const double rx = w * 0.27, ry = h * 0.25;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9a, 0x86, 0x6a, 60)); // shadow
    p.drawEllipse(centre + QPointF(6 * s, 10 * s), rx, ry);
    QRadialGradient porcelain(centre, rx);
    porcelain.setColorAt(0, QColor(0xff, 0xff, 0xfd));
    porcelain.setColorAt(1, QColor(0xee, 0xea, 0xe2));
    p.setBrush(porcelain);
    p.setPen(QPen(QColor(0xd6, 0xcd, 0xbe), 2 * s));
    p.drawEllipse(centre, rx, ry);
    p.setBrush(QColor(0xf4, 0xf1, 0xeb));
    p.setPen(QPen(QColor(0xe2, 0xdb, 0xcf), 1.5 * s));
    p.drawEllipse(centre, rx * 0.7, ry * 0.7);
    p.setPen(QPen(QColor(0x3f, 0x7f, 0xa6, 120), 2 * s)); // blue rim line, as on a real plate
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, rx * 0.9, ry * 0.9);

    // The picture sign: a frame with a mountain and a sun, faded.
    const QRectF frame(centre.x() - 44 * s, centre.y() - 30 * s, 88 * s, 60 * s);
    p.setPen(QPen(QColor(0xb4, 0xa5, 0x8e), 4 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xfa, 0xf6, 0xef));
    p.drawRoundedRect(frame, 8 * s, 8 * s);
    QPainterPath mountain;
    mountain.moveTo(frame.left() + 8 * s, frame.bottom() - 8 * s);
    mountain.lineTo(frame.left() + 34 * s, frame.top() + 24 * s);
    mountain.lineTo(frame.left() + 52 * s, frame.bottom() - 22 * s);
    mountain.lineTo(frame.left() + 62 * s, frame.top() + 34 * s);
    mountain.lineTo(frame.right() - 8 * s, frame.bottom() - 8 * s);
    mountain.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xcd, 0xbf, 0xa8));
    p.drawPath(mountain);
    p.setBrush(QColor(0xe6, 0xb8, 0x6e));
    p.drawEllipse(QPointF(frame.right() - 20 * s, frame.top() + 17 * s), 8 * s, 8 * s);

    // Chopsticks resting beside the plate.
    p.save();
    p.translate(w * 0.83, h * 0.52);
    p.rotate(-12);
    for (int i = 0; i < 2; ++i) {
        const double x = i * 16 * s;
        QLinearGradient wood(x - 5 * s, 0, x + 5 * s, 0);
        wood.setColorAt(0, QColor(0x7a, 0x4a, 0x2e));
        wood.setColorAt(1, QColor(0xa0, 0x68, 0x42));
        p.setBrush(wood);
        QPainterPath stick;
        stick.moveTo(x - 4.5 * s, -h * 0.34);
        stick.lineTo(x + 4.5 * s, -h * 0.34);
        stick.lineTo(x + 2.5 * s, h * 0.34);
        stick.lineTo(x - 2.5 * s, h * 0.34);
        stick.closeSubpath();
        p.drawPath(stick);
        p.setBrush(QColor(0xc8, 0x3a, 0x2c)); // lacquered top
        p.drawRect(QRectF(x - 4.5 * s, -h * 0.34, 9 * s, 18 * s));
    }
    p.restore();
    p.end();
    return image;
}

} // namespace appmedia
