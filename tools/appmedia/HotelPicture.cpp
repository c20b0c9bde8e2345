#include "HotelPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace appmedia {
namespace {

constexpr double kWidth = 1024, kHeight = 768;
// The back wall; the room's edges run from the picture's corners to its corners.
const QRectF kBack(262, 170, 500, 300);

// A point on the left side wall: `depth` 0 at the picture's edge, 1 at the back wall; `up` 0 at
// the floor line, 1 at the ceiling line.
QPointF leftWall(double depth, double up)
{
    const double x = depth * kBack.left();
    const double top = depth * kBack.top();
    const double bottom = kHeight - depth * (kHeight - kBack.bottom());
    return {x, bottom - up * (bottom - top)};
}

QPointF rightWall(double depth, double up)
{
    const QPointF left = leftWall(depth, up);
    return {kWidth - left.x(), left.y()};
}

void drawRoom(QPainter &p)
{
    QLinearGradient ceiling(0, 0, 0, kBack.top());
    ceiling.setColorAt(0, QColor(0x3a, 0x1f, 0x14));
    ceiling.setColorAt(1, QColor(0x5c, 0x33, 0x20));
    p.setBrush(ceiling);
    p.drawPolygon(QPolygonF({{0, 0}, {kWidth, 0}, kBack.topRight(), kBack.topLeft()}));

    QLinearGradient floor(0, kBack.bottom(), 0, kHeight);
    floor.setColorAt(0, QColor(0x6a, 0x3e, 0x24));
    floor.setColorAt(1, QColor(0x9c, 0x64, 0x3c));
    p.setBrush(floor);
    p.drawPolygon(QPolygonF({{0, kHeight}, {kWidth, kHeight}, kBack.bottomRight(), kBack.bottomLeft()}));
    p.setPen(QPen(QColor(0x5a, 0x34, 0x1e, 140), 2));
    for (int i = 0; i <= 16; ++i) { // planks towards the back
        const double x = -300 + i * (kWidth + 600) / 16;
        p.drawLine(QPointF(x, kHeight), QPointF(kBack.left() + i * kBack.width() / 16, kBack.bottom()));
    }
    p.setPen(Qt::NoPen);

    QLinearGradient walls(0, 0, kWidth, 0);
    walls.setColorAt(0, QColor(0xd9, 0xbf, 0x95));
    walls.setColorAt(0.5, QColor(0xf0, 0xdc, 0xb6));
    walls.setColorAt(1, QColor(0xd9, 0xbf, 0x95));
    p.setBrush(walls);
    p.drawPolygon(QPolygonF({leftWall(0, 0), leftWall(0, 1), leftWall(1, 1), leftWall(1, 0)}));
    p.drawPolygon(QPolygonF({rightWall(0, 0), rightWall(0, 1), rightWall(1, 1), rightWall(1, 0)}));

    // Ceiling beams, dark wood, running to the back.
    p.setPen(QPen(QColor(0x2a, 0x15, 0x0c), 6));
    for (int i = 1; i < 6; ++i) {
        const double x = i * kWidth / 6;
        p.drawLine(QPointF(x, 0), QPointF(kBack.left() + i * kBack.width() / 6, kBack.top()));
    }
    p.setPen(Qt::NoPen);

    // Wood wainscot along the side walls.
    p.setBrush(QColor(0x7a, 0x42, 0x24));
    p.drawPolygon(QPolygonF({leftWall(0, 0), leftWall(0, 0.28), leftWall(1, 0.28), leftWall(1, 0)}));
    p.drawPolygon(QPolygonF({rightWall(0, 0), rightWall(0, 0.28), rightWall(1, 0.28), rightWall(1, 0)}));
}

void drawLatticeWindow(QPainter &p, QPointF (*wall)(double, double), double near, double far)
{
    const QPolygonF pane({wall(near, 0.38), wall(near, 0.8), wall(far, 0.8), wall(far, 0.38)});
    QLinearGradient evening(pane.boundingRect().topLeft(), pane.boundingRect().bottomLeft());
    evening.setColorAt(0, QColor(0xf7, 0xd9, 0x8c));
    evening.setColorAt(1, QColor(0xe0, 0x9a, 0x52));
    p.setBrush(evening);
    p.setPen(QPen(QColor(0x5a, 0x26, 0x14), 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolygon(pane);
    p.setPen(QPen(QColor(0x5a, 0x26, 0x14), 3));
    for (int i = 1; i < 4; ++i) {
        const double d = near + (far - near) * i / 4;
        p.drawLine(wall(d, 0.38), wall(d, 0.8));
    }
    for (int i = 1; i < 5; ++i) {
        const double up = 0.38 + 0.42 * i / 5;
        p.drawLine(wall(near, up), wall(far, up));
    }
    p.setPen(Qt::NoPen);
}

void drawBackWall(QPainter &p)
{
    p.setBrush(QColor(0xa3, 0x26, 0x1c));
    p.drawRect(kBack);
    p.setBrush(QColor(0x6e, 0x3a, 0x20));
    p.drawRect(QRectF(kBack.left(), kBack.bottom() - 60, kBack.width(), 60));

    // The moon gate, opening on a garden at dusk.
    const QPointF centre(kBack.center().x(), kBack.top() + 140);
    const double radius = 112;
    QPainterPath gate;
    gate.addEllipse(centre, radius, radius);
    QLinearGradient sky(0, centre.y() - radius, 0, centre.y() + radius);
    sky.setColorAt(0, QColor(0x3c, 0x5a, 0x8c));
    sky.setColorAt(0.55, QColor(0xe8, 0xa8, 0x6c));
    sky.setColorAt(0.56, QColor(0x3e, 0x6b, 0x3a));
    sky.setColorAt(1, QColor(0x24, 0x44, 0x22));
    p.setBrush(sky);
    p.drawPath(gate);
    p.save();
    p.setClipPath(gate);
    p.setPen(QPen(QColor(0x1e, 0x3a, 0x1a), 5));
    for (int i = 0; i < 9; ++i) { // bamboo
        const double x = centre.x() - radius + 20 + i * 24 + (i % 3) * 5;
        p.drawLine(QPointF(x, centre.y() + radius), QPointF(x + (i % 2 ? 8 : -6), centre.y() - radius));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xd8, 0xa8, 0x48), 10));
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::NoPen);
}

