#pragma once

#include "MenuViewController.h"

#include <QList>
#include <QString>
#include <QUrl>

// The picture gallery of advertising pictures, one page per picture in the folder's order. The
// folder is indexed anew each time the gallery opens; when it cannot be read the gallery says
// "读取图片失败" and shows the "lost_pic" picture. A file that does not load gives an empty page.
// The caption ("%ld / %lu") counts the current page from 1 and follows the page where paging
// stops.
class GalleryViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<QUrl> pictures READ pictures NOTIFY picturesChanged)
    Q_PROPERTY(QUrl lostPicture READ lostPicture NOTIFY picturesChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QString caption READ caption NOTIFY currentIndexChanged)
    Q_PROPERTY(QString backText READ backText NOTIFY captionsChanged)
public:
    static inline const QString kLostPictureKey = QStringLiteral("gallery/lost");

    explicit GalleryViewController(QObject *parent = nullptr);

    // One URL per picture; an empty one for a file that cannot be read.
    QList<QUrl> pictures() const { return pictures_; }
    // Set only when the folder could not be read.
    QUrl lostPicture() const { return lostPicture_; }
    int currentIndex() const { return currentIndex_; }
    QString caption() const;
    QString backText() const { return backText_; }

    // Paging stopped on `index` (counted from 0); out-of-range pages are ignored.
    Q_INVOKABLE void pagingStopped(int index);

signals:
    void picturesChanged();
    void currentIndexChanged();
    void captionsChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    QList<QUrl> pictures_;
    QUrl lostPicture_;
    int currentIndex_ = 0;
    QString backText_;
};
