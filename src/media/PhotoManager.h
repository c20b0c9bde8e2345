#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <optional>
#include <shared_mutex>

// Dish pictures and their thumbnails. The picture index is rebuilt on the main thread (screens'
// `setup`, a new base-data package) while the thumbnail task reads it on its worker, so the index
// is swapped in whole under a lock: readers see the old index or the new one, never half of one.
class PhotoManager : public QObject {
public:
    // The menu grid's cell, in points: the size the thumbnail task asks for.
    static inline const QRectF kMenuThumbnailArea{0, 0, 341, 304};

    static PhotoManager &defaultManager();
    // Drops the process-wide instance (tests); no other thread may be using it.
    static void resetDefaultManager();

    PhotoManager();

    // Rescans only when a rescan is due (first use, new package) or the index is empty.
    bool setup();
    // Rescans the dish-picture folder; false when it is missing or cannot be listed.
    bool forceSetup();
    // Marks the index stale; the next `setup` rescans.
    void loadNewUpdateFile();

    QStringList arrPhotoNames() const;
    QHash<QString, QString> dictBigPhotos() const;
    bool needForceSetup() const { return needForceSetup_; }

    // The dish's picture, the file named "<foodno>.jpg" (letter case counts), or absent.
    std::optional<QString> getImagePathByFoodno(const QString &foodno) const;

    // "<thumbnail folder>/<name>.jpg", made from the picture at `path` at the area's size when
    // no such file exists yet (or only an empty one); an existing thumbnail is returned whatever
    // size is asked for.
    // When the picture does not load nothing is written and the returned file does not exist.
    // A name that is not a plain file name (empty, ".", "..", or with a path separator) gets
    // no path at all, so no request can write outside the thumbnail folder.
    QString getSmallImagePathByName(const QString &name, const QString &path, const QRectF &area);
    // The thumbnail "<name>.jpg" when it is already made (an empty file is not), without making it.
    std::optional<QString> madeThumbnailPath(const QString &name);
    // What the menu's thumbnail task does for one dish: its picture from the index, made into a
    // thumbnail at `kMenuThumbnailArea`; builds the picture index first when it is not built yet.
    // Safe on a worker thread.
    QString getSmallImagePathByFoodno(const QString &foodno);

    // "<home>/smallpic", created (with missing parents) on first use.
    QString smallImageFolder();
    // Removes the thumbnail folder and every thumbnail; the next use creates it anew.
    void deleteSmallFolder();

    // Device pixels per point for thumbnails; taken from the primary screen when the manager is
    // created on the main thread of a GUI application, else 1.
    qreal pixelScale() const { return pixelScale_; }
    void setPixelScale(qreal scale);

    static QString lostImagePath();
    static QString smallLostImagePath();
    static QImage defaultLostImage();
    static QImage defaultSmallLostImage();

private:
    bool rescan(); // with rescanMutex_ held

    // Standard locks rather than Qt's, so that ThreadSanitizer can check their use.
    mutable std::shared_mutex indexLock_;
    // One rescan at a time: a rescan that started earlier (on the thumbnail worker, say) can never
    // write its older index over a later one, and a `setup` returns only after the rescan in flight.
    std::mutex rescanMutex_;
    QStringList arrPhotoNames_;
    QHash<QString, QString> dictBigPhotos_;
    std::atomic<bool> needForceSetup_{true};
    std::atomic<qreal> pixelScale_{1.0};

    std::mutex folderMutex_;
    QString smallImageFolder_;
};
