// Commands that browse the menu and build the order, as the menu, the order list and its editors do.

#include "CommandLine.h"
#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "TasteChoice.h"
#include "catalogue/FoodSizes.h"
#include "foundation/CommonUtils.h"
#include "order/FoodActions.h"
#include "order/OrderSender.h"
#include "order/SetMealExchange.h"
#include "order/TaskManager.h"
#include "server/LoginManager.h"
#include "server/SupportChecker.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

namespace {

QStringList sizeNames(const QList<FoodItemsize> &sizes)
{
    QStringList names;
    for (const FoodItemsize &size : sizes)
        names.append(size.itemsize);
    return names;
}

bool refusesComponent(const OrderManager::Line &line, const QString &what)
{
    if (!line->isMFoodType())
        return false;
    ConsoleOutput::error(what + QStringLiteral(" is not changed on a set-meal component"));
    return true;
}
} // namespace

void ConsoleSession::dishes(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "dishes [CATNO]"))
        return;
    QList<Food> foods;
    DBManager::defaultManager().getAllFoodInfo([&foods](const QList<Food> &all) { foods = all; }, false);
    for (const Food &food : std::as_const(foods)) {
        if (!args.isEmpty() && food.info->catno != args.first())
            continue;
        ConsoleOutput::row({food.info->foodno, food.info->displayFoodName(), food.getPrice()});
    }
}

bool ConsoleSession::checkAddAnswers(const Food &food, const AddAnswers &answers) const
{
    if (food.isDFoodType()) {
        if (!answers.swaps.isEmpty()) {
            ConsoleOutput::error(QStringLiteral("swap= is for set meals"));
            return false;
        }
        QList<FoodItemsize> rows;
        DBManager::defaultManager().getFoodItemsizeWithFoodno(
            food.info->foodno, [&rows](const QList<FoodItemsize> &sizes) { rows = sizes; });
        const QList<FoodItemsize> sizes = rows.isEmpty() ? rows : FoodSizes::withDefault(*food.info, rows);
        const QStringList names = sizeNames(sizes);
        if (names.isEmpty() && answers.size) {
            ConsoleOutput::error(food.info->foodName + QStringLiteral(" has no sizes"));
            return false;
        }
        if (!names.isEmpty() && (!answers.size || !names.contains(*answers.size))) {
            const QString problem = answers.size ? QStringLiteral(" has no size ") + *answers.size
                                                 : QStringLiteral(" needs size=NAME");
            ConsoleOutput::error(food.info->foodName + problem + QStringLiteral(", one of: ") +
                                 names.join(QStringLiteral(", ")));
            return false;
        }
    } else if (food.isTFoodType()) {
        if (answers.size) {
            ConsoleOutput::error(QStringLiteral("a set meal has no sizes"));
            return false;
        }
        Food setMeal = food;
        DBManager::defaultManager().getTFoodDataWithFood(setMeal);
        const QStringList original = SetMealExchange::originalFoodnos(setMeal);
        for (const auto &[position, foodno] : answers.swaps) {
            const QList<Food> options = position >= 0 && position < setMeal.arrSuiteFoods.size()
                                            ? setMeal.arrSuiteFoods.at(position).arrSuiteFoodsChange
                                            : QList<Food>();
            const auto option = std::find_if(options.cbegin(), options.cend(),
                                             [&foodno](const Food &f) { return f.info->foodno == foodno; });
            if (option == options.cend()) {
                ConsoleOutput::error(QStringLiteral("component ") + QString::number(position + 1) +
                                     QStringLiteral(" cannot be exchanged for ") + foodno);
                return false;
            }
            SetMealExchange::exchange(setMeal, original, position, option - options.cbegin());
        }
    } else {
        ConsoleOutput::error(QStringLiteral("a set-meal component is not ordered by itself"));
        return false;
    }

    if (!answers.tastes.isEmpty()) {
        bool bound = false;
        DBManager::defaultManager().isFoodHasBindingTasteInfoByStyle(QStringLiteral("P"), food.info->foodno,
                                                                     [&bound](bool has) { bound = has; });
        if (!bound) {
            ConsoleOutput::error(food.info->foodName +
                                 QStringLiteral(" has no bound tastes; set tastes with \"taste LINE ...\""));
            return false;
        }
        QString error;
        if (!TasteChoice(QStringLiteral("P"), food.info->foodno).choose(answers.tastes, &error)) {
            ConsoleOutput::error(error);
            return false;
        }
    }
    return true;
}

