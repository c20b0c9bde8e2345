import QtQuick
import QtQuick.Controls.Material
import Diancai.Ui

// Everything in the window over the home screen's first frame: the screen stack with the home
// screen at its root, the pop-ups over it and the notices over everything, in the Material
// palette.
Item {
    id: layers
    required property Item home

    Material.theme: Theme.dark ? Material.Dark : Material.Light
    Material.primary: Theme.primary
    Material.accent: Theme.accent
    Material.background: Theme.surface
    Material.foreground: Theme.text
    // Enter, Return or Space that the focused control did not take taps it.
    Keys.onPressed: event => event.accepted = KeyTaps.tap(event.key, Window.activeFocusItem)

    CoverableArea {
        anchors.fill: parent
        // What lies under an open pop-up or question takes no keys and is out of a reader's reach.
        covered: popLayer.stage.presentedCount > 0 || NoticeBoard.dialogVisible
        enabled: !covered

        ScreenStack {
            anchors.fill: parent
            initialItem: layers.home
        }
    }
    PopLayer {
        id: popLayer
        enabled: !NoticeBoard.dialogVisible
        anchors.fill: parent
    }
    NoticeLayer {
        anchors.fill: parent
    }
}
