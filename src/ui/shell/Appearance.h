#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

// The colour scheme the settings ask for ("kIsDarkBackground"). The settings screen calls
// refresh() after it has changed the setting; the `Theme` singleton turns this into colours.
class Appearance : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)
public:
    static Appearance &instance();
    static Appearance *create(QQmlEngine *, QJSEngine *);

    bool dark() const { return dark_; }
    // Reads the setting again.
    Q_INVOKABLE void refresh();

signals:
    void darkChanged();

private:
    Appearance();

    bool dark_ = false;
};
