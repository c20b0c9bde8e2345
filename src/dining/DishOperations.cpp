#include "DishOperations.h"

#include "foundation/CommonUtils.h"
#include "server/CommandMaker.h"
#include "settings/LanguageManager.h"

#include <cmath>

#include <QHash>

using namespace Qt::StringLiterals;

QString LeftMenu::value() const
{
    switch (style) {
    case TableStyle:
        return tableno;
    case BigCatStyle:
        return bCatno;
    case SmallCatStyle:
        return sCatno;
    case DishStyle:
        return foodno;
    case AmountStyle:
        return amount;
    case ReasonStyle:
        return reason;
    default:
        return {};
    }
}

namespace DishOperations {

namespace {
LeftMenu entry(const QString &name, int style, const QString &tableno, const QString &amount = {})
{
    LeftMenu made;
    made.name = name;
    made.style = style;
    made.tableno = tableno;
    made.amount = amount;
    return made;
}

const LeftMenu *findStyle(const QList<LeftMenu> &entries, int style)
{
    for (const LeftMenu &one : entries) {
        if (one.style == style)
            return &one;
    }
    return nullptr;
}
} // namespace

QString titleKey(int operation)
{
    switch (operation) {
    case Hurry:
        return u"选择催菜方式"_s;
    case Release:
        return u"选择起菜方式"_s;
    case Return:
        return u"请输入退菜信息"_s;
    case Weigh:
        return u"品项称重"_s;
    default:
        return {};
    }
}

QList<LeftMenu> entriesFor(int operation, const QString &tableno)
{
    switch (operation) {
    case Hurry:
    case Release:
        return {entry(u"按桌台"_s, LeftMenu::TableStyle, tableno),
                entry(u"按大类"_s, LeftMenu::BigCatStyle, tableno),
                entry(u"按小类"_s, LeftMenu::SmallCatStyle, tableno),
                entry(u"按菜品"_s, LeftMenu::DishStyle, tableno)};
    case Return:
        return {entry(u"桌台编号"_s, LeftMenu::TableStyle, tableno),
                entry(u"菜品"_s, LeftMenu::DishStyle, tableno),
                entry(u"退菜数量"_s, LeftMenu::AmountStyle, tableno, u"1"_s),
                entry(u"退菜原因"_s, LeftMenu::ReasonStyle, tableno)};
    case Weigh:
        return {entry(u"桌台编号"_s, LeftMenu::TableStyle, tableno),
                entry(u"菜品"_s, LeftMenu::DishStyle, tableno),
                entry(u"称重数量"_s, LeftMenu::AmountStyle, tableno, u"1"_s)};
    default:
        return {};
    }
}

int firstSelected(int operation)
{
    return operation == Return || operation == Weigh ? 1 : 0;
}

bool isPositiveQuantity(const QString &text)
{
    const std::optional<float> number = CommonUtils::editedNumber(text);
    return number && *number > 0;
}

QString confirmProblem(int operation, const QList<LeftMenu> &entries, int selected)
{
    if (operation == Hurry || operation == Release) {
        if (selected < 0 || selected >= entries.size())
            return {};
        const LeftMenu &chosen = entries.at(selected);
        if (chosen.style == LeftMenu::BigCatStyle && chosen.bCatno.isEmpty())
            return u"请选择商品大类"_s;
        if (chosen.style == LeftMenu::SmallCatStyle && chosen.sCatno.isEmpty())
            return u"请选择商品小类"_s;
        if (chosen.style == LeftMenu::DishStyle && chosen.foodno.isEmpty())
            return u"请选择商品"_s;
        return {};
    }
    for (const LeftMenu &one : entries) {
        switch (one.style) {
        case LeftMenu::DishStyle:
            if (one.foodno.isEmpty())
                return u"请选择商品"_s;
            break;
        case LeftMenu::AmountStyle:
            // A return tells an empty quantity apart; weighing counts it as no number.
            if (operation == Return && one.amount.isEmpty())
                return u"数量不能为空"_s;
            if (!isPositiveQuantity(one.amount))
                return u"数量必须为数字"_s;
            break;
        case LeftMenu::ReasonStyle:
            if (operation == Return && one.reason.isEmpty())
                return u"请选择退菜原因"_s;
            break;
        default:
            break;
        }
    }
    return {};
}

std::optional<ClientCommand> hurryCommand(int operation, const LeftMenu &chosen)
{
    if (operation != Hurry && operation != Release)
        return std::nullopt;
    const bool hurry = operation == Hurry;
    switch (chosen.style) {
    case LeftMenu::TableStyle:
        return hurry ? CommandMaker::deskHurry(chosen.tableno) : CommandMaker::deskWakeup(chosen.tableno);
    case LeftMenu::BigCatStyle:
    case LeftMenu::SmallCatStyle: {
        const QString catNo = chosen.style == LeftMenu::BigCatStyle ? chosen.bCatno : chosen.sCatno;
        return hurry ? CommandMaker::catHurry(chosen.tableno, catNo)
                     : CommandMaker::catWakeUp(chosen.tableno, catNo);
    }
    case LeftMenu::DishStyle:
        return hurry ? CommandMaker::foodHurry(chosen.tableno, chosen.foodno)
                     : CommandMaker::foodWakeUp(chosen.tableno, chosen.foodno);
    default:
        return std::nullopt;
    }
}

std::optional<ClientCommand> listCommand(int operation, const QList<LeftMenu> &entries)
{
    if (operation != Return && operation != Weigh)
        return std::nullopt;
    const LeftMenu *table = findStyle(entries, LeftMenu::TableStyle);
    const LeftMenu *dish = findStyle(entries, LeftMenu::DishStyle);
    const LeftMenu *amount = findStyle(entries, LeftMenu::AmountStyle);
    const LeftMenu *reason = findStyle(entries, LeftMenu::ReasonStyle);
    ClientCommand command = operation == Return ? CommandMaker::returnFood({}, {}, {}, {})
                                                : CommandMaker::chengZhongFood({}, {}, {}, {});
    const auto field = [](const LeftMenu *from, QString LeftMenu::*member) -> std::optional<QString> {
        return from ? std::optional<QString>(from->*member) : std::nullopt;
    };
    command.DeskNo = field(table, &LeftMenu::tableno);
    command.FoodNo = field(dish, &LeftMenu::foodno);
    command.FoodQty = field(amount, &LeftMenu::amount);
    if (operation == Return)
        command.ReturnReason = field(reason, &LeftMenu::reason);
    else
        command.itemseq = field(dish, &LeftMenu::itemseq);
    return command;
}

std::optional<ClientCommand> selectionCommand(int operation, const QList<LeftMenu> &selection)
{
    if (operation == Hurry || operation == Release)
        return selection.isEmpty() ? std::nullopt : hurryCommand(operation, selection.first());
    return listCommand(operation, selection);
}

QList<FoodInfo> soldDishes(const QList<FoodInfo> &catalogue, const QList<Row2> &lines)
{
    QHash<QString, QList<const Row2 *>> byDish;
    for (const Row2 &line : lines)
        byDish[line.pluno.value_or(QString())].append(&line);
    QList<FoodInfo> dishes;
    for (const FoodInfo &dish : catalogue) {
        const auto found = byDish.constFind(dish.foodno);
        if (found == byDish.cend())
            continue;
        for (const Row2 *line : *found) {
            FoodInfo copy = *dish.clone();
            copy.foodName = line->pluName.value_or(QString());
            copy.itemseq = line->itemseq.value_or(QString());
            copy.salePrice1 = readNumber(line->SalePrice);
            copy.qty = readNumber(line->saleQty);
            dishes.append(copy);
        }
    }
    return dishes;
}

bool matchesKey(const QStringList &texts, const QString &key)
{
    if (key.isEmpty())
        return true;
    for (const QString &text : texts) {
        if (text.contains(key, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

float readNumber(const std::optional<QString> &text)
{
    bool ok = false;
    const float number = text.value_or(QString()).toFloat(&ok);
    return ok && std::isfinite(number) ? number : 0;
}

namespace {
// A line's quantity times its price; two large finite numbers can still make one no float holds.
float lineAmount(const Row2 &line)
{
    const float amount = readNumber(line.saleQty) * readNumber(line.SalePrice);
    return std::isfinite(amount) ? amount : 0;
}
} // namespace

QList<BillLine> billLines(const QList<Row2> &lines)
{
    QList<BillLine> bill;
    bill.reserve(lines.size());
    for (const Row2 &line : lines) {
        const float amount = lineAmount(line);
        bill.append({line.pluno.value_or(QString()), line.pluName.value_or(QString()),
                     line.saleQty.value_or(QString()), line.SalePrice.value_or(QString()),
                     CommonUtils::format2(amount)});
    }
    return bill;
}

float billTotal(const QList<Row2> &lines)
{
    float total = 0;
    for (const Row2 &line : lines)
        total += lineAmount(line);
    return std::isfinite(total) ? total : 0;
}

QString billTotalText(float total)
{
    const LanguageManager &language = LanguageManager::defaultManager();
    QString format = language.readString(u"%@：%.2f"_s);
    format.replace(u"%.2f"_s, CommonUtils::format2(total));
    return format.replace(u"%@"_s, language.readString(u"总计"_s));
}

} // namespace DishOperations
