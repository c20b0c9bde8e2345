import QtQuick
import Diancai.Ui

// The home screen: the store's name over the background picture, the four entrances, the music
// switch and the login bar; the welcome picture covers it at first and fades out over 2 s.
ScreenPage {
    id: home
    objectName: "homeScreen"
    controller: HomeViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    Image {
        objectName: "homeBackground"
        anchors.fill: parent
        source: ctl.background
        fillMode: Image.PreserveAspectCrop
        cache: false
    }
    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        y: parent.height * 0.16
        width: storeName.implicitWidth + 96
        height: storeName.implicitHeight + 32
        radius: height / 2
        color: Theme.storeNamePlate
        visible: storeName.text !== ""

        Text {
            id: storeName
            objectName: "storeName"
            anchors.centerIn: parent
            text: ctl.storeName
            color: Theme.textOnPicture
            font.pixelSize: Theme.fontTitle
            font.bold: true
        }
    }
    LoginBarView {
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
    }
    Row {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 80
        spacing: 28

        EntranceButton {
            objectName: "orderEntrance"
            text: ctl.orderTitle
            onClicked: ctl.btnOrderHandler()
        }
        EntranceButton {
            objectName: "galleryEntrance"
            text: ctl.galleryTitle
            onClicked: ctl.btnSlidePicsHandler()
        }
        EntranceButton {
            objectName: "videoEntrance"
            text: ctl.videoTitle
            onClicked: ctl.btnVideoHandler()
        }
        EntranceButton {
            objectName: "staffEntrance"
            text: ctl.staffTitle
            onClicked: ctl.btnStaffEntranceHandler()
        }
    }
    MusicSwitch {
        objectName: "musicSwitch"
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        anchors.margins: 24
        on: ctl.musicOn
        label: ctl.musicTitle
        onToggled: ctl.bgMusicSwitch()
    }
    Loader {
        // Removed once faded out.
        id: welcome
        objectName: "welcomePicture"
        anchors.fill: parent
        active: ctl.welcomePicture.toString() !== ""
        sourceComponent: Image {
            source: ctl.welcomePicture
            fillMode: Image.PreserveAspectCrop
            NumberAnimation on opacity {
                from: 1
                to: 0
                duration: 2000
                onFinished: welcome.active = false
            }
        }
    }
}
