import QtQuick
import Diancai.Ui

// The terminal's one window. The home screen comes first and alone, drawn from QtQuick items, so
// that its first frame is out before the rest has loaded: the controls style, the screen stack
// (which then takes the home screen as its root), the pop-ups and the notices.
Window {
    id: window
    objectName: "mainWindow"
    width: 1024
    height: 768
    visible: true
    title: "diancai"
    color: Theme.background

    HomeScreen {
        id: home
        width: window.width
        height: window.height
    }
    Loader {
        id: layers
        objectName: "windowLayers"
        anchors.fill: parent
        asynchronous: true
        Component.onCompleted: setSource("WindowLayers.qml", {
            "home": home
        })
    }
}
