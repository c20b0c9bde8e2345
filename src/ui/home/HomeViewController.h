#pragma once

#include "MenuViewController.h"
#include "services/Services.h"

#include <QString>
#include <QUrl>

// The home screen, root of the navigation stack: the store name over the background picture and
// the four entrances, the welcome picture (faded out by the view), the background-music switch and
// the login bar. Each load also starts the app-update check and the client report. It follows a
// new base-data package ("kLoadNewUpdateFile") without leaving the screen.
//
// The switch mirrors the music wherever it was started or stopped ("kBgMusicPlaying",
// "kBgMusicStop"). At start the music plays only when the setting `playBgMusic` is on; flipping the
// switch plays or stops it without changing the setting.
class HomeViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString storeName READ storeName NOTIFY storeNameChanged)
    Q_PROPERTY(QUrl background READ background NOTIFY backgroundChanged)
    Q_PROPERTY(QString orderTitle READ orderTitle NOTIFY captionsChanged)
    Q_PROPERTY(QString galleryTitle READ galleryTitle NOTIFY captionsChanged)
    Q_PROPERTY(QString videoTitle READ videoTitle NOTIFY captionsChanged)
    Q_PROPERTY(QString staffTitle READ staffTitle NOTIFY captionsChanged)
    Q_PROPERTY(QString musicTitle READ musicTitle NOTIFY captionsChanged)
    Q_PROPERTY(bool musicOn READ isMusicOn NOTIFY musicOnChanged)
    Q_PROPERTY(QUrl welcomePicture READ welcomePicture CONSTANT)
public:
    static inline const QString kBackgroundKey = QStringLiteral("home/background");

    explicit HomeViewController(QObject *parent = nullptr);

    QString storeName() const { return storeName_; }
    // Empty when neither the data folder's nor the shipped picture can be read.
    QUrl background() const { return background_; }
    QString orderTitle() const { return orderTitle_; }
    QString galleryTitle() const { return galleryTitle_; }
    QString videoTitle() const { return videoTitle_; }
    QString staffTitle() const { return staffTitle_; }
    QString musicTitle() const { return musicTitle_; }
    bool isMusicOn() const { return musicOn_; }
    // The shipped "welcome.jpg"; empty when it is missing.
    QUrl welcomePicture() const;

    Q_INVOKABLE void btnOrderHandler();
    Q_INVOKABLE void btnSlidePicsHandler();
    Q_INVOKABLE void btnVideoHandler();
    Q_INVOKABLE void btnStaffEntranceHandler();
    Q_INVOKABLE void bgMusicSwitch();

signals:
    void storeNameChanged();
    void backgroundChanged();
    void captionsChanged();
    void musicOnChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    const Services &services_;

    void loadNewUpdateFile();
    void showBackground();
    void showStoreName();
    void setMusicOn(bool on);

    QString storeName_;
    QUrl background_;
    QString orderTitle_;
    QString galleryTitle_;
    QString videoTitle_;
    QString staffTitle_;
    QString musicTitle_;
    bool musicOn_ = false;
};
