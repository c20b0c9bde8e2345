#pragma once

#include <QImage>

namespace appmedia {

// The picture the home screen shows at start and fades out (1024 x 768): a steaming bowl with
// chopsticks in a gold medallion on festive red, auspicious clouds in the corners. No text.
QImage welcomePicture();

} // namespace appmedia
