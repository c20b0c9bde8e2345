import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The login and authorisation dialogs: operator number, password, the numeric keypad, the close
// and confirming buttons.
PopCard {
    id: view
    required property AccountFormController controller

    title: controller.title
    implicitWidth: keypad.implicitWidth + 2 * padding
    implicitHeight: headerHeight + column.implicitHeight + 2 * padding

    ColumnLayout {
        id: column
        anchors.fill: parent
        spacing: 12

        KeypadField {
            objectName: "accountField"
            Layout.fillWidth: true
            text: view.controller.account
            placeholder: view.controller.accountPlaceholder
            editing: view.controller.editingField === AccountFormController.AccountField
            onTapped: view.controller.beginEditing(AccountFormController.AccountField)
        }
        KeypadField {
            objectName: "passwordField"
            Layout.fillWidth: true
            text: view.controller.password
            placeholder: view.controller.passwordPlaceholder
            secret: true
            editing: view.controller.editingField === AccountFormController.PasswordField
            onTapped: view.controller.beginEditing(AccountFormController.PasswordField)
        }
        NumberKeypad {
            id: keypad
            Layout.alignment: Qt.AlignHCenter
            keyboard: view.controller.keyboard
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 16

            ActionButton {
                objectName: "closeButton"
                Layout.fillWidth: true
                text: view.controller.closeText
                onClicked: view.controller.close()
            }
            ActionButton {
                objectName: "confirmButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.confirmText
                onClicked: view.controller.confirm()
            }
        }
    }
}
