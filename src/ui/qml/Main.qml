import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Diancai.Ui

// The terminal's one window: the screen stack with the home screen at its root, the pop-ups over
// it and the notices over everything.
ApplicationWindow {
    id: window
    objectName: "mainWindow"
    width: 1024
    height: 768
    visible: true
    title: "diancai"
    color: Theme.background
    font.family: Theme.fontFamily

    Material.theme: Theme.dark ? Material.Dark : Material.Light
    Material.primary: Theme.primary
    Material.accent: Theme.accent
    Material.background: Theme.surface
    Material.foreground: Theme.text

    ScreenStack {
        anchors.fill: parent
    }
    PopLayer {
        anchors.fill: parent
    }
    NoticeLayer {
        anchors.fill: parent
    }
}
