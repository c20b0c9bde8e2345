import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Diancai.Ui

// The menu: the big- and small-category strips, the paged dish grid, and the bar with search,
// quick order, the page position and the order list with the number of dishes ordered.
ScreenPage {
    id: screen
    objectName: "menuScreen"
    controller: MainViewController {
        id: ctl
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 8
        spacing: 6

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            ActionButton {
                objectName: "backButton"
                text: Lang.text("回主界面")
                onClicked: ctl.back()
            }
            CategoryScrollView {
                objectName: "bigCategoryStrip"
                Layout.fillWidth: true
                Layout.preferredHeight: 56
                categories: ctl.bigCategories
            }
        }
        CategoryScrollView {
            objectName: "smallCategoryStrip"
            Layout.fillWidth: true
            Layout.preferredHeight: 48
            categories: ctl.smallCategories
        }
        ListView {
            id: grid
            objectName: "menuGrid"
            Layout.fillWidth: true
            Layout.fillHeight: true
            orientation: ListView.Horizontal
            snapMode: ListView.SnapOneItem
            highlightRangeMode: ListView.StrictlyEnforceRange
            boundsBehavior: Flickable.StopAtBounds
            cacheBuffer: 0
            clip: true
            model: ctl.pages

            delegate: Item {
                id: page
                required property int index
                required property int rows
                required property int columns
                required property DishCardModel cards

                objectName: "menuPage_" + index
                width: grid.width
                height: grid.height
                Component.onCompleted: ctl.pageShown(index)
                Component.onDestruction: ctl.pageHidden(index)

                Grid {
                    anchors.fill: parent
                    rows: page.rows
                    columns: page.columns

                    Repeater {
                        model: page.cards
                        delegate: DishCard {
                            required property int index
                            objectName: "dishCard_" + index
                            width: page.width / page.columns
                            height: page.height / page.rows
                            lostPicture: ctl.lostPicture
                            onPictureTapped: ctl.openDetail(page.index, index)
                            onAddTapped: ctl.addFood(page.index, index)
                            onRemoveTapped: ctl.delFood(page.index, index)
                        }
                    }
                }
            }
            onDraggingChanged: if (!dragging) ctl.dragEnded(contentX)
            onMovementEnded: ctl.gridRested(contentX, width)

            Connections {
                target: ctl
                function onScrollToPageRequested(page: int) {
                    grid.positionViewAtIndex(page, ListView.Beginning)
                    ctl.gridRested(grid.contentX, grid.width)
                }
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            ActionButton {
                objectName: "searchButton"
                text: Lang.text("搜索")
                onClicked: ctl.showSearch()
            }
            ActionButton {
                objectName: "quickOrderButton"
                text: Lang.text("快速点单")
                onClicked: ctl.showQuickOrder()
            }
            Label {
                objectName: "pageLabel"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: ctl.pageLabel
                color: Theme.mutedText
                font.pixelSize: Theme.fontNormal
            }
            ActionButton {
                objectName: "orderListButton"
                highlighted: true
                text: Lang.text("已点品项") + (ctl.orderNumText !== "" ? "  " + ctl.orderNumText : "")
                onClicked: ctl.goToOrderList()
            }
        }
    }
}