void drawLantern(QPainter &p, QPointF centre, double size)
{
    QRadialGradient glow(centre, size * 3.2);
    glow.setColorAt(0, QColor(0xff, 0xc0, 0x60, 110));
    glow.setColorAt(1, QColor(0xff, 0xc0, 0x60, 0));
    p.setBrush(glow);
    p.drawEllipse(centre, size * 3.2, size * 3.2);

    p.setPen(QPen(QColor(0x2a, 0x15, 0x0c), std::max(1.0, size / 12)));
    p.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), centre.y() - size * 0.8));
    p.setPen(Qt::NoPen);
    QRadialGradient body(centre - QPointF(size * 0.3, size * 0.3), size * 1.3);
    body.setColorAt(0, QColor(0xff, 0x6a, 0x3c));
    body.setColorAt(1, QColor(0xb0, 0x12, 0x10));
    p.setBrush(body);
    p.drawEllipse(centre, size, size * 0.8);
    p.setBrush(QColor(0xd8, 0xa8, 0x48));
    p.drawRect(QRectF(centre.x() - size * 0.4, centre.y() - size * 0.9, size * 0.8, size * 0.18));
    p.drawRect(QRectF(centre.x() - size * 0.4, centre.y() + size * 0.72, size * 0.8, size * 0.18));
    p.setPen(QPen(QColor(0xd8, 0xa8, 0x48), std::max(1.0, size / 10)));
    p.drawLine(QPointF(centre.x(), centre.y() + size * 0.9), QPointF(centre.x(), centre.y() + size * 1.6));
    p.setPen(Qt::NoPen);
}

