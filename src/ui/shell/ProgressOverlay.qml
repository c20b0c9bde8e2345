import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The blocking progress indicator: nothing below takes a tap while it shows; its status line tells
// what is going on.
Item {
    id: overlay
    objectName: "progressOverlay"
    visible: NoticeBoard.progressVisible
    Accessible.role: Accessible.Indicator
    Accessible.name: NoticeBoard.progressStatus

    Rectangle {
        anchors.fill: parent
        color: Theme.scrim
        opacity: Theme.dimOpacity
    }
    MouseArea {
        anchors.fill: parent
    }
    Rectangle {
        anchors.centerIn: parent
        width: 320
        height: column.implicitHeight + 48
        radius: Theme.radius
        color: Theme.surface

        Column {
            id: column
            anchors.centerIn: parent
            width: parent.width - 48
            spacing: 16

            BusyIndicator {
                anchors.horizontalCenter: parent.horizontalCenter
                running: overlay.visible
            }
            Label {
                objectName: "progressStatus"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                visible: text !== ""
                text: NoticeBoard.progressStatus
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
        }
    }
}
