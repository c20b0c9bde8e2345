#pragma once

#include "media/MediaBackend.h"

#include <QByteArray>

// What a window benchmark sets before its application exists: the offscreen platform (unless the
// caller chose one), the software renderer, no maker service, the shipped resources, and the
// platform's media backend.
inline void prepareOffscreenRun()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("DIANCAI_MAKER_SERVICE_URL", "http://127.0.0.1:1");
    if (qEnvironmentVariableIsEmpty("DIANCAI_RESOURCES"))
        qputenv("DIANCAI_RESOURCES", DIANCAI_RESOURCE_DIR);
    MediaBackend::chooseDefault();
}
