#include "toolkit/PopRootViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "toolkit/PopPresenter.h"

#include <QPointer>

PopRootViewController::PopRootViewController(QObject *parent) : QObject(parent)
{
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::LanguageChanged, [this](const Notification &) { initLanguage(); });
    center.addObserver(this, Notify::NumberKeyboardCoseClick, [this](const Notification &) { endEditing(); });
}

PopRootViewController::~PopRootViewController() = default;

void PopRootViewController::setPaddingTop(int paddingTop)
{
    if (paddingTop == paddingTop_)
        return;
    paddingTop_ = paddingTop;
    emit paddingTopChanged();
}

void PopRootViewController::setPresenter(std::shared_ptr<PopPresenter> presenter)
{
    presenter_ = std::move(presenter);
}

void PopRootViewController::show()
{
    if (paddingTop_ < 0)
        setPaddingTop(kDefaultPaddingTop);
    if (presenter_)
        presenter_->present(this);
}

void PopRootViewController::dismissSelf()
{
    // A second tap on close while the pop-up slides out must not close it twice.
    if (dismissing_)
        return;
    dismissing_ = true;

    // The presenter may copy `finished` and call it more than once; the pop-up announces once.
    auto finished = [self = QPointer<PopRootViewController>(this)] {
        if (!self || self->dismissed_)
            return;
        self->dismissed_ = true;
        PostNotificationInMainThread(Notify::PopManagerControllerDismiss,
                                     QVariant::fromValue<QObject *>(self.data()));
    };
    if (presenter_)
        presenter_->dismiss(this, std::move(finished));
    else
        finished();
}
