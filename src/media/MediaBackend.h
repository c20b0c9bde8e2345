#pragma once

#include <QString>

// Qt Multimedia picks its backend once per process, at the first use of any multimedia class.
// On Linux, Qt 6.4 prefers GStreamer, whose media player crashes while being created when the
// GStreamer base plugins are not installed; the FFmpeg backend ships in the same package with
// all its libraries, and plays nothing (without failing) when there is no audio device.
namespace MediaBackend {
// Chooses the FFmpeg backend when it is installed, unless QT_MEDIA_BACKEND already names one.
// Call before the first multimedia object exists (start of main, or the first sound); later calls
// do nothing.
void chooseDefault();
// The chosen backend when its plugin is installed, else empty: nothing can be played.
QString chosen();
} // namespace MediaBackend
