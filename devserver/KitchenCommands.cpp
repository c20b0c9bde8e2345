#include "Commands.h"
#include "DeskRules.h"
#include "Numbers.h"

#include <algorithm>
#include <functional>

namespace {

enum class Scope { Desk, Category, Dish };

struct Selection {
    std::vector<SaleLine> lines;
    std::string catNo;
    std::string foodNo;
};

// The table's lines a hurry or wake-up is about, or the refusal when there are none.
std::optional<Reply> selectLines(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request,
                                 Scope scope, Selection &selection)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, deskNo))
        return refusal;
    std::function<bool(const SaleLine &)> wanted = [](const SaleLine &) { return true; };
    if (scope == Scope::Category) {
        selection.catNo = request.text("CatNo");
        if (selection.catNo.empty())
            return Reply::refused("请指定菜品类别");
        wanted = [&](const SaleLine &line) {
            return line.smallCatNo == selection.catNo || line.bigCatNo == selection.catNo;
        };
    } else if (scope == Scope::Dish) {
        selection.foodNo = request.text("FoodNo");
        if (selection.foodNo.empty())
            return Reply::refused("请指定菜品");
        wanted = [&](const SaleLine &line) { return line.pluno == selection.foodNo; };
    }
    for (const SaleLine &line : room.lines(*deskNo))
        if (wanted(line))
            selection.lines.push_back(line);
    if (selection.lines.empty()) {
        const std::string label = DeskRules::deskLabel(ctx, *deskNo);
        if (scope == Scope::Category)
            return Reply::refused(label + "没有类别(" + selection.catNo + ")的菜品");
        if (scope == Scope::Dish)
            return Reply::refused(label + "没有点菜品(" + selection.foodNo + ")");
        return Reply::refused(label + "还没有点菜");
    }
    return std::nullopt;
}

DeskEvent eventFor(const std::string &command, const RequestDocument &request, const Selection &selection)
{
    DeskEvent event;
    event.command = command;
    event.deskNo = request.text("DeskNo");
    event.catNo = selection.catNo;
    event.foodNo = selection.foodNo;
    event.userId = request.text("UserID");
    event.cashierId = request.text("CashierID");
    return event;
}

Reply hurry(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request, Scope scope,
            const std::string &command)
{
    Selection selection;
    if (auto refusal = selectLines(ctx, room, request, scope, selection))
        return *refusal;
    room.addEvent(eventFor(command, request, selection));
    return Reply::ok("催菜成功，共" + std::to_string(selection.lines.size()) + "道菜");
}

// Releases the lines held back (等叫, 不出) to the kitchen; lines still waiting for their weight
// keep waiting.
Reply wakeUp(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request, Scope scope,
             const std::string &command)
{
    Selection selection;
    if (auto refusal = selectLines(ctx, room, request, scope, selection))
        return *refusal;
    int released = 0;
    for (const SaleLine &line : selection.lines) {
        if (line.printState == PrintFlag::kServeAtOnce)
            continue;
        const bool awaitingWeight = line.havePrtFlag == PrintFlag::kAwaitingWeight;
        room.setLineFlag(line.itemseq, awaitingWeight ? PrintFlag::kAwaitingWeight : PrintFlag::kSent,
                         PrintFlag::kServeAtOnce);
        ++released;
    }
    room.addEvent(eventFor(command, request, selection));
    return Reply::ok("起菜成功，共" + std::to_string(released) + "道菜");
}

} // namespace

namespace Commands {

Reply deskHurry(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return hurry(ctx, room, request, Scope::Desk, "DeskHurry");
}

Reply catHurry(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return hurry(ctx, room, request, Scope::Category, "CatHurry");
}

Reply foodHurry(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return hurry(ctx, room, request, Scope::Dish, "FoodHurry");
}

Reply deskWakeUp(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return wakeUp(ctx, room, request, Scope::Desk, "DeskWakeUp");
}

Reply catWakeUp(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return wakeUp(ctx, room, request, Scope::Category, "CatWakeUp");
}

Reply foodWakeUp(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    return wakeUp(ctx, room, request, Scope::Dish, "FoodWakeUp");
}

Reply returnFood(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    Selection selection;
    if (auto refusal = selectLines(ctx, room, request, Scope::Dish, selection))
        return *refusal;
    const std::string qtyText = request.text("FoodQty");
    const auto qty = Numbers::parseQuantity(qtyText);
    if (!qty)
        return Reply::refused("退菜数量(" + qtyText + ")无效");
    const std::string reasonNo = request.text("ReturnReason");
    if (reasonNo.empty())
        return Reply::refused("请选择退菜原因");
    const auto reasonName = ctx.catalogue.reasonName(reasonNo);
    if (!reasonName && ctx.catalogue.hasReturnReasons())
        return Reply::refused("退菜原因(" + reasonNo + ")不存在");
    double sold = 0;
    for (const SaleLine &line : selection.lines)
        sold += line.saleQty;
    if (*qty > sold + 1e-9)
        return Reply::refused("退菜数量(" + Numbers::quantity(*qty) + ")超过已点数量(" +
                              Numbers::quantity(sold) + ")");

    // The newest lines are returned first; a line returned whole leaves the sale list.
    double left = *qty;
    std::reverse(selection.lines.begin(), selection.lines.end());
    for (const SaleLine &line : selection.lines) {
        if (left <= 1e-9)
            break;
        const double taken = std::min(left, line.saleQty);
        left -= taken;
        if (line.saleQty - taken <= 1e-9)
            room.deleteLine(line.itemseq);
        else
            room.setLineQty(line.itemseq, line.saleQty - taken);
    }
    if (auto stock = room.stock(selection.foodNo)) {
        stock->saleQty = std::max(0.0, stock->saleQty - *qty);
        room.setStock(*stock);
    }
    DeskEvent event = eventFor("ReturnFood", request, selection);
    event.qty = *qty;
    event.reasonNo = reasonNo;
    event.reasonName = reasonName.value_or(std::string());
    room.addEvent(event);
    return Reply::ok("退菜成功：" + selection.lines.front().pluName + " " + Numbers::quantity(*qty) +
                     selection.lines.front().unitName);
}

Reply confirmQty(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnlessOpen(ctx, room, deskNo))
        return *refusal;
    const std::string seqText = request.text("itemseq");
    const auto seq = Numbers::parseDecimal(seqText);
    std::optional<SaleLine> line;
    if (seq && seqText.find('.') == std::string::npos && seqText.size() < 16)
        line = room.line(static_cast<std::int64_t>(*seq));
    if (!line || line->deskNo != *deskNo)
        return Reply::refused(DeskRules::deskLabel(ctx, *deskNo) + "没有序号为(" + seqText + ")的菜品");
    const std::string foodNo = request.text("FoodNo");
    if (!foodNo.empty() && foodNo != line->pluno)
        return Reply::refused("序号(" + seqText + ")的菜品不是(" + foodNo + ")");
    if (!line->isSoldByWeight() || line->foodType == "M")
        return Reply::refused(line->pluName + "不是称重菜品");
    const std::string qtyText = request.text("FoodQty");
    const auto qty = Numbers::parseQuantity(qtyText);
    if (!qty)
        return Reply::refused("称重数量(" + qtyText + ")无效");
    room.setLineQty(line->itemseq, *qty);
    room.setLineFlag(line->itemseq,
                     line->printState == PrintFlag::kServeAtOnce ? PrintFlag::kSent : PrintFlag::kHeld,
                     line->printState);
    return Reply::ok("称重成功：" + line->pluName + " " + Numbers::quantity(*qty) + line->unitName);
}

} // namespace Commands
