#include "ScaleFixture.h"

#include "DemoRestaurant.h"
#include "Pinyin.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <random>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

struct NamePart {
    const char *chinese;
    const char *english;
};

constexpr NamePart kStyles[] = {
    {"秘制", "Secret-recipe"}, {"家常", "Home-style"}, {"招牌", "Signature"},  {"农家", "Farmhouse"},
    {"老坛", "Old-jar"},       {"古法", "Classic"},    {"特色", "Special"},    {"精品", "Premium"},
    {"乡村", "Country"},       {"私房", "Private"},    {"养生", "Wholesome"},  {"正宗", "Authentic"},
    {"香辣", "Spicy"},         {"蜜汁", "Honey"},      {"酱香", "Soy-glazed"}, {"鲜香", "Savoury"},
};

constexpr NamePart kMethods[] = {
    {"红烧", "Braised"},    {"清蒸", "Steamed"},       {"干煸", "Dry-fried"}, {"爆炒", "Stir-fried"},
    {"糖醋", "Sweet-sour"}, {"椒盐", "Salt-pepper"},   {"水煮", "Poached"},   {"香煎", "Pan-fried"},
    {"卤水", "Marinated"},  {"酱爆", "Sauce-blasted"}, {"铁板", "Sizzling"},  {"炭烤", "Charcoal"},
    {"白灼", "Blanched"},   {"葱烧", "Scallion"},      {"黄焖", "Stewed"},    {"蒜蓉", "Garlic"},
};

constexpr NamePart kIngredients[] = {
    {"牛腩", "Beef Brisket"}, {"鸡翅", "Chicken Wings"}, {"排骨", "Spare Ribs"},   {"豆腐", "Tofu"},
    {"茄子", "Eggplant"},     {"鲈鱼", "Sea Bass"},      {"大虾", "Prawns"},       {"羊排", "Lamb Chops"},
    {"鸭胸", "Duck Breast"},  {"五花肉", "Pork Belly"},  {"牛柳", "Beef Fillet"},  {"鸡丁", "Diced Chicken"},
    {"鱿鱼", "Squid"},        {"带鱼", "Hairtail"},      {"花菜", "Cauliflower"},  {"土豆", "Potatoes"},
    {"藕片", "Lotus Root"},   {"冬瓜", "Winter Melon"},  {"蘑菇", "Mushrooms"},    {"豆角", "Green Beans"},
    {"猪肝", "Pork Liver"},   {"腰花", "Pork Kidney"},   {"肥肠", "Intestines"},   {"牛蛙", "Bullfrog"},
    {"鳝段", "Eel"},          {"扇贝", "Scallops"},      {"花蛤", "Clams"},        {"蛏子", "Razor Clams"},
    {"鸡腿", "Chicken Legs"}, {"猪蹄", "Trotters"},      {"白菜", "Napa Cabbage"}, {"青笋", "Celtuce"},
    {"木耳", "Black Fungus"}, {"香菇", "Shiitake"},      {"年糕", "Rice Cakes"},   {"粉丝", "Vermicelli"},
    {"鱼片", "Fish Fillet"},  {"虾仁", "Shrimp"},        {"牛肚", "Beef Tripe"},   {"鹅掌", "Goose Feet"},
};

constexpr int kNameCombinations = int(std::size(kStyles) * std::size(kMethods) * std::size(kIngredients));

const char *const kUnits[] = {"份", "盘", "例", "份", "锅", "份"};

// The demo dishes a fixture keeps: every dish some other table points at, and the dishes with a
// flag that the terminal treats apart.
QSet<QString> keptFoodnos(const Catalogue &demo)
{
    QSet<QString> kept;
    for (const ItemSize &size : demo.itemSizes)
        kept.insert(size.foodno);
    for (const SuitComponent &component : demo.suitComponents) {
        kept.insert(component.suitno);
        kept.insert(component.foodno);
    }
    for (const SuitChange &change : demo.suitChanges)
        kept.insert(change.changeFoodno);
    for (const FoodTaste &binding : demo.foodTastes)
        kept.insert(binding.foodno);
    for (const Dish &dish : demo.dishes) {
        if (dish.currpriceFlag == u"Y"_s || dish.TempFoodFlag != u"N"_s || dish.FoodType != u"D"_s)
            kept.insert(dish.foodno);
    }
    return kept;
}

// Generated dishes go to the food categories; drinks, set meals and open items keep the demo's.
QStringList foodCategories(const Catalogue &demo)
{
    QStringList scatnos;
    for (const SmallCategory &category : demo.smallCategories) {
        switch (category.look) {
        case Look::Beer:
        case Look::Liquor:
        case Look::SoftDrink:
        case Look::Tea:
        case Look::SetMeal:
        case Look::OpenItem:
            break;
        default:
            scatnos.append(category.scatno);
        }
    }
    return scatnos;
}

Dish generatedDish(int index, const QString &foodno, const QString &catno, std::mt19937 &random)
{
    const int combination = index % kNameCombinations;
    const int round = index / kNameCombinations;
    const NamePart &ingredient = kIngredients[combination % std::size(kIngredients)];
    const NamePart &method = kMethods[(combination / std::size(kIngredients)) % std::size(kMethods)];
    const NamePart &style = kStyles[combination / (std::size(kIngredients) * std::size(kMethods))];

    Dish dish;
    dish.foodno = foodno;
    dish.catno = catno;
    dish.foodName = QString::fromUtf8(style.chinese) + QString::fromUtf8(method.chinese) +
                    QString::fromUtf8(ingredient.chinese);
    dish.foodSubName = QString::fromUtf8(style.english) + u' ' + QString::fromUtf8(method.english) + u' ' +
                       QString::fromUtf8(ingredient.english);
    if (round > 0) {
        dish.foodName += QString::number(round + 1);
        dish.foodSubName += u' ' + QString::number(round + 1);
    }
    dish.spellName = pinyinInitials(dish.foodName);
    // Prices in half yuan from 12 to 188.
    const double price = 12 + double(random() % 353) / 2.0;
    dish.salePrice1 = dish.salePrice2 = dish.salePrice3 = price;
    dish.MemberPrice = std::round(price * 9.0) / 10.0;
    dish.unitname = QString::fromUtf8(kUnits[random() % std::size(kUnits)]);
    if (random() % 12 == 0)
        dish.TjFlag = u"Y"_s;
    return dish;
}

} // namespace

int minimumFixtureDishes()
{
    return int(keptFoodnos(demoRestaurant()).size());
}

Catalogue scaleFixture(int dishCount)
{
    Catalogue catalogue = demoRestaurant();
    const QSet<QString> kept = keptFoodnos(catalogue);
    int lastSequence = 0;
    QList<Dish> dishes;
    for (const Dish &dish : catalogue.dishes) {
        lastSequence = std::max(lastSequence, dish.foodno.toInt());
        if (kept.contains(dish.foodno))
            dishes.append(dish);
    }

    const QStringList categories = foodCategories(catalogue);
    std::mt19937 random(20261201);
    const int generatedCount = dishCount - int(dishes.size());
    for (int i = 0; i < generatedCount; ++i)
        dishes.append(
            generatedDish(i, foodnoFor(lastSequence + 1 + i), categories[i % categories.size()], random));

    // Menu order: by category, the kept demo dishes first within each.
    std::stable_sort(dishes.begin(), dishes.end(),
                     [](const Dish &a, const Dish &b) { return a.catno < b.catno; });
    catalogue.dishes = dishes;
    return catalogue;
}

} // namespace demodata
