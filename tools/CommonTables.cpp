#include "CommonTables.h"

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

void addTastes(Catalogue &c)
{
    // "P": offered on one order line; "B": remarks for the whole order.
    const struct {
        const char *no, *name, *style;
    } categories[] = {
        {"01", "辣度", "P"}, {"02", "做法", "P"},     {"03", "加料", "P"},
        {"04", "忌口", "P"}, {"05", "整单要求", "B"}, {"06", "服务", "B"},
    };
    for (const auto &row : categories)
        c.tasteCategories.append({u8(row.no), u8(row.name), u8(row.style)});

    // AmtStyle "A" adds a fixed amount, "P" a percentage; "" or NULL adds nothing. QtyStyle "1"
    // marks the extras that are counted per portion.
    const struct {
        const char *no, *name, *cat, *qtyStyle, *amtStyle;
        double amount;
    } tastes[] = {
        {"001", "不辣", "01", "0", "", 0},      {"002", "微辣", "01", "0", "", 0},
        {"003", "中辣", "01", "0", "", 0},      {"004", "特辣", "01", "0", "", 0},
        {"005", "麻辣", "01", "0", nullptr, 0}, {"011", "清炒", "02", "0", "", 0},
        {"012", "蒜蓉", "02", "0", "", 0},      {"013", "上汤", "02", "0", "A", 5},
        {"014", "芝士焗", "02", "0", "A", 30},  {"015", "上汤焗", "02", "0", "A", 20},
        {"016", "刺身", "02", "0", "", 0},      {"017", "宽面", "02", "0", "", 0},
        {"018", "细面", "02", "0", "", 0},      {"021", "加蛋", "03", "1", "A", 3},
        {"022", "加面", "03", "1", "A", 5},     {"023", "加饭", "03", "1", "A", 2},
        {"024", "加大份", "03", "0", "P", 20},  {"025", "加芝士", "03", "1", "A", 8.5},
        {"031", "少盐", "04", "0", "", 0},      {"032", "少油", "04", "0", "", 0},
        {"033", "免葱", "04", "0", "", 0},      {"034", "免蒜", "04", "0", "", 0},
        {"035", "免香菜", "04", "0", "", 0},    {"036", "不要味精", "04", "0", nullptr, 0},
        {"041", "先上凉菜", "05", "0", "", 0},  {"042", "菜齐再上", "05", "0", "", 0},
        {"043", "加急", "05", "0", "P", 10},    {"044", "打包", "05", "0", "A", 5},
        {"045", "加餐具", "06", "0", "A", 2},   {"046", "包间服务费", "06", "0", "P", 10},
    };
    for (const auto &row : tastes) {
        Taste taste{u8(row.no), u8(row.name), u8(row.cat), u8(row.qtyStyle), std::nullopt, row.amount};
        if (row.amtStyle)
            taste.AmtStyle = u8(row.amtStyle);
        c.tastes.append(taste);
    }
}

void addRoomsAndDesks(Catalogue &c)
{
    c.rooms = {{u"01"_s, u"大厅"_s}, {u"02"_s, u"雅间包房"_s}, {u"03"_s, u"二楼宴会厅"_s}};
    for (int i = 1; i <= 16; ++i)
        c.desks.append({QString::asprintf("A%02d", i), u"大厅"_s + QString::number(i) + u"号"_s, u"01"_s});
    const char *privateRooms[] = {"牡丹厅", "芙蓉厅", "兰亭阁",   "竹韵轩",
                                  "梅香苑", "菊花台", "荷塘月色", "松风阁"};
    for (int i = 0; i < 8; ++i)
        c.desks.append({QString::asprintf("V%02d", i + 1), u8(privateRooms[i]), u"02"_s});
    for (int i = 1; i <= 6; ++i)
        c.desks.append({QString::asprintf("C%02d", i), u"宴会"_s + QString::number(i) + u"桌"_s, u"03"_s});
}

void addReasons(Catalogue &c)
{
    const char *reasons[] = {"上菜太慢", "口味不佳", "客人退单", "点错菜品", "菜品售罄", "菜品质量问题"};
    int no = 1;
    for (const char *reason : reasons)
        c.returnReasons.append({QString::asprintf("%02d", no++), u8(reason)});
}

void addStoreParams(Catalogue &c)
{
    c.storeParams = {
        {u"StoreName"_s, u"福满楼酒家"_s, u"门店名称"_s},
        {u"BaseDataVer"_s, u"20261201"_s, u"基础资料版本"_s},
        {u"BaseServerVer"_s, u"3.6.2"_s, u"服务器版本"_s},
        {u"StoreAddr"_s, u"滨江路88号"_s, u"门店地址"_s},
        {u"StoreTel"_s, u"0571-88886666"_s, u"订餐电话"_s},
    };
}

// Position 20 of userAuth (index 19) allows authorising gifts.
QString authority(qsizetype length, QChar fill, std::optional<QChar> giftFlag)
{
    QString auth(length, fill);
    if (giftFlag && length >= 20)
        auth[19] = *giftFlag;
    return auth;
}

void addCashiers(Catalogue &c)
{
    c.cashiers = {
        // 喆 is outside GB2312: names must survive the GB18030 replies of the server.
        {u"001"_s, u"王喆"_s, authority(24, u'Y', u'Y'), u"123"_s},
        {u"002"_s, u"李娜"_s, authority(24, u'Y', u'N'), u"456"_s},
        {u"003"_s, u"张伟"_s, authority(19, u'Y', std::nullopt), u"789"_s},
        {u"004"_s, u"刘婷"_s, authority(20, u'N', u'Y'), u"2468"_s},
        {u"005"_s, u"赵晓明"_s, QString(), u"000000"_s},
    };
}

} // namespace

void addCommonTables(Catalogue &catalogue)
{
    addTastes(catalogue);
    addRoomsAndDesks(catalogue);
    addReasons(catalogue);
    addStoreParams(catalogue);
    addCashiers(catalogue);
}

} // namespace demodata
