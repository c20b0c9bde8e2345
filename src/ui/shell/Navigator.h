#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// The navigation stack of full screens, with the home screen at its root. Controllers and views ask
// it for screens by name (the QML file of the module without ".qml", e.g. "PlaceholderScreen");
// the window's StackView follows its requests. Pop-ups do not go here: PopViewManager keeps them.
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
    // Back to the root alone without telling the window (a new window starts from its root).
    Q_INVOKABLE void reset();

signals:
    void pushRequested(const QString &name, const QVariantMap &properties);
    void popRequested();
    void popToRootRequested();
    void screensChanged();

private:
    Navigator();

    QStringList screens_{kRootScreen};
};
