import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The video screen: the list of videos; a tapped row hides the list and plays in the player,
// which is built only while a video plays.
ScreenPage {
    id: screen
    objectName: "videoScreen"
    controller: VideoViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    ListView {
        id: list
        objectName: "videoList"
        anchors.fill: parent
        anchors.topMargin: 88
        anchors.leftMargin: 48
        anchors.rightMargin: 48
        visible: !ctl.playing
        clip: true
        spacing: 8
        model: ctl.videoNames
        delegate: Rectangle {
            id: row
            required property string modelData
            required property int index
            objectName: "videoRow"
            width: list.width
            height: 64
            radius: 8
            color: area.pressed ? Theme.keyPressed : Theme.surface
            border.width: area.activeFocus ? 3 : 0
            border.color: Theme.focus

            Label {
                anchors.verticalCenter: parent.verticalCenter
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 20
                text: row.modelData
                elide: Text.ElideMiddle
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
            MouseArea {
                id: area
                anchors.fill: parent
                onClicked: ctl.playVideo(row.index)
                Accessible.role: Accessible.Button
                Accessible.name: row.modelData
                Accessible.onPressAction: ctl.playVideo(row.index)
                activeFocusOnTab: true
            }
        }
    }
    Label {
        objectName: "noVideos"
        anchors.centerIn: parent
        visible: list.count === 0 && !ctl.playing
        text: ctl.emptyText
        color: Theme.mutedText
        font.pixelSize: Theme.fontLarge
    }
    Loader {
        objectName: "videoPlayer"
        anchors.fill: parent
        active: ctl.playing
        sourceComponent: VideoPlayer {
            source: ctl.playingSource
            closeText: ctl.closeText
            onFinished: ctl.stopVideo()
            onFailed: ctl.playbackFailed()
        }
    }
    ActionButton {
        objectName: "backButton"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 16
        visible: !ctl.playing
        text: ctl.backText
        onClicked: ctl.goBack()
    }
}
