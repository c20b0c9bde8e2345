import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The open question: a two-button confirmation, or an alert with one button.
Item {
    id: dialog
    objectName: "noticeDialog"
    visible: NoticeBoard.dialogVisible
    // A question is a dialog; a message with one button is an alert, read as soon as it shows.
    Accessible.role: NoticeBoard.dialogHasCancel ? Accessible.Dialog : Accessible.AlertMessage
    Accessible.name: NoticeBoard.dialogTitle !== "" ? NoticeBoard.dialogTitle : NoticeBoard.dialogMessage

    Rectangle {
        anchors.fill: parent
        color: Theme.scrim
        opacity: Theme.dimOpacity
    }
    MouseArea {
        anchors.fill: parent
    }
    Shortcut {
        // Esc answers a question as its cancel button does.
        sequence: "Esc"
        enabled: dialog.visible && NoticeBoard.dialogHasCancel
        onActivated: NoticeBoard.answerDialog(false)
    }
    Rectangle {
        anchors.centerIn: parent
        width: 520
        height: column.implicitHeight + 56
        radius: Theme.radius
        color: Theme.surface

        ColumnLayout {
            id: column
            anchors.centerIn: parent
            width: parent.width - 56
            spacing: 20

            Label {
                objectName: "dialogTitle"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                visible: text !== ""
                text: NoticeBoard.dialogTitle
                color: Theme.text
                font.pixelSize: Theme.fontLarge
                font.bold: true
            }
            Label {
                objectName: "dialogMessage"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: NoticeBoard.dialogMessage
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 16

                ActionButton {
                    objectName: "dialogCancel"
                    Layout.fillWidth: true
                    visible: NoticeBoard.dialogHasCancel
                    text: NoticeBoard.dialogCancelText
                    font.pixelSize: Theme.fontNormal
                    onClicked: NoticeBoard.answerDialog(false)
                }
                ActionButton {
                    objectName: "dialogConfirm"
                    Layout.fillWidth: true
                    highlighted: true
                    text: NoticeBoard.dialogConfirmText
                    font.pixelSize: Theme.fontNormal
                    onClicked: NoticeBoard.answerDialog(true)
                }
            }
        }
    }
}
