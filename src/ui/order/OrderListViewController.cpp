#include "OrderListViewController.h"

#include "AuthViewController.h"
#include "CheckoutOrderViewController.h"
#include "LineNumberEditors.h"
#include "LoginViewController.h"
#include "Navigator.h"
#include "server/ServerExchange.h"
#include "TableChooseViewController.h"

#include "catalogue/TasteInfo.h"
#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "order/OrderSendChecks.h"
#include "order/TaskManager.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ResponseParser.h"
#include "server/SupportChecker.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QPointer>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

OrderManager &orders()
{
    return OrderManager::defaultManager();
}

PopViewManager &pops()
{
    return PopViewManager::defaultManager();
}

QString nextToken()
{
    static std::atomic<quint64> counter{0};
    return u"OrderListViewController-"_s + QString::number(++counter);
}
} // namespace

OrderListViewController::OrderListViewController(QObject *parent)
    : MenuViewController(parent), token_(nextToken())
{
    const ConfigManager &config = ConfigManager::defaultManager();
    isCusMode_ = config.isCusMode();
    showAmount_ = config.ctShowAmount() != 4;
    toolbarVisible_ = LoginManager::isLogin();
}

OrderListViewController::~OrderListViewController() = default;

QString OrderListViewController::guaDanTitle() const
{
    return localised(canGuaDan_ ? u"挂 单"_s : u"取 单"_s);
}

void OrderListViewController::loadView()
{
    observe();
    setToolbarVisible(LoginManager::isLogin());
    if (!orders().orderPack())
        orders().genNewPack();
    setGuadanState();
    reloadRows();
    updateOrderPackRemark();
    updateTableNo();
    runPackTask();
}

void OrderListViewController::initLanguage()
{
    updateTableNo();
    emit guaDanStateChanged();
}

void OrderListViewController::observe()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::UpdateOrderList, [this](const Notification &) { updateOrderList(); });
    center.addObserver(this, Notify::FoodTempChangePrice, [this](const Notification &note) {
        const auto line = note.object.value<std::shared_ptr<FoodOrder>>();
        if (line && orders().arrOrders().contains(line))
            pops().pop(PopName::SalePriceChangeViewController, {QVariant::fromValue(line)});
    });
    center.addObserver(this, Notify::GuaDanChoosed, [this](const Notification &note) { restoreHeld(note); });
    center.addObserver(this, Notify::UpdateOrderPackInfoDone, [this](const Notification &note) {
        const QVariantList values = note.object.toList();
        if (values.size() < 2)
            return;
        // An empty order shows blank totals, whenever the task's last figures arrive.
        if (orders().arrOrders().isEmpty())
            setTotals({}, {});
        else
            setTotals(CommonUtils::removeStringZero(values.at(0).toString()), values.at(1).toString());
    });
    center.addObserver(this, Notify::SendOrderPackSuccess, [this](const Notification &) { afterSend(); });
    center.addObserver(this, Notify::NotificationLoginOk,
                       [this](const Notification &) { setToolbarVisible(true); });
    center.addObserver(this, Notify::NotificationLogout, [this](const Notification &) {
        setToolbarVisible(false);
        // Gifts were given on the authority of the operator who has just left.
        setZengSongMode(false);
    });
    center.addObserver(this, Notify::PopManagerControllerConfirm,
                       [this](const Notification &note) { popupConfirmed(note); });
    center.addObserver(this, Notify::ZengSongAuthSuccess,
                       [](const Notification &) { PostNotificationInMainThread(Notify::UpdateOrderList); });
}

void OrderListViewController::updateOrderList()
{
    reloadRows();
    setGuadanState();
    updateOrderPackRemark();
    updateTableNo();
    runPackTask();
}

void OrderListViewController::reloadRows()
{
    rows_.reload(orders().arrOrders());
    if (rows_.count() == 0)
        setTotals({}, {});
}

void OrderListViewController::runPackTask()
{
    TaskManager::defaultManager().runOrderPackTask();
}

