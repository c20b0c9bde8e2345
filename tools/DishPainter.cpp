#include "DishPainter.h"

#include "PaintKit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace demodata {

using paintkit::Dice;

namespace {

constexpr double kWidth = 480;
constexpr double kHeight = 360;

enum class Vessel { Plate, Bowl, Pan, Steamer, Drinks, TeaSet, Tray, Cloche };

struct Palette {
    QColor food;
    QColor food2;
    QColor sauce;
    QColor garnish;
    Vessel vessel;
    bool hot;
};

Palette paletteFor(Look look)
{
    switch (look) {
    case Look::Cold:
        return {QColor(0x7c, 0xb3, 0x42),
                QColor(0xc6, 0x28, 0x28),
                QColor(0xa3, 0x1c, 0x12),
                QColor(0xfa, 0xf3, 0xe0),
                Vessel::Plate,
                false};
    case Look::Spicy:
        return {QColor(0xc0, 0x39, 0x2b),
                QColor(0xe6, 0x7e, 0x22),
                QColor(0x8e, 0x1b, 0x10),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Plate,
                true};
    case Look::StirFry:
        return {QColor(0xc9, 0x8b, 0x3a),
                QColor(0x5a, 0xa4, 0x54),
                QColor(0x7a, 0x4a, 0x1e),
                QColor(0xe5, 0x39, 0x35),
                Vessel::Plate,
                true};
    case Look::Braised:
        return {QColor(0x9a, 0x3f, 0x1f),
                QColor(0xc0, 0x6e, 0x24),
                QColor(0x5d, 0x24, 0x10),
                QColor(0x66, 0xbb, 0x6a),
                Vessel::Plate,
                true};
    case Look::GriddlePot:
        return {QColor(0xb8, 0x4a, 0x2a),
                QColor(0xe0, 0xa0, 0x30),
                QColor(0x7a, 0x1f, 0x12),
                QColor(0x2e, 0x7d, 0x32),
                Vessel::Pan,
                true};
    case Look::Seafood:
        return {QColor(0xf0, 0x80, 0x60),
                QColor(0xf7, 0xc6, 0xa3),
                QColor(0xd9, 0xa4, 0x5a),
                QColor(0x7c, 0xb3, 0x42),
                Vessel::Plate,
                true};
    case Look::Soup:
        return {QColor(0xe2, 0xb4, 0x5a),
                QColor(0xf5, 0xe3, 0xb5),
                QColor(0xd9, 0xa0, 0x40),
                QColor(0x4c, 0xaf, 0x50),
                Vessel::Bowl,
                true};
    case Look::Staple:
        return {QColor(0xf6, 0xea, 0xd2),
                QColor(0xa0, 0x52, 0x2d),
                QColor(0xe8, 0xd3, 0xa8),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Bowl,
                true};
    case Look::DimSum:
        return {QColor(0xf7, 0xec, 0xd6), QColor(0xf4, 0xb6, 0xa0), QColor(0xe9, 0xdc, 0xc0),
                QColor(0xe5, 0x73, 0x73), Vessel::Steamer,          true};
    case Look::Beer:
        return {QColor(0xf2, 0xb2, 0x33), QColor(0xff, 0xfa, 0xf0), QColor(0x2e, 0x6b, 0x30),
                QColor(0xff, 0xff, 0xff), Vessel::Drinks,           false};
    case Look::Liquor:
        return {QColor(0x8e, 0x1b, 0x3a), QColor(0xf3, 0xea, 0xd8), QColor(0xb7, 0x1c, 0x1c),
                QColor(0xff, 0xd5, 0x4f), Vessel::Drinks,           false};
    case Look::SoftDrink:
        return {QColor(0xff, 0x98, 0x00), QColor(0xff, 0xe0, 0xb2), QColor(0xd3, 0x2f, 0x2f),
                QColor(0x8b, 0xc3, 0x4a), Vessel::Drinks,           false};
    case Look::Tea:
        return {QColor(0xc8, 0xa8, 0x4b), QColor(0x7b, 0x4a, 0x3a), QColor(0x9e, 0x7b, 0x2f),
                QColor(0x7c, 0xb3, 0x42), Vessel::TeaSet,           true};
    case Look::SetMeal:
        return {QColor(0xc0, 0x39, 0x2b),
                QColor(0xf6, 0xea, 0xd2),
                QColor(0xe2, 0xb4, 0x5a),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Tray,
                true};
    case Look::Dessert:
        return {QColor(0xff, 0xc9, 0x4a),
                QColor(0xff, 0xf3, 0xe0),
                QColor(0xff, 0xe9, 0xb0),
                QColor(0xe5, 0x39, 0x35),
                Vessel::Bowl,
                false};
    case Look::OpenItem:
        return {QColor(0xc9, 0x8b, 0x3a), QColor(0xe0, 0xe0, 0xe0), QColor(0x9e, 0x9e, 0x9e),
                QColor(0x43, 0xa0, 0x47), Vessel::Cloche,           false};
    }
    return paletteFor(Look::StirFry);
}

void tableTop(QPainter &p, Dice &dice)
{
    QLinearGradient wood(0, 0, 0, kHeight);
    wood.setColorAt(0, QColor(0x9a, 0x63, 0x3a));
    wood.setColorAt(1, QColor(0x5e, 0x36, 0x1c));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), wood);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 26; ++i) {
        const double y = dice.uniform(0, kHeight);
        QPainterPath grain(QPointF(-10, y));
        grain.cubicTo(kWidth * 0.3, y + dice.uniform(-8, 8), kWidth * 0.7, y + dice.uniform(-8, 8),
                      kWidth + 10, y + dice.uniform(-6, 6));
        p.setPen(QPen(QColor(0x3a, 0x20, 0x0e, dice.below(40) + 15), dice.uniform(0.8, 2.2)));
        p.drawPath(grain);
    }
    // A linen runner under the dish.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf3, 0xe7, 0xd0, 70));
    p.drawRect(QRectF(0, 96, kWidth, 190));
}

