import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The logout dialog: who is logged in, the close and "注销" buttons.
PopCard {
    id: view
    objectName: "logoutView"
    required property LogoutViewController controller

    title: controller.title
    implicitWidth: 460
    implicitHeight: headerHeight + column.implicitHeight + 2 * padding

    ColumnLayout {
        id: column
        anchors.fill: parent
        spacing: 24

        Label {
            objectName: "accountLine"
            Layout.fillWidth: true
            Layout.topMargin: 12
            text: view.controller.accountText
            color: Theme.text
            font.pixelSize: Theme.fontNormal
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
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
                objectName: "logoutButton"
                Layout.fillWidth: true
                highlighted: true
                text: view.controller.logoutText
                onClicked: view.controller.logout()
            }
        }
    }
}
