// Food pieces, garnish, plates and bowls that several vessels serve.
#include "DishParts.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace demodata::dishparts {

// One glossy piece of food: an ellipse lit from the upper left.
void morsel(QPainter &p, const QPointF &at, double w, double h, double angle, const QColor &colour)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QRadialGradient gloss(QPointF(-w * 0.2, -h * 0.25), std::max(w, h) * 0.8);
    gloss.setColorAt(0, colour.lighter(150));
    gloss.setColorAt(0.45, colour);
    gloss.setColorAt(1, colour.darker(150));
    p.setPen(QPen(colour.darker(180), 0.8));
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(-w / 2, -h / 2, w, h), h * 0.45, h * 0.45);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(-w * 0.35, -h * 0.4, w * 0.4, h * 0.5), 90 * 16, 70 * 16);
    p.restore();
}

void garnish(QPainter &p, const QPointF &centre, double rx, double ry, const Palette &palette, Dice &dice,
             int count)
{
    p.save();
    for (int i = 0; i < count; ++i) {
        const double a = dice.uniform(0, 2 * M_PI);
        const double r = std::sqrt(dice.uniform(0, 1));
        const QPointF at(centre.x() + std::cos(a) * rx * r, centre.y() + std::sin(a) * ry * r - 8);
        switch (dice.below(3)) {
        case 0: // scallion ring
            p.setPen(QPen(palette.garnish, 2.2));
            p.setBrush(palette.garnish.lighter(160));
            p.drawEllipse(at, 4.5, 3.2);
            break;
        case 1: // chilli or pepper slice
            p.setPen(QPen(QColor(0xb7, 0x1c, 0x1c), 2.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(at, 4.0, 3.0);
            break;
        default: // sesame seeds
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xfb, 0xf1, 0xd8));
            p.drawEllipse(at, 1.8, 1.1);
            p.drawEllipse(at + QPointF(5, 3), 1.8, 1.1);
            break;
        }
    }
    p.restore();
}

void foodPile(QPainter &p, const QPointF &centre, double rx, double ry, const Palette &palette, Dice &dice,
              double scale)
{
    p.setPen(Qt::NoPen);
    QColor sauce = palette.sauce;
    sauce.setAlpha(200);
    p.setBrush(sauce);
    p.drawEllipse(centre + QPointF(0, 4), rx * 1.05, ry * 1.0);

    struct Piece {
        QPointF at;
        double w, h, angle;
        QColor colour;
    };
    QList<Piece> pieces;
    const int count = int(18 * scale * scale) + 6;
    for (int i = 0; i < count; ++i) {
        const double a = dice.uniform(0, 2 * M_PI);
        const double r = std::sqrt(dice.uniform(0, 1));
        // Pieces near the middle sit higher: a mound.
        const QPointF at(centre.x() + std::cos(a) * rx * r * 0.85,
                         centre.y() + std::sin(a) * ry * r * 0.8 - (1 - r) * 22 * scale);
        const QColor colour = dice.chance(0.7) ? palette.food : palette.food2;
        pieces.append({at, dice.uniform(20, 36) * scale, dice.uniform(13, 22) * scale, dice.uniform(-50, 50),
                       colour.lighter(dice.below(30) + 85)});
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const Piece &a, const Piece &b) { return a.at.y() < b.at.y(); });
    for (const Piece &piece : pieces)
        morsel(p, piece.at, piece.w, piece.h, piece.angle, piece.colour);
    garnish(p, centre, rx * 0.8, ry * 0.7, palette, dice, int(16 * scale));
}

void plate(QPainter &p, const QPointF &c, double rx, double ry)
{
    paintkit::softShadow(p, c + QPointF(6, 12), rx, ry);
    QRadialGradient porcelain(c + QPointF(-rx * 0.3, -ry * 0.4), rx * 1.2);
    porcelain.setColorAt(0, QColor(0xff, 0xff, 0xff));
    porcelain.setColorAt(1, QColor(0xe2, 0xde, 0xd6));
    p.setPen(QPen(QColor(0xc8, 0xc2, 0xb8), 1.2));
    p.setBrush(porcelain);
    p.drawEllipse(c, rx, ry);
    // Blue-and-white rim band.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2b, 0x5e, 0xa7, 170), 2.4));
    p.drawEllipse(c, rx * 0.92, ry * 0.92);
    QRadialGradient well(c, rx * 0.75);
    well.setColorAt(0, QColor(0xfb, 0xfa, 0xf7));
    well.setColorAt(1, QColor(0xe6, 0xe2, 0xdb));
    p.setPen(QPen(QColor(0xd0, 0xca, 0xc0), 1));
    p.setBrush(well);
    p.drawEllipse(c, rx * 0.74, ry * 0.74);
}

// A porcelain bowl seen from above at an angle; returns the surface of its contents.
QPointF bowl(QPainter &p, const QPointF &c, double rx, double ry, bool glass)
{
    paintkit::softShadow(p, c + QPointF(4, ry * 2.1), rx * 0.75, ry * 0.55);
    QPainterPath body(QPointF(c.x() - rx, c.y()));
    body.cubicTo(c.x() - rx, c.y() + ry * 2.2, c.x() - rx * 0.45, c.y() + ry * 2.6, c.x(), c.y() + ry * 2.6);
    body.cubicTo(c.x() + rx * 0.45, c.y() + ry * 2.6, c.x() + rx, c.y() + ry * 2.2, c.x() + rx, c.y());
    body.closeSubpath();
    QLinearGradient side(c.x() - rx, 0, c.x() + rx, 0);
    if (glass) {
        side.setColorAt(0, QColor(220, 235, 240, 200));
        side.setColorAt(0.5, QColor(250, 252, 255, 150));
        side.setColorAt(1, QColor(200, 215, 225, 200));
    } else {
        side.setColorAt(0, QColor(0xd8, 0xd3, 0xca));
        side.setColorAt(0.35, QColor(0xff, 0xff, 0xff));
        side.setColorAt(1, QColor(0xc6, 0xc0, 0xb6));
    }
    p.setPen(QPen(QColor(0xb8, 0xb2, 0xa8), 1.2));
    p.setBrush(side);
    p.drawPath(body);
    if (!glass) {
        // Blue band round the body, following the rim's curve lower down.
        p.setPen(QPen(QColor(0x2b, 0x5e, 0xa7, 160), 3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - rx * 0.97, c.y() - ry * 0.1, rx * 1.94, ry * 2), 195 * 16, 150 * 16);
    }
    p.setPen(QPen(QColor(0xf5, 0xf3, 0xee), 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, rx, ry);
    return c;
}

} // namespace demodata::dishparts