void vignette(QPainter &p)
{
    QRadialGradient shade(QPointF(kWidth / 2, kHeight * 0.45), kWidth * 0.7);
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 120));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), shade);
}

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
              double scale = 1.0)
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

void fish(QPainter &p, const QPointF &centre, double length, const Palette &palette, Dice &dice)
{
    QColor sauce = palette.sauce;
    sauce.setAlpha(210);
    p.setPen(Qt::NoPen);
    p.setBrush(sauce);
    p.drawEllipse(centre + QPointF(0, 6), length * 0.58, length * 0.24);

    const double half = length / 2;
    QPainterPath body(QPointF(centre.x() - half, centre.y()));
    body.cubicTo(centre.x() - half * 0.6, centre.y() - length * 0.24, centre.x() + half * 0.5,
                 centre.y() - length * 0.2, centre.x() + half * 0.8, centre.y());
    body.cubicTo(centre.x() + half * 0.5, centre.y() + length * 0.2, centre.x() - half * 0.6,
                 centre.y() + length * 0.24, centre.x() - half, centre.y());
    QPainterPath tail(QPointF(centre.x() + half * 0.72, centre.y()));
    tail.lineTo(centre.x() + half * 1.05, centre.y() - length * 0.14);
    tail.quadTo(centre.x() + half * 0.95, centre.y(), centre.x() + half * 1.05, centre.y() + length * 0.14);
    tail.closeSubpath();

    const QColor skin = palette.food2.darker(115);
    QLinearGradient shine(centre.x(), centre.y() - length * 0.2, centre.x(), centre.y() + length * 0.2);
    shine.setColorAt(0, skin.lighter(130));
    shine.setColorAt(0.5, skin);
    shine.setColorAt(1, skin.darker(140));
    p.setBrush(shine);
    p.setPen(QPen(skin.darker(170), 1.2));
    p.drawPath(tail);
    p.drawPath(body);
    // Scored skin and an eye.
    p.setPen(QPen(skin.darker(150), 1.6));
    for (int i = 0; i < 5; ++i) {
        const double x = centre.x() - half * 0.35 + i * half * 0.2;
        p.drawArc(QRectF(x - 8, centre.y() - length * 0.14, 16, length * 0.28), 60 * 16, 60 * 16);
    }
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(QPointF(centre.x() - half * 0.72, centre.y() - length * 0.04), 4, 4);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(centre.x() - half * 0.72, centre.y() - length * 0.04), 1.8, 1.8);
    // Shredded scallion and chilli laid along the fish.
    for (int i = 0; i < 14; ++i) {
        const double x = centre.x() + dice.uniform(-half * 0.6, half * 0.5);
        const double y = centre.y() + dice.uniform(-length * 0.08, length * 0.06);
        p.setPen(QPen(i % 3 == 0 ? QColor(0xd3, 0x2f, 0x2f)
                                 : (i % 3 == 1 ? palette.garnish : QColor(0xf1, 0xf8, 0xe9)),
                      2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + dice.uniform(14, 26), y + dice.uniform(-5, 5)));
    }
}

