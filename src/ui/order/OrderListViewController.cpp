#include "OrderListViewController.h"

#include "CheckoutOrderViewController.h"
#include "LoginViewController.h"
#include "Navigator.h"

#include "catalogue/TasteInfo.h"
#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "order/TaskManager.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

PopViewManager &pops()
{
    return PopViewManager::defaultManager();
}
} // namespace

OrderListViewController::OrderListViewController(QObject *parent)
    : MenuViewController(parent), services_(Services::installed()), orders_(*services_.order),
      sendFlow_(orders_, this), gifts_(services_, this)
{
    const ConfigManager &config = ConfigManager::defaultManager();
    isCusMode_ = config.isCusMode();
    showAmount_ = config.showsAmounts();
    toolbarVisible_ = services_.staff->isLoggedIn();
    connect(&sendFlow_, &OrderSendFlow::tableChanged, this, &OrderListViewController::updateTableNo);
    connect(&gifts_, &GiftMode::activeChanged, this, [this] { rows_.setGiftMode(gifts_.isActive()); });
}

OrderListViewController::~OrderListViewController() = default;

QString OrderListViewController::guaDanTitle() const
{
    return localised(canGuaDan_ ? u"挂 单"_s : u"取 单"_s);
}

void OrderListViewController::loadView()
{
    observe();
    setToolbarVisible(services_.staff->isLoggedIn());
    if (!orders_.orderPack())
        orders_.genNewPack();
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
        if (line && orders_.arrOrders().contains(line))
            pops().pop(PopName::SalePriceChangeViewController, {QVariant::fromValue(line)});
    });
    center.addObserver(this, Notify::GuaDanChoosed, [this](const Notification &note) { restoreHeld(note); });
    center.addObserver(this, Notify::UpdateOrderPackInfoDone, [this](const Notification &note) {
        const QVariantList values = note.object.toList();
        if (values.size() < 2)
            return;
        // An empty order shows blank totals, whenever the task's last figures arrive.
        if (orders_.arrOrders().isEmpty())
            setTotals({}, {});
        else
            setTotals(CommonUtils::removeStringZero(values.at(0).toString()), values.at(1).toString());
    });
    center.addObserver(this, Notify::NotificationLoginOk,
                       [this](const Notification &) { setToolbarVisible(true); });
    center.addObserver(this, Notify::NotificationLogout,
                       [this](const Notification &) { setToolbarVisible(false); });
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
    rows_.reload(orders_.arrOrders());
    if (rows_.count() == 0)
        setTotals({}, {});
}

void OrderListViewController::runPackTask()
{
    TaskManager::defaultManager().runOrderPackTask();
}

void OrderListViewController::setGuadanState()
{
    const bool can = !orders_.arrOrders().isEmpty() || orders_.heldOrders().isEmpty();
    if (can == canGuaDan_)
        return;
    canGuaDan_ = can;
    emit guaDanStateChanged();
}

void OrderListViewController::updateTableNo()
{
    const std::shared_ptr<OrderPack> pack = orders_.orderPack();
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
    const std::shared_ptr<OrderPack> pack = orders_.orderPack();
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

// Row actions.

void OrderListViewController::add(int row)
{
    if (const auto line = rows_.line(row); line && !line->isMFoodType()) {
        orders_.setOrderAlphaQty(line, 1);
        PostNotificationInMainThread(Notify::UpdateOrderList);
    }
}

void OrderListViewController::del(int row)
{
    if (const auto line = rows_.line(row); line && !line->isMFoodType()) {
        orders_.setOrderAlphaQty(line, -1);
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
    UserNotice::confirm(localised(u"确认"_s), message, localised(u"取消"_s), localised(u"确认"_s),
                        [orders = &orders_, line](bool confirmed) {
                            if (!confirmed)
                                return;
                            orders->deleteFoodOrder(line);
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
    if (!services_.staff->isLoggedIn())
        return;
    const QModelIndex index = rows_.index(row);
    if (index.isValid() && rows_.data(index, OrderListModel::PriceActiveRole).toBool())
        PostNotificationInMainThread(Notify::FoodTempChangePrice, QVariant::fromValue(rows_.line(row)));
}

void OrderListViewController::switchLineState(int row)
{
    const auto line = rows_.line(row);
    if (!line || !services_.staff->isLoggedIn())
        return;
    if (!ConfigManager::defaultManager().showOrderListStatus()) {
        UserNotice::info(localised(u"落单状态不可调整，可在设置中切换"_s));
        return;
    }
    orders_.changeLine(
        line, [](FoodOrder &changed) { changed.PrintState = FoodOrder::nextPrintState(changed.PrintState); });
    reloadRows();
}

void OrderListViewController::toggleGift(int row)
{
    gifts_.toggleLine(rows_.line(row), row);
}

// The screen's buttons.

void OrderListViewController::orderRemark()
{
    pops().pop(PopName::TasteViewController);
}

void OrderListViewController::removeAll()
{
    const QPointer<OrderListViewController> guard(this);
    UserNotice::confirm(localised(u"确认"_s), localised(u"确定要清空所有已点品项吗？"_s),
                        localised(u"取消"_s), localised(u"确认"_s),
                        [orders = &orders_, guard](bool confirmed) {
                            if (!confirmed)
                                return;
                            orders->deleteAllFoodOrders();
                            orders->genNewPack();
                            PostNotificationInMainThread(Notify::UpdateOrderList);
                            if (guard)
                                guard->updateTableNo();
                        });
}

void OrderListViewController::showTableOp()
{
    Navigator::instance().push(u"TableOpScreen"_s);
}

void OrderListViewController::showTables()
{
    if (!services_.staff->isLoggedIn()) {
        if (auto *login = new LoginViewController; !pops().popController(login))
            delete login;
        return;
    }
    sendFlow_.chooseTable();
}

void OrderListViewController::showTempFood()
{
    pops().popTempFoodView();
}

void OrderListViewController::guaDan()
{
    // Decided from the lines as they are now: an order with lines is never replaced by a restore.
    if (!orders_.arrOrders().isEmpty()) {
        const QPointer<OrderListViewController> guard(this);
        orders_.orderPack()->saveGuaDan([orders = &orders_, guard](bool saved) {
            if (!saved)
                return;
            orders->genNewPack();
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
    orders_.switchPrintState();
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
