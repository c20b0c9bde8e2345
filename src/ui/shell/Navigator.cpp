#include "Navigator.h"

#include <QJSEngine>
#include <QRegularExpression>

Navigator::Navigator() = default;

Navigator &Navigator::instance()
{
    static Navigator *const navigator = new Navigator;
    return *navigator;
}

Navigator *Navigator::create(QQmlEngine *, QJSEngine *)
{
    Navigator *navigator = &instance();
    QJSEngine::setObjectOwnership(navigator, QJSEngine::CppOwnership);
    return navigator;
}

bool Navigator::push(const QString &name, const QVariantMap &properties)
{
    // The name becomes a file name next to the views; nothing else may sneak into that path.
    static const QRegularExpression identifier(QStringLiteral("^[A-Z][A-Za-z0-9]*$"));
    if (!identifier.match(name).hasMatch())
        return false;
    screens_.append(name);
    emit screensChanged();
    emit pushRequested(name, properties);
    return true;
}

void Navigator::pop()
{
    if (screens_.size() <= 1)
        return;
    screens_.removeLast();
    emit screensChanged();
    emit popRequested();
}

void Navigator::popToRoot()
{
    if (screens_.size() <= 1)
        return;
    screens_ = QStringList{kRootScreen};
    emit screensChanged();
    emit popToRootRequested();
}

void Navigator::reset()
{
    if (screens_.size() == 1)
        return;
    screens_ = QStringList{kRootScreen};
    emit screensChanged();
}