void prawns(QPainter &p, const QPointF &centre, double rx, double ry, const Palette &palette, Dice &dice)
{
    QColor sauce = palette.sauce;
    sauce.setAlpha(170);
    p.setPen(Qt::NoPen);
    p.setBrush(sauce);
    p.drawEllipse(centre + QPointF(0, 4), rx, ry);
    const QColor shell(0xf2, 0x6a, 0x3c);
    for (int i = 0; i < 7; ++i) {
        const double a = i * 2 * M_PI / 7 + dice.uniform(-0.2, 0.2);
        const QPointF at(centre.x() + std::cos(a) * rx * 0.55, centre.y() + std::sin(a) * ry * 0.5 - 6);
        const double size = dice.uniform(26, 34);
        p.save();
        p.translate(at);
        p.rotate(a * 180 / M_PI + 90);
        p.setPen(QPen(shell.darker(140), size * 0.5 + 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(-size / 2, -size / 2, size, size), 20 * 16, 250 * 16);
        p.setPen(QPen(shell, size * 0.5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(-size / 2, -size / 2, size, size), 20 * 16, 250 * 16);
        p.setPen(QPen(QColor(255, 220, 190), 1.4));
        for (int s = 0; s < 4; ++s)
            p.drawArc(QRectF(-size / 2, -size / 2, size, size), (40 + s * 55) * 16, 6 * 16);
        p.restore();
    }
    garnish(p, centre, rx * 0.5, ry * 0.45, palette, dice, 10);
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

void plateDish(QPainter &p, const DishPicture &picture, const Palette &palette, Dice &dice)
{
    const QPointF c(240, 178);
    const bool platter = picture.name.contains(u'鱼');
    plate(p, c, platter ? 200 : 172, platter ? 100 : 106);
    if (platter)
        fish(p, c + QPointF(0, -6), 250, palette, dice);
    else if (picture.name.contains(u'虾'))
        prawns(p, c, 100, 58, palette, dice);
    else
        foodPile(p, c + QPointF(0, -4), 100, 58, palette, dice);
    if (palette.hot)
        paintkit::steam(p, c + QPointF(0, -40), 110, dice);
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

void bowlDish(QPainter &p, const DishPicture &picture, const Palette &palette, Dice &dice)
{
    const QPointF c(240, 150);
    const double rx = 150, ry = 52;
    const bool glass = picture.look == Look::Dessert;
    bowl(p, c, rx, ry, glass);
    // Contents.
    QRadialGradient surface(c + QPointF(-30, -10), rx);
    surface.setColorAt(0, palette.food.lighter(125));
    surface.setColorAt(1, palette.food.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(surface);
    p.drawEllipse(c + QPointF(0, 2), rx * 0.93, ry * 0.82);
    if (picture.name.contains(u'饭')) {
        // A mound of rice grains.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 260; ++i) {
            const double a = dice.uniform(0, 2 * M_PI);
            const double r = std::sqrt(dice.uniform(0, 1));
            const QPointF at(c.x() + std::cos(a) * rx * 0.85 * r,
                             c.y() + std::sin(a) * ry * 0.7 * r - (1 - r) * 18);
            p.setBrush(QColor(0xff, 0xfd, 0xf6).darker(100 + dice.below(12)));
            p.save();
            p.translate(at);
            p.rotate(dice.uniform(0, 180));
            p.drawEllipse(QPointF(0, 0), 4.2, 1.9);
            p.restore();
        }
    } else if (picture.look == Look::Staple) {
        // Noodles or rice: many fine strands.
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 40; ++i) {
            const double x = c.x() + dice.uniform(-rx * 0.75, rx * 0.6);
            const double y = c.y() + dice.uniform(-ry * 0.5, ry * 0.45);
            QPainterPath strand(QPointF(x, y));
            strand.cubicTo(x + 12, y - 8, x + 22, y + 8, x + dice.uniform(30, 44), y + dice.uniform(-4, 4));
            p.setPen(QPen(palette.food.darker(112), 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(strand);
        }
        for (int i = 0; i < 7; ++i)
            morsel(p, c + QPointF(dice.uniform(-70, 70), dice.uniform(-20, 18)), dice.uniform(22, 30),
                   dice.uniform(12, 16), dice.uniform(-30, 30), palette.food2);
    } else {
        for (int i = 0; i < 9; ++i)
            morsel(p, c + QPointF(dice.uniform(-90, 90), dice.uniform(-22, 20)), dice.uniform(16, 28),
                   dice.uniform(11, 18), dice.uniform(-40, 40), palette.food2.lighter(dice.below(20) + 90));
        // Drops of oil or syrup.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 16; ++i) {
            p.setBrush(QColor(255, 240, 180, 90));
            p.drawEllipse(c + QPointF(dice.uniform(-110, 110), dice.uniform(-30, 28)), dice.uniform(2, 6), 2);
        }
    }
    if (!picture.name.contains(u'饭'))
        garnish(p, c, rx * 0.7, ry * 0.6, palette, dice, 14);
    if (palette.hot)
        paintkit::steam(p, c + QPointF(0, -20), 110, dice);
}

void panDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice)
{
    const QPointF c(240, 180);
    // The burner's glow under the pot.
    QRadialGradient flame(c + QPointF(0, 70), 140);
    flame.setColorAt(0, QColor(255, 140, 40, 120));
    flame.setColorAt(1, QColor(255, 80, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flame);
    p.drawEllipse(c + QPointF(0, 70), 170, 60);
    paintkit::softShadow(p, c + QPointF(4, 14), 180, 100);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 210, c.y() - 28, 50, 48), 90 * 16, 180 * 16);
    p.drawArc(QRectF(c.x() + 160, c.y() - 28, 50, 48), -90 * 16, 180 * 16);
    QRadialGradient iron(c + QPointF(-50, -30), 220);
    iron.setColorAt(0, QColor(0x60, 0x60, 0x60));
    iron.setColorAt(1, QColor(0x1c, 0x1c, 0x1c));
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2));
    p.setBrush(iron);
    p.drawEllipse(c, 180, 104);
    p.setBrush(QColor(0x2a, 0x20, 0x1c));
    p.drawEllipse(c, 160, 90);
    foodPile(p, c + QPointF(0, -4), 118, 64, palette, dice, 1.1);
    // Dried chillies.
    for (int i = 0; i < 10; ++i) {
        const QPointF at = c + QPointF(dice.uniform(-110, 110), dice.uniform(-48, 40));
        p.save();
        p.translate(at);
        p.rotate(dice.uniform(0, 180));
        p.setPen(QPen(QColor(0x8e, 0x10, 0x10), 1));
        p.setBrush(QColor(0xc6, 0x18, 0x18));
        p.drawRoundedRect(QRectF(-14, -4, 28, 8), 4, 4);
        p.restore();
    }
    paintkit::steam(p, c + QPointF(0, -40), 120, dice);
}

