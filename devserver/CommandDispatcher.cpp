#include "CommandDispatcher.h"

#include <map>

namespace {

struct CommandEntry {
    CommandHandler handler;
    bool needsOperator; // changes the dining room: only a logged-in operator may send it
};

const std::map<std::string, CommandEntry> &commandTable()
{
    using namespace Commands;
    static const std::map<std::string, CommandEntry> table = {
        {"CheckServerStatus", {checkServerStatus, false}},
        {"LogIn", {logIn, false}},
        {"ChangePassword", {changePassword, true}},
        {"GetUpFileName", {getUpFileName, false}},
        {"KaiTai", {kaiTai, true}},
        {"ChangeDesk", {changeDesk, true}},
        {"MergeDesk", {mergeDesk, true}},
        {"CancelDesk", {cancelDesk, true}},
        {"EditDesk", {editDesk, true}},
        {"OrderPack", {orderPack, true}},
        {"DeskHurry", {deskHurry, true}},
        {"CatHurry", {catHurry, true}},
        {"FoodHurry", {foodHurry, true}},
        {"DeskWakeUp", {deskWakeUp, true}},
        {"CatWakeUp", {catWakeUp, true}},
        {"FoodWakeUp", {foodWakeUp, true}},
        {"ReturnFood", {returnFood, true}},
        {"ConfirmQty", {confirmQty, true}},
        {"GetRoomDeskState", {getRoomDeskState, false}},
        {"GetDeskSaleList", {getDeskSaleList, false}},
        {"GetGqFoodList", {getGqFoodList, false}},
        {"PrintDeskBill", {printDeskBill, true}},
    };
    return table;
}

std::optional<Reply> refuseUnlessOperator(const Catalogue &catalogue, DiningRoom &room,
                                          const RequestDocument &request)
{
    const std::string cashierId = request.text("CashierID");
    if (cashierId.empty())
        return Reply::refused("请先登录");
    if (!catalogue.cashier(cashierId))
        return Reply::refused("操作员(" + cashierId + ")不存在");
    if (!room.isLoggedIn(cashierId))
        return Reply::refused("操作员(" + cashierId + ")未登录，请先登录");
    return std::nullopt;
}

} // namespace

CommandDispatcher::CommandDispatcher(const Catalogue &catalogue, DiningRoomStore &store,
                                     ServerProfile profile)
    : catalogue_(catalogue), store_(store), profile_(std::move(profile))
{
}

bool CommandDispatcher::isKnownCommand(const std::string &name)
{
    return commandTable().count(name) > 0;
}

Reply CommandDispatcher::unreadable(const std::string &reason)
{
    return Reply::malformed("无法识别的请求：" + reason);
}

Reply CommandDispatcher::dispatch(const RequestDocument &request)
{
    if (request.rootName() != "ClientCommand")
        return Reply::malformed("请求的根元素应为ClientCommand，收到的是" + request.rootName());
    const auto command = request.field("Command");
    if (!command || command->empty())
        return Reply::malformed("请求缺少指令(Command)");
    const auto entry = commandTable().find(*command);
    if (entry == commandTable().end())
        return Reply::malformed("不支持的指令：" + *command);

    const CommandContext ctx{catalogue_, profile_};
    const auto reply = store_.transact(
        [&](DiningRoom &room) {
            if (entry->second.needsOperator) {
                if (auto refusal = refuseUnlessOperator(catalogue_, room, request))
                    return *refusal;
            }
            return entry->second.handler(ctx, room, request);
        },
        [](const Reply &result) { return result.succeeded(); });
    if (!reply)
        return Reply::refused("服务器数据库错误，请稍后再试");
    return *reply;
}
