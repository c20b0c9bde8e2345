import QtQuick
import QtQuick.Controls
import QtMultimedia
import Diancai.Ui

// Plays one video full screen with the platform's player, with a close button; tells when the
// video has ended or cannot be played.
Rectangle {
    id: player
    property url source
    property string closeText
    signal finished
    signal failed

    color: Theme.pictureBackdrop

    MediaPlayer {
        id: media
        source: player.source
        videoOutput: output
        audioOutput: AudioOutput {}
        // Told after the current binding: an error can arrive while the source is being set, and
        // the answer removes this player.
        onErrorOccurred: Qt.callLater(player.failed)
        onMediaStatusChanged: if (mediaStatus === MediaPlayer.EndOfMedia)
            Qt.callLater(player.finished)
    }
    VideoOutput {
        id: output
        anchors.fill: parent
    }
    ActionButton {
        objectName: "closeVideo"
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 16
        text: player.closeText
        onClicked: player.finished()
    }
    Component.onCompleted: if (player.source.toString() !== "")
        media.play()
}
