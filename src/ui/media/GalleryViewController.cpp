#include "GalleryViewController.h"

#include "ImageStore.h"

#include "foundation/UserNotice.h"
#include "media/AdManager.h"
#include "settings/LanguageManager.h"

#include <QImageReader>

using namespace Qt::StringLiterals;

GalleryViewController::GalleryViewController(QObject *parent) : MenuViewController(parent) {}

void GalleryViewController::initLanguage()
{
    backText_ = LanguageManager::defaultManager().readString(u"回主界面"_s);
    emit captionsChanged();
}

void GalleryViewController::loadView()
{
    AdManager &ads = AdManager::defaultManager();
    pictures_.clear();
    lostPicture_.clear();
    if (!ads.setup()) {
        lostPicture_ = ImageStore::instance().put(kLostPictureKey, AdManager::defaultLostImage());
        UserNotice::error(LanguageManager::defaultManager().readString(u"读取图片失败"_s));
    } else {
        for (const QString &name : ads.arrPhotoNames()) {
            const QString path = ads.dictBigPhotos().value(name);
            // Checked here so that the view never asks for a file it cannot decode.
            QImageReader reader(path);
            pictures_.append(reader.canRead() ? QUrl::fromLocalFile(path) : QUrl());
        }
    }
    currentIndex_ = 0;
    emit picturesChanged();
    emit currentIndexChanged();
}

QString GalleryViewController::caption() const
{
    if (pictures_.isEmpty())
        return {};
    return QString::asprintf("%ld / %lu", long(currentIndex_ + 1),
                             static_cast<unsigned long>(pictures_.size()));
}

void GalleryViewController::pagingStopped(int index)
{
    if (index < 0 || index >= pictures_.size() || index == currentIndex_)
        return;
    currentIndex_ = index;
    emit currentIndexChanged();
}
