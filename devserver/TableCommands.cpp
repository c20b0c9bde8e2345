#include "Commands.h"
#include "DeskRules.h"
#include "Numbers.h"

namespace {

// A guest count when the request gives one; a refusal when it gives a bad one.
std::optional<Reply> refuseBadGuestCount(const std::optional<std::string> &custCount, bool required)
{
    if ((!custCount || custCount->empty()) && !required)
        return std::nullopt;
    if (!custCount || custCount->empty())
        return Reply::refused("请输入人数");
    if (!Numbers::parseGuestCount(*custCount))
        return Reply::refused("人数(" + *custCount + ")无效");
    return std::nullopt;
}

// Source and destination of a move or merge, which must differ.
std::optional<Reply> refuseSameDesk(const RequestDocument &request)
{
    if (request.text("SourceDeskNo") == request.text("DestDeskNo"))
        return Reply::refused("源台与目标台不能相同");
    return std::nullopt;
}

} // namespace

namespace Commands {

Reply kaiTai(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessFree(ctx, room, deskNo))
        return *refusal;
    if (auto refusal = refuseBadGuestCount(request.field("CustCount"), true))
        return *refusal;
    room.openTable({*deskNo, request.text("CustCount"), request.text("WaiterMan")});
    return Reply::ok(DeskRules::deskLabel(ctx, *deskNo) + "开台成功");
}

Reply changeDesk(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto source = request.field("SourceDeskNo");
    const auto dest = request.field("DestDeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, source, "源台号"))
        return *refusal;
    if (auto refusal = DeskRules::refuseUnknownDesk(ctx, dest, "目标台号"))
        return *refusal;
    if (auto refusal = refuseSameDesk(request))
        return *refusal;
    if (room.openDesk(*dest))
        return Reply::refused("目标台" + DeskRules::deskLabel(ctx, *dest) + "已开台，不能换台");
    OpenDesk desk = *room.openDesk(*source);
    room.closeDesk(*source);
    desk.deskNo = *dest;
    room.openTable(desk);
    room.moveLines(*source, *dest);
    return Reply::ok("换台成功：" + DeskRules::deskLabel(ctx, *source) + " → " +
                     DeskRules::deskLabel(ctx, *dest));
}

Reply mergeDesk(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto source = request.field("SourceDeskNo");
    const auto dest = request.field("DestDeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, source, "源台号"))
        return *refusal;
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, dest, "目标台号"))
        return *refusal;
    if (auto refusal = refuseSameDesk(request))
        return *refusal;
    const OpenDesk from = *room.openDesk(*source);
    OpenDesk into = *room.openDesk(*dest);
    const int guests = Numbers::parseGuestCount(from.custCount).value_or(0) +
                       Numbers::parseGuestCount(into.custCount).value_or(0);
    into.custCount = std::to_string(guests);
    room.updateDesk(into);
    room.moveLines(*source, *dest);
    room.closeDesk(*source);
    return Reply::ok("并台成功：" + DeskRules::deskLabel(ctx, *source) + " 并入 " +
                     DeskRules::deskLabel(ctx, *dest));
}

Reply cancelDesk(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, deskNo))
        return *refusal;
    if (!room.lines(*deskNo).empty())
        return Reply::refused(DeskRules::deskLabel(ctx, *deskNo) + "已点菜品，不能撤台");
    room.closeDesk(*deskNo);
    return Reply::ok(DeskRules::deskLabel(ctx, *deskNo) + "撤台成功");
}

Reply editDesk(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, deskNo))
        return *refusal;
    const auto custCount = request.field("CustCount");
    if (auto refusal = refuseBadGuestCount(custCount, false))
        return *refusal;
    OpenDesk desk = *room.openDesk(*deskNo);
    if (custCount && !custCount->empty())
        desk.custCount = *custCount;
    if (const auto waiter = request.field("WaiterMan"))
        desk.waiterMan = *waiter;
    room.updateDesk(desk);
    return Reply::ok(DeskRules::deskLabel(ctx, *deskNo) + "改台成功");
}

} // namespace Commands
