import QtQuick
import QtQuick.Controls
import Diancai.Ui

// A brief notice: red for an error, green for a success, grey otherwise. It hides itself.
Rectangle {
    id: toast
    objectName: "noticeToast"
    readonly property int maxTextWidth: 640

    width: Math.min(metrics.advanceWidth, maxTextWidth) + 56
    height: label.implicitHeight + 32
    radius: 14
    color: NoticeBoard.toastKind === NoticeBoard.Error ? Theme.error
         : NoticeBoard.toastKind === NoticeBoard.Success ? Theme.success : Theme.info
    opacity: NoticeBoard.toastVisible ? 0.95 : 0
    visible: opacity > 0

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
        color: "white"
        font.pixelSize: Theme.fontNormal
    }
}
