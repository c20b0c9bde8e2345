#include "BaseDataFolder.h"

#include "BaseDataDatabase.h"
#include "DishPainter.h"
#include "MusicSynth.h"
#include "PosterPainter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

const QString kDatabase = u"PadBaseData.db"_s;
const QString kDishPictures = u"foodPicBig"_s;
const QString kAdPictures = u"AdPicture"_s;
const QString kVideos = u"AdVideo"_s;
const QString kMusic = u"BgMusic"_s;
const QString kBackground = u"MainBg.jpg"_s;

const QSize kDishPictureSize(480, 360);
const QSize kSharedPictureSize(120, 90);
const QSize kScreenSize(1024, 768);
constexpr int kJpegQuality = 80;

// Plain writes: the folder was emptied first, and syncing thousands of fixture pictures one by
// one would take far longer than drawing them.
QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return u"cannot write "_s + path;
    return {};
}

// Empty when Qt cannot write JPEG (its image-format plugin is missing).
QByteArray jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", kJpegQuality))
        bytes.clear();
    return bytes;
}

QString writeJpeg(const QString &path, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return u"cannot encode "_s + path + u" as JPEG (is Qt's jpeg image plugin installed?)"_s;
    return writeFile(path, bytes);
}

QString clearOldContents(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return u"cannot create "_s + folder;
    for (const QString &name : baseDataTopLevelNames()) {
        const QString path = folder + u'/' + name;
        const QFileInfo info(path);
        const bool removed =
            info.isDir() ? QDir(path).removeRecursively() : (!info.exists() || QFile::remove(path));
        if (!removed)
            return u"cannot remove the old "_s + path;
    }
    for (const QString &sub : {kDishPictures, kAdPictures, kVideos, kMusic}) {
        if (!QDir().mkpath(folder + u'/' + sub))
            return u"cannot create "_s + folder + u'/' + sub;
    }
    return {};
}

QString writeDishPictures(const Catalogue &catalogue, const QString &folder, DishPictures mode)
{
    QHash<QString, QByteArray> sharedByCategory;
    for (const Dish &dish : catalogue.dishes) {
        const SmallCategory *category = catalogue.smallCategory(dish.catno);
        const Look look = category ? category->look : Look::StirFry;
        QByteArray bytes;
        if (mode == DishPictures::PerDish) {
            const DishPicture picture{dish.foodName, dish.foodSubName, look, stableSeed(dish.foodName),
                                      dish.TjFlag == u"Y"_s};
            bytes = jpeg(dishImage(picture, kDishPictureSize));
        } else {
            QByteArray &shared = sharedByCategory[dish.catno];
            if (shared.isEmpty()) {
                const QString name = category ? category->scatName : dish.catno;
                shared = jpeg(dishImage({name, QString(), look, stableSeed(name)}, kSharedPictureSize));
            }
            bytes = shared;
        }
        const QString error =
            writeJpeg(folder + u'/' + kDishPictures + u'/' + dish.foodno + u".jpg"_s, bytes);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString storeLine(const Catalogue &catalogue)
{
    QString name, phone;
    for (const StoreParam &param : catalogue.storeParams) {
        if (param.pname == u"StoreName"_s)
            name = param.pvalue;
        else if (param.pname == u"StoreTel"_s)
            phone = param.pvalue;
    }
    return name + u"  ·  订餐电话 "_s + phone;
}

QString writeMedia(const Catalogue &catalogue, const QString &folder)
{
    for (const Poster &poster : demoPosters()) {
        const QString error = writeJpeg(folder + u'/' + kAdPictures + u'/' + poster.fileName,
                                        jpeg(posterImage(poster, storeLine(catalogue), kScreenSize)));
        if (!error.isEmpty())
            return error;
    }
    for (const Tune &tune : demoTunes()) {
        const QString error = writeFile(folder + u'/' + kMusic + u'/' + tune.fileName, renderWav(tune));
        if (!error.isEmpty())
            return error;
    }
    return writeJpeg(folder + u'/' + kBackground, jpeg(homeBackground(kScreenSize)));
}

} // namespace

QStringList baseDataTopLevelNames()
{
    return {kDatabase, kDishPictures, kAdPictures, kVideos, kMusic, kBackground};
}

QString writeBaseDataFolder(const Catalogue &catalogue, const QString &folder, DishPictures pictures)
{
    QString error = clearOldContents(folder);
    if (error.isEmpty())
        error = writeBaseDataDatabase(catalogue, folder + u'/' + kDatabase);
    if (error.isEmpty())
        error = writeDishPictures(catalogue, folder, pictures);
    if (error.isEmpty())
        error = writeMedia(catalogue, folder);
    return error;
}

} // namespace demodata
