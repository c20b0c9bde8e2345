// Drinks, tea, set-meal trays and the covered dish of open items.
#include "DishParts.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace demodata::dishparts {

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

} // namespace demodata::dishparts