void dumpling(QPainter &p, const QPointF &at, double size, const Palette &palette)
{
    QRadialGradient skin(at + QPointF(-size * 0.2, -size * 0.3), size);
    skin.setColorAt(0, QColor(255, 255, 250));
    skin.setColorAt(0.6, palette.food);
    skin.setColorAt(1, palette.food2);
    p.setPen(QPen(palette.food2.darker(130), 1));
    p.setBrush(skin);
    QPainterPath dome(QPointF(at.x() - size, at.y() + size * 0.35));
    dome.cubicTo(at.x() - size, at.y() - size * 0.9, at.x() + size, at.y() - size * 0.9, at.x() + size,
                 at.y() + size * 0.35);
    dome.quadTo(at.x(), at.y() + size * 0.6, at.x() - size, at.y() + size * 0.35);
    p.drawPath(dome);
    p.setPen(QPen(palette.food2.darker(120), 1.4));
    for (int i = -2; i <= 2; ++i)
        p.drawLine(QPointF(at.x() + i * size * 0.12, at.y() - size * 0.55),
                   QPointF(at.x() + i * size * 0.3, at.y() - size * 0.05));
}

void steamerDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice)
{
    const QPointF c(240, 160);
    const double rx = 165, ry = 70;
    paintkit::softShadow(p, c + QPointF(4, 66), rx, ry);
    // Bamboo side band.
    const QRectF band(c.x() - rx, c.y(), rx * 2, 56);
    QLinearGradient bamboo(band.left(), 0, band.right(), 0);
    bamboo.setColorAt(0, QColor(0xa0, 0x78, 0x40));
    bamboo.setColorAt(0.4, QColor(0xe0, 0xbc, 0x7c));
    bamboo.setColorAt(1, QColor(0x94, 0x6c, 0x38));
    p.setPen(Qt::NoPen);
    p.setBrush(bamboo);
    p.drawRect(band);
    p.drawEllipse(QPointF(c.x(), band.bottom()), rx, ry);
    p.setPen(QPen(QColor(0x7a, 0x55, 0x28, 140), 1.5));
    for (int i = 1; i < 18; ++i) {
        const double x = c.x() - rx + i * rx * 2 / 18;
        p.drawLine(QPointF(x, c.y() + 4), QPointF(x, band.bottom() + 2));
    }
    p.setPen(QPen(QColor(0xc8, 0xa1, 0x65), 8));
    p.setBrush(QColor(0xf4, 0xea, 0xd2));
    p.drawEllipse(c, rx, ry);
    const QPointF spots[] = {{-70, -6}, {0, -18}, {70, -6}, {-36, 26}, {40, 26}};
    for (const QPointF &spot : spots)
        dumpling(p, c + spot, dice.uniform(30, 36), palette);
    paintkit::steam(p, c + QPointF(0, -40), 110, dice);
}

