#include "BaseDataFixture.h"

#include "SqliteDb.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QRandomGenerator>

namespace {

constexpr const char *kSchemaAndRows = R"sql(
PRAGMA synchronous = OFF;
PRAGMA journal_mode = MEMORY;
BEGIN;
CREATE TABLE FoodBigCatInfo(bcatno TEXT, bcatName TEXT);
CREATE TABLE FoodSmallCatInfo(scatno TEXT, scatName TEXT, bcatNo TEXT, cpViewRow INTEGER, cpViewCol INTEGER);
CREATE TABLE FoodInfo(foodno TEXT, catno TEXT, foodName TEXT, foodSubName TEXT, FoodType TEXT,
    currpriceFlag TEXT, TjFlag TEXT, TempFoodFlag TEXT, spellName TEXT, salePrice1 REAL, salePrice2 REAL,
    salePrice3 REAL, MemberPrice REAL, unitname TEXT, itemsize TEXT, Remark TEXT);
CREATE TABLE TasteInfo(TasteNo TEXT, TasteName TEXT, TasteCatNo TEXT, QtyStyle TEXT, AmtStyle TEXT, TasteAmt REAL);
CREATE TABLE RoomInfo(roomno TEXT, roomName TEXT);
CREATE TABLE DeskInfo(deskno TEXT, deskName TEXT, roomno TEXT);
CREATE TABLE RtnReasonInfo(reasonNo TEXT, reasonName TEXT);
CREATE TABLE StoreInfo(pname TEXT, pvalue TEXT, remark TEXT);
CREATE TABLE CashierInfo(cashierID TEXT, cashierName TEXT, userAuth TEXT, userPass TEXT);
INSERT INTO FoodBigCatInfo VALUES('01', '热菜'), ('02', '主食');
INSERT INTO FoodSmallCatInfo VALUES('0101', '肉类', '01', 0, 0), ('0102', '海鲜', '01', 0, 0),
    ('0201', '米饭', '02', 0, 0);
INSERT INTO FoodInfo VALUES
    ('101', '0101', '红烧肉', '', 'D', 'N', 'Y', 'N', 'hsr', 38, 0, 0, 0, '份', '', ''),
    ('102', '0102', '清蒸鱼', '', 'D', 'Y', 'N', 'N', 'qzy', 88, 0, 0, 0, '斤', '', ''),
    ('103', '0201', '米饭', '', 'D', 'N', 'N', 'N', 'mf', 2, 0, 0, 0, '碗', '', ''),
    ('201', '0101', '双人套餐', '', 'T', 'N', 'N', 'N', 'srtc', 168, 0, 0, 0, '份', '', ''),
    ('900', '0101', '临时菜', '', 'D', 'N', 'N', 'Y', 'lsc', 0, 0, 0, 0, '份', '', '');
INSERT INTO TasteInfo VALUES('T01', '加辣', '1', '', 'A', 2), ('T02', '大份', '1', '', 'P', 20),
    ('T03', '免葱', '1', '', '', 0);
INSERT INTO RoomInfo VALUES('R1', '大厅'), ('R2', '包间');
INSERT INTO DeskInfo VALUES('A01', '大厅1号', 'R1'), ('A02', '大厅2号', 'R1'), ('A03', '大厅3号', 'R1'),
    ('A04', '大厅4号', 'R1'), ('B01', '牡丹厅', 'R2');
INSERT INTO DeskInfo WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20)
    SELECT printf('C%02d', i), printf('散台%02d', i), 'R1' FROM n;
INSERT INTO RtnReasonInfo VALUES('01', '客人不要'), ('02', '上菜太慢');
INSERT INTO StoreInfo VALUES('StoreName', '测试餐厅', ''), ('BaseDataVer', '20160101', '');
INSERT INTO CashierInfo VALUES('1001', '张三', '', '123'), ('1002', '李四', '', '456');
)sql";

} // namespace

namespace BaseDataFixture {

bool write(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString path = folder + QStringLiteral("/PadBaseData.db");
    QFile::remove(path);
    SqliteDb db;
    std::string error;
    return db.open(path.toStdString(), false, error) && db.exec(kSchemaAndRows, &error) && db.exec("COMMIT");
}

QByteArray noise(qint64 size)
{
    QList<quint32> words((size + 3) / 4);
    QRandomGenerator(20240601).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char *>(words.constData()), size);
}

bool writePackage(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(noise(size)) == size;
}

} // namespace BaseDataFixture