void drawTable(QPainter &p, QPointF centre, double radius)
{
    const double flat = 0.32; // how much the round top is foreshortened
    // Chairs behind the table, then the cloth, then the chairs in front.
    auto chair = [&](double angle, double drop) {
        const QPointF at(centre.x() + std::cos(angle) * radius * 1.15,
                         centre.y() + std::sin(angle) * radius * flat * 1.3 + radius * drop);
        const double w = radius * 0.32, h = radius * 0.62;
        p.setBrush(QColor(0x8c, 0x1c, 0x14));
        p.drawRoundedRect(QRectF(at.x() - w / 2, at.y() - h, w, h), w * 0.25, w * 0.25);
        p.setBrush(QColor(0x5a, 0x10, 0x0c));
        p.drawRect(QRectF(at.x() - w / 2, at.y() - h * 0.08, w, h * 0.1));
    };
    for (const double a : {-2.4, -1.57, -0.74})
        chair(a, 0);
    p.setBrush(QColor(0x00, 0x00, 0x00, 60));
    p.drawEllipse(centre + QPointF(0, radius * 0.55), radius * 1.1, radius * flat * 0.9);
    QLinearGradient drape(0, centre.y(), 0, centre.y() + radius * 0.55);
    drape.setColorAt(0, QColor(0xf4, 0xef, 0xe6));
    drape.setColorAt(1, QColor(0xd2, 0xc8, 0xb8));
    p.setBrush(drape);
    p.drawRect(QRectF(centre.x() - radius, centre.y(), radius * 2, radius * 0.55));
    p.drawEllipse(QPointF(centre.x(), centre.y() + radius * 0.55), radius, radius * flat);
    p.setBrush(QColor(0xfb, 0xf8, 0xf2));
    p.drawEllipse(centre, radius, radius * flat);
    p.setBrush(QColor(0xc8, 0x3a, 0x2c)); // lazy Susan
    p.drawEllipse(centre, radius * 0.35, radius * flat * 0.35);
    // Only the chairs at the sides: one in front would hide the laid table.
    for (const double a : {0.3, 2.84})
        chair(a, 0.5);
}

} // namespace

QImage hotelPicture()
{
    QImage image(int(kWidth), int(kHeight), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    drawRoom(p);
    drawBackWall(p);
    drawLatticeWindow(p, leftWall, 0.15, 0.55);
    drawLatticeWindow(p, rightWall, 0.15, 0.55);
    drawLatticeWindow(p, leftWall, 0.68, 0.9);
    drawLatticeWindow(p, rightWall, 0.68, 0.9);

    for (const QPointF &at : {QPointF(360, 120), QPointF(664, 120), QPointF(430, 150), QPointF(594, 150)})
        drawLantern(p, at, at.y() < 140 ? 22 : 14);
    drawTable(p, QPointF(420, 455), 62);
    drawTable(p, QPointF(620, 455), 62);
    for (const QPointF &at : {QPointF(170, 70), QPointF(854, 70)})
        drawLantern(p, at, 34);
    drawTable(p, QPointF(250, 600), 130);
    drawTable(p, QPointF(790, 600), 130);

    // Warm evening light in the middle, shade in the corners.
    QRadialGradient light(QPointF(kWidth / 2, kHeight * 0.45), kWidth * 0.75);
    light.setColorAt(0, QColor(0xff, 0xd8, 0x90, 40));
    light.setColorAt(0.6, QColor(0x00, 0x00, 0x00, 0));
    light.setColorAt(1, QColor(0x10, 0x05, 0x00, 150));
    p.setBrush(light);
    p.drawRect(QRectF(0, 0, kWidth, kHeight));
    p.end();
    return image;
}

} // namespace appmedia
