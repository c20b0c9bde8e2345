#include "media/Thumbnail.h"

#include <QImage>
#include <QImageWriter>
#include <QTemporaryFile>

namespace Thumbnail {

bool write(const QString &picturePath, const QString &thumbnailPath, QSize pixelSize)
{
    if (pixelSize.isEmpty() || pixelSize.width() > kMaxSide || pixelSize.height() > kMaxSide)
        return false;
    if (picturePath.isEmpty())
        return false;
    const QImage picture(picturePath);
    if (picture.isNull())
        return false;
    const QImage scaled = picture.scaled(pixelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return false;

    // Written beside its final name, then renamed: a reader finds the whole file or none. No sync
    // to disk (QSaveFile's): a thumbnail is a cache, and the empty file a crash may leave behind
    // is made again (see PhotoManager).
    QTemporaryFile file(thumbnailPath + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    QImageWriter writer(&file, "jpg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(scaled) || !file.rename(thumbnailPath))
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace Thumbnail
