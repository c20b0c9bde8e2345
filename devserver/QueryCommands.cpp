#include "BillPrinter.h"
#include "Commands.h"
#include "DeskRules.h"
#include "Numbers.h"
#include "SaleList.h"

#include <filesystem>

namespace Commands {

Reply getRoomDeskState(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const std::string deskNo = request.text("DeskNo");
    const std::string roomNo = request.text("RoomNo");
    if (!deskNo.empty()) {
        if (auto refusal = DeskRules::refuseUnknownDesk(ctx, deskNo))
            return *refusal;
    }
    const auto open = room.openDesks();
    Reply reply = Reply::ok("");
    reply.returnList.emplace();
    for (const CatalogueDesk &desk : ctx.catalogue.desks()) {
        if ((!deskNo.empty() && desk.deskNo != deskNo) || (!roomNo.empty() && desk.roomNo != roomNo))
            continue;
        const auto inUse = open.find(desk.deskNo);
        const bool used = inUse != open.end();
        reply.returnList->push_back(
            {{"deskNo", desk.deskNo},
             {"deskName", desk.deskName},
             {"useIndex", used ? "1" : "0"},
             {"custNumber", used ? inUse->second.custCount : "0"},
             {"TotalAmt", Numbers::money(used ? SaleList::total(room.lines(desk.deskNo)) : 0)},
             {"roomNo", desk.roomNo}});
    }
    return reply;
}

Reply getDeskSaleList(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnknownDesk(ctx, deskNo))
        return *refusal;
    Reply reply = Reply::ok("");
    reply.returnList = SaleList::replyRows(ctx.catalogue, room.lines(*deskNo));
    return reply;
}

Reply getGqFoodList(const CommandContext &ctx, DiningRoom &room, const RequestDocument &)
{
    Reply reply = Reply::ok("");
    reply.returnList.emplace();
    for (const StockEntry &entry : room.allStock()) {
        const CatalogueDish *dish = ctx.catalogue.dish(entry.foodNo);
        reply.returnList->push_back({{"foodno", entry.foodNo},
                                     {"foodName", dish ? dish->name : std::string()},
                                     {"unitName", dish ? dish->unitName : std::string()},
                                     {"itemsize", dish ? dish->itemSize : std::string()},
                                     {"InitQty", Numbers::quantity(entry.initQty)},
                                     {"SaleQty", Numbers::quantity(entry.saleQty)},
                                     {"leftQty", Numbers::quantity(entry.leftQty())},
                                     {"AlterQty", "0"}});
    }
    return reply;
}

Reply printDeskBill(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, deskNo))
        return *refusal;
    const std::string label = DeskRules::deskLabel(ctx, *deskNo);
    const std::string text =
        BillPrinter::billText(ctx.catalogue, label, *room.openDesk(*deskNo), room.lines(*deskNo));
    const std::string path = BillPrinter::print(ctx.profile.printFolder, *deskNo, text);
    if (path.empty())
        return Reply::refused("打印机故障，账单未能打印");
    Reply reply = Reply::ok(label + "的账单已送打印");
    reply.returnValue = std::filesystem::path(path).filename().string();
    return reply;
}

} // namespace Commands
