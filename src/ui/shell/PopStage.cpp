#include "PopStage.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/PopPresenter.h"
#include "toolkit/PopRootViewController.h"
#include "toolkit/PopViewManager.h"

#include <QMetaClassInfo>

namespace {
// Held by the manager and by every pop-up it opened; once the stage is gone, pop-ups close at once.
class StagePresenter : public PopPresenter {
public:
    explicit StagePresenter(PopStage *stage) : stage_(stage) {}

    void present(PopRootViewController *popup) override
    {
        if (stage_)
            stage_->present(popup);
    }
    void dismiss(PopRootViewController *popup, std::function<void()> finished) override
    {
        if (stage_)
            stage_->dismiss(popup, std::move(finished));
        else
            finished();
    }

private:
    QPointer<PopStage> stage_;
};
} // namespace

PopStage::PopStage(QObject *parent) : QObject(parent), presenter_(std::make_shared<StagePresenter>(this))
{
    NotificationCenter::defaultCenter().addObserver(
        this, Notify::PopManagerControllerBackToFront,
        [this](const Notification &n) { setActivePopup(n.object.value<QObject *>()); });
}

PopStage::~PopStage()
{
    // Slide-outs that will never end must still let their pop-ups leave the stack.
    const auto pending = std::exchange(pendingDismissals_, {});
    for (const auto &finished : pending)
        finished();
}

void PopStage::setViewBase(const QUrl &base)
{
    if (base == viewBase_)
        return;
    viewBase_ = base;
    emit viewBaseChanged();
}

void PopStage::attachTo(PopViewManager &manager)
{
    manager.setPresenter(presenter_);
    // Pop-ups opened before: their "back to front" went unheard, the top one takes input all the same.
    if (!manager.arrControllers().isEmpty())
        setActivePopup(manager.arrControllers().constLast());
}

void PopStage::attachToDefaultManager()
{
    attachTo(PopViewManager::defaultManager());
}

QString PopStage::viewName(const QObject *popup)
{
    if (!popup)
        return {};
    const QMetaObject *meta = popup->metaObject();
    const int at = meta->indexOfClassInfo("PopView");
    return at < 0 ? QString() : QString::fromUtf8(meta->classInfo(at).value());
}

QUrl PopStage::viewUrl(const QObject *popup) const
{
    const QString name = viewName(popup);
    if (name.isEmpty())
        return {};
    const QUrl given(name);
    return given.isRelative() ? viewBase_.resolved(QUrl(name + QStringLiteral(".qml"))) : given;
}

void PopStage::present(PopRootViewController *popup)
{
    const QUrl view = viewUrl(popup);
    if (view.isEmpty()) {
        qWarning("PopStage: %s names no view (Q_CLASSINFO \"PopView\"); it stays invisible",
                 popup->metaObject()->className());
        return;
    }
    presented_.insert(popup);
    // A frame whose pop-up is destroyed removes itself; only the bookkeeping is left to do here.
    connect(popup, &QObject::destroyed, this, [this](QObject *gone) { forget(gone); });
    emit presentedCountChanged();
    emit presentRequested(popup, view, popup->paddingTop());
}

void PopStage::dismiss(PopRootViewController *popup, std::function<void()> finished)
{
    if (!presented_.contains(popup)) {
        finished();
        return;
    }
    pendingDismissals_.insert(popup, std::move(finished));
    emit dismissRequested(popup);
}

void PopStage::dismissFinished(QObject *popup)
{
    const std::function<void()> finished = pendingDismissals_.take(popup);
    forget(popup);
    if (finished)
        finished();
}

void PopStage::forget(QObject *popup)
{
    pendingDismissals_.remove(popup);
    if (presented_.remove(popup)) {
        disconnect(popup, &QObject::destroyed, this, nullptr);
        emit presentedCountChanged();
    }
    if (activePopup_ == popup)
        setActivePopup(nullptr);
}

void PopStage::setActivePopup(QObject *popup)
{
    if (popup == activePopup_)
        return;
    activePopup_ = popup;
    emit activePopupChanged();
}
