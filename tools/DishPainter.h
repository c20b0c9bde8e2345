#pragma once

#include "Catalogue.h"

#include <QImage>
#include <QPainter>

namespace demodata {

// What a dish picture shows: the dish in its vessel on a table, and its name along the bottom.
struct DishPicture {
    QString name;
    QString subName;
    Look look = Look::StirFry;
    quint32 seed = 0;
    bool recommended = false;
    bool banner = true;   // the strip with the names
    bool tableTop = true; // the wooden table behind the dish
};

// Paints the picture into `target`; the drawing is laid out on 480x360 and scaled to fit.
void paintDish(QPainter &p, const QRectF &target, const DishPicture &picture);
QImage dishImage(const DishPicture &picture, const QSize &size);

// A seed that stays the same across runs and machines (qHash is salted per process).
quint32 stableSeed(const QString &key);

} // namespace demodata
