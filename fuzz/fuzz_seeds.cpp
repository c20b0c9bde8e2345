// Writes the seed corpora of the fuzz targets: small inputs of every shape each reader knows, and
// the inputs of faults found before (hostile reply shapes, damaged held orders, packages that
// unpack but hold no catalogue, packages that declare more than they may unpack to).
//
// Usage: fuzz_seeds DIR — writes DIR/reply, DIR/held_order, DIR/package and DIR/taste.

#include "PackageBuilder.h"
#include "catalogue/TasteInfo.h"
#include "order/FoodOrder.h"
#include "server/Gb18030.h"
#include "server/HostileReplies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString outRoot;
int written = 0;

void seed(const char *target, const QString &name, const QByteArray &bytes)
{
    const QString folder = outRoot + u'/' + QString::fromLatin1(target);
    QDir().mkpath(folder);
    QFile file(folder + u'/' + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        ++written;
}

void replies()
{
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"gb2312\"?>";
    seed("reply", u"ok"_s,
         decl + Gb18030::encode(u"<R><ReturnCode>0</ReturnCode><ReturnMsg>欢迎(张三)光临</ReturnMsg></R>"_s));
    seed("reply", u"refused"_s,
         decl + "<R><ReturnCode>1</ReturnCode><ReturnMsg><![CDATA[a<b>&c]]></ReturnMsg></R>");
    seed("reply", u"value"_s, "<R><ReturnCode>0</ReturnCode><ReturnValue>pkg.zip</ReturnValue></R>");
    seed(
        "reply", u"tables"_s,
        decl +
            "<R><ReturnCode>0</ReturnCode><ReturnList><Rows><Row deskNo=\"A1\" deskName=\"x\" useIndex=\"0\" "
            "custNumber=\"0\" TotalAmt=\"0\"/><Row deskNo=\"A2\" useIndex=\"1\"/></Rows></ReturnList></R>");
    seed("reply", u"sale_list"_s,
         decl +
             "<R><ReturnCode>0</ReturnCode><ReturnList><Rows><L itemseq=\"7\" pluno=\"1001\" pluName=\"y\" "
             "saleQty=\"1.5\" SalePrice=\"38\" havePrtFlag=\"2\" FoodType=\"D\" FlagGroup=\"NY\"/></Rows>"
             "</ReturnList></R>");
    seed("reply", u"sold_out"_s, HostileReplies::plainRows(20));
    seed("reply", u"parameters"_s,
         "<R><ReturnCode>0</ReturnCode><ParaList ServerDogNo=\"12\" ServerVer=\"5.1\"/></R>");
    seed("reply", u"needs_repair"_s, decl + "\r\n<R>\xFF<ReturnCode>0</ReturnCode></R>");
    seed("reply", u"entities"_s, "<!DOCTYPE R [<!ENTITY e \"boom\">]><R><ReturnCode>&e;</ReturnCode></R>");
    // Shapes that once cost the square of their size.
    seed("reply", u"regression_distinct_children"_s, HostileReplies::distinctChildren(2000));
    seed("reply", u"regression_distinct_attributes"_s, HostileReplies::distinctAttributes(2000));
    seed("reply", u"regression_wide_element"_s, HostileReplies::wideElement(300));
    seed("reply", u"regression_namespaces"_s, HostileReplies::wideElement(70, true));
}

QString guadanText(const QList<std::shared_ptr<FoodOrder>> &lines, const QList<TasteInfo> &tastes)
{
    QString detail;
    for (const auto &line : lines)
        detail += line->toGuadanString();
    return u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><Command>OrderPack</Command>"
           u"<CustCount>4</CustCount><OrderDetail>"_s +
           detail + u"</OrderDetail><PackTasteString>"_s + TasteInfo::guaDanTasteString(tastes) +
           u"</PackTasteString></ClientCommand>"_s;
}

std::shared_ptr<FoodOrder> line(const QString &type, const QString &foodno, const QString &suitno = {},
                                qint64 suiteIndex = 0, quint64 itemSeq = 0)
{
    auto made = FoodOrder::genFoodOrderWithType(type);
    made->foodno = foodno;
    made->foodName = u"宫保鸡丁 & <辣>"_s;
    made->salePrice1 = 38;
    made->orderQty = 2;
    made->suitno = suitno;
    made->suiteIndex = suiteIndex;
    made->itemSeq = itemSeq;
    made->PrintState = u"0"_s;
    made->arrTaste = {TasteInfo{u"01"_s, u"少盐"_s, u"02"_s, u"0"_s, u"A"_s, 2}};
    return made;
}

void heldOrders()
{
    const QList<TasteInfo> tastes = {TasteInfo{u"046"_s, u"服务费"_s, u"06"_s, u"0"_s, u"P"_s, 10},
                                     TasteInfo::genManualTaste()};
    seed("held_order", u"dishes_and_set_meal"_s,
         guadanText({line(u"D"_s, u"1001"_s, {}, 0, 1), line(u"T"_s, u"T1"_s, {}, 0, 2),
                     line(u"M"_s, u"M1"_s, u"T1"_s, 2), line(u"M"_s, u"M2"_s, u"T1"_s, 2)},
                    tastes)
             .toUtf8());
    // A damaged held order: components whose set meal is gone.
    seed("held_order", u"regression_orphan_components"_s,
         guadanText({line(u"M"_s, u"M1"_s, u"T1"_s, 4), line(u"M"_s, u"M2"_s, u"T9"_s, 1)}, {}).toUtf8());
    seed("held_order", u"empty_detail"_s, "<ClientCommand><OrderDetail/></ClientCommand>");
}

// A catalogue with every table the terminal reads, empty.
QByteArray emptyCatalogue()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"PadBaseData.db"_s);
    sqlite3 *db = nullptr;
    const char *schema =
        "create table FoodBigCatInfo(bcatno, bcatName); create table FoodSmallCatInfo(scatno, scatName, "
        "bcatNo);"
        "create table FoodInfo(foodno, catno, foodName, foodSubName, FoodType, currpriceFlag, TjFlag,"
        " TempFoodFlag, spellName, salePrice1, salePrice2, salePrice3, MemberPrice, unitname, itemsize, "
        "Remark);"
        "create table FoodItemsize(foodno, itemsize, salePrice1);"
        "create table SuitFoodInfo(suitno, foodno, foodQty, forceChange, fIndex);"
        "create table SuitFoodChange(suitno, foodno, changeFoodno, changeAmt);"
        "create table TasteCatInfo(TasteCatNo, TasteCatName, TasteCatStyle);"
        "create table TasteInfo(TasteNo, TasteName, TasteCatNo, QtyStyle, AmtStyle, TasteAmt);"
        "create table FoodTasteInfo(foodno, tasteno); create table RoomInfo(roomno, roomName);"
        "create table DeskInfo(deskno, deskName, roomno); create table RtnReasonInfo(reasonNo, reasonName);"
        "create table StoreInfo(pname, pvalue, remark);"
        "create table CashierInfo(cashierID, cashierName, userAuth, userPass);"
        "insert into FoodInfo(foodno, foodName) values('1001', 'x');";
    const bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, schema, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    QFile file(path);
    return ok && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void packages()
{
    QTemporaryDir dir;
    const QByteArray catalogue = emptyCatalogue();
    auto write = [&dir](const char *name, const PackageBuilder &package) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (package.write(path).isEmpty() && file.open(QIODevice::ReadOnly))
            seed("package", QString::fromLatin1(name), file.readAll());
    };
    write("good", PackageBuilder()
                      .file(u"PadBaseData.db"_s, catalogue)
                      .file(u"foodPicBig\\"_s, {})
                      .file(u"foodPicBig\\1001.jpg"_s, "jpeg")
                      .file(u"BgMusic/古筝.mp3"_s, "tune"));
    write("regression_no_database", PackageBuilder().file(u"foodPicBig/1.jpg"_s, "x"));
    write("regression_not_a_database", PackageBuilder().file(u"PadBaseData.db"_s, "hello"));
    write("regression_truncated_database",
          PackageBuilder().file(u"PadBaseData.db"_s, catalogue.left(catalogue.size() / 2)));
    write("regression_database_symlink",
          PackageBuilder().raw(
              {"PadBaseData.db", "/etc/passwd", PackageBuilder::defaultDate(), false, true, std::nullopt}));
    write("regression_declares_3gb",
          PackageBuilder().raw(
              {"AdVideo/big.mp4", "small", PackageBuilder::defaultDate(), false, false, quint64(3) << 30}));
    write("zip_slip", PackageBuilder().file(u"../evil.txt"_s, "x"));
}

void tastes()
{
    const QList<TasteInfo> list = {TasteInfo{u"01"_s, u"少盐"_s, u"02"_s, u"0"_s, u"A"_s, 2},
                                   TasteInfo{u"02"_s, u"加|辣"_s, u"02"_s, u"1"_s, u"P"_s, 10.5f},
                                   TasteInfo::genManualTaste()};
    seed("taste", u"list"_s, TasteInfo::guaDanTasteString(list).toUtf8());
    seed("taste", u"record"_s, list.at(1).fullInfoString().toUtf8());
    seed("taste", u"empty"_s, {});
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    outRoot = QString::fromLocal8Bit(argv[1]);
    replies();
    heldOrders();
    packages();
    tastes();
    std::printf("%d seeds written to %s\n", written, argv[1]);
    return written > 0 ? 0 : 1;
}
