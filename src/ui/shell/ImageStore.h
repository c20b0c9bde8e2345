#pragma once

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QQuickImageProvider>
#include <QString>
#include <QUrl>

// Pictures that controllers have already decoded (the home background from getMainImage, later
// gallery pictures), handed to QML as "image://diancai/<key>?<revision>" so that the rule of which
// file or fallback to show stays in C++ and every picture is decoded once.
class ImageStore {
public:
    static inline const QString kProviderId = QStringLiteral("diancai");

    static ImageStore &instance();

    // Keeps `image` under `key` and returns its URL; a null image removes the key and gives an
    // empty URL, which a view shows as no picture.
    QUrl put(const QString &key, const QImage &image);
    QImage image(const QString &key) const;

private:
    mutable QMutex mutex_;
    QHash<QString, QImage> images_;
    quint64 revision_ = 0;
};

// Serves ImageStore's pictures to QML. Registered on every engine by UiSetup.
class StoredImageProvider : public QQuickImageProvider {
public:
    StoredImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
