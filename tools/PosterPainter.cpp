#include "PosterPainter.h"

#include "DishPainter.h"
#include "PaintKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

constexpr double kWidth = 1024;
constexpr double kHeight = 768;

// Auspicious clouds: interlocking arcs in faint gold.
void cloudPattern(QPainter &p, int alpha)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xf0, 0xc8, 0x70, alpha), 2));
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 9; ++col) {
            const QPointF c(col * 128 + (row % 2) * 64, row * 110 + 30);
            for (int ring = 1; ring <= 3; ++ring)
                p.drawArc(QRectF(c.x() - ring * 14, c.y() - ring * 14, ring * 28, ring * 28), 0, 180 * 16);
        }
    }
    p.restore();
}

void lantern(QPainter &p, const QPointF &c, double size)
{
    p.save();
    p.setPen(QPen(QColor(0xd4, 0xaf, 0x37), 2));
    p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), c.y() - size * 0.7));
    QRadialGradient glow(c, size * 1.6);
    glow.setColorAt(0, QColor(255, 120, 60, 110));
    glow.setColorAt(1, QColor(255, 80, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, size * 1.6, size * 1.6);
    QRadialGradient body(c + QPointF(-size * 0.3, -size * 0.3), size * 1.2);
    body.setColorAt(0, QColor(0xff, 0x6a, 0x4a));
    body.setColorAt(1, QColor(0xa8, 0x10, 0x10));
    p.setBrush(body);
    p.drawEllipse(c, size, size * 0.8);
    p.setPen(QPen(QColor(0x7a, 0x08, 0x08, 150), 1.5));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < 4; ++i)
        p.drawEllipse(c, size * i / 4.0, size * 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0xaf, 0x37));
    p.drawRoundedRect(QRectF(c.x() - size * 0.45, c.y() - size * 0.92, size * 0.9, size * 0.18), 3, 3);
    p.drawRoundedRect(QRectF(c.x() - size * 0.45, c.y() + size * 0.74, size * 0.9, size * 0.18), 3, 3);
    p.setPen(QPen(QColor(0xc6, 0x18, 0x18), 3));
    for (int i = -2; i <= 2; ++i)
        p.drawLine(QPointF(c.x() + i * 4, c.y() + size * 0.92), QPointF(c.x() + i * 5, c.y() + size * 1.5));
    p.restore();
}

void warmGround(QPainter &p, const QColor &inner, const QColor &outer)
{
    QRadialGradient ground(QPointF(kWidth * 0.5, kHeight * 0.38), kWidth * 0.75);
    ground.setColorAt(0, inner);
    ground.setColorAt(1, outer);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), ground);
}

void goldFrame(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd4, 0xaf, 0x37), 4));
    p.drawRect(QRectF(18, 18, kWidth - 36, kHeight - 36));
    p.setPen(QPen(QColor(0xd4, 0xaf, 0x37, 140), 1.5));
    p.drawRect(QRectF(30, 30, kWidth - 60, kHeight - 60));
}

} // namespace

QList<Poster> demoPosters()
{
    return {
        {u"01招牌松鼠桂鱼.jpg"_s, u"招牌松鼠桂鱼"_s, u"苏帮名菜 · 外酥里嫩 · 酸甜可口"_s, u"招牌"_s,
         u"松鼠桂鱼"_s, Look::Seafood},
        {u"02新春团圆宴.jpg"_s, u"新春团圆宴"_s, u"家庭欢聚套餐 ￥298 起 · 包间火热预订中"_s, u"预订"_s,
         u"家庭欢聚套餐"_s, Look::SetMeal},
        {u"03会员日甜品.jpg"_s, u"会员日 甜品半价"_s, u"每周三凭会员卡 · 第二份甜品半价"_s, u"会员"_s,
         u"杨枝甘露"_s, Look::Dessert},
    };
}

QImage posterImage(const Poster &poster, const QString &storeLine, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size.width() / kWidth, size.height() / kHeight);
    warmGround(p, QColor(0xa3, 0x22, 0x18), QColor(0x3a, 0x08, 0x06));
    cloudPattern(p, 28);
    goldFrame(p);

    // The featured dish on a spotlit circle.
    QRadialGradient spot(QPointF(700, 420), 330);
    spot.setColorAt(0, QColor(255, 220, 160, 90));
    spot.setColorAt(1, QColor(255, 220, 160, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(QPointF(700, 420), 330, 300);
    DishPicture dish{poster.dishName, QString(), poster.look, stableSeed(poster.dishName),
                     false,           false,     false};
    paintDish(p, QRectF(420, 200, 560, 420), dish);

    p.setFont(paintkit::chineseFont(poster.headline.size() > 6 ? 58 : 68, true));
    paintkit::shadowedText(p, QRectF(70, 90, 880, 100), Qt::AlignLeft | Qt::AlignVCenter, poster.headline,
                           QColor(0xff, 0xd2, 0x7a));
    p.setFont(paintkit::chineseFont(26, false));
    paintkit::shadowedText(p, QRectF(74, 190, 880, 50), Qt::AlignLeft | Qt::AlignVCenter, poster.tagline,
                           QColor(0xff, 0xf3, 0xe0));
    paintkit::stamp(p, QPointF(170, 420), 80, poster.badge);
    p.setFont(paintkit::chineseFont(22, false));
    p.setPen(QColor(0xf0, 0xd0, 0x90));
    p.drawText(QRectF(70, 670, 880, 40), Qt::AlignLeft | Qt::AlignVCenter, storeLine);
    return image;
}

QImage homeBackground(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / kWidth, size.height() / kHeight);
    warmGround(p, QColor(0x8c, 0x2a, 0x1c), QColor(0x24, 0x08, 0x05));
    cloudPattern(p, 22);
    // A wooden counter along the bottom.
    QLinearGradient wood(0, 600, 0, kHeight);
    wood.setColorAt(0, QColor(0x6a, 0x3a, 0x1c));
    wood.setColorAt(1, QColor(0x2e, 0x16, 0x08));
    p.fillRect(QRectF(0, 600, kWidth, kHeight - 600), wood);
    p.setPen(QPen(QColor(0xd4, 0xaf, 0x37, 160), 3));
    p.drawLine(QPointF(0, 600), QPointF(kWidth, 600));
    lantern(p, QPointF(120, 150), 56);
    lantern(p, QPointF(kWidth - 120, 150), 56);
    return image;
}

} // namespace demodata