void ConsoleSession::add(const QStringList &args)
{
    if (!requireArgs(args, 1, -1, "add FOODNO [qty=N] [size=NAME] [swap=POS:FOODNO]... [taste=ITEM]..."))
        return;
    AddAnswers answers;
    for (const QString &word : args.mid(1)) {
        if (const auto value = CommandLine::option(word, QStringLiteral("qty"))) {
            const std::optional<float> qty = CommonUtils::typedNumber(*value);
            if (!qty || *qty < 1) {
                ConsoleOutput::error(localised(QStringLiteral("请输入正确数量")));
                return;
            }
            answers.qty = *qty;
        } else if (const auto size = CommandLine::option(word, QStringLiteral("size"))) {
            answers.size = *size;
        } else if (const auto swap = CommandLine::option(word, QStringLiteral("swap"))) {
            const qsizetype colon = swap->indexOf(u':');
            bool ok = false;
            const qsizetype position = colon < 0 ? 0 : swap->left(colon).toLongLong(&ok);
            if (!ok || position < 1) {
                ConsoleOutput::error(QStringLiteral("swap=POS:FOODNO, not ") + word);
                return;
            }
            answers.swaps.append({position - 1, swap->mid(colon + 1)});
        } else if (const auto tasteWord = CommandLine::option(word, QStringLiteral("taste"))) {
            answers.tastes.append(*tasteWord);
        } else {
            ConsoleOutput::error(QStringLiteral("unknown argument: ") + word);
            return;
        }
    }
    const std::optional<Food> food = findFood(args.first());
    if (!food || !checkAddAnswers(*food, answers))
        return;

    answers_ = answers;
    // Quantities the pop-ups do not carry: a dish without sizes is ordered at once, as its action
    // would, with the quantity given.
    const bool orderedAtOnce = food->isDFoodType() && !answers.size;
    if (orderedAtOnce && answers.qty != 1)
        orders().addFood(*food, std::nullopt, answers.qty);
    else
        FoodActions::genActionWithFood(*food)->addFood();
    settle();
    answers_ = AddAnswers();
}

void ConsoleSession::remove(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "remove FOODNO"))
        return;
    if (const std::optional<Food> food = findFood(args.first()))
        FoodActions::genActionWithFood(*food)->delFood();
}

void ConsoleSession::qty(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "qty LINE N"))
        return;
    const Line line = lineAt(args.at(0));
    if (!line || refusesComponent(line, QStringLiteral("the quantity")))
        return;
    const std::optional<float> value = CommonUtils::typedNumber(args.at(1));
    if (!value) {
        ConsoleOutput::error(localised(QStringLiteral("请输入正确数量")));
        return;
    }
    if (*value <= 0) {
        ConsoleOutput::error(localised(QStringLiteral("数量不能为0")));
        return;
    }
    orders().setOrderQty(line, *value);
    TaskManager::defaultManager().runOrderAmountTaskWithFoodIdentity(line->foodno);
    orderListChanged();
}

void ConsoleSession::step(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "step LINE +1|-1"))
        return;
    const Line line = lineAt(args.at(0));
    if (!line || refusesComponent(line, QStringLiteral("the quantity")))
        return;
    if (args.at(1) != u"+1" && args.at(1) != u"-1") {
        ConsoleOutput::error(QStringLiteral("usage: step LINE +1|-1"));
        return;
    }
    orders().setOrderAlphaQty(line, args.at(1) == u"+1" ? 1.0f : -1.0f);
    orderListChanged();
}

void ConsoleSession::deleteLine(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "delete LINE"))
        return;
    const Line line = lineAt(args.at(0));
    if (!line || refusesComponent(line, QStringLiteral("the order")))
        return;
    orders().deleteFoodOrder(line);
    orderListChanged();
}

void ConsoleSession::taste(const QStringList &args)
{
    if (!requireArgs(args, 1, -1, "taste LINE [TASTENO|manual:NAME[:AMOUNT]]..."))
        return;
    const Line line = lineAt(args.at(0));
    if (!line)
        return;
    QString error;
    const auto tastes = TasteChoice(QStringLiteral("P"), line->foodno).choose(args.mid(1), &error);
    if (!tastes) {
        ConsoleOutput::error(error);
        return;
    }
    orders().changeLine(line, [&tastes](FoodOrder &changed) { changed.arrTaste = *tastes; });
    orderListChanged();
}

void ConsoleSession::remark(const QStringList &args)
{
    QString error;
    const auto remarks = TasteChoice(QStringLiteral("B"), QString()).choose(args, &error);
    if (!remarks) {
        ConsoleOutput::error(error);
        return;
    }
    orders().changePack([&remarks](OrderPack &pack) { pack.arrTaste = *remarks; });
    orderListChanged();
}

void ConsoleSession::price(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "price LINE PRICE"))
        return;
    const Line line = lineAt(args.at(0));
    if (!line)
        return;
    if (!(line->isTempFood() || line->isShiJia()) || line->isMFoodType() || line->isZengSong()) {
        ConsoleOutput::error(
            QStringLiteral("only market-price and temporary dishes that are not gifts take a price"));
        return;
    }
    const std::optional<float> value = CommonUtils::typedNumber(args.at(1));
    if (!value) {
        ConsoleOutput::error(localised(QStringLiteral("请输入正确的金额")));
        return;
    }
    if (*value <= 0) {
        ConsoleOutput::error(localised(QStringLiteral("销售价格需要大于零！")));
        return;
    }
    orders().changeLine(line, [&value](FoodOrder &changed) { changed.salePrice1 = *value; });
    orderListChanged();
}

