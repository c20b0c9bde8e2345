#pragma once

#include "toolkit/NumberAndLetterKeyboard.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

// The search field of the dish search screens, fed by its own letter-and-digit keypad.
//
// It copies the keypad only while it holds the editing focus (EditingFocus), so keys meant for
// another screen's field never search here. After a dish was added (dishAdded) the next character
// key starts a new search of that character alone; a delete or "清空" just clears that rule. OK ends
// editing and searches again; the clear button empties the field and lists everything, and with
// `hidesKeypadAfterClear` puts the keypad away 0.8 s later, on a timer that goes with the field.
class DishSearchField : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by a search screen")
    Q_PROPERTY(QString text READ text NOTIFY textChanged)
    Q_PROPERTY(bool editing READ isEditing NOTIFY editingChanged)
    Q_PROPERTY(NumberAndLetterKeyboard *keyboard READ keyboard CONSTANT)
public:
    static constexpr int kHideKeypadDelayMs = 800;

    explicit DishSearchField(bool hidesKeypadAfterClear, QObject *parent = nullptr);
    ~DishSearchField() override;

    QString text() const { return text_; }
    bool isEditing() const { return editing_; }
    NumberAndLetterKeyboard *keyboard() { return &keyboard_; }
    bool addedFlag() const { return added_; }

    Q_INVOKABLE void beginEditing();
    Q_INVOKABLE void endEditing();
    Q_INVOKABLE void clear();
    // A dish was added from the list: the next key starts a new search; the text is selected.
    void dishAdded();

signals:
    void textChanged();
    void editingChanged();
    // Match again with text().
    void searchRequested();
    // The view selects the whole text of the field.
    void selectAllRequested();

private:
    void keyPressed(const QString &value);
    void setText(const QString &text);
    void setEditing(bool editing);

    QString text_;
    bool editing_ = false;
    bool added_ = false;
    bool hidesKeypadAfterClear_;
    NumberAndLetterKeyboard keyboard_;
    QTimer hideKeypad_;
};
