#pragma once

#include <QImage>

namespace appmedia {

// The home screen's own background (1024 x 768), used when the base data brings none: a dining
// room in one-point perspective with a moon gate to a garden, lanterns, lattice windows and
// round tables laid with white cloths, in warm evening light.
QImage hotelPicture();

} // namespace appmedia
