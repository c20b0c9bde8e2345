import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The picture gallery: one advertising picture per page, swiped sideways, with the page caption;
// "lost_pic" when the pictures cannot be read.
ScreenPage {
    id: screen
    objectName: "galleryScreen"
    controller: GalleryViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.pictureBackdrop
    }
    ListView {
        id: pages
        objectName: "galleryPages"
        anchors.fill: parent
        orientation: ListView.Horizontal
        snapMode: ListView.SnapOneItem
        highlightRangeMode: ListView.StrictlyEnforceRange
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        model: ctl.pictures
        delegate: Image {
            required property url modelData
            width: pages.width
            height: pages.height
            source: modelData
            fillMode: Image.PreserveAspectFit
            asynchronous: true
            sourceSize.width: pages.width
        }
        onMovementEnded: ctl.pagingStopped(currentIndex)
    }
    Image {
        objectName: "lostPicture"
        anchors.centerIn: parent
        visible: ctl.lostPicture.toString() !== ""
        source: ctl.lostPicture
        cache: false
    }
    Label {
        objectName: "galleryCaption"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 24
        visible: text !== ""
        text: ctl.caption
        color: Theme.textOnPicture
        font.pixelSize: Theme.fontNormal
        style: Text.Outline
        styleColor: Theme.textOutline
    }
    ActionButton {
        objectName: "backButton"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: 16
        text: ctl.backText
        onClicked: ctl.goBack()
    }
}
