import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The password page: one button that opens the password dialog.
Item {
    id: page
    required property ChangePasswordView view

    ActionButton {
        objectName: "changePasswordButton"
        anchors.centerIn: parent
        width: 260
        highlighted: true
        text: page.view.buttonText
        onClicked: page.view.changePassword()
    }
}
