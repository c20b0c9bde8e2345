#include "toolkit/PopViewManager.h"

#include "foundation/MainThread.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopPresenter.h"
#include "toolkit/PopRootViewController.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

PopViewManager &PopViewManager::defaultManager()
{
    // Never destroyed: it has to outlive every pop-up and every queued build at exit.
    static PopViewManager *const manager = [] {
        auto *created = new PopViewManager;
        // The first caller may be a worker; the stack lives on the main thread all the same.
        if (QCoreApplication *app = QCoreApplication::instance(); app && created->thread() != app->thread())
            created->moveToThread(app->thread());
        return created;
    }();
    return *manager;
}

PopViewManager::PopViewManager(QObject *parent) : QObject(parent)
{
    NotificationCenter::defaultCenter().addObserver(
        this, Notify::PopManagerControllerDismiss,
        [this](const Notification &notification) { onControllerDismiss(notification); });
}

PopViewManager::~PopViewManager()
{
    // The children deleted after this body must not report back to a half-destroyed manager.
    for (PopRootViewController *popup : std::as_const(arrControllers_))
        disconnect(popup, nullptr, this, nullptr);
    arrControllers_.clear();
}

void PopViewManager::setPresenter(std::shared_ptr<PopPresenter> presenter)
{
    presenter_ = std::move(presenter);
    if (!presenter_)
        return;
    const QList<PopRootViewController *> open = arrControllers_; // showing one may change the stack
    for (PopRootViewController *popup : open) {
        if (arrControllers_.contains(popup) && !popup->hasPresenter() && !popup->isDismissing()) {
            popup->setPresenter(presenter_);
            popup->show();
        }
    }
}

void PopViewManager::registerFactory(const QString &name, Factory factory)
{
    QMutexLocker lock(&factoriesMutex_);
    if (factory)
        factories_.insert(name, std::move(factory));
    else
        factories_.remove(name);
}

bool PopViewManager::hasFactory(const QString &name) const
{
    QMutexLocker lock(&factoriesMutex_);
    return factories_.contains(name);
}

bool PopViewManager::popController(PopRootViewController *popup)
{
    if (!popup || QThread::currentThread() != thread() || popup->thread() != thread() ||
        arrControllers_.contains(popup))
        return false;

    popup->setParent(this);
    connect(popup, &QObject::destroyed, this, [this](QObject *gone) { forget(gone); });
    arrControllers_.append(popup);
    popup->setPresenter(presenter_);
    popup->show();
    PostNotificationInMainThread(Notify::PopManagerControllerBackToFront,
                                 QVariant::fromValue<QObject *>(popup));
    return true;
}

bool PopViewManager::pop(const QString &name, const QVariantList &args, int paddingTop,
                         const QVariantMap &extras)
{
    Factory factory;
    {
        QMutexLocker lock(&factoriesMutex_);
        factory = factories_.value(name);
    }
    if (!factory)
        return false;
    runOnMainThread(this, [this, name, factory, args, paddingTop, extras] {
        build(name, factory, args, paddingTop, extras);
    });
    return true;
}

void PopViewManager::build(const QString &name, const Factory &factory, const QVariantList &args,
                           int paddingTop, const QVariantMap &extras)
{
    PopRootViewController *popup = factory(args);
    if (!popup) {
        emit popFailed(name);
        return;
    }
    popup->setPaddingTop(paddingTop);
    for (auto it = extras.begin(); it != extras.end(); ++it) {
        if (!it.key().isEmpty())
            popup->setProperty(it.key().toUtf8().constData(), it.value());
    }
    if (!popController(popup)) {
        if (!popup->parent() && !arrControllers_.contains(popup))
            popup->deleteLater();
        emit popFailed(name);
    }
}

bool PopViewManager::popCusNumChangeView(int paddingTop)
{
    return pop(PopName::CusNumChangeViewController, {}, paddingTop);
}

bool PopViewManager::popTempFoodView(int paddingTop)
{
    return pop(PopName::TempFoodViewController, {}, paddingTop);
}

bool PopViewManager::popGuaDanView(int paddingTop)
{
    return pop(PopName::GuaDanViewController, {}, paddingTop);
}

bool PopViewManager::popSearchView(bool shouldReloadOrderList, int paddingTop)
{
    return pop(PopName::SearchViewController, {}, paddingTop,
               {{PopProperty::ShouldReloadOrderList, shouldReloadOrderList}});
}

bool PopViewManager::popTableChooseView(const QVariant &orderPack, int paddingTop,
                                        const std::optional<QString> &requestId)
{
    QVariantMap extras;
    if (requestId)
        extras.insert(PopProperty::RequestId, *requestId);
    return pop(PopName::TableChooseViewController, {orderPack}, paddingTop, extras);
}

void PopViewManager::onControllerDismiss(const Notification &notification)
{
    // Only compared with the stack's entries, never dereferenced on the way.
    const QObject *popup = notification.object.value<QObject *>();
    if (!popup)
        return;
    if (QThread::currentThread() != thread()) {
        // Someone posted straight from a worker: the stack is the main thread's.
        runOnMainThread(this, [this, popup] { removeDismissed(popup); });
        return;
    }
    removeDismissed(popup);
}

void PopViewManager::removeDismissed(const QObject *popup)
{
    const auto it = std::find(arrControllers_.begin(), arrControllers_.end(), popup);
    if (it == arrControllers_.end())
        return;
    PopRootViewController *closed = *it;
    arrControllers_.erase(it);
    disconnect(closed, nullptr, this, nullptr);
    closed->deleteLater();
    if (!arrControllers_.isEmpty())
        PostNotificationInMainThread(Notify::PopManagerControllerBackToFront,
                                     QVariant::fromValue<QObject *>(arrControllers_.last()));
}

void PopViewManager::forget(const QObject *popup)
{
    arrControllers_.removeIf([popup](PopRootViewController *entry) { return entry == popup; });
}
