#include "RoomView.h"

#include "CheckoutOrderViewController.h"
#include "StyleTableViewController.h"
#include "TableFormController.h"

#include "dining/TableBoard.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "services/Catalogue.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"
#include "toolkit/PopViewManager.h"

#include <QJSEngine>

using namespace Qt::StringLiterals;

RoomView::RoomView(QObject *parent) : QObject(parent), services_(Services::installed())
{
    QJSEngine::setObjectOwnership(&rooms_, QJSEngine::CppOwnership);
    QJSEngine::setObjectOwnership(&grid_, QJSEngine::CppOwnership);
    connect(&rooms_, &CategoryScrollModel::itemDidSelected, this, &RoomView::selectRoom);
    connect(&grid_, &TableGridModel::picked, this, [this](int index) {
        if (index >= 0 && index < arrFilterTables_.size())
            setSelectedTable(arrFilterTables_.at(index).deskno);
    });
    NotificationCenter::defaultCenter().addObserver(this, Notify::LanguageChanged,
                                                    [this](const Notification &) { initLanguage(); });
    initLanguage();
}

void RoomView::initLanguage()
{
    buttonTitles_.clear();
    for (const QString &key : {u"刷 新"_s, u"开 台"_s, u"换 台"_s, u"并 台"_s, u"改 台"_s, u"撤 台"_s,
                               u"催 菜"_s, u"起 菜"_s, u"退 菜"_s, u"品项称重"_s, u"查账单"_s})
        buttonTitles_.append(localised(key));
    emit captionsChanged();
    // The "all" room's name follows the language too; the chosen room stays.
    if (arrRooms_.isEmpty())
        return;
    const int selected = rooms_.selectedIndex();
    arrRooms_ = services_.catalogue->rooms();
    QStringList titles;
    for (const RoomInfo &room : std::as_const(arrRooms_))
        titles.append(room.roomName);
    rooms_.reloadData(titles);
    rooms_.selectItemOf(selected);
}

std::optional<Row> RoomView::stateOf(const QString &tableNo) const
{
    const auto found = dictRoomInfos_.constFind(tableNo);
    return found == dictRoomInfos_.cend() ? std::nullopt : std::optional<Row>(*found);
}

void RoomView::setup()
{
    showTables(services_.catalogue->rooms(), services_.catalogue->tables());
    refreshRoomInfo();
}

void RoomView::showTables(const QList<RoomInfo> &rooms, const QList<DeskInfo> &tables)
{
    arrRooms_ = rooms;
    arrTables_ = tables;
    QStringList titles;
    titles.reserve(rooms.size());
    for (const RoomInfo &room : rooms)
        titles.append(room.roomName);
    rooms_.reloadData(titles);
    selectRoom(0);
}

void RoomView::selectRoom(int index)
{
    const QString roomno =
        index >= 0 && index < arrRooms_.size() ? arrRooms_.at(index).roomno : TableBoard::kAllRooms;
    if (rooms_.selectedIndex() != index && index >= 0 && index < arrRooms_.size())
        rooms_.selectItemOf(index);
    arrFilterTables_ = TableBoard::tablesInRoom(arrTables_, roomno);
    setSelectedTable(QString());
    grid_.reload(arrFilterTables_, dictRoomInfos_);
}

void RoomView::applyStates(const QList<Row> &rows)
{
    dictRoomInfos_ = TableBoard::statesByTable(arrTables_, rows);
    grid_.reload(arrFilterTables_, dictRoomInfos_);
}

void RoomView::setSelectedTable(const QString &tableNo)
{
    if (tableNo == selectedTableNo_)
        return;
    selectedTableNo_ = tableNo;
    emit selectionChanged();
}

void RoomView::refreshRoomInfo()
{
    setSelectedTable(QString());
    grid_.reload(arrFilterTables_, dictRoomInfos_);
    services_.dining->readStates(this, DiningRoom::Shown::RefusalsOnly,
                                 [this](const std::optional<QList<Row>> &rows) {
                                     if (rows)
                                         applyStates(*rows);
                                 });
}

void RoomView::tapButton(int button)
{
    if (button == Refresh) {
        refreshRoomInfo();
        return;
    }
    if (button < KaiTai || button > ChaZhangDan)
        return;
    if (selectedTableNo_.isEmpty()) {
        UserNotice::error(localised(u"请选择桌台"_s));
        return;
    }
    switch (button) {
    case KaiTai:
        openTableForm(TableBoard::OpenTable);
        break;
    case HuanTai:
        openTableForm(TableBoard::ChangeTable);
        break;
    case BingTai:
        openTableForm(TableBoard::MergeTables);
        break;
    case GaiTai:
        openTableForm(TableBoard::EditTable);
        break;
    case CheTai:
        openTableForm(TableBoard::CancelTable);
        break;
    case CuiCai:
        openDishOperation(DishOperations::Hurry);
        break;
    case QiCai:
        openDishOperation(DishOperations::Release);
        break;
    case TuiCai:
        openDishOperation(DishOperations::Return);
        break;
    case ChengZhong:
        openDishOperation(DishOperations::Weigh);
        break;
    case ChaZhangDan:
        getSaleList();
        break;
    default:
        break;
    }
}

void RoomView::openTableForm(int action)
{
    const std::optional<TableBoard::TableForm> form = TableBoard::formFor(
        action, selectedTableNo_, stateOf(selectedTableNo_), services_.staff->loggedInId());
    if (!form)
        return;
    auto *dialog = new TableFormController(*form, arrTables_);
    connect(dialog, &TableFormController::confirmed, this, &RoomView::styleConfirmAction);
    PopViewManager::defaultManager().popController(dialog);
}

void RoomView::openDishOperation(int operation)
{
    auto *dialog = new StyleTableViewController(operation, selectedTableNo_);
    connect(dialog, &StyleTableViewController::confirmed, this, &RoomView::styleLeftMenuSeleted);
    PopViewManager::defaultManager().popController(dialog);
}

void RoomView::styleConfirmAction(int action, const QStringList &fields)
{
    if (const std::optional<ClientCommand> command = TableBoard::tableCommand(action, fields))
        tableActionRequetWithCommand(*command, true);
}

void RoomView::styleLeftMenuSeleted(int operation, const QList<LeftMenu> &entries)
{
    services_.dining->sendSelection(this, operation, entries,
                                    [this](DiningRoom::Result result) { refreshAfter(result, false); });
}

void RoomView::tableActionRequetWithCommand(const ClientCommand &command, bool refresh)
{
    services_.dining->send(this, command,
                           [this, refresh](DiningRoom::Result result) { refreshAfter(result, refresh); });
}

void RoomView::refreshAfter(DiningRoom::Result result, bool tableOperation)
{
    // After an unknown outcome the board shows what the server holds now.
    using Result = DiningRoom::Result;
    if (result == Result::Unknown || result == Result::Reported ||
        (tableOperation && result == Result::Accepted))
        refreshRoomInfo();
}

void RoomView::getSaleList()
{
    CheckoutOrderViewController::openForTable(this, selectedTableNo_);
}
