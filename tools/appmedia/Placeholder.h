#pragma once

#include <QImage>
#include <QSize>

namespace appmedia {

// The "picture missing" placeholder: an empty plate with chopsticks and a faint picture sign on
// a warm paper background, inside a dashed frame. No text, so it suits every language.
QImage placeholderPicture(QSize size);

} // namespace appmedia
