#include "PaintKit.h"

#include <QPainterPath>

namespace demodata::paintkit {

QFont chineseFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void softShadow(QPainter &p, const QPointF &centre, double rx, double ry, int strength)
{
    p.save();
    p.setPen(Qt::NoPen);
    constexpr int kLayers = 6;
    for (int i = 0; i < kLayers; ++i) {
        const double grow = 1.0 + 0.05 * (kLayers - i);
        p.setBrush(QColor(0, 0, 0, strength / kLayers));
        p.drawEllipse(centre, rx * grow, ry * grow);
    }
    p.restore();
}

void steam(QPainter &p, const QPointF &base, double height, Dice &dice)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int wisp = 0; wisp < 3; ++wisp) {
        const double x = base.x() + (wisp - 1) * dice.uniform(22, 34);
        const double sway = dice.uniform(10, 18) * (wisp % 2 ? 1 : -1);
        QPainterPath path(QPointF(x, base.y()));
        path.cubicTo(x + sway, base.y() - height * 0.3, x - sway, base.y() - height * 0.6, x + sway * 0.5,
                     base.y() - height);
        p.setPen(QPen(QColor(255, 255, 255, 34), 12, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        p.setPen(QPen(QColor(255, 255, 255, 60), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
    }
    p.restore();
}

void shadowedText(QPainter &p, const QRectF &box, int flags, const QString &text, const QColor &colour)
{
    p.save();
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(box.translated(2, 2), flags, text);
    p.setPen(colour);
    p.drawText(box, flags, text);
    p.restore();
}

void stamp(QPainter &p, const QPointF &centre, double radius, const QString &text)
{
    p.save();
    p.setPen(QPen(QColor(255, 236, 200), radius * 0.08));
    QRadialGradient fill(centre, radius);
    fill.setColorAt(0, QColor(222, 52, 40));
    fill.setColorAt(1, QColor(168, 24, 20));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
    p.setFont(chineseFont(int(radius * (text.size() > 1 ? 0.62 : 1.0)), true));
    p.setPen(QColor(255, 244, 220));
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2), Qt::AlignCenter,
               text);
    p.restore();
}

} // namespace demodata::paintkit
