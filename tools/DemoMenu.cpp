#include "DemoMenu.h"

namespace demodata::demomenu {

namespace {

constexpr BigCategoryRow kBigCategories[] = {
    {"01", "凉菜卤味"}, {"02", "招牌热菜"}, {"03", "生猛海鲜"},
    {"04", "汤羹主食"}, {"05", "酒水饮料"}, {"06", "套餐甜品"},
};

constexpr SmallCategoryRow kSmallCategories[] = {
    {"0101", "开胃凉菜", "01", 2, 3, Look::Cold},      {"0102", "卤味拼盘", "01", -1, -1, Look::Braised},
    {"0201", "川湘风味", "02", 3, 4, Look::Spicy},     {"0202", "粤式小炒", "02", 0, 0, Look::StirFry},
    {"0203", "家常热菜", "02", -1, -1, Look::Braised}, {"0204", "特色干锅", "02", 2, 3, Look::GriddlePot},
    {"0301", "鲜活海鲜", "03", 2, 3, Look::Seafood},   {"0302", "河鲜", "03", 0, 0, Look::Seafood},
    {"0303", "海鲜小炒", "03", -1, -1, Look::Seafood}, {"0401", "滋补汤羹", "04", 2, 2, Look::Soup},
    {"0402", "主食面点", "04", 0, 0, Look::Staple},    {"0403", "广式点心", "04", 3, 3, Look::DimSum},
    {"0501", "啤酒", "05", 2, 4, Look::Beer},          {"0502", "白酒洋酒", "05", -1, -1, Look::Liquor},
    {"0503", "软饮果汁", "05", 0, 0, Look::SoftDrink}, {"0504", "茶饮", "05", 2, 4, Look::Tea},
    {"0601", "超值套餐", "06", 1, 2, Look::SetMeal},   {"0602", "甜品", "06", 0, 0, Look::Dessert},
    {"0603", "临时菜", "06", -1, -1, Look::OpenItem},
};

constexpr DishRow kDishes[] = {
    // 开胃凉菜
    {"0101", "拍黄瓜", "Smashed Cucumber", 12, "份", Plain, ""},
    {"0101", "夫妻肺片", "Sliced Beef and Ox Tongue in Chili Sauce", 38, "份", Recommended,
     "成都名菜，牛肉牛舌薄切，红油麻辣鲜香。"},
    {"0101", "口水鸡", "Mouthwatering Chicken", 36, "份", Recommended, "三黄鸡浸凉，淋秘制红油，麻辣爽滑。"},
    {"0101", "凉拌木耳", "Black Fungus Salad", 16, "份", Plain, ""},
    {"0101", "皮蛋豆腐", "Preserved Egg with Tofu", 14, "份", Plain, ""},
    {"0101", "蒜泥白肉", "Pork Slices with Garlic Sauce", 32, "份", Plain, ""},
    {"0101", "老醋花生", "Peanuts in Aged Vinegar", 12, "碟", Plain, ""},
    {"0101", "凉拌海蜇", "Jellyfish Salad", 28, "份", Plain, ""},
    // 卤味拼盘
    {"0102", "卤水拼盘", "Marinated Platter", 58, "盘", Recommended, "潮式卤水鹅肉、豆腐、鸡蛋拼盘。"},
    {"0102", "卤牛肉", "Spiced Braised Beef", 42, "份", Plain, ""},
    {"0102", "卤鸭翅", "Braised Duck Wings", 28, "份", Plain, ""},
    {"0102", "白切鸡", "Poached Chicken", 88, "只", Plain, "配姜葱蓉蘸料。"},
    {"0102", "盐水鸭", "Nanjing Salted Duck", 46, "份", Plain, ""},
    {"0102", "酱猪蹄", "Soy-braised Trotters", 32, "只", Plain, ""},
    // 川湘风味
    {"0201", "宫保鸡丁", "Kung Pao Chicken", 38, "份", Recommended, "鸡腿肉丁配花生米，糊辣荔枝味。"},
    {"0201", "麻婆豆腐", "Mapo Tofu", 22, "份", Recommended, "麻、辣、烫、香、酥、嫩、鲜、活。"},
    {"0201", "水煮鱼", "Boiled Fish in Chili Oil", 78, "份", Plain, "草鱼片配豆芽，可选小、中、大份。"},
    {"0201", "回锅肉", "Twice-cooked Pork", 36, "份", Plain, ""},
    {"0201", "鱼香肉丝", "Shredded Pork with Garlic Sauce", 32, "份", Plain, ""},
    {"0201", "辣子鸡", "Chongqing Spicy Chicken", 48, "份", Plain, "可选微辣、中辣、特辣。"},
    {"0201", "剁椒鱼头", "Steamed Fish Head with Chopped Chili", 68, "份", Recommended,
     "鲜鳙鱼头配自制剁椒，鱼头吃完可加面。"},
    {"0201", "毛血旺", "Spicy Blood Curd Stew", 52, "份", Plain, ""},
    {"0201", "小炒黄牛肉", "Stir-fried Beef with Chili", 58, "份", Plain, ""},
    {"0201", "干煸四季豆", "Dry-fried Green Beans", 22, "份", Plain, ""},
    {"0201", "蚂蚁上树", "Ants Climbing a Tree", 22, "份", Plain, ""},
    // 粤式小炒
    {"0202", "蚝油生菜", "Lettuce in Oyster Sauce", 18, "份", Plain, ""},
    {"0202", "咕噜肉", "Sweet and Sour Pork", 36, "份", Plain, ""},
    {"0202", "豉汁蒸排骨", "Steamed Spare Ribs in Black Bean Sauce", 38, "份", Plain, ""},
    {"0202", "西兰花炒虾仁", "Shrimp with Broccoli", 48, "份", Plain, ""},
    {"0202", "干炒牛河", "Stir-fried Beef Ho Fun", 32, "份", Recommended, "猛火快炒，镬气十足。"},
    {"0202", "清炒时蔬", "Seasonal Greens", 18, "份", Plain, "可选清炒、蒜蓉或上汤。"},
    {"0202", "啫啫鸡煲", "Sizzling Chicken Claypot", 58, "煲", Plain, ""},
    {"0202", "白灼菜心", "Poached Choy Sum", 18, "份", Plain, ""},
    {"0202", "蜜汁叉烧", "Honey-glazed Char Siu", 42, "份", Plain, ""},
    // 家常热菜
    {"0203", "红烧肉", "Braised Pork Belly", 46, "份", Recommended, "五花肉慢火红烧，肥而不腻。"},
    {"0203", "西红柿炒鸡蛋", "Scrambled Eggs with Tomato", 18, "份", Plain, ""},
    {"0203", "糖醋里脊", "Sweet and Sour Tenderloin", 36, "份", Plain, ""},
    {"0203", "地三鲜", "Potato, Eggplant and Pepper", 22, "份", Plain, ""},
    {"0203", "京酱肉丝", "Shredded Pork in Beijing Sauce", 32, "份", Plain, ""},
    {"0203", "可乐鸡翅", "Cola Chicken Wings", 32, "份", Plain, ""},
    {"0203", "土豆烧牛腩", "Beef Brisket with Potatoes", 48, "份", Plain, ""},
    {"0203", "酸辣土豆丝", "Hot and Sour Shredded Potatoes", 14, "份", Plain, ""},
    {"0203", "葱爆羊肉", "Stir-fried Lamb with Scallion", 42, "份", Plain, ""},
    {"0203", "北京烤鸭", "Peking Roast Duck", 168, "只", Recommended,
     "果木明炉烤制，配荷叶饼、葱丝和甜面酱。"},
    // 特色干锅
    {"0204", "干锅花菜", "Griddle Cauliflower", 28, "锅", Plain, ""},
    {"0204", "干锅肥肠", "Griddle Pork Intestines", 48, "锅", Plain, ""},
    {"0204", "干锅牛蛙", "Griddle Bullfrog", 68, "锅", Recommended, "鲜活牛蛙，香辣入味。"},
    {"0204", "干锅土豆片", "Griddle Potato Slices", 26, "锅", Plain, ""},
    {"0204", "香辣虾", "Spicy Fragrant Shrimp", 88, "份", Plain, ""},
    {"0204", "干锅茶树菇", "Griddle Tea Tree Mushrooms", 32, "锅", Plain, ""},
    // 鲜活海鲜: priced by weight on the day
    {"0301", "清蒸石斑鱼", "Steamed Grouper", 0, "斤", MarketPrice, "鲜活石斑，按斤称重，时价。"},
    {"0301", "椒盐皮皮虾", "Salt and Pepper Mantis Shrimp", 0, "斤", MarketPrice, ""},
    {"0301", "葱姜炒花蟹", "Crab with Ginger and Scallion", 0, "斤", MarketPrice, ""},
    {"0301", "白灼基围虾", "Poached Prawns", 98, "斤", Plain, ""},
    {"0301", "蒜蓉粉丝蒸扇贝", "Steamed Scallops with Garlic Vermicelli", 12, "只", Recommended,
     "每只扇贝配蒜蓉粉丝，建议每位两只。"},
    {"0301", "波士顿龙虾", "Boston Lobster", 0, "只", MarketPrice, "可选芝士焗、上汤焗或刺身。"},
    // 河鲜
    {"0302", "松鼠桂鱼", "Squirrel-shaped Mandarin Fish", 128, "条", Recommended,
     "苏帮名菜，外酥里嫩，酸甜可口。"},
    {"0302", "酸菜鱼", "Pickled Cabbage Fish", 68, "份", Plain, ""},
    {"0302", "清蒸鲈鱼", "Steamed Sea Bass", 78, "条", Plain, ""},
    {"0302", "豆瓣鲫鱼", "Crucian Carp in Bean Sauce", 48, "条", Plain, ""},
    {"0302", "油焖大虾", "Braised Prawns", 88, "份", Plain, ""},
    // 海鲜小炒
    {"0303", "蒜蓉蒸生蚝", "Steamed Oysters with Garlic", 48, "份", Plain, ""},
    {"0303", "爆炒鱿鱼", "Stir-fried Squid", 42, "份", Plain, ""},
    {"0303", "辣炒花蛤", "Spicy Clams", 38, "份", Plain, ""},
    {"0303", "干煎带鱼", "Pan-fried Hairtail", 42, "份", Plain, ""},
    {"0303", "XO酱炒带子", "Scallops in XO Sauce", 68, "份", Plain, ""},
    {"0303", "蒜蓉开边虾", "Garlic Butterflied Prawns", 58, "份", Plain, ""},
    {"0303", "避风塘炒蟹", "Typhoon Shelter Crab", 0, "斤", MarketPrice, ""},
    // 滋补汤羹
    {"0401", "老火靓汤", "Slow-cooked Cantonese Soup", 28, "例", Plain, ""},
    {"0401", "西湖牛肉羹", "West Lake Beef Soup", 38, "份", Plain, ""},
    {"0401", "酸辣汤", "Hot and Sour Soup", 22, "份", Plain, ""},
    {"0401", "玉米排骨汤", "Pork Rib and Corn Soup", 42, "份", Plain, ""},
    {"0401", "例汤", "Soup of the Day", 8, "例", NullTempFlag, "每日例汤，随套餐供应。"},
    {"0401", "花胶鸡汤", "Fish Maw Chicken Soup", 88, "例", Recommended, "花胶慢炖四小时，滋补养颜。"},
    // 主食面点
    {"0402", "米饭", "Steamed Rice", 2, "碗", Plain, ""},
    {"0402", "扬州炒饭", "Yangzhou Fried Rice", 22, "份", Plain, ""},
    {"0402", "牛肉面", "Beef Noodle Soup", 28, "碗", Plain, "可选宽面或细面。"},
    {"0402", "炸酱面", "Noodles with Soybean Paste", 22, "碗", Plain, ""},
    {"0402", "担担面", "Dan Dan Noodles", 18, "碗", Plain, ""},
    {"0402", "葱油饼", "Scallion Pancake", 12, "份", Plain, ""},
    {"0402", "三鲜水饺", "Three-delicacy Dumplings", 32, "斤", Plain, ""},
    {"0402", "馒头", "Steamed Buns", 2, "个", Plain, ""},
    {"0402", "鲜肉馄饨", "Pork Wontons", 16, "碗", Plain, ""},
    // 广式点心
    {"0403", "虾饺皇", "Crystal Shrimp Dumplings", 28, "笼", Recommended, "晶莹剔透，每笼四只。"},
    {"0403", "烧卖", "Pork Siu Mai", 22, "笼", Plain, ""},
    {"0403", "叉烧包", "BBQ Pork Buns", 18, "笼", Plain, ""},
    {"0403", "鲜虾肠粉", "Shrimp Rice Noodle Rolls", 18, "份", Plain, ""},
    {"0403", "豉汁凤爪", "Chicken Feet in Black Bean Sauce", 18, "笼", Plain, ""},
    {"0403", "葡式蛋挞", "Portuguese Egg Tarts", 16, "份", Plain, ""},
    {"0403", "小笼包", "Xiaolongbao", 22, "笼", Plain, ""},
    // 啤酒
    {"0501", "青岛啤酒", "Tsingtao Beer", 10, "瓶", Plain, ""},
    {"0501", "雪花啤酒", "Snow Beer", 8, "瓶", Plain, ""},
    {"0501", "百威啤酒", "Budweiser", 12, "瓶", Plain, ""},
    {"0501", "燕京纯生", "Yanjing Draft", 12, "瓶", Plain, ""},
    {"0501", "精酿扎啤", "Craft Draught Beer", 18, "杯", Plain, ""},
    // 白酒洋酒
    {"0502", "五粮液", "Wuliangye Baijiu", 1280, "瓶", Plain, ""},
    {"0502", "泸州老窖", "Luzhou Laojiao", 368, "瓶", Plain, ""},
    {"0502", "红星二锅头", "Red Star Erguotou", 28, "瓶", Plain, ""},
    {"0502", "长城干红", "Great Wall Red Wine", 168, "瓶", Plain, ""},
    {"0502", "绍兴黄酒", "Shaoxing Rice Wine", 48, "壶", Plain, ""},
    // 软饮果汁
    {"0503", "可口可乐", "Coca-Cola", 6, "听", Plain, ""},
    {"0503", "雪碧", "Sprite", 6, "听", Plain, ""},
    {"0503", "王老吉", "Wanglaoji Herbal Tea", 6, "罐", Plain, ""},
    {"0503", "鲜榨橙汁", "Fresh Orange Juice", 28, "杯", Recommended, "现点现榨，可选小杯、中杯或一扎。"},
    {"0503", "酸梅汤", "Sour Plum Drink", 18, "扎", Plain, ""},
    {"0503", "矿泉水", "Mineral Water", 3, "瓶", Plain, ""},
    {"0503", "椰汁", "Coconut Milk", 8, "瓶", Plain, ""},
    // 茶饮
    {"0504", "西湖龙井", "Longjing Tea", 48, "壶", Plain, ""},
    {"0504", "安溪铁观音", "Tieguanyin Tea", 38, "壶", Plain, ""},
    {"0504", "菊花茶", "Chrysanthemum Tea", 22, "壶", Plain, ""},
    {"0504", "普洱茶", "Pu'er Tea", 38, "壶", Plain, ""},
    {"0504", "大麦茶", "Barley Tea", 10, "壶", Plain, ""},
    {"0504", "茉莉花茶", "Jasmine Tea", 18, "壶", Plain, ""},
    // 超值套餐: components and exchanges are added by name in DemoRestaurant
    {"0601", "商务套餐A", "Business Set A", 58, "份", SetMeal | Recommended,
     "宫保鸡丁、米饭、例汤，可换主菜。"},
    {"0601", "双人套餐", "Set Meal for Two", 168, "份", SetMeal, "两位用餐，含主菜两道、时蔬、米饭和例汤。"},
    {"0601", "家庭欢聚套餐", "Family Feast Set", 298, "份", SetMeal, "适合四至六位，含卤水拼盘和松鼠桂鱼。"},
    // 甜品
    {"0602", "杨枝甘露", "Mango Pomelo Sago", 22, "份", Recommended, "芒果、西柚、西米，清甜冰凉。"},
    {"0602", "双皮奶", "Double-skin Milk Pudding", 16, "份", Plain, ""},
    {"0602", "红豆沙", "Red Bean Soup", 12, "碗", Plain, ""},
    {"0602", "芒果班戟", "Mango Pancake", 22, "份", Plain, ""},
    {"0602", "拔丝地瓜", "Candied Sweet Potato", 26, "份", Plain, ""},
    {"0602", "冰糖雪梨", "Pear in Rock Sugar", 18, "份", Plain, ""},
    {"0602", "水果拼盘", "Fruit Platter", 38, "盘", Plain, ""},
    {"0602", "八宝饭", "Eight-treasure Rice Pudding", 28, "份", Plain, ""},
    // 临时菜: placeholders whose name and price the waiter types
    {"0603", "临时菜", "Open Item (Kitchen)", 0, "份", OpenItem, ""},
    {"0603", "临时酒水", "Open Item (Drinks)", 0, "瓶", OpenItem, ""},
};

} // namespace

std::span<const BigCategoryRow> bigCategories()
{
    return kBigCategories;
}
std::span<const SmallCategoryRow> smallCategories()
{
    return kSmallCategories;
}
std::span<const DishRow> dishes()
{
    return kDishes;
}

} // namespace demodata::demomenu
