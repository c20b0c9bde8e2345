// The cooked dishes: on a plate, in a bowl, in a griddle pan, in a bamboo steamer.
#include "DishParts.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace demodata::dishparts {

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

} // namespace demodata::dishparts
