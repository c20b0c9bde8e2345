#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// The advertising pictures of the gallery, indexed anew each time the gallery opens.
// Used on the main thread only.
class AdManager {
public:
    static AdManager &defaultManager();
    static void resetDefaultManager();

    // Rebuilds the index from the advertising-picture folder; false when it is missing or
    // cannot be listed (the gallery then reports that reading the pictures failed).
    bool setup();

    const QStringList &arrPhotoNames() const { return arrPhotoNames_; }
    const QHash<QString, QString> &dictBigPhotos() const { return dictBigPhotos_; }

    static QImage defaultLostImage();

private:
    QStringList arrPhotoNames_;
    QHash<QString, QString> dictBigPhotos_;
};
