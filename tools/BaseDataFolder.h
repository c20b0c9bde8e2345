#pragma once

#include "Catalogue.h"

#include <QStringList>

namespace demodata {

// How the dish pictures are made: one drawing per dish (the demo), or one small drawing per
// category shared by its dishes (large fixtures, where drawing every dish would be slow).
enum class DishPictures { PerDish, PerCategory };

// The names a base-data folder holds at its top level, as the terminal reads them.
QStringList baseDataTopLevelNames();

// Writes the whole base-data folder: the database, a picture per dish in "foodPicBig", the
// advertising pictures, the (empty) video folder, the background music and "MainBg.jpg". Whatever
// the folder held under those names before is removed first. Returns an error message, empty on
// success.
QString writeBaseDataFolder(const Catalogue &catalogue, const QString &folder, DishPictures pictures);

} // namespace demodata
