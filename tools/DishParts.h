#pragma once

#include "DishPainter.h"
#include "PaintKit.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

// The parts a dish picture is drawn from, shared by the files that draw the vessels. Everything is
// laid out on a 480x360 picture.
namespace demodata::dishparts {

using paintkit::Dice;

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

// The colours and the vessel of a look.
Palette paletteFor(Look look);

// Pieces several vessels serve.
// One glossy piece of food: an ellipse lit from the upper left.
void morsel(QPainter &p, const QPointF &at, double w, double h, double angle, const QColor &colour);
void garnish(QPainter &p, const QPointF &centre, double rx, double ry, const Palette &palette, Dice &dice,
             int count);
void foodPile(QPainter &p, const QPointF &centre, double rx, double ry, const Palette &palette, Dice &dice,
              double scale = 1.0);
void plate(QPainter &p, const QPointF &c, double rx, double ry);
// A porcelain bowl seen from above at an angle; returns the surface of its contents.
QPointF bowl(QPainter &p, const QPointF &c, double rx, double ry, bool glass);

// One vessel with its food or drink each.
void plateDish(QPainter &p, const DishPicture &picture, const Palette &palette, Dice &dice);
void bowlDish(QPainter &p, const DishPicture &picture, const Palette &palette, Dice &dice);
void panDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice);
void steamerDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice);
void drinksDish(QPainter &p, const DishPicture &picture, const Palette &basePalette, Dice &dice);
void teaDish(QPainter &p, const DishPicture &, const Palette &palette, Dice &dice);
void trayDish(QPainter &p, const DishPicture &, const Palette &, Dice &dice);
void clocheDish(QPainter &p, const DishPicture &, const Palette &, Dice &);

} // namespace demodata::dishparts
