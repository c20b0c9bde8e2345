#include "DemoRestaurant.h"

#include "CommonTables.h"
#include "DemoMenu.h"
#include "Pinyin.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

// The member price is 9/10 of the price, to one decimal as the server rounds it.
double memberPrice(double price)
{
    return std::round(price * 9.0) / 10.0;
}

void addCategories(Catalogue &c)
{
    for (const auto &row : demomenu::bigCategories())
        c.bigCategories.append({u8(row.bcatno), u8(row.name)});
    for (const auto &row : demomenu::smallCategories()) {
        SmallCategory category{u8(row.scatno), u8(row.name), u8(row.bcatno), {}, {}, row.look};
        if (row.viewRow >= 0) {
            category.cpViewRow = row.viewRow;
            category.cpViewCol = row.viewCol;
        }
        c.smallCategories.append(category);
    }
}

void addDishes(Catalogue &c)
{
    int sequence = 0;
    for (const auto &row : demomenu::dishes()) {
        Dish dish;
        dish.foodno = foodnoFor(++sequence);
        dish.catno = u8(row.scatno);
        dish.foodName = u8(row.name);
        dish.foodSubName = u8(row.english);
        dish.spellName = pinyinInitials(dish.foodName);
        dish.unitname = u8(row.unit);
        dish.Remark = u8(row.remark);
        dish.salePrice1 = dish.salePrice2 = dish.salePrice3 = row.price;
        dish.MemberPrice = memberPrice(row.price);
        if (row.flags & demomenu::Recommended)
            dish.TjFlag = u"Y"_s;
        if (row.flags & demomenu::MarketPrice)
            dish.currpriceFlag = u"Y"_s;
        if (row.flags & demomenu::OpenItem)
            dish.TempFoodFlag = u"Y"_s;
        if (row.flags & demomenu::NullTempFlag)
            dish.TempFoodFlag.reset();
        if (row.flags & demomenu::SetMeal)
            dish.FoodType = u"T"_s;
        c.dishes.append(dish);
    }
}

// The builders below name dishes; a name missing from the menu is a mistake in this program.
const Dish &dish(const Catalogue &c, const char *name)
{
    if (const Dish *found = c.dishNamed(u8(name)))
        return *found;
    std::fprintf(stderr, "demo menu has no dish %s\n", name);
    std::abort();
}

QString tasteNo(const Catalogue &c, const char *name)
{
    for (const Taste &taste : c.tastes) {
        if (taste.TasteName == u8(name))
            return taste.TasteNo;
    }
    std::fprintf(stderr, "demo menu has no cooking method %s\n", name);
    std::abort();
}

void setOwnSize(Catalogue &c, const char *name, const char *size)
{
    const QString foodno = dish(c, name).foodno;
    for (Dish &d : c.dishes) {
        if (d.foodno == foodno)
            d.itemsize = u8(size);
    }
}

void addSize(Catalogue &c, const char *name, const char *size, double price)
{
    c.itemSizes.append({dish(c, name).foodno, u8(size), price, price, price, memberPrice(price)});
}

void addItemSizes(Catalogue &c)
{
    // Each dish's own row is its middle size; the size rows add the others.
    setOwnSize(c, "水煮鱼", "中份");
    addSize(c, "水煮鱼", "小份", 58);
    addSize(c, "水煮鱼", "大份", 98);
    setOwnSize(c, "红烧肉", "中份");
    addSize(c, "红烧肉", "小份", 32);
    addSize(c, "红烧肉", "大份", 62);
    setOwnSize(c, "酸菜鱼", "中份");
    addSize(c, "酸菜鱼", "大份", 88);
    addSize(c, "酸菜鱼", "小份", 48);
    setOwnSize(c, "鲜榨橙汁", "中杯");
    addSize(c, "鲜榨橙汁", "小杯", 18);
    addSize(c, "鲜榨橙汁", "一扎", 58);
    // Only one size row: the chooser offers it first and the dish's own size second.
    setOwnSize(c, "水果拼盘", "大份");
    addSize(c, "水果拼盘", "小份", 22);
}

