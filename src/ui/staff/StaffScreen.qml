import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The staff screen: the login bar, the eight menu entries on the left and the chosen page on the
// right. Each page is built the first time it is chosen and kept.
ScreenPage {
    id: screen
    objectName: "staffScreen"
    controller: StaffViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    LoginBarView {
        id: bar
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
    }
    Column {
        id: menu
        objectName: "staffMenu"
        anchors.top: bar.bottom
        anchors.left: parent.left
        anchors.margins: 12
        width: 190
        spacing: 10

        Repeater {
            model: ctl.menuTitles

            ActionButton {
                required property int index
                required property string modelData
                objectName: "staffEntry_" + index
                width: menu.width
                text: modelData
                // The first four entries show a page: StaffViewController.Page is the entry + 1.
                highlighted: index < 4 && index + 1 === ctl.currentPage
                onClicked: ctl.selectEntry(index)
            }
        }
    }
    Item {
        anchors.top: bar.bottom
        anchors.left: menu.right
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 12

        Loader {
            objectName: "roomPage"
            anchors.fill: parent
            active: ctl.roomView !== null
            visible: ctl.currentPage === StaffViewController.RoomPage
            sourceComponent: RoomBoard {
                view: ctl.roomView
            }
        }
        Loader {
            objectName: "soldOutPage"
            anchors.fill: parent
            active: ctl.gqFoodListView !== null
            visible: ctl.currentPage === StaffViewController.SoldOutPage
            sourceComponent: GqFoodListPage {
                view: ctl.gqFoodListView
            }
        }
        Loader {
            objectName: "passwordPage"
            anchors.fill: parent
            active: ctl.changePwdView !== null
            visible: ctl.currentPage === StaffViewController.PasswordPage
            sourceComponent: ChangePasswordPage {
                view: ctl.changePwdView
            }
        }
        Loader {
            objectName: "settingsPage"
            anchors.fill: parent
            active: ctl.configView !== null
            visible: ctl.currentPage === StaffViewController.SettingsPage
            sourceComponent: ConfigPage {
                config: ctl.configView
            }
        }
    }
}
