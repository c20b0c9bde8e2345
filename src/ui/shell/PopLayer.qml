import QtQuick
import Diancai.Ui

// The open pop-ups, each in its own frame, the last opened on top. Draws the pop-ups of the
// process-wide PopViewManager.
Item {
    id: layer
    objectName: "popLayer"
    readonly property PopStage stage: stage

    PopStage {
        id: stage
        objectName: "popStage"
        viewBase: Qt.resolvedUrl(".")
        Component.onCompleted: attachToDefaultManager()
        onPresentRequested: function (popup, view, paddingTop) {
            frame.createObject(layer, {
                "popup": popup,
                "view": view,
                "paddingTop": paddingTop,
                "stage": stage
            })
        }
    }
    // Esc closes the pop-up on top as its "取消" (or close) button would.
    Shortcut {
        sequence: "Esc"
        enabled: stage.activePopup !== null && !NoticeBoard.dialogVisible
        onActivated: {
            const popup = stage.activePopup
            if (typeof popup.cancel === "function")
                popup.cancel()
            else if (typeof popup.close === "function")
                popup.close()
            else
                popup.dismissSelf()
        }
    }
    Component {
        id: frame
        PopFrame {}
    }
}
