import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The quick-order screen: the search field and its keypad, the matching dishes in sections by
// small category (name, description, price, ordered amount, "+" and "−"), and the panel with the
// chosen dish's picture, name and description over the main picture.
ScreenPage {
    id: screen
    objectName: "quickOrderScreen"
    controller: QuickOrderViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    RowLayout {
        anchors.fill: parent
        anchors.margins: 8
        spacing: 8

        ColumnLayout {
            Layout.preferredWidth: parent.width * 0.55
            Layout.fillHeight: true
            spacing: 6
            RowLayout {
                Layout.fillWidth: true
                ActionButton {
                    objectName: "backButton"
                    text: "‹"
                    Accessible.name: Lang.text("返回")
                    onClicked: ctl.goBack()
                }
                Label {
                    text: Lang.text("菜品查询")
                    color: Theme.text
                    font.pixelSize: Theme.fontLarge
                }
                DishSearchBox {
                    Layout.fillWidth: true
                    field: ctl.field
                }
            }
            ListView {
                id: list
                objectName: "quickOrderList"
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                model: ctl.dishes
                section.property: "section"
                section.delegate: Rectangle {
                    id: header
                    required property string section
                    width: list.width
                    height: 36
                    color: Theme.surfaceRaised
                    Label {
                        anchors.verticalCenter: parent.verticalCenter
                        anchors.left: parent.left
                        anchors.leftMargin: 8
                        text: header.section.split("\t")[1] ?? ""
                        color: Theme.text
                        font.pixelSize: Theme.fontNormal
                    }
                }
                onMovementStarted: ctl.field.endEditing()
                onMovementEnded: ctl.dishes.askAmounts(indexAt(0, contentY), indexAt(0, contentY + height - 1))
                delegate: Rectangle {
                    id: row
                    required property int index
                    required property string name
                    required property string remark
                    required property string price
                    required property string amount
                    required property bool selected
                    objectName: "quickRow_" + index
                    width: ListView.view.width
                    height: 72
                    color: selected ? Theme.surfaceRaised : Theme.unselected
                    border.width: rowArea.activeFocus ? 3 : 0
                    border.color: Theme.focus
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        onClicked: ctl.selectRow(row.index)
                        Accessible.role: Accessible.Button
                        Accessible.name: row.name.replace(/<[^>]*>/g, "")
                        Accessible.onPressAction: ctl.selectRow(row.index)
                        activeFocusOnTab: true
                    }
                    RowLayout {
                        anchors.fill: parent
                        anchors.margins: 6
                        spacing: 8
                        ColumnLayout {
                            Layout.fillWidth: true
                            Label {
                                Layout.fillWidth: true
                                text: row.name
                                textFormat: Text.StyledText
                                elide: Text.ElideRight
                                color: Theme.text
                                font.pixelSize: Theme.fontNormal
                            }
                            Label {
                                Layout.fillWidth: true
                                text: row.remark
                                elide: Text.ElideRight
                                color: Theme.mutedText
                                font.pixelSize: Theme.fontSmall
                            }
                        }
                        Label { text: row.price; color: Theme.text; font.pixelSize: Theme.fontSmall }
                        Label {
                            objectName: "amount"
                            Layout.preferredWidth: 40
                            horizontalAlignment: Text.AlignHCenter
                            text: row.amount
                            color: Theme.accent
                            font.pixelSize: Theme.fontNormal
                        }
                        TapButton {
                            objectName: "addButton"
                            implicitWidth: 56
                            text: "+"
                            Accessible.name: row.name.replace(/<[^>]*>/g, "") + " +"
                            onClicked: ctl.add(row.index)
                        }
                        TapButton {
                            objectName: "removeButton"
                            implicitWidth: 56
                            text: "−"
                            Accessible.name: row.name.replace(/<[^>]*>/g, "") + " −"
                            onClicked: ctl.remove(row.index)
                        }
                    }
                }
            }
            LetterKeypad {
                objectName: "quickOrderKeypad"
                Layout.alignment: Qt.AlignHCenter
                visible: ctl.field.editing
                keyboard: ctl.field.keyboard
                scale: Math.min(1, parent.width / implicitWidth)
            }
        }
        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Image {
                anchors.fill: parent
                source: ctl.background
                fillMode: Image.PreserveAspectCrop
                asynchronous: true
            }
            ColumnLayout {
                anchors.fill: parent
                anchors.margins: 12
                Image {
                    objectName: "panelPicture"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    source: ctl.panelPicture
                    fillMode: Image.PreserveAspectFit
                    asynchronous: true
                }
                Label {
                    objectName: "panelName"
                    Layout.fillWidth: true
                    text: ctl.panelName
                    textFormat: Text.StyledText
                    color: Theme.text
                    font.pixelSize: Theme.fontLarge
                }
                Label {
                    Layout.fillWidth: true
                    text: ctl.panelRemark
                    wrapMode: Text.WordWrap
                    color: Theme.text
                    font.pixelSize: Theme.fontNormal
                }
            }
        }
    }
}
