#pragma once

#include <QSize>
#include <QString>

namespace Thumbnail {
// Quality of the JPEG encoder for thumbnails (0..100): small files, good enough for list cells.
constexpr int kJpegQuality = 50;
// Larger requests are refused as bad input rather than allocated.
constexpr int kMaxSide = 8192;

// Loads the picture at `picturePath`, scales it to exactly `pixelSize` (aspect ratio not kept)
// and writes it as JPEG to `thumbnailPath` in one atomic step, so a reader never sees a partly
// written file; a file already there is kept. False, and nothing written, when the picture does
// not load, the size is empty or too large, or the file cannot be written.
bool write(const QString &picturePath, const QString &thumbnailPath, QSize pixelSize);
} // namespace Thumbnail
