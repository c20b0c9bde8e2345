#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// Every visible text of a view: `Lang.text("确定")`, looked up in the string table
// (LanguageManager::readString). `text` is a property holding the lookup function, so a binding
// that calls it depends on it; on "kLanguageChanged" the property announces a change and every such
// binding shows its text again in the new language.
class Lang : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QJSValue text READ text NOTIFY languageChanged)
public:
    // One per engine: the lookup function belongs to that engine.
    static Lang *create(QQmlEngine *, QJSEngine *engine);

    QJSValue text() const { return text_; }
    Q_INVOKABLE QString readString(const QString &key) const;

signals:
    void languageChanged();

private:
    explicit Lang(QJSEngine *engine);

    QJSValue text_;
};
