import QtQuick
import QtQuick.Controls
import Diancai.Ui

// The look of a pop-up's view: a rounded card with a title bar; the view's items go below it.
Rectangle {
    id: card
    property string title
    default property alias content: body.data
    readonly property int headerHeight: 60
    readonly property int padding: 20
    // A dialog named by its title, as a screen reader announces it.
    Accessible.role: Accessible.Dialog
    Accessible.name: title

    radius: Theme.radius
    color: Theme.surface

    Rectangle {
        id: header
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: card.headerHeight
        radius: card.radius
        color: Theme.primary

        // Square lower corners: only the card's top corners are round.
        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: card.radius
            color: Theme.primary
        }
        Label {
            objectName: "popTitle"
            anchors.centerIn: parent
            text: card.title
            color: Theme.primaryText
            font.pixelSize: Theme.fontLarge
        }
    }
    Item {
        id: body
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: card.padding
    }
}
