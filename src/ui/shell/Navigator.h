#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// The navigation stack of full screens, with the home screen at its root. Controllers and views ask
// it for screens by name (the QML file of the module without ".qml", e.g. "PlaceholderScreen");
// the window's StackView follows its requests. Pop-ups do not go here: PopViewManager keeps them.
//
// The window's stack loads after the home screen's first frame, so a tap may ask for a screen
// before it is there: until the stack attaches itself, requests are kept, and it is handed the
// screens asked for so far when it does.
class Navigator : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int depth READ depth NOTIFY screensChanged)
    Q_PROPERTY(QString currentScreen READ currentScreen NOTIFY screensChanged)
public:
    static inline const QString kRootScreen = QStringLiteral("HomeScreen");

    static Navigator &instance();
    static Navigator *create(QQmlEngine *, QJSEngine *);

    QStringList screens() const { return screens_; }
    int depth() const { return int(screens_.size()); }
    QString currentScreen() const { return screens_.last(); }

    // Pushes the screen `name` with the given initial property values. A name that is not a plain
    // identifier is refused (false) and nothing happens.
    Q_INVOKABLE bool push(const QString &name, const QVariantMap &properties = {});
    // Leaves the top screen; the root stays.
    Q_INVOKABLE void pop();
    // Returns to the home screen, closing every screen above it.
    Q_INVOKABLE void popToRoot();
    // Back to the root alone without telling the window.
    Q_INVOKABLE void reset();

    // The window's stack shows the screens from now on. Returns the screens asked for before, bottom
    // first, the root left out: maps of "name" and "properties", to be pushed in that order.
    Q_INVOKABLE QVariantList attachView();
    // The window's stack is gone: back to the root alone, requests kept again (a new window starts
    // from its root).
    Q_INVOKABLE void detachView();

signals:
    void pushRequested(const QString &name, const QVariantMap &properties);
    void popRequested();
    void popToRootRequested();
    void screensChanged();

private:
    Navigator();

    QStringList screens_{kRootScreen};
    bool viewAttached_ = false;
    // While no stack is attached: the properties of each screen above the root, in screens_ order.
    QList<QVariantMap> waiting_;
};
