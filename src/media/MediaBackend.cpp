#include "media/MediaBackend.h"

#include <QByteArray>
#include <QtGlobal>

namespace MediaBackend {

void chooseDefault()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
}

} // namespace MediaBackend
