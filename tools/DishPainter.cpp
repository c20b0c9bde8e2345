#include "DishPainter.h"

#include "DishParts.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace demodata {

using namespace dishparts;

namespace {

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
