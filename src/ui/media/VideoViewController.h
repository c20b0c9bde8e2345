#pragma once

#include "MenuViewController.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// The video screen: the list of videos in the folder's order, indexed anew each time the screen
// opens. Tapping a row hides the list and plays that file with the platform's player; the end of
// playback or the close button brings the list back.
//
// Without a multimedia backend the list still shows and a tap says "无法播放视频" instead of
// playing; a file the player cannot play says "视频播放失败" and returns to the list.
class VideoViewController : public MenuViewController {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QStringList videoNames READ videoNames NOTIFY videoNamesChanged)
    Q_PROPERTY(bool playing READ isPlaying NOTIFY playingChanged)
    Q_PROPERTY(QUrl playingSource READ playingSource NOTIFY playingChanged)
    Q_PROPERTY(QString emptyText READ emptyText NOTIFY captionsChanged)
    Q_PROPERTY(QString backText READ backText NOTIFY captionsChanged)
    Q_PROPERTY(QString closeText READ closeText NOTIFY captionsChanged)
public:
    explicit VideoViewController(QObject *parent = nullptr);

    QStringList videoNames() const { return videoNames_; }
    bool isPlaying() const { return !playingSource_.isEmpty(); }
    QUrl playingSource() const { return playingSource_; }
    QString emptyText() const { return emptyText_; }
    QString backText() const { return backText_; }
    QString closeText() const { return closeText_; }

    // Whether a multimedia backend was chosen and is installed (MediaBackend::chosen).
    static bool hasMediaBackend();
    // Tests decide instead of the installed plugins.
    void setCanPlay(bool canPlay) { canPlay_ = canPlay; }

    // The row tapped; rows outside the list are ignored.
    Q_INVOKABLE void playVideo(int row);
    // Playback ended or was closed: the list shows again.
    Q_INVOKABLE void stopVideo();
    // The player could not play the file.
    Q_INVOKABLE void playbackFailed();

signals:
    void videoNamesChanged();
    void playingChanged();
    void captionsChanged();

protected:
    void initLanguage() override;
    void loadView() override;

private:
    void setPlayingSource(const QUrl &source);

    QStringList videoNames_;
    QStringList videoPaths_;
    QUrl playingSource_;
    bool canPlay_;
    QString emptyText_;
    QString backText_;
    QString closeText_;
};
