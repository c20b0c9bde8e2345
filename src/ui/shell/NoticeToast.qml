import QtQuick
import QtQuick.Controls
import Diancai.Ui

// A brief notice: red for an error, green for a success, grey otherwise. It hides itself, or goes at
// a tap, and the next waiting one follows. It fades in only: gone at once, the pause before the
// next shows that it changed. An action offered with it stands beside the message.
Rectangle {
    id: toast
    objectName: "noticeToast"
    readonly property int maxTextWidth: 640
    readonly property int actionWidth: action.visible ? action.width + 16 : 0

    width: Math.min(metrics.advanceWidth, maxTextWidth) + 56 + actionWidth
    height: Math.max(label.implicitHeight + 32, action.visible ? action.height + 16 : 56)
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
        anchors.verticalCenter: parent.verticalCenter
        x: 28
        width: toast.width - 56 - toast.actionWidth
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
    // After the area above: it takes its own taps.
    TapButton {
        id: action
        objectName: "noticeToastAction"
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        visible: NoticeBoard.toastActionText !== ""
        text: NoticeBoard.toastActionText
        onClicked: NoticeBoard.takeToastAction()
    }
}
