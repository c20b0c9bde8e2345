#include "WelcomePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace appmedia {
namespace {

constexpr double kWidth = 1024, kHeight = 768;
const QColor kGold(0xe8, 0xbe, 0x5a);

// An auspicious cloud: three curls on one base line, `size` wide.
void drawCloud(QPainter &p, QPointF at, double size, bool mirrored)
{
    p.save();
    p.translate(at);
    if (mirrored)
        p.scale(-1, 1);
    p.setPen(QPen(kGold, size / 28, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(size, 0);
    for (const auto &[x, r] : {std::pair{0.22, 0.16}, std::pair{0.5, 0.22}, std::pair{0.78, 0.14}}) {
        const QPointF c(size * x, -size * r);
        path.moveTo(c + QPointF(size * r, 0));
        path.arcTo(QRectF(c.x() - size * r, c.y() - size * r, 2 * size * r, 2 * size * r), 0, 300);
        path.arcTo(QRectF(c.x() - size * r * 0.5, c.y() - size * r * 0.5, size * r, size * r), 300, -240);
    }
    p.drawPath(path);
    p.restore();
}

void drawBowl(QPainter &p, QPointF centre, double r)
{
    // Steam first, behind the rim.
    p.setPen(QPen(QColor(0xff, 0xf4, 0xd8, 170), r / 22, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = -1; i <= 1; ++i) {
        QPainterPath steam;
        const double x = centre.x() + i * r * 0.32;
        steam.moveTo(x, centre.y() - r * 0.15);
        steam.cubicTo(x - r * 0.18, centre.y() - r * 0.45, x + r * 0.18, centre.y() - r * 0.6, x - r * 0.05,
                      centre.y() - r * 0.95);
        p.drawPath(steam);
    }

    p.setPen(Qt::NoPen);
    QPainterPath bowl;
    bowl.moveTo(centre.x() - r, centre.y());
    bowl.cubicTo(centre.x() - r, centre.y() + r * 0.9, centre.x() + r, centre.y() + r * 0.9, centre.x() + r,
                 centre.y());
    bowl.closeSubpath();
    QLinearGradient glaze(centre.x() - r, 0, centre.x() + r, 0);
    glaze.setColorAt(0, QColor(0xb8, 0x86, 0x2c));
    glaze.setColorAt(0.4, QColor(0xf6, 0xd8, 0x8a));
    glaze.setColorAt(1, QColor(0xa8, 0x76, 0x24));
    p.setBrush(glaze);
    p.drawPath(bowl);
    p.setBrush(QColor(0xfd, 0xf8, 0xec)); // rice
    p.drawEllipse(centre, r, r * 0.2);
    p.setBrush(QColor(0xf0, 0xe6, 0xd2));
    p.drawChord(QRectF(centre.x() - r * 0.8, centre.y() - r * 0.28, r * 1.6, r * 0.5), 0, 180 * 16);
    p.setBrush(QColor(0xa8, 0x76, 0x24));
    p.drawRect(QRectF(centre.x() - r * 0.3, centre.y() + r * 0.66, r * 0.6, r * 0.1)); // foot

    // Chopsticks across the bowl.
    p.save();
    p.translate(centre + QPointF(r * 0.2, -r * 0.1));
    p.rotate(-18);
    for (const double y : {-r * 0.05, r * 0.07}) {
        p.setBrush(QColor(0x5a, 0x22, 0x12));
        p.drawRoundedRect(QRectF(-r * 1.0, y, r * 1.9, r * 0.055), r * 0.02, r * 0.02);
        p.setBrush(kGold);
        p.drawRect(QRectF(r * 0.6, y, r * 0.3, r * 0.055));
    }
    p.restore();
}

} // namespace

QImage welcomePicture()
{
    QImage image(int(kWidth), int(kHeight), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kWidth / 2, kHeight / 2);

    QRadialGradient red(centre, kWidth * 0.7);
    red.setColorAt(0, QColor(0xd0, 0x2a, 0x1e));
    red.setColorAt(1, QColor(0x6a, 0x0c, 0x08));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), red);

    // Faint rays from the middle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd0, 0x70, 18));
    for (int i = 0; i < 24; i += 2) {
        const double a0 = i * std::numbers::pi / 12, a1 = (i + 1) * std::numbers::pi / 12;
        p.drawPolygon(QPolygonF({centre, centre + QPointF(std::cos(a0), std::sin(a0)) * 900,
                                 centre + QPointF(std::cos(a1), std::sin(a1)) * 900}));
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 6));
    p.drawRect(QRectF(28, 28, kWidth - 56, kHeight - 56));
    p.setPen(QPen(kGold, 2));
    p.drawRect(QRectF(42, 42, kWidth - 84, kHeight - 84));

    drawCloud(p, QPointF(70, 150), 170, false);
    drawCloud(p, QPointF(kWidth - 70, 150), 170, true);
    drawCloud(p, QPointF(70, kHeight - 80), 150, false);
    drawCloud(p, QPointF(kWidth - 70, kHeight - 80), 150, true);

    QRadialGradient medallion(centre, 230);
    medallion.setColorAt(0, QColor(0xb0, 0x18, 0x12));
    medallion.setColorAt(1, QColor(0x80, 0x0e, 0x0a));
    p.setBrush(medallion);
    p.setPen(QPen(kGold, 10));
    p.drawEllipse(centre, 230, 230);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 3));
    p.drawEllipse(centre, 208, 208);

    drawBowl(p, centre + QPointF(0, 30), 130);
    p.end();
    return image;
}

} // namespace appmedia