void ConsoleSession::gift(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "gift LINE AUTHID") || !requireLogin())
        return;
    const Line line = lineAt(args.at(0));
    if (!line || refusesComponent(line, QStringLiteral("a gift")))
        return;
    if (line->isZengSong()) {
        ConsoleOutput::error(QStringLiteral("line ") + args.at(0) + QStringLiteral(" is already a gift"));
        return;
    }
    if (!SupportChecker::sharedChecker().checkIsSupportZengSong())
        return;
    CashierInfo authority;
    DBManager::defaultManager().getCashierInfoWithId(
        args.at(1), [&authority](const CashierInfo &found) { authority = found; });
    if (authority.cashierID.isEmpty()) {
        ConsoleOutput::error(localised(QStringLiteral("用户名或密码错误")));
        return;
    }
    if (!authority.hasZengSongAuth()) {
        ConsoleOutput::error(localised(QStringLiteral("没有权限")));
        return;
    }
    orders().setZengSong(line, true, args.at(1));
    orderListChanged();
}

void ConsoleSession::ungift(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "ungift LINE") || !requireLogin())
        return;
    const Line line = lineAt(args.at(0));
    if (!line)
        return;
    if (!line->isZengSong()) {
        ConsoleOutput::error(QStringLiteral("line ") + args.at(0) + QStringLiteral(" is not a gift"));
        return;
    }
    orders().setZengSong(line, false);
    orderListChanged();
}

void ConsoleSession::state(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "state [LINE]"))
        return;
    Line line;
    if (!args.isEmpty()) {
        if (!requireLogin() || !(line = lineAt(args.first())))
            return;
    }
    if (!ConfigManager::defaultManager().showOrderListStatus()) {
        ConsoleOutput::notice(localised(QStringLiteral("落单状态不可调整，可在设置中切换")));
        return;
    }
    if (line)
        orders().changeLine(line, [](FoodOrder &changed) {
            changed.PrintState = FoodOrder::nextPrintState(changed.PrintState);
        });
    else
        orders().switchPrintState();
}

void ConsoleSession::table(const QStringList &args)
{
    if (!requireArgs(args, 2, 3, "table DESKNO GUESTS [WAITER]") || !requireLogin())
        return;
    const QString guests = args.at(1);
    if (!CommonUtils::isValidNumber(guests)) {
        ConsoleOutput::error(localised(QStringLiteral("请输入正确人数！")));
        return;
    }
    const ConfigManager &config = ConfigManager::defaultManager();
    const QString deskNo = config.lockTable() ? config.bindTableNo().value_or(QString()) : args.at(0);
    QList<DeskInfo> tables;
    DBManager::defaultManager().getAllTables([&tables](const QList<DeskInfo> &all) { tables = all; });
    const bool known = std::any_of(tables.cbegin(), tables.cend(),
                                   [&deskNo](const DeskInfo &desk) { return desk.deskno == deskNo; });
    if (!known)
        ConsoleOutput::error(localised(QStringLiteral("不存在的桌台编号")));
    const QString waiter = args.size() > 2 ? args.at(2) : LoginManager::accountId();
    orders().changePack([&](OrderPack &pack) {
        pack.WaiterMan = waiter;
        pack.CustCount = guests;
        pack.DeskNo = deskNo;
    });
}

void ConsoleSession::lines(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "lines"))
        return;
    qsizetype position = 0;
    for (const Line &line : orders().arrOrders()) {
        ConsoleOutput::row({QString::number(++position), QString::number(line->itemSeq), line->FoodType,
                            line->foodno, line->foodName, line->OrderQuantity(), line->PriceSale1(),
                            CommonUtils::format2(line->getTotalPrice()), line->PrintState,
                            TasteInfo::displayTasteString(line->arrTaste)});
    }
}

void ConsoleSession::totals(const QStringList &args)
{
    if (requireArgs(args, 0, 0, "totals"))
        ConsoleOutput::row({orders().getOrderPackAmount(), orders().getOrderPackPay()});
}

void ConsoleSession::xml(const QStringList &args)
{
    if (!requireArgs(args, 1, 1, "xml send|guadan"))
        return;
    if (args.first() == u"send")
        ConsoleOutput::line(OrderSender::defaultSender().sendText());
    else if (args.first() == u"guadan")
        ConsoleOutput::line(orders().orderPack()->toGuadanString());
    else
        ConsoleOutput::error(QStringLiteral("usage: xml send|guadan"));
}