void OrderListViewController::setGuadanState()
{
    bool can = !orders().arrOrders().isEmpty();
    if (!can) {
        bool anyHeld = false;
        DBManager::mainDBManager().getOrderPacks(
            [&anyHeld](const QList<Guadan> &held) { anyHeld = !held.isEmpty(); });
        can = !anyHeld;
    }
    if (can == canGuaDan_)
        return;
    canGuaDan_ = can;
    emit guaDanStateChanged();
}

void OrderListViewController::updateTableNo()
{
    const std::shared_ptr<OrderPack> pack = orders().orderPack();
    const QString desk = pack ? pack->DeskNo.value_or(QString()) : QString();
    const ConfigManager &config = ConfigManager::defaultManager();
    QString title = localised(u"桌台"_s);
    if (!desk.isEmpty())
        title += desk;
    else if (config.lockTable())
        title += config.bindTableNo().value_or(QString());
    if (title == tableTitle_)
        return;
    tableTitle_ = title;
    emit tableTitleChanged();
}

void OrderListViewController::updateOrderPackRemark()
{
    const std::shared_ptr<OrderPack> pack = orders().orderPack();
    const QString remark = pack ? TasteInfo::displayTasteString(pack->arrTaste) : QString();
    if (remark == remarkText_)
        return;
    remarkText_ = remark;
    emit remarkTextChanged();
}

void OrderListViewController::setTotals(const QString &quantity, const QString &amount)
{
    if (quantity == quantityText_ && amount == amountText_)
        return;
    quantityText_ = quantity;
    amountText_ = amount;
    emit totalsChanged();
}

void OrderListViewController::setToolbarVisible(bool visible)
{
    if (visible == toolbarVisible_)
        return;
    toolbarVisible_ = visible;
    emit toolbarVisibleChanged();
}

void OrderListViewController::setZengSongMode(bool on)
{
    if (on == isZengSongMode_)
        return;
    isZengSongMode_ = on;
    rows_.setGiftMode(on);
    emit zengSongModeChanged();
}

// Row actions.

void OrderListViewController::add(int row)
{
    if (const auto line = rows_.line(row); line && !line->isMFoodType()) {
        orders().setOrderAlphaQty(line, 1);
        PostNotificationInMainThread(Notify::UpdateOrderList);
    }
}

void OrderListViewController::del(int row)
{
    if (const auto line = rows_.line(row); line && !line->isMFoodType()) {
        orders().setOrderAlphaQty(line, -1);
        PostNotificationInMainThread(Notify::UpdateOrderList);
    }
}

void OrderListViewController::remove(int row)
{
    const auto line = rows_.line(row);
    if (!line || line->isMFoodType())
        return;
    // A plain dialog: the name is quoted without the markup the row draws it with.
    const QString message =
        u"\""_s + OrderListModel::plainName(*line) + u"\"，"_s + localised(u"确定要删除吗？"_s);
    UserNotice::confirm(localised(u"确认"_s), message, localised(u"取消"_s), localised(u"确认"_s), [line](bool confirmed) {
        if (!confirmed)
            return;
        orders().deleteFoodOrder(line);
        PostNotificationInMainThread(Notify::UpdateOrderList);
    });
}

void OrderListViewController::showTaste(int row)
{
    if (const auto line = rows_.line(row))
        pops().pop(PopName::TasteViewController, {QVariant::fromValue(line)});
}

void OrderListViewController::showSaleQtyChange(int row)
{
    if (const auto line = rows_.line(row); line && !line->isMFoodType())
        pops().pop(PopName::SaleQtyChangeViewController, {QVariant::fromValue(line)});
}

void OrderListViewController::changeAmount(int row)
{
    if (!LoginManager::isLogin())
        return;
    const QModelIndex index = rows_.index(row);
    if (index.isValid() && rows_.data(index, OrderListModel::PriceActiveRole).toBool())
        PostNotificationInMainThread(Notify::FoodTempChangePrice, QVariant::fromValue(rows_.line(row)));
}