struct ComponentRow {
    const char *name;
    qint64 fIndex;
    double qty;
    const char *forceChange;
};

struct ChangeRow {
    const char *component;
    const char *replacement;
    double amount;
};

// Component rows are written in the order given, which deliberately differs from fIndex order:
// the terminal must sort them itself.
void addSetMeal(Catalogue &c, const char *setName, std::initializer_list<ComponentRow> components,
                std::initializer_list<ChangeRow> changes)
{
    const QString suitno = dish(c, setName).foodno;
    for (const ComponentRow &row : components) {
        const Dish &part = dish(c, row.name);
        c.suitComponents.append({suitno, part.foodno, part.foodName, row.qty, u8(row.forceChange), row.fIndex,
                                 part.itemsize, part.currpriceFlag, part.TempFoodFlag});
    }
    for (const ChangeRow &row : changes) {
        const Dish &replacement = dish(c, row.replacement);
        c.suitChanges.append(
            {suitno, dish(c, row.component).foodno, replacement.foodno, replacement.foodName, row.amount});
    }
}

void addSetMeals(Catalogue &c)
{
    addSetMeal(c, "商务套餐A", {{"例汤", 3, 1, "N"}, {"宫保鸡丁", 1, 1, "N"}, {"米饭", 2, 1, "N"}},
               {{"宫保鸡丁", "鱼香肉丝", 0},
                {"宫保鸡丁", "回锅肉", 0},
                {"宫保鸡丁", "小炒黄牛肉", 12},
                {"米饭", "扬州炒饭", 10},
                {"例汤", "酸辣汤", 6}});
    addSetMeal(c, "双人套餐",
               {{"清炒时蔬", 30, 1, "N"},
                {"回锅肉", 10, 1, "N"},
                {"例汤", 50, 2, "N"},
                {"麻婆豆腐", 20, 1, "N"},
                {"米饭", 40, 2, "Y"}},
               {{"回锅肉", "京酱肉丝", 0},
                {"回锅肉", "红烧肉", 8},
                {"回锅肉", "酸辣土豆丝", -10},
                {"清炒时蔬", "蚝油生菜", 0},
                {"清炒时蔬", "白灼菜心", 0},
                {"麻婆豆腐", "地三鲜", 0}});
    addSetMeal(
        c, "家庭欢聚套餐",
        {{"松鼠桂鱼", 2, 1, "Y"}, {"扬州炒饭", 4, 2, "N"}, {"卤水拼盘", 1, 1, "N"}, {"红烧肉", 3, 1, "N"}},
        {{"松鼠桂鱼", "清蒸鲈鱼", -20},
         {"松鼠桂鱼", "酸菜鱼", -10},
         {"松鼠桂鱼", "剁椒鱼头", 0},
         {"红烧肉", "北京烤鸭", 60},
         {"扬州炒饭", "牛肉面", 6}});
}

void bindTastes(Catalogue &c, const char *dishName, std::initializer_list<const char *> tasteNames)
{
    const QString foodno = dish(c, dishName).foodno;
    for (const char *name : tasteNames)
        c.foodTastes.append({foodno, tasteNo(c, name)});
}

void addBoundTastes(Catalogue &c)
{
    bindTastes(c, "辣子鸡", {"微辣", "中辣", "特辣"});
    bindTastes(c, "清炒时蔬", {"清炒", "蒜蓉", "上汤"});
    bindTastes(c, "波士顿龙虾", {"芝士焗", "上汤焗", "刺身"});
    bindTastes(c, "牛肉面", {"宽面", "细面", "加面"});
}

} // namespace

QString foodnoFor(int sequence)
{
    return QString::asprintf("%05d", sequence);
}

Catalogue demoRestaurant()
{
    Catalogue c;
    addCategories(c);
    addDishes(c);
    addCommonTables(c);
    addItemSizes(c);
    addSetMeals(c);
    addBoundTastes(c);
    return c;
}

} // namespace demodata
