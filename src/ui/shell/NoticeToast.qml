import QtQuick
import QtQuick.Controls
import Diancai.Ui

// A brief notice: red for an error, green for a success, grey otherwise. It hides itself, or goes at
// a tap, and the next waiting one follows. It fades in only: gone at once, the pause before the
// next shows that it changed.
Rectangle {
    id: toast
    objectName: "noticeToast"
    readonly property int maxTextWidth: 640

    width: Math.min(metrics.advanceWidth, maxTextWidth) + 56
    height: Math.max(label.implicitHeight + 32, 56)
    radius: 14
    color: NoticeBoard.toastKind === NoticeBoard.Error ? Theme.error
         : NoticeBoard.toastKind === NoticeBoard.Success ? Theme.success : Theme.info
    visible: NoticeBoard.toastVisible
    opacity: visible ? 0.95 : 0
    Accessible.role: Accessible.AlertMessage
    Accessible.name: NoticeBoard.toastText

    Behavior on opacity {
        NumberAnimation {
            duration: 150
        }
    }
    TextMetrics {
        id: metrics
        font: label.font
        text: label.text
    }
    Label {
        id: label
        objectName: "noticeToastText"
        anchors.centerIn: parent
        width: toast.width - 56
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        text: NoticeBoard.toastText
        color: Theme.primaryText
        font.pixelSize: Theme.fontNormal
    }
    MouseArea {
        anchors.fill: parent
        onClicked: NoticeBoard.toastRead()
    }
}