void OrderListViewController::switchLineState(int row)
{
    const auto line = rows_.line(row);
    if (!line || !LoginManager::isLogin())
        return;
    if (!ConfigManager::defaultManager().showOrderListStatus()) {
        UserNotice::info(localised(u"落单状态不可调整，可在设置中切换"_s));
        return;
    }
    orders().changeLine(
        line, [](FoodOrder &changed) { changed.PrintState = FoodOrder::nextPrintState(changed.PrintState); });
    reloadRows();
}

void OrderListViewController::toggleGift(int row)
{
    const auto line = rows_.line(row);
    if (!line || line->isMFoodType() || !isZengSongMode_)
        return;
    // Only an operator who is logged in now gives on their own authority.
    if (LoginManager::isLogin()) {
        const QString operatorId = LoginManager::accountId();
        bool authorised = false;
        DBManager::defaultManager().getCashierInfoWithId(operatorId, [&authorised](const CashierInfo &info) {
            authorised = !info.cashierID.isEmpty() && info.hasZengSongAuth();
        });
        if (authorised) {
            changeZengSong(line, operatorId);
            return;
        }
    }
    auto *auth = new AuthViewController(u"授权"_s);
    auth->setFoodOrder(line);
    auth->setIdxPath(row);
    auth->setIsZengSongMode(true);
    if (!pops().popController(auth))
        delete auth;
}

void OrderListViewController::changeZengSong(const OrderListModel::Line &line, const QString &authID)
{
    orders().setZengSong(line, !line->isZengSong(), authID);
    PostNotificationInMainThread(Notify::UpdateOrderList);
}

// The screen's buttons.

void OrderListViewController::orderRemark()
{
    pops().pop(PopName::TasteViewController);
}

void OrderListViewController::removeAll()
{
    const QPointer<OrderListViewController> guard(this);
    UserNotice::confirm(localised(u"确认"_s), localised(u"确定要清空所有已点品项吗？"_s), localised(u"取消"_s),
                        localised(u"确认"_s), [guard](bool confirmed) {
                            if (!confirmed)
                                return;
                            orders().deleteAllFoodOrders();
                            orders().genNewPack();
                            PostNotificationInMainThread(Notify::UpdateOrderList);
                            if (guard)
                                guard->updateTableNo();
                        });
}

void OrderListViewController::showZengSong()
{
    if (!SupportChecker::sharedChecker().checkIsSupportZengSong())
        return;
    setZengSongMode(!isZengSongMode_);
}

void OrderListViewController::showTableOp()
{
    Navigator::instance().push(u"TableOpScreen"_s);
}

void OrderListViewController::showTables()
{
    if (!LoginManager::isLogin()) {
        openLogin();
        return;
    }
    openChooser(std::nullopt);
}

void OrderListViewController::showTempFood()
{
    pops().popTempFoodView();
}

void OrderListViewController::guaDan()
{
    // Decided from the lines as they are now: an order with lines is never replaced by a restore.
    if (!orders().arrOrders().isEmpty()) {
        const QPointer<OrderListViewController> guard(this);
        orders().orderPack()->saveGuaDan([guard](bool saved) {
            if (!saved)
                return;
            orders().genNewPack();
            if (guard) {
                guard->setGuadanState();
                guard->updateOrderPackRemark();
                guard->updateTableNo();
            }
        });
        return;
    }
    setGuadanState();
    if (canGuaDan_) {
        UserNotice::error(localised(u"没有挂单数据"_s));
        return;
    }
    heldListOpen_ = pops().popGuaDanView();
}

void OrderListViewController::restoreHeld(const Notification &notification)
{
    const auto restored = notification.object.value<std::shared_ptr<OrderPack>>();
    if (!heldListOpen_ || !restored)
        return;
    heldListOpen_ = false;
    // The held-order list has already made it the order in progress.
    setGuadanState();
    reloadRows();
    runPackTask();
    updateOrderPackRemark();
    updateTableNo();
}

