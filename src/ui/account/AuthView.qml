import Diancai.Ui

// The gift authorisation dialog.
AccountFormView {
    objectName: "authView"
}
