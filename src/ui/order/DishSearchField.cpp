#include "DishSearchField.h"

#include "EditingFocus.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"

#include <QJSEngine>

DishSearchField::DishSearchField(bool hidesKeypadAfterClear, QObject *parent)
    : QObject(parent), hidesKeypadAfterClear_(hidesKeypadAfterClear)
{
    QJSEngine::setObjectOwnership(&keyboard_, QJSEngine::CppOwnership);
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NumberKeyboardClick, [this](const Notification &note) {
        if (EditingFocus::instance().isEditing(this))
            keyPressed(note.object.toString());
    });
    center.addObserver(this, Notify::NumberKeyboardOkClick, [this](const Notification &) {
        if (!EditingFocus::instance().isEditing(this))
            return;
        endEditing();
        emit searchRequested();
    });
    connect(&EditingFocus::instance(), &EditingFocus::focusLost, this, [this](QObject *editor) {
        if (editor == this)
            setEditing(false);
    });
    hideKeypad_.setSingleShot(true);
    hideKeypad_.setInterval(kHideKeypadDelayMs);
    connect(&hideKeypad_, &QTimer::timeout, this, &DishSearchField::endEditing);
}

DishSearchField::~DishSearchField()
{
    EditingFocus::instance().end(this);
}

void DishSearchField::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    emit textChanged();
}

void DishSearchField::setEditing(bool editing)
{
    if (editing == editing_)
        return;
    editing_ = editing;
    emit editingChanged();
}

void DishSearchField::beginEditing()
{
    hideKeypad_.stop();
    keyboard_.setupValue(text_);
    EditingFocus::instance().begin(this);
    setEditing(true);
}

void DishSearchField::endEditing()
{
    hideKeypad_.stop();
    EditingFocus::instance().end(this);
    setEditing(false);
}

void DishSearchField::keyPressed(const QString &value)
{
    QString typed = value.isNull() ? keyboard_.getValue() : value;
    if (std::exchange(added_, false) && typed.size() > text_.size() && typed.startsWith(text_)) {
        // A character was appended: it alone is the new key.
        typed = typed.right(1);
        keyboard_.setupValue(typed);
    }
    setText(typed);
    emit searchRequested();
}

void DishSearchField::clear()
{
    added_ = false;
    keyboard_.setupValue(QString());
    setText(QString());
    emit searchRequested();
    if (hidesKeypadAfterClear_ && editing_)
        hideKeypad_.start();
}

void DishSearchField::dishAdded()
{
    added_ = true;
    emit selectAllRequested();
}
