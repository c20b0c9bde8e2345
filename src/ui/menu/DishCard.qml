import QtQuick
import Diancai.Ui

// One dish of a menu page: its thumbnail (the missing-picture image when there is none), the styled
// name, the price and member price, the recommended badge, the ordered amount, "+" and "−". Reads
// the card roles of DishCardModel.
Item {
    id: card
    required property string name
    required property string price
    required property string memberPrice
    required property bool recommended
    required property string amount
    required property bool amountVisible
    required property url picture
    required property bool pictureKnown
    property url lostPicture

    signal pictureTapped
    signal addTapped
    signal removeTapped
    // The name as read aloud: the styled name without its markup.
    readonly property string plainName: name.replace(/<[^>]*>/g, "")

    Rectangle {
        anchors.fill: parent
        anchors.margins: 4
        radius: Theme.radius
        color: Theme.surface
        clip: true

        Image {
            id: thumbnail
            objectName: "dishPicture"
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right
            height: parent.height - info.height
            source: card.picture
            asynchronous: true
            fillMode: Image.PreserveAspectCrop
            sourceSize.width: width
            sourceSize.height: height
        }
        Image {
            anchors.fill: thumbnail
            visible: card.pictureKnown && (card.picture.toString() === "" || thumbnail.status === Image.Error)
            source: visible ? card.lostPicture : ""
            fillMode: Image.PreserveAspectFit
        }
        MouseArea {
            id: pictureArea
            anchors.fill: thumbnail
            onClicked: card.pictureTapped()
            Accessible.role: Accessible.Button
            Accessible.name: card.plainName
            Accessible.onPressAction: card.pictureTapped()
            activeFocusOnTab: true
        }
        Rectangle {
            anchors.fill: thumbnail
            visible: pictureArea.activeFocus
            color: Theme.noFill
            border.width: 3
            border.color: Theme.focus
        }
        Rectangle {
            objectName: "recommendedBadge"
            visible: card.recommended
            anchors.left: parent.left
            anchors.top: parent.top
            width: badgeText.implicitWidth + 16
            height: 28
            color: Theme.primary
            Text {
                id: badgeText
                anchors.centerIn: parent
                text: Lang.text("推荐")
                color: Theme.primaryText
                font.pixelSize: Theme.fontSmall
            }
        }
        Rectangle {
            objectName: "amountBadge"
            visible: card.amountVisible
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 6
            width: Math.max(36, amountText.implicitWidth + 16)
            height: 36
            radius: 18
            color: Theme.accent
            Text {
                id: amountText
                anchors.centerIn: parent
                text: card.amount
                color: Theme.primaryText
                font.pixelSize: Theme.fontNormal
                font.bold: true
            }
        }
        Item {
            id: info
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: 84

            Text {
                objectName: "dishName"
                anchors.left: parent.left
                anchors.right: minus.left
                anchors.top: parent.top
                anchors.margins: 6
                text: card.name
                textFormat: Text.StyledText
                elide: Text.ElideRight
                color: Theme.text
                font.pixelSize: Theme.fontNormal
            }
            Text {
                objectName: "dishPrice"
                anchors.left: parent.left
                anchors.bottom: parent.bottom
                anchors.margins: 6
                anchors.bottomMargin: card.memberPrice !== "" ? 30 : 8
                text: card.price
                color: Theme.primary
                font.pixelSize: Theme.fontNormal
            }
            Text {
                objectName: "dishMemberPrice"
                visible: text !== ""
                anchors.left: parent.left
                anchors.bottom: parent.bottom
                anchors.margins: 6
                text: card.memberPrice
                color: Theme.mutedText
                font.pixelSize: Theme.fontSmall
            }
            // Plain rectangles rather than controls: a page builds a dozen of them while it scrolls in.
            Rectangle {
                id: minus
                objectName: "removeButton"
                anchors.right: plus.left
                anchors.rightMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                width: 48
                height: 44
                radius: 8
                color: minusArea.pressed ? Theme.keyPressed : Theme.surfaceRaised
                border.width: activeFocus ? 3 : 0
                border.color: Theme.focus
                Accessible.role: Accessible.Button
                Accessible.name: card.plainName + " −"
                Accessible.onPressAction: card.removeTapped()
                activeFocusOnTab: true
                Text {
                    anchors.centerIn: parent
                    text: "−"
                    color: Theme.text
                    font.pixelSize: Theme.fontLarge
                }
                MouseArea {
                    id: minusArea
                    anchors.fill: parent
                    onClicked: card.removeTapped()
                }
            }
            Rectangle {
                id: plus
                objectName: "addButton"
                anchors.right: parent.right
                anchors.rightMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                width: 48
                height: 44
                radius: 8
                color: plusArea.pressed ? Qt.darker(Theme.primary, 1.2) : Theme.primary
                border.width: activeFocus ? 3 : 0
                border.color: Theme.focus
                Accessible.role: Accessible.Button
                Accessible.name: card.plainName + " +"
                Accessible.onPressAction: card.addTapped()
                activeFocusOnTab: true
                Text {
                    anchors.centerIn: parent
                    text: "+"
                    color: Theme.primaryText
                    font.pixelSize: Theme.fontLarge
                }
                MouseArea {
                    id: plusArea
                    anchors.fill: parent
                    onClicked: card.addTapped()
                }
            }
        }
    }
}
