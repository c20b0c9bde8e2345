#pragma once

#include "KeypadFields.h"

#include "toolkit/PopRootViewController.h"

#include <QStringList>
#include <QtQml/qqmlregistration.h>

// A pop-up form of one to three keypad-fed fields under a title, with optional information lines
// above them and "取消" / "确定" below: the common form of the password dialog and the table
// dialogs. Titles and labels are the Chinese texts, shown through the string table and re-read on
// a change of language. The first field is edited from the start.
//
// confirm() ends the editing and runs submit(), the form's checks and action. The keypad's OK key
// runs okPressed(), which by default only ends the editing. Closing (close(), or a subclass when it
// is done) empties every field first, so that nothing typed outlives the dialog.
class KeypadFormController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the base of the keypad forms")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(QStringList labels READ labels NOTIFY captionsChanged)
    Q_PROPERTY(QStringList infoLines READ infoLines NOTIFY captionsChanged)
    Q_PROPERTY(QString confirmText READ confirmText NOTIFY captionsChanged)
    Q_PROPERTY(QString cancelText READ cancelText NOTIFY captionsChanged)
    Q_PROPERTY(bool masked READ masked CONSTANT)
    Q_PROPERTY(KeypadFields *fields READ fields CONSTANT)
public:
    KeypadFormController(const QString &titleKey, const QStringList &labelKeys, bool masked,
                         QObject *parent = nullptr);

    QString title() const { return title_; }
    QStringList labels() const { return labels_; }
    QStringList infoLines() const { return infoLines_; }
    QString confirmText() const { return confirmText_; }
    QString cancelText() const { return cancelText_; }
    bool masked() const { return masked_; }
    KeypadFields *fields() { return &fields_; }

    void initLanguage() override;
    void endEditing() override { fields_.endEditing(); }

    Q_INVOKABLE void confirm();
    // "取消": empties the fields and closes.
    Q_INVOKABLE void close();

signals:
    void captionsChanged();

protected:
    virtual void submit() = 0;
    virtual void okPressed(int index);
    // The information lines in the current language; none by default.
    virtual QStringList readInfoLines() const { return {}; }

private:
    QString titleKey_;
    QStringList labelKeys_;
    bool masked_;
    QString title_;
    QStringList labels_;
    QStringList infoLines_;
    QString confirmText_;
    QString cancelText_;
    KeypadFields fields_;
};
