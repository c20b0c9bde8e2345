#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The model behind an on-screen keypad. A keypad never writes into a field: it keeps its own value
// and announces every key by notification; the screen that owns the field being edited copies the
// value and reacts to OK.
//
// Keys are passed to click() as texts: a character key is its own character ("0".."9", and per
// keypad "." or "A".."Z"); the other keys are the constants below. The captions a view shows for
// them ("清空", "确定", icons) are the view's business.
//
// Notifications, all through PostNotificationInMainThread, in the order of the keys:
//   "kNumberKeyboardClick"     object: the new value (QString), after every key but OK and close,
//                              also when the key changed nothing;
//   "kNumberKeyboardOkClick"   object: the current value (QString); OK leaves the value as it is;
//   "kNumberKeyboardCoseClick" no object.
// A key that is not on the keypad is ignored and posts nothing.
class KeyboardBase : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString value READ getValue NOTIFY valueChanged)
public:
    static inline const QString kKeyDelete = QStringLiteral("delete");
    static inline const QString kKeyClear = QStringLiteral("clear");
    static inline const QString kKeyOk = QStringLiteral("ok");
    static inline const QString kKeyClose = QStringLiteral("close");

    // Replaces the value by the characters of `text` (empty text: empty value); no text leaves
    // the value unchanged. Posts nothing: the screen that sets a value already knows it.
    void setupValue(const std::optional<QString> &text);
    // The text last given to setupValue().
    std::optional<QString> strValue() const { return strValue_; }

    QString getValue() const { return array_.join(QString()); }

    Q_INVOKABLE void click(const QString &key);
    // Every key of this keypad: its character keys, then delete, clear, OK and close.
    Q_INVOKABLE QStringList keys() const;

signals:
    void valueChanged();

protected:
    explicit KeyboardBase(QObject *parent = nullptr);

    virtual QStringList characterKeys() const = 0;
    // Whether a character key of this keypad may be appended to the current value.
    virtual bool mayAppend(const QString &key) const;

    const QStringList &characters() const { return array_; }
    // "1".."9" then "0", in the keypads' order.
    static QStringList digitKeys();

private:
    void setCharacters(QStringList characters);

    // One entry per character (a whole code point, so deleting never splits a surrogate pair).
    QStringList array_;
    std::optional<QString> strValue_;
};