void OrderListViewController::switchState()
{
    if (!ConfigManager::defaultManager().showOrderListStatus()) {
        UserNotice::info(localised(u"落单状态不可调整，可在设置中切换"_s));
        return;
    }
    orders().switchPrintState();
    reloadRows();
}

void OrderListViewController::showSearch()
{
    pops().popSearchView(true);
}

void OrderListViewController::checkBill()
{
    const QString bound = ConfigManager::defaultManager().bindTableNo().value_or(QString());
    if (bound.isEmpty()) {
        UserNotice::error(localised(u"只能查询绑定的桌台账单，请先设置绑定桌台"_s));
        return;
    }
    CheckoutOrderViewController::openForTable(this, bound);
}

// Sending.

void OrderListViewController::sendOrderPack()
{
    using OrderSendChecks::Stop;
    const Stop stop = OrderSendChecks::check(orders());
    switch (stop) {
    case Stop::NotLoggedIn:
        openLogin();
        return;
    case Stop::AskTableState:
        updateTableNo();
        askTableState(orders().orderPack()->DeskNo.value_or(QString()));
        return;
    case Stop::ChooseTable:
        openChooser(u"1"_s);
        return;
    case Stop::None:
        break;
    default:
        UserNotice::error(OrderSendChecks::message(stop));
        return;
    }
    updateTableNo();
    UserNotice::showProgress(QString());
    orders().sendOrderPack(orders().orderPack()->toSendString());
}

void OrderListViewController::askTableState(const QString &deskNo)
{
    const QPointer<OrderListViewController> guard(this);
    const bool sent = ServerExchange::send(
        this, CommandMaker::getRoomDeskStateWithDeskNo(deskNo),
        [guard, deskNo](const ServerReply &reply) {
            if (!guard)
                return;
            std::optional<QString> guests;
            if (reply.isAccepted()) {
                const auto rows = ResponseParser::parseGetRoomDeskState(*reply.xml);
                guests = OrderSendChecks::guestsInUse(rows.value_or(QList<Row>()), deskNo);
            }
            if (!guests) {
                guard->openGuestEditor();
                return;
            }
            orders().changePack([&guests](OrderPack &pack) { pack.CustCount = guests; });
            guard->sendOrderPack();
        },
        [guard](const QString &) {
            if (guard)
                guard->openGuestEditor();
        });
    // The same question is on its way already: the waiter gives the count instead.
    if (!sent)
        openGuestEditor();
}

void OrderListViewController::openLogin()
{
    auto *login = new LoginViewController;
    if (!pops().popController(login))
        delete login;
}

void OrderListViewController::openGuestEditor()
{
    pops().pop(PopName::CusNumChangeViewController, {}, -1, {{kOpenedBy, token_}});
}

void OrderListViewController::openChooser(const std::optional<QString> &requestId)
{
    QVariantMap extras{{kOpenedBy, token_}};
    if (requestId)
        extras.insert(PopProperty::RequestId, *requestId);
    pops().pop(PopName::TableChooseViewController, {QVariant::fromValue(orders().orderPack())}, -1, extras);
}

void OrderListViewController::popupConfirmed(const Notification &notification)
{
    const QObject *popup = notification.object.value<QObject *>();
    if (!popup || popup->property(kOpenedBy.toUtf8().constData()).toString() != token_)
        return;
    if (qobject_cast<const CusNumChangeViewController *>(popup)) {
        sendOrderPack();
    } else if (qobject_cast<const TableChooseViewController *>(popup)) {
        updateTableNo();
        if (notification.userInfo.value(PopProperty::RequestId).toString() == u"1")
            sendOrderPack();
    }
}

void OrderListViewController::afterSend()
{
    // The order manager has emptied the order and started a new pack already.
    setTotals({}, {});
    reloadRows();
    updateTableNo();
    setGuadanState();
    updateOrderPackRemark();
}
