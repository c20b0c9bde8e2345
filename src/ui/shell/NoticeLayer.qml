import QtQuick
import Diancai.Ui

// The user notices over everything else: the brief notice, the progress indicator and the
// questions, all drawn from NoticeBoard.
Item {
    objectName: "noticeLayer"

    ProgressOverlay {
        anchors.fill: parent
    }
    NoticeDialog {
        anchors.fill: parent
    }
    // Last: a brief notice shows over a question or the progress indicator.
    NoticeToast {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 110
    }
}
