#include "OrderSendFlow.h"

#include "LineNumberEditors.h"
#include "LoginViewController.h"
#include "NoticeBoard.h"
#include "TableChooseViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "order/OrderSendChecks.h"
#include "order/OrderSender.h"
#include "order/Outbox.h"
#include "services/Services.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QPointer>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {
PopViewManager &pops()
{
    return PopViewManager::defaultManager();
}

QString nextToken()
{
    static std::atomic<quint64> counter{0};
    return u"OrderSendFlow-"_s + QString::number(++counter);
}

// The chooser opened for a send carries this request; the table button's has none.
const QString kSendRequest = u"1"_s;
const QString kQueueLater = u"稍后自动发送"_s;
} // namespace

OrderSendFlow::OrderSendFlow(OrderManager &orders, QObject *parent)
    : QObject(parent), orders_(orders), token_(nextToken())
{
    NotificationCenter::defaultCenter().addObserver(
        this, Notify::PopManagerControllerConfirm,
        [this](const Notification &note) { popupConfirmed(note); });
}

OrderSendFlow::~OrderSendFlow() = default;

void OrderSendFlow::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged();
}

void OrderSendFlow::start()
{
    using OrderSendChecks::Stop;
    setState(State::Idle);
    const Stop stop = OrderSendChecks::check(orders_);
    switch (stop) {
    case Stop::NotLoggedIn:
        if (auto *login = new LoginViewController; !pops().popController(login))
            delete login;
        return;
    case Stop::AskTableState:
        emit tableChanged();
        askTableState(orders_.orderPack()->DeskNo.value_or(QString()));
        return;
    case Stop::ChooseTable:
        openChooser(true);
        return;
    case Stop::None:
        break;
    default:
        UserNotice::error(OrderSendChecks::message(stop));
        if (stop == Stop::NoNetwork)
            offerQueueing();
        return;
    }
    emit tableChanged();
    UserNotice::showProgress(QString());
    const QPointer<OrderSendFlow> guard(this);
    OrderSender::defaultSender().send([guard](OrderSender::Outcome outcome) {
        if (guard && outcome == OrderSender::Outcome::Failed)
            guard->offerQueueing();
    });
}

void OrderSendFlow::offerQueueing()
{
    // Read at the tap: the order queued is the one on the list then (queueing checks it again).
    NoticeBoard::instance().offerAction(localised(kQueueLater), [] {
        if (Outbox *outbox = Services::installed().outbox)
            outbox->queueCurrent();
    });
}

void OrderSendFlow::askTableState(const QString &deskNo)
{
    setState(State::AskingTableState);
    const QPointer<OrderSendFlow> guard(this);
    const bool asked = OrderSendChecks::askGuestsInUse(this, deskNo, [guard](std::optional<QString> guests) {
        if (!guard || guard->state_ != State::AskingTableState)
            return;
        if (!guests) {
            guard->openGuestEditor();
            return;
        }
        guard->orders_.changePack([&guests](OrderPack &pack) { pack.CustCount = guests; });
        guard->start();
    });
    // The same question is on its way already: the waiter gives the count instead.
    if (!asked)
        openGuestEditor();
}

void OrderSendFlow::openGuestEditor()
{
    setState(State::AwaitingGuests);
    pops().pop(PopName::CusNumChangeViewController, {}, -1, {{kOpenedBy, token_}});
}

void OrderSendFlow::chooseTable()
{
    openChooser(false);
}

void OrderSendFlow::openChooser(bool forSend)
{
    QVariantMap extras{{kOpenedBy, token_}};
    if (forSend) {
        setState(State::AwaitingTable);
        extras.insert(PopProperty::RequestId, kSendRequest);
    }
    pops().pop(PopName::TableChooseViewController, {QVariant::fromValue(orders_.orderPack())}, -1, extras);
}

void OrderSendFlow::popupConfirmed(const Notification &notification)
{
    const QObject *popup = notification.object.value<QObject *>();
    if (!popup || popup->property(kOpenedBy.toUtf8().constData()).toString() != token_)
        return;
    if (qobject_cast<const CusNumChangeViewController *>(popup)) {
        start();
    } else if (qobject_cast<const TableChooseViewController *>(popup)) {
        emit tableChanged();
        if (notification.userInfo.value(PopProperty::RequestId).toString() == kSendRequest)
            start();
    }
}
