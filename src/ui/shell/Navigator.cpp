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
    if (!viewAttached_)
        waiting_.append(properties);
    emit screensChanged();
    if (viewAttached_)
        emit pushRequested(name, properties);
    return true;
}

void Navigator::pop()
{
    if (screens_.size() <= 1)
        return;
    screens_.removeLast();
    if (!viewAttached_ && !waiting_.isEmpty())
        waiting_.removeLast();
    emit screensChanged();
    if (viewAttached_)
        emit popRequested();
}

void Navigator::popToRoot()
{
    if (screens_.size() <= 1)
        return;
    screens_ = QStringList{kRootScreen};
    waiting_.clear();
    emit screensChanged();
    if (viewAttached_)
        emit popToRootRequested();
}

void Navigator::reset()
{
    waiting_.clear();
    if (screens_.size() == 1)
        return;
    screens_ = QStringList{kRootScreen};
    emit screensChanged();
}

QVariantList Navigator::attachView()
{
    // Attached already: the stack of a window that went without a word; the new one starts afresh.
    if (viewAttached_)
        reset();
    viewAttached_ = true;
    QVariantList waiting;
    const qsizetype first = screens_.size() - waiting_.size(); // the waiting ones are on top
    for (qsizetype i = 0; i < waiting_.size(); ++i)
        waiting.append(QVariantMap{{QStringLiteral("name"), screens_.at(first + i)},
                                   {QStringLiteral("properties"), waiting_.at(i)}});
    waiting_.clear();
    return waiting;
}

void Navigator::detachView()
{
    viewAttached_ = false;
    reset();
}
