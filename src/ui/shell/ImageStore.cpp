#include "ImageStore.h"

ImageStore &ImageStore::instance()
{
    static ImageStore store;
    return store;
}

QUrl ImageStore::put(const QString &key, const QImage &image)
{
    QMutexLocker lock(&mutex_);
    if (image.isNull()) {
        images_.remove(key);
        return {};
    }
    images_.insert(key, image);
    // A new revision makes the view ask again instead of showing its cached copy.
    QUrl url;
    url.setScheme(QStringLiteral("image"));
    url.setHost(kProviderId);
    url.setPath(u'/' + key);
    url.setQuery(QString::number(++revision_));
    return url;
}

QImage ImageStore::image(const QString &key) const
{
    QMutexLocker lock(&mutex_);
    return images_.value(key);
}

StoredImageProvider::StoredImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage StoredImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    // The id is "<key>?<revision>".
    const QString key = id.section(u'?', 0, 0);
    QImage image = ImageStore::instance().image(key);
    if (!image.isNull() && requestedSize.width() > 0 && requestedSize.height() > 0)
        image = image.scaled(requestedSize, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    if (size)
        *size = image.size();
    return image;
}
