#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The videos of the video screen, indexed anew each time its list opens. Main thread only.
class VideoManager {
public:
    static VideoManager &defaultManager();
    static void resetDefaultManager();

    // Rebuilds the index from the video folder; false when it is missing or cannot be listed.
    bool setup();

    const QStringList &arrVideoNames() const { return arrVideoNames_; }
    const QHash<QString, QString> &dictVideos() const { return dictVideos_; }

private:
    QStringList arrVideoNames_;
    QHash<QString, QString> dictVideos_;
};