void bottle(QPainter &p, const QPointF &foot, double height, const QColor &glass, const QString &label)
{
    const double w = height * 0.28;
    QPainterPath shape(QPointF(foot.x() - w / 2, foot.y()));
    shape.lineTo(foot.x() - w / 2, foot.y() - height * 0.6);
    shape.cubicTo(foot.x() - w / 2, foot.y() - height * 0.72, foot.x() - w * 0.18, foot.y() - height * 0.75,
                  foot.x() - w * 0.16, foot.y() - height * 0.85);
    shape.lineTo(foot.x() - w * 0.16, foot.y() - height);
    shape.lineTo(foot.x() + w * 0.16, foot.y() - height);
    shape.lineTo(foot.x() + w * 0.16, foot.y() - height * 0.85);
    shape.cubicTo(foot.x() + w * 0.18, foot.y() - height * 0.75, foot.x() + w / 2, foot.y() - height * 0.72,
                  foot.x() + w / 2, foot.y() - height * 0.6);
    shape.lineTo(foot.x() + w / 2, foot.y());
    shape.closeSubpath();
    QLinearGradient shade(foot.x() - w / 2, 0, foot.x() + w / 2, 0);
    shade.setColorAt(0, glass.darker(160));
    shade.setColorAt(0.3, glass.lighter(140));
    shade.setColorAt(1, glass.darker(200));
    p.setPen(QPen(glass.darker(220), 1));
    p.setBrush(shade);
    p.drawPath(shape);
    p.setBrush(QColor(0xd4, 0xaf, 0x37));
    p.drawRect(QRectF(foot.x() - w * 0.18, foot.y() - height - 6, w * 0.36, 10));
    const QRectF labelBox(foot.x() - w / 2 + 3, foot.y() - height * 0.5, w - 6, height * 0.3);
    p.setBrush(QColor(0xfb, 0xf3, 0xe0));
    p.drawRect(labelBox);
    p.setPen(QColor(0xb7, 0x1c, 0x1c));
    p.setFont(paintkit::chineseFont(int(labelBox.height() * 0.55), true));
    p.drawText(labelBox, Qt::AlignCenter, label);
}

