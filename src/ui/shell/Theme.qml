pragma Singleton
import QtQuick
import Diancai.Ui

// The terminal's palette, light and dark, over the Material style.
QtObject {
    readonly property bool dark: Appearance.dark
    readonly property string fontFamily: "WenQuanYi Micro Hei"

    readonly property color primary: dark ? "#8c1d18" : "#b3261e"
    readonly property color accent: dark ? "#ffb68a" : "#c75b12"
    // The keyboard focus's frame: apart from the primary red and the accent, on any face.
    readonly property color focus: dark ? "#8ab4f8" : "#1565c0"
    readonly property color background: dark ? "#1d1b1a" : "#f7f2ea"
    readonly property color surface: dark ? "#2c2927" : "#ffffff"
    readonly property color surfaceRaised: dark ? "#3a3634" : "#efe7dc"
    readonly property color text: dark ? "#f3ede6" : "#2a211b"
    readonly property color mutedText: dark ? "#b9aea6" : "#6f625a"
    readonly property color primaryText: "#ffffff"
    readonly property color selected: dark ? "#5c2b1c" : "#f6d8c4"

    readonly property color keyFace: dark ? "#3a3634" : "#ffffff"
    readonly property color keyPressed: dark ? "#55504d" : "#e3d8cc"
    readonly property color keyAction: dark ? "#4a4441" : "#e9dfd3"

    readonly property color error: "#c62828"
    readonly property color success: "#2e7d32"
    readonly property color info: dark ? "#546e7a" : "#455a64"
    readonly property color warning: "#f9a825"

    readonly property color statusStrip: "#000000"
    // Under a pop-up, a notice or the progress indicator, at dimOpacity.
    readonly property color scrim: "#000000"
    readonly property real dimOpacity: 0.4
    // A row that is not chosen shows the list beneath.
    readonly property color noFill: "transparent"
    readonly property color unselected: "transparent"
    // The dot on a table tile whose table is in use.
    readonly property color tableInUse: "#ff0000"

    // Over pictures and videos, the same in both modes: whatever the picture, it must stay legible.
    readonly property color pictureBackdrop: "#000000"
    readonly property color textOnPicture: "#ffffff"
    readonly property color textOutline: "#000000"
    readonly property color softTextOutline: "#80000000"
    readonly property color barOverPicture: "#80000000"
    readonly property color storeNamePlate: "#66000000"
    readonly property color detailPanel: "#cc000000"
    readonly property color switchOff: "#99000000"
    readonly property color switchKnob: "#ffffff"

    // An order line's state badge, by the key the order list gives the line.
    function stateColour(key) {
        return key === "green" ? success : key === "yellow" ? warning : key === "red" ? error : info
    }

    readonly property int radius: 10
    readonly property int keySize: 72
    readonly property int fontSmall: 16
    readonly property int fontNormal: 20
    readonly property int fontLarge: 28
    readonly property int fontTitle: 44
}
