#include "Commands.h"
#include "DeskRules.h"
#include "Numbers.h"
#include "TasteText.h"

namespace {

// Adds the surcharges of the catalogue tastes ("12,15") and the typed ones ("打包\t1.000000,...").
void addTasteSurcharges(const Catalogue &catalogue, SaleLine &line)
{
    for (const std::string &tasteNo : TasteText::split(line.tasteDef, ',')) {
        const CatalogueTaste *taste = catalogue.taste(tasteNo);
        if (!taste)
            continue;
        if (taste->amtStyle == "A")
            line.tasteFixed += taste->amount;
        else if (taste->amtStyle == "P")
            line.tastePercent += taste->amount;
    }
    for (const std::string &manual : TasteText::split(line.tasteManual, ',')) {
        if (const auto typed = TasteText::typedTaste(manual))
            line.tasteFixed += typed->second;
    }
}

// What an order pack asks for, whoever sends it: the header that the dining room uses and every
// attribute of every line. The cashier and the terminal's numbers are left out, so a pack sent
// again after a new login still counts as the same order.
std::string orderContent(const RequestDocument &request)
{
    std::string content;
    for (const char *name : {"DeskNo", "WaiterMan", "CustCount", "OrdRemarkDef", "OrdRemarkManual"}) {
        const auto value = request.field(name);
        content += std::string(name) + (value ? "=" + *value : std::string(" absent")) + '\n';
    }
    for (const OrderLineData &line : request.orderLines()) {
        for (const auto &[name, value] : line.attributes)
            content += name + '=' + value + '\x1f';
        content += '\n';
    }
    return content;
}

std::string flag(bool on)
{
    return on ? "Y" : "N";
}

// The sale line an order line becomes, or the refusal that the whole pack gets.
std::optional<Reply> makeLine(const CommandContext &ctx, const OrderLineData &data, SaleLine &line)
{
    const std::string foodNo = data.value("foodNo");
    if (foodNo.empty())
        return Reply::refused("点菜单中有菜品缺少编号");
    const CatalogueDish *dish = ctx.catalogue.dish(foodNo);
    if (!dish)
        return Reply::refused("菜品(" + foodNo + ")不存在");
    const std::string name = data.value("foodName").empty() ? dish->name : data.value("foodName");
    const auto qty = Numbers::parseQuantity(data.value("SaleQty"));
    if (!qty)
        return Reply::refused("菜品" + name + "的数量(" + data.value("SaleQty") + ")无效");
    const auto price = Numbers::parseDecimal(data.value("SalePrice"));
    if (!price)
        return Reply::refused("菜品" + name + "的价格(" + data.value("SalePrice") + ")无效");

    line.pluno = foodNo;
    line.pluName = name;
    line.unitName = dish->unitName;
    line.itemsize = data.value("ItemSize");
    line.smallCatNo = dish->smallCatNo;
    line.bigCatNo = dish->bigCatNo;
    line.saleQty = *qty;
    line.salePrice = *price;
    line.sellWay = data.value("SellWay") == "C" ? "C" : "A";
    line.foodType = data.value("FoodType").empty() ? dish->foodType : data.value("FoodType");
    const bool byWeight = Catalogue::isWeightUnit(dish->unitName);
    line.flagGroup = flag(data.value("CurrpriceFlag") == "Y") + flag(byWeight) +
                     flag(data.value("TempFoodFlag") == "Y") + flag(line.sellWay == "C");
    const std::string printState = data.value("PrintState");
    line.printState = printState == "1" || printState == "2" ? printState : PrintFlag::kServeAtOnce;
    if (byWeight && line.foodType != "M")
        line.havePrtFlag = PrintFlag::kAwaitingWeight;
    else
        line.havePrtFlag = line.printState == PrintFlag::kServeAtOnce ? PrintFlag::kSent : PrintFlag::kHeld;
    line.suitNo = data.value("SuitNo");
    line.suitIndex = data.value("SuitIndex");
    line.orgFoodNo = data.value("OrgFoodNo");
    line.tasteDef = data.value("TasteDef");
    line.tasteManual = data.value("TasteManual");
    line.authId = line.sellWay == "C" ? data.value("AuthID") : std::string();
    addTasteSurcharges(ctx.catalogue, line);
    return std::nullopt;
}

// Counts the line down from a limited stock; false when less was left than ordered (the stock is
// then emptied and the line is still accepted).
bool countDownStock(DiningRoom &room, const SaleLine &line, double &leftBefore)
{
    auto entry = room.stock(line.pluno);
    if (!entry)
        return true;
    leftBefore = entry->leftQty();
    const bool enough = line.saleQty <= leftBefore + 1e-9;
    entry->saleQty = enough ? entry->saleQty + line.saleQty : entry->initQty;
    room.setStock(*entry);
    return enough;
}

} // namespace

namespace Commands {

Reply orderPack(const CommandContext &ctx, DiningRoom &room, const RequestDocument &request)
{
    const std::string flowNo = request.text("UniqueFlowNo");
    const std::string devSerial = request.text("DevSerial");
    if (flowNo.empty())
        return Reply::refused("点菜单缺少流水号");
    // A pack sent again (the terminal lost the first answer) is answered as the first time, and
    // adds nothing. The same number with another content is not that pack: recording it would lose
    // the change, answering as the first time would hide that.
    const std::string content = orderContent(request);
    if (const auto handled = room.handledFlow(devSerial, flowNo)) {
        if (handled->content && *handled->content != content)
            return Reply::refused("流水号" + flowNo + "的点菜单已下单，本次内容与之不同，未下单");
        return Reply::ok(handled->returnMsg);
    }

    const auto deskNo = request.field("DeskNo");
    if (auto refusal = DeskRules::refuseUnknownDesk(ctx, deskNo))
        return *refusal;
    if (request.orderLines().empty())
        return Reply::refused("点菜单中没有菜品");
    std::vector<SaleLine> lines;
    for (const OrderLineData &data : request.orderLines()) {
        SaleLine line;
        if (auto refusal = makeLine(ctx, data, line))
            return *refusal;
        line.deskNo = *deskNo;
        line.flowNo = flowNo;
        line.cashierId = request.text("CashierID");
        lines.push_back(line);
    }
    if (!room.openDesk(*deskNo)) {
        const std::string custCount = request.text("CustCount");
        if (!Numbers::parseGuestCount(custCount))
            return Reply::refused(DeskRules::deskLabel(ctx, *deskNo) + "未开台，请输入有效的人数");
        room.openTable({*deskNo, custCount, request.text("WaiterMan")});
    }

    std::string shortages;
    for (const SaleLine &line : lines) {
        double left = 0;
        if (!countDownStock(room, line, left))
            shortages +=
                (shortages.empty() ? "" : "、") + line.pluName + "(剩余" + Numbers::quantity(left) + ")";
        room.addLine(line);
    }
    std::string message = "下单成功，共" + std::to_string(lines.size()) + "道菜";
    if (!shortages.empty())
        message += "；以下菜品沽清未成功：" + shortages;
    room.rememberFlow(devSerial, flowNo, message, content);
    return Reply::ok(message);
}

} // namespace Commands