void glassOf(QPainter &p, const QPointF &foot, double height, const Palette &palette, Look look, Dice &dice)
{
    const double top = height * 0.42, bottom = height * 0.32;
    QPainterPath cup(QPointF(foot.x() - top, foot.y() - height));
    cup.lineTo(foot.x() + top, foot.y() - height);
    cup.lineTo(foot.x() + bottom, foot.y());
    cup.lineTo(foot.x() - bottom, foot.y());
    cup.closeSubpath();
    const double level = look == Look::Liquor ? 0.45 : 0.82;
    const double surfaceY = foot.y() - height * level;
    const double surfaceHalf = bottom + (top - bottom) * level;
    QPainterPath liquid(QPointF(foot.x() - surfaceHalf, surfaceY));
    liquid.lineTo(foot.x() + surfaceHalf, surfaceY);
    liquid.lineTo(foot.x() + bottom, foot.y());
    liquid.lineTo(foot.x() - bottom, foot.y());
    liquid.closeSubpath();
    paintkit::softShadow(p, foot + QPointF(4, 2), top * 1.1, 14, 60);
    QLinearGradient drink(0, surfaceY, 0, foot.y());
    drink.setColorAt(0, palette.food.lighter(120));
    drink.setColorAt(1, palette.food.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(drink);
    p.drawPath(liquid);
    if (look == Look::Beer) {
        p.setBrush(QColor(0xff, 0xfb, 0xf2));
        for (int i = 0; i < 14; ++i)
            p.drawEllipse(
                QPointF(foot.x() + dice.uniform(-surfaceHalf, surfaceHalf), surfaceY - dice.uniform(0, 16)),
                dice.uniform(8, 14), dice.uniform(7, 11));
        p.setBrush(QColor(255, 255, 255, 140));
        for (int i = 0; i < 12; ++i)
            p.drawEllipse(
                QPointF(foot.x() + dice.uniform(-bottom, bottom), dice.uniform(surfaceY + 20, foot.y() - 8)),
                1.6, 1.6);
    } else if (look == Look::SoftDrink) {
        p.setPen(QPen(QColor(255, 255, 255, 160), 1.2));
        p.setBrush(QColor(255, 255, 255, 70));
        for (int i = 0; i < 4; ++i)
            p.drawRoundedRect(QRectF(foot.x() - 40 + i * 20, surfaceY + 6 + (i % 2) * 16, 26, 24), 5, 5);
        p.setPen(QPen(palette.sauce, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(foot.x() + 14, surfaceY + 40), QPointF(foot.x() + 44, foot.y() - height - 30));
        p.setPen(QPen(QColor(0xe0, 0x8a, 0x00), 2));
        p.setBrush(QColor(0xff, 0xc1, 0x40));
        p.drawPie(QRectF(foot.x() - top - 22, foot.y() - height - 26, 56, 56), 180 * 16, 180 * 16);
    }
    p.setPen(QPen(QColor(255, 255, 255, 190), 2));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawPath(cup);
    p.setPen(QPen(QColor(255, 255, 255, 120), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(foot.x() - top * 0.7, foot.y() - height * 0.9),
               QPointF(foot.x() - bottom * 0.7, foot.y() - 12));
}

// Drinks of one category differ most in colour: cola is dark, baijiu clear, rice wine amber.
QColor drinkColour(const QString &name, const QColor &fallback)
{
    const struct {
        const char16_t *word;
        QColor colour;
    } colours[] = {
        {u"可乐", QColor(0x4a, 0x1e, 0x0c)},   {u"雪碧", QColor(0xe8, 0xf5, 0xd0)},
        {u"水", QColor(0xe6, 0xf2, 0xf8)},     {u"椰", QColor(0xfb, 0xf6, 0xec)},
        {u"王老吉", QColor(0x8a, 0x3a, 0x1a)}, {u"梅", QColor(0x5a, 0x1a, 0x14)},
        {u"红", QColor(0x8e, 0x1b, 0x3a)},     {u"黄酒", QColor(0xc0, 0x7a, 0x20)},
    };
    for (const auto &entry : colours) {
        if (name.contains(QStringView(entry.word)))
            return entry.colour;
    }
    return fallback;
}

void drinksDish(QPainter &p, const DishPicture &picture, const Palette &basePalette, Dice &dice)
{
    Palette palette = basePalette;
    const QColor clearSpirit(0xf4, 0xf1, 0xe6);
    palette.food = drinkColour(picture.name, picture.look == Look::Liquor ? clearSpirit : palette.food);
    const QPointF foot(240, 290);
    if (picture.look != Look::SoftDrink) {
        const QColor glass = picture.look == Look::Beer ? palette.sauce : QColor(0xf2, 0xee, 0xe4);
        paintkit::softShadow(p, foot + QPointF(-70, 0), 50, 14, 60);
        bottle(p, foot + QPointF(-70, 0), 220, glass, picture.name.left(1));
        glassOf(p, foot + QPointF(70, 0), 150, palette, picture.look, dice);
    } else {
        glassOf(p, foot, 200, palette, picture.look, dice);
    }
}

void teaDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice)
{
    const QPointF pot(190, 190);
    paintkit::softShadow(p, pot + QPointF(6, 74), 120, 30);
    const QColor clay = palette.food2;
    p.setPen(QPen(clay.darker(160), 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(pot.x() + 80, pot.y() - 40, 70, 80), -80 * 16, 160 * 16);
    QPainterPath spout(QPointF(pot.x() - 90, pot.y()));
    spout.cubicTo(pot.x() - 130, pot.y() - 10, pot.x() - 140, pot.y() - 50, pot.x() - 150, pot.y() - 64);
    p.setPen(QPen(clay.darker(140), 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(spout);
    QRadialGradient body(pot + QPointF(-30, -30), 140);
    body.setColorAt(0, clay.lighter(150));
    body.setColorAt(1, clay.darker(140));
    p.setPen(QPen(clay.darker(170), 1.5));
    p.setBrush(body);
    p.drawEllipse(pot, 110, 78);
    p.drawEllipse(pot + QPointF(0, -74), 50, 14);
    p.drawEllipse(pot + QPointF(0, -90), 12, 10);
    // A cup of tea beside the pot.
    const QPointF cup(360, 250);
    bowl(p, cup, 52, 16, false);
    p.setPen(Qt::NoPen);
    p.setBrush(palette.food);
    p.drawEllipse(cup + QPointF(0, 1), 46, 13);
    p.setBrush(palette.garnish);
    p.drawEllipse(cup + QPointF(-10, 0), 9, 4);
    paintkit::steam(p, cup + QPointF(0, -10), 90, dice);
}

void trayDish(QPainter &p, const DishPicture &, const Palette &, Dice &dice)
{
    // A red lacquer tray with a main dish, rice, soup and a side.
    QPainterPath tray;
    tray.moveTo(70, 90);
    tray.lineTo(410, 90);
    tray.lineTo(450, 290);
    tray.lineTo(30, 290);
    tray.closeSubpath();
    paintkit::softShadow(p, QPointF(244, 200), 220, 110, 60);
    QLinearGradient lacquer(0, 90, 0, 290);
    lacquer.setColorAt(0, QColor(0xa8, 0x1e, 0x18));
    lacquer.setColorAt(1, QColor(0x6e, 0x0e, 0x0a));
    p.setPen(QPen(QColor(0xd4, 0xaf, 0x37), 3));
    p.setBrush(lacquer);
    p.drawPath(tray);

    const Palette mains = paletteFor(Look::Spicy);
    plate(p, QPointF(170, 210), 110, 62);
    foodPile(p, QPointF(170, 206), 64, 34, mains, dice, 0.7);
    const Palette rice = paletteFor(Look::Staple);
    bowl(p, QPointF(330, 140), 56, 18, false);
    p.setPen(Qt::NoPen);
    p.setBrush(rice.food);
    p.drawEllipse(QPointF(330, 138), 50, 15);
    const Palette soup = paletteFor(Look::Soup);
    bowl(p, QPointF(350, 226), 62, 20, false);
    p.setBrush(soup.food);
    p.drawEllipse(QPointF(350, 228), 56, 16);
    garnish(p, QPointF(350, 232), 36, 8, soup, dice, 8);
    const Palette side = paletteFor(Look::Cold);
    plate(p, QPointF(150, 126), 62, 26);
    foodPile(p, QPointF(150, 124), 34, 14, side, dice, 0.45);
    paintkit::steam(p, QPointF(200, 160), 90, dice);
}

void clocheDish(QPainter &p, const DishPicture &, const Palette &, Dice &)
{
    const QPointF c(240, 220);
    plate(p, c, 190, 80);
    QPainterPath dome(QPointF(c.x() - 150, c.y()));
    dome.cubicTo(c.x() - 150, c.y() - 190, c.x() + 150, c.y() - 190, c.x() + 150, c.y());
    dome.closeSubpath();
    QLinearGradient silver(c.x() - 150, 0, c.x() + 150, 0);
    silver.setColorAt(0, QColor(0x8a, 0x8f, 0x96));
    silver.setColorAt(0.35, QColor(0xf4, 0xf6, 0xf8));
    silver.setColorAt(0.6, QColor(0xc4, 0xc9, 0xcf));
    silver.setColorAt(1, QColor(0x6c, 0x71, 0x78));
    p.setPen(QPen(QColor(0x5a, 0x5e, 0x64), 1.5));
    p.setBrush(silver);
    p.drawPath(dome);
    p.drawEllipse(QPointF(c.x(), c.y() - 146), 18, 10);
    p.setPen(QPen(QColor(255, 255, 255, 160), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 110, c.y() - 120, 120, 160), 110 * 16, 50 * 16);
}

void banner(QPainter &p, const DishPicture &picture)
{
    QLinearGradient shade(0, 282, 0, kHeight);
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.35, QColor(0, 0, 0, 150));
    shade.setColorAt(1, QColor(0, 0, 0, 190));
    p.fillRect(QRectF(0, 282, kWidth, kHeight - 282), shade);
    p.setFont(paintkit::chineseFont(30, true));
    paintkit::shadowedText(p, QRectF(22, 292, kWidth - 44, 40), Qt::AlignLeft | Qt::AlignVCenter,
                           picture.name, QColor(0xff, 0xfa, 0xf0));
    p.setFont(paintkit::chineseFont(14, false));
    p.setPen(QColor(0xff, 0xd8, 0x90));
    p.drawText(QRectF(24, 332, kWidth - 48, 22), Qt::AlignLeft | Qt::AlignVCenter, picture.subName);
}

} // namespace

quint32 stableSeed(const QString &key)
{
    quint32 hash = 2166136261u; // FNV-1a
    for (QChar c : key) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

void paintDish(QPainter &p, const QRectF &target, const DishPicture &picture)
{
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / kWidth, target.height() / kHeight);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Dice dice(picture.seed);
    const Palette palette = paletteFor(picture.look);
    if (picture.tableTop)
        tableTop(p, dice);
    switch (palette.vessel) {
    case Vessel::Plate:
        plateDish(p, picture, palette, dice);
        break;
    case Vessel::Bowl:
        bowlDish(p, picture, palette, dice);
        break;
    case Vessel::Pan:
        panDish(p, picture, palette, dice);
        break;
    case Vessel::Steamer:
        steamerDish(p, picture, palette, dice);
        break;
    case Vessel::Drinks:
        drinksDish(p, picture, palette, dice);
        break;
    case Vessel::TeaSet:
        teaDish(p, picture, palette, dice);
        break;
    case Vessel::Tray:
        trayDish(p, picture, palette, dice);
        break;
    case Vessel::Cloche:
        clocheDish(p, picture, palette, dice);
        break;
    }
    if (picture.tableTop)
        vignette(p);
    if (picture.recommended)
        paintkit::stamp(p, QPointF(kWidth - 42, 42), 28, QStringLiteral("荐"));
    if (picture.banner)
        banner(p, picture);
    p.restore();
}

QImage dishImage(const DishPicture &picture, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    paintDish(p, QRectF(QPointF(0, 0), QSizeF(size)), picture);
    return image;
}

} // namespace demodata
