#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>

#include <random>

// Small drawing helpers shared by the dish pictures and the posters.
namespace demodata::paintkit {

// Deterministic randomness: the same seed draws the same picture on every run.
class Dice {
public:
    explicit Dice(quint32 seed) : m_engine(seed) {}
    double uniform(double from, double to)
    {
        return from + (to - from) * (double(m_engine()) / 4294967296.0);
    }
    int below(int bound) { return int(m_engine() % quint32(bound)); }
    bool chance(double probability) { return uniform(0, 1) < probability; }

private:
    std::mt19937 m_engine;
};

// The CJK font every picture writes with.
QFont chineseFont(int pixelSize, bool bold);

// A soft shadow under a round object, made of stacked translucent ellipses.
void softShadow(QPainter &p, const QPointF &centre, double rx, double ry, int strength = 70);

// Wisps of steam rising from `base`, `height` high.
void steam(QPainter &p, const QPointF &base, double height, Dice &dice);

// Text with a dark drop shadow, for titles drawn over pictures.
void shadowedText(QPainter &p, const QRectF &box, int flags, const QString &text, const QColor &colour);

// A seal-like round stamp with one or two characters, as on Chinese menus.
void stamp(QPainter &p, const QPointF &centre, double radius, const QString &text);

} // namespace demodata::paintkit
