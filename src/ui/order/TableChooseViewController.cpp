#include "TableChooseViewController.h"

#include "EditingFocus.h"

#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "services/BackOffice.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

#include <QJSEngine>

#include <algorithm>

using namespace Qt::StringLiterals;

TableChooseViewController::TableChooseViewController(const std::shared_ptr<OrderPack> &pack, QObject *parent)
    : PopRootViewController(parent), services_(Services::installed()),
      pack_(pack ? pack : std::make_shared<OrderPack>())
{
    const ConfigManager &config = ConfigManager::defaultManager();
    locked_ = config.lockTable();
    std::optional<QString> deskNo;
    const auto read = [&](const OrderPack &pack) {
        deskNo = pack.DeskNo;
        guests_ = pack.CustCount.value_or(QString());
    };
    if (pack_ == services_.order->orderPack())
        services_.order->readPack(read);
    else
        read(*pack_);
    tableNo_ = locked_ ? config.bindTableNo().value_or(QString()) : deskNo.value_or(QString());
    if (guests_.isEmpty())
        guests_ = u"0"_s;
    waiter_ = services_.staff->loggedInId();

    QJSEngine::setObjectOwnership(&numberKeys_, QJSEngine::CppOwnership);
    QJSEngine::setObjectOwnership(&letterKeys_, QJSEngine::CppOwnership);
    auto &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NumberKeyboardClick, [this](const Notification &) { keyPressed(); });
    center.addObserver(this, Notify::NumberKeyboardOkClick, [this](const Notification &) {
        if (editing_ == NoField)
            return;
        endEditing();
        if (!hasTable(tableNo_))
            UserNotice::error(localised(u"不存在的桌台编号"_s));
    });
    connect(&EditingFocus::instance(), &EditingFocus::focusLost, this, [this](QObject *editor) {
        if (editor == this)
            setEditing(NoField);
    });

    roomList_ = services_.catalogue->rooms();
    allTables_ = services_.catalogue->tables();
    QStringList titles;
    for (const RoomInfo &room : std::as_const(roomList_))
        titles.append(room.roomName);
    connect(&rooms_, &CategoryScrollModel::itemDidSelected, this, &TableChooseViewController::showRoom);
    connect(&grid_, &TableGridModel::picked, this, [this](int index) {
        if (!locked_ && index >= 0 && index < shown_.size()) {
            tableNo_ = shown_.at(index).deskno;
            emit fieldsChanged();
        }
    });
    rooms_.reloadData(titles);
    showRoom(0);
    // The waiter types at once: the table number, or the guests when the table is bound.
    beginEditing(locked_ ? GuestField : TableField);
    if (config.autoRefreshTableStatus() && BackOffice::serverReachable())
        refreshRoomInfo();
}

TableChooseViewController::~TableChooseViewController()
{
    EditingFocus::instance().end(this);
    hideProgress();
}

void TableChooseViewController::showRoom(int index)
{
    const QString room = index >= 0 && index < roomList_.size() ? roomList_.at(index).roomno : u"all"_s;
    shown_.clear();
    for (const DeskInfo &desk : std::as_const(allTables_)) {
        if (room == u"all" || desk.roomno == room)
            shown_.append(desk);
    }
    grid_.reload(shown_, states_);
}

bool TableChooseViewController::hasTable(const QString &tableNo) const
{
    return std::any_of(allTables_.cbegin(), allTables_.cend(),
                       [&tableNo](const DeskInfo &desk) { return desk.deskno == tableNo; });
}

void TableChooseViewController::setEditing(Field field)
{
    if (field == editing_)
        return;
    editing_ = field;
    emit editingChanged();
}

void TableChooseViewController::beginEditing(int field)
{
    if (isDismissing() || field < TableField || field > WaiterField)
        return;
    numberKeys_.setupValue(QString());
    letterKeys_.setupValue(QString());
    EditingFocus::instance().begin(this);
    setEditing(Field(field));
}

void TableChooseViewController::endEditing()
{
    EditingFocus::instance().end(this);
    setEditing(NoField);
}

void TableChooseViewController::setField(int field, const QString &value)
{
    switch (field) {
    case TableField:
        if (locked_) {
            emit fieldsChanged(); // the field shows the bound table again
            return;
        }
        tableNo_ = value;
        break;
    case GuestField:
        guests_ = value;
        break;
    case WaiterField:
        waiter_ = value;
        break;
    default:
        return;
    }
    emit fieldsChanged();
}

void TableChooseViewController::keyPressed()
{
    if (!EditingFocus::instance().isEditing(this))
        return;
    switch (editing_) {
    case TableField:
        setField(TableField, letterKeys_.getValue());
        break;
    case GuestField:
        setField(GuestField, numberKeys_.getValue());
        break;
    case WaiterField:
        setField(WaiterField, numberKeys_.getValue());
        break;
    case NoField:
        break;
    }
}

void TableChooseViewController::refreshRoomInfo()
{
    grid_.reload(shown_, states_);
    if (!progressShown_) {
        UserNotice::showProgress(QString());
        progressShown_ = true;
    }
    const bool sent = BackOffice::fetchTableStates(
        this, [this](const std::optional<QList<Row>> &rows) { roomInfoArrived(rows); });
    if (!sent)
        hideProgress();
}

void TableChooseViewController::hideProgress()
{
    if (progressShown_) {
        progressShown_ = false;
        UserNotice::hideProgress();
    }
}

void TableChooseViewController::roomInfoArrived(const std::optional<QList<Row>> &rows)
{
    hideProgress();
    if (!rows)
        return;
    states_.clear();
    for (const Row &row : *rows) {
        const QString deskNo = row.deskNo.value_or(QString());
        if (!states_.contains(deskNo))
            states_.insert(deskNo, row);
    }
    grid_.reload(shown_, states_);
}

void TableChooseViewController::confirm()
{
    if (isDismissing())
        return;
    endEditing();
    if (!CommonUtils::editedNumber(guests_)) {
        UserNotice::error(localised(u"请输入正确人数！"_s));
        return;
    }
    if (!hasTable(tableNo_))
        UserNotice::error(localised(u"不存在的桌台编号"_s));
    const auto write = [this](OrderPack &pack) {
        pack.WaiterMan = waiter_;
        pack.CustCount = guests_;
        pack.DeskNo = tableNo_;
    };
    // The order in progress refuses while its send waits for an answer: the chooser stays open.
    if (pack_ != services_.order->orderPack())
        write(*pack_);
    else if (!services_.order->changePack(write))
        return;
    QVariantMap info;
    if (requestId_)
        info.insert(u"requestId"_s, *requestId_);
    PostNotificationInMainThread(Notify::PopManagerControllerConfirm, QVariant::fromValue<QObject *>(this),
                                 info);
    dismissSelf();
}

void TableChooseViewController::cancel()
{
    if (isDismissing())
        return;
    endEditing();
    PostNotificationInMainThread(Notify::PopManagerControllerCancel, QVariant::fromValue<QObject *>(this));
    dismissSelf();
}
