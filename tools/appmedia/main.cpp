// diancai-appmedia: writes the terminal's own media resources into a folder: the six effect
// sounds, the two "picture missing" placeholders, the fallback home background and the welcome
// picture. The same bytes on every run.
#include "EffectSounds.h"
#include "HotelPicture.h"
#include "Placeholder.h"
#include "WelcomePicture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "diancai-appmedia: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray encode(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--out"));
    if (at < 0 || at + 1 >= args.size()) {
        std::fprintf(stderr, "usage: diancai-appmedia --out DIR\n");
        return 1;
    }
    const QDir out(args.at(at + 1));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "diancai-appmedia: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    bool ok = true;
    for (const appmedia::EffectSound &sound : appmedia::effectSounds())
        ok = writeFile(out.filePath(sound.fileName), sound.wav) && ok;
    ok = writeFile(out.filePath(QStringLiteral("lost_pic.png")),
                   encode(appmedia::placeholderPicture(QSize(480, 360)), "png")) &&
         ok;
    ok = writeFile(out.filePath(QStringLiteral("lost_pic_s.png")),
                   encode(appmedia::placeholderPicture(QSize(200, 150)), "png")) &&
         ok;
    ok = writeFile(out.filePath(QStringLiteral("hotel.jpg")), encode(appmedia::hotelPicture(), "jpg", 88)) &&
         ok;
    ok = writeFile(out.filePath(QStringLiteral("welcome.jpg")),
                   encode(appmedia::welcomePicture(), "jpg", 88)) &&
         ok;
    return ok ? 0 : 1;
}
