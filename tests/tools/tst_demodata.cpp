// Runs diancai-demodata as the build does and reads its output the way the terminal will: the
// catalogue through SQLite with the terminal's own queries, the package through minizip.

#include "PackageReader.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString kGenerator = QStringLiteral(DEMODATA_EXECUTABLE);
constexpr int kFixtureDishes = 50;

struct RunResult {
    int exitCode = -1;
    QString errors;
};

RunResult runGenerator(const QStringList &arguments)
{
    QProcess process;
    process.start(kGenerator, arguments);
    if (!process.waitForFinished(240000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A read-only connection with small helpers for the checks below.
class Catalogue {
public:
    bool open(const QString &path)
    {
        return sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    }
    ~Catalogue() { sqlite3_close(m_db); }

    QList<QVariantList> rows(const QString &sql, const QVariantList &parameters = {}) const
    {
        QList<QVariantList> result;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
            qWarning("cannot prepare %s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
            return result;
        }
        for (int i = 0; i < parameters.size(); ++i)
            sqlite3_bind_text(statement, i + 1, parameters[i].toString().toUtf8().constData(), -1,
                              SQLITE_TRANSIENT);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                switch (sqlite3_column_type(statement, c)) {
                case SQLITE_NULL:
                    row.append(QVariant());
                    break;
                case SQLITE_INTEGER:
                    row.append(qint64(sqlite3_column_int64(statement, c)));
                    break;
                case SQLITE_FLOAT:
                    row.append(sqlite3_column_double(statement, c));
                    break;
                default:
                    row.append(
                        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
                }
            }
            result.append(row);
        }
        sqlite3_finalize(statement);
        return result;
    }

    QVariant value(const QString &sql, const QVariantList &parameters = {}) const
    {
        const auto result = rows(sql, parameters);
        return result.isEmpty() ? QVariant() : result.first().value(0);
    }
    qint64 count(const QString &sql, const QVariantList &parameters = {}) const
    {
        return value(sql, parameters).toLongLong();
    }
    QStringList texts(const QString &sql, const QVariantList &parameters = {}) const
    {
        QStringList result;
        for (const QVariantList &row : rows(sql, parameters))
            result.append(row.value(0).toString());
        return result;
    }

private:
    sqlite3 *m_db = nullptr;
};

// The dish columns and joins of the terminal's dish queries.
const QString kDishColumns =
    u"A.foodno, A.catno, A.foodName, A.foodSubName, A.FoodType, A.currpriceFlag, A.TjFlag, A.TempFoodFlag, "
    "A.spellName, A.salePrice1, A.salePrice2, A.salePrice3, A.MemberPrice, A.unitname, A.itemsize, A.Remark, "
    "B.scatName, C.bcatName"_s;
const QString kDishJoins = u" from FoodInfo A left join FoodSmallCatInfo B on A.catno = B.scatno "
                           "left join FoodBigCatInfo C on B.bcatNo = C.bcatno"_s;

QStringList relativePathsUnder(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = QDir(folder).relativeFilePath(info.filePath());
        paths.append(info.isDir() ? relative + u'/' : relative);
    }
    paths.sort();
    return paths;
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tablesHaveTheTerminalsColumns_data();
    void tablesHaveTheTerminalsColumns();
    void fixtureHasRequestedDishesInValidCategories();
    void dishListsLeaveOutNullTempFlag();
    void flagsAndUnits_data();
    void flagsAndUnits();
    void setMealComponentsComeInFIndexOrder();
    void exchangesChargeMoreLessAndNothing();
    void sizesDifferInPrice();
    void cookingMethods();
    void roomsTablesReasonsAndStore();
    void cashiersWithAndWithoutGiftAuthority();
    void mnemonicsAreCapitalInitials();
    void everyDishHasAPicture();
    void mediaFolders();
    void packageNamesAreGb18030();
    void sameArgumentsGiveSameBytes();
    void badArgumentsFailClearly_data();
    void badArgumentsFailClearly();
    void shippedDemoRestaurant();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_package;
    Catalogue m_db;
};

void TestDemoData::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(kGenerator).isExecutable(), qPrintable(kGenerator));
    m_folder = m_dir.filePath(u"fixture/update"_s);
    m_package = m_dir.filePath(u"fixture/base.zip"_s);
    const RunResult run = runGenerator(
        {u"--out"_s, m_folder, u"--package"_s, m_package, u"--dishes"_s, QString::number(kFixtureDishes)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY(m_db.open(m_folder + u"/PadBaseData.db"_s));
}

void TestDemoData::tablesHaveTheTerminalsColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns"); // name:type

    QTest::newRow("FoodBigCatInfo") << u"FoodBigCatInfo"_s
                                    << QStringList{u"bcatno:TEXT"_s, u"bcatName:TEXT"_s};
    QTest::newRow("FoodSmallCatInfo") << u"FoodSmallCatInfo"_s
                                      << QStringList{u"scatno:TEXT"_s, u"scatName:TEXT"_s, u"bcatNo:TEXT"_s,
                                                     u"cpViewRow:INTEGER"_s, u"cpViewCol:INTEGER"_s};
    QTest::newRow("FoodInfo") << u"FoodInfo"_s << QStringList{u"foodno:TEXT"_s,      u"catno:TEXT"_s,
                                                              u"foodName:TEXT"_s,    u"foodSubName:TEXT"_s,
                                                              u"FoodType:TEXT"_s,    u"currpriceFlag:TEXT"_s,
                                                              u"TjFlag:TEXT"_s,      u"TempFoodFlag:TEXT"_s,
                                                              u"spellName:TEXT"_s,   u"salePrice1:REAL"_s,
                                                              u"salePrice2:REAL"_s,  u"salePrice3:REAL"_s,
                                                              u"MemberPrice:REAL"_s, u"unitname:TEXT"_s,
                                                              u"itemsize:TEXT"_s,    u"Remark:TEXT"_s};
    QTest::newRow("FoodItemsize") << u"FoodItemsize"_s
                                  << QStringList{u"foodno:TEXT"_s, u"itemsize:TEXT"_s, u"salePrice1:REAL"_s};
    QTest::newRow("SuitFoodInfo") << u"SuitFoodInfo"_s
                                  << QStringList{u"suitno:TEXT"_s, u"foodno:TEXT"_s, u"foodQty:REAL"_s,
                                                 u"forceChange:TEXT"_s, u"fIndex:INTEGER"_s};
    QTest::newRow("SuitFoodChange") << u"SuitFoodChange"_s
                                    << QStringList{u"suitno:TEXT"_s, u"foodno:TEXT"_s, u"changeFoodno:TEXT"_s,
                                                   u"changeAmt:REAL"_s};
    QTest::newRow("TasteCatInfo") << u"TasteCatInfo"_s
                                  << QStringList{u"TasteCatNo:TEXT"_s, u"TasteCatName:TEXT"_s,
                                                 u"TasteCatStyle:TEXT"_s};
    QTest::newRow("TasteInfo") << u"TasteInfo"_s
                               << QStringList{u"TasteNo:TEXT"_s,  u"TasteName:TEXT"_s, u"TasteCatNo:TEXT"_s,
                                              u"QtyStyle:TEXT"_s, u"AmtStyle:TEXT"_s,  u"TasteAmt:REAL"_s};
    QTest::newRow("FoodTasteInfo") << u"FoodTasteInfo"_s << QStringList{u"foodno:TEXT"_s, u"tasteno:TEXT"_s};
    QTest::newRow("RoomInfo") << u"RoomInfo"_s << QStringList{u"roomno:TEXT"_s, u"roomName:TEXT"_s};
    QTest::newRow("DeskInfo") << u"DeskInfo"_s
                              << QStringList{u"deskno:TEXT"_s, u"deskName:TEXT"_s, u"roomno:TEXT"_s};
    QTest::newRow("RtnReasonInfo") << u"RtnReasonInfo"_s
                                   << QStringList{u"reasonNo:TEXT"_s, u"reasonName:TEXT"_s};
    QTest::newRow("StoreInfo") << u"StoreInfo"_s
                               << QStringList{u"pname:TEXT"_s, u"pvalue:TEXT"_s, u"remark:TEXT"_s};
    QTest::newRow("CashierInfo") << u"CashierInfo"_s
                                 << QStringList{u"cashierID:TEXT"_s, u"cashierName:TEXT"_s,
                                                u"userAuth:TEXT"_s, u"userPass:TEXT"_s};
}

void TestDemoData::tablesHaveTheTerminalsColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QHash<QString, QString> declared;
    for (const QVariantList &row : m_db.rows(u"pragma table_info("_s + table + u')'))
        declared.insert(row.value(1).toString().toLower(), row.value(2).toString());
    QVERIFY2(!declared.isEmpty(), "table is missing");
    for (const QString &column : columns) {
        const QString name = column.section(u':', 0, 0);
        QVERIFY2(declared.contains(name.toLower()), qPrintable(name));
        QCOMPARE(declared.value(name.toLower()), column.section(u':', 1, 1));
    }
    QVERIFY(m_db.count(u"select count(*) from "_s + table) > 0);
}

void TestDemoData::fixtureHasRequestedDishesInValidCategories()
{
    QCOMPARE(m_db.count(u"select count(*) from FoodInfo"_s), kFixtureDishes);
    QCOMPARE(m_db.count(u"select count(distinct foodno) from FoodInfo"_s), kFixtureDishes);
    QCOMPARE(
        m_db.count(u"select count(*)"_s + kDishJoins + u" where B.scatName is null or C.bcatName is null"_s),
        0);
    QVERIFY(m_db.count(u"select count(*) from FoodBigCatInfo"_s) >= 6);
    QVERIFY(m_db.count(u"select count(*) from FoodSmallCatInfo"_s) >= 18);
    // Some categories bring their own grid, others leave it to the menu.
    QVERIFY(m_db.count(u"select count(*) from FoodSmallCatInfo where cpViewRow > 0 and cpViewCol > 0"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from FoodSmallCatInfo where cpViewRow is null"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from FoodSmallCatInfo where cpViewRow = 0"_s) > 0);
    // Codes are text: leading zeros survive.
    QCOMPARE(m_db.value(u"select typeof(foodno) from FoodInfo limit 1"_s).toString(), u"text"_s);
    QVERIFY(m_db.texts(u"select foodno from FoodInfo"_s).contains(u"00015"_s));
}

void TestDemoData::dishListsLeaveOutNullTempFlag()
{
    const QString dishQuery = u"select "_s + kDishColumns + kDishJoins + u" where A.TempFoodFlag %1 'Y'"_s;
    const qint64 ordinary = m_db.rows(dishQuery.arg(u"<>"_s)).size();
    const qint64 temporary = m_db.rows(dishQuery.arg(u"="_s)).size();
    const qint64 nullFlag = m_db.count(u"select count(*) from FoodInfo where TempFoodFlag is null"_s);
    QCOMPARE(temporary, 2);
    QVERIFY(nullFlag >= 1);
    QCOMPARE(ordinary + temporary + nullFlag, kFixtureDishes);
    QCOMPARE(m_db.count(u"select count(*) from FoodInfo where TempFoodFlag is null and FoodType <> 'D'"_s),
             0);
}

void TestDemoData::flagsAndUnits_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("atLeast");
    QTest::addColumn<int>("atMost");
    QTest::newRow("recommended") << u"TjFlag = 'Y'"_s << 1 << kFixtureDishes - 1;
    QTest::newRow("market price") << u"currpriceFlag = 'Y'"_s << 3 << 10;
    QTest::newRow("market price by the jin") << u"currpriceFlag = 'Y' and unitname = '斤'"_s << 1 << 10;
    QTest::newRow("set meals") << u"FoodType = 'T'"_s << 3 << 3;
    QTest::newRow("ordinary dishes") << u"FoodType = 'D'"_s << kFixtureDishes - 3 << kFixtureDishes - 3;
    QTest::newRow("English names") << u"foodSubName <> ''"_s << kFixtureDishes << kFixtureDishes;
    QTest::newRow("without unit") << u"unitname is null or unitname = ''"_s << 0 << 0;
    QTest::newRow("described") << u"Remark <> ''"_s << 1 << kFixtureDishes;
}

void TestDemoData::flagsAndUnits()
{
    QFETCH(QString, where);
    QFETCH(int, atLeast);
    QFETCH(int, atMost);
    const qint64 found = m_db.count(u"select count(*) from FoodInfo where "_s + where);
    QVERIFY2(found >= atLeast && found <= atMost, qPrintable(QString::number(found)));
}

void TestDemoData::setMealComponentsComeInFIndexOrder()
{
    const QStringList setMeals = m_db.texts(u"select foodno from FoodInfo where FoodType = 'T'"_s);
    QCOMPARE(setMeals.size(), 3);
    bool someRowsOutOfOrder = false;
    for (const QString &suitno : setMeals) {
        const auto components =
            m_db.rows(u"select "_s + kDishColumns + u", S.foodQty, S.forceChange, S.fIndex, S.suitno"_s +
                          kDishJoins + u" left join SuitFoodInfo S on A.foodno = S.foodno"_s +
                          u" where S.suitno = ? order by S.fIndex"_s,
                      {suitno});
        QVERIFY2(components.size() >= 3 && components.size() <= 5, qPrintable(suitno));
        for (qsizetype i = 1; i < components.size(); ++i)
            QVERIFY(components[i - 1].value(20).toLongLong() < components[i].value(20).toLongLong());
        for (const QVariantList &component : components)
            QCOMPARE(component.value(21).toString(), suitno);
        const QStringList tableOrder =
            m_db.texts(u"select fIndex from SuitFoodInfo where suitno = ? order by rowid"_s, {suitno});
        QStringList sorted = tableOrder;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        someRowsOutOfOrder = someRowsOutOfOrder || tableOrder != sorted;
    }
    QVERIFY2(someRowsOutOfOrder, "components must not already be stored in fIndex order");
    QVERIFY(m_db.count(u"select count(*) from SuitFoodInfo where foodQty = 2"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from SuitFoodInfo where foodQty = 1"_s) > 0);
}

void TestDemoData::exchangesChargeMoreLessAndNothing()
{
    QVERIFY(m_db.count(u"select count(*) from SuitFoodChange where changeAmt > 0"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from SuitFoodChange where changeAmt = 0"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from SuitFoodChange where changeAmt < 0"_s) > 0);
    // Each exchange belongs to a component of its set meal and offers a dish that exists.
    QCOMPARE(
        m_db.count(u"select count(*) from SuitFoodChange SC where not exists (select 1 from SuitFoodInfo S "
                   "where S.suitno = SC.suitno and S.foodno = SC.foodno)"_s),
        0);
    QCOMPARE(
        m_db.count(
            u"select count(*) from SuitFoodChange where changeFoodno not in (select foodno from FoodInfo)"_s),
        0);
    const auto firstChange = m_db.rows(u"select suitno, foodno from SuitFoodChange limit 1"_s).value(0);
    const auto options = m_db.rows(u"select "_s + kDishColumns + u", SC.changeAmt"_s + kDishJoins +
                                       u" left join SuitFoodChange SC on A.foodno = SC.changeFoodno"_s +
                                       u" where SC.suitno = ? and SC.foodno = ?"_s,
                                   firstChange);
    QVERIFY(options.size() >= 2);
}

void TestDemoData::sizesDifferInPrice()
{
    const QStringList sized = m_db.texts(u"select distinct foodno from FoodItemsize"_s);
    QCOMPARE(sized.size(), 5);
    bool someWithOneRow = false;
    for (const QString &foodno : sized) {
        const auto own = m_db.rows(u"select itemsize, salePrice1 from FoodInfo where foodno = ?"_s, {foodno});
        QCOMPARE(own.size(), 1);
        QVERIFY2(!own[0].value(0).toString().isEmpty(), "a sized dish names its own size");
        QSet<QString> names{own[0].value(0).toString()};
        QSet<double> prices{own[0].value(1).toDouble()};
        const auto sizes =
            m_db.rows(u"select foodno, itemsize, salePrice1 from FoodItemsize where foodno = ?"_s, {foodno});
        for (const QVariantList &size : sizes) {
            names.insert(size.value(1).toString());
            prices.insert(size.value(2).toDouble());
        }
        QCOMPARE(names.size(), sizes.size() + 1);
        QCOMPARE(prices.size(), sizes.size() + 1);
        someWithOneRow = someWithOneRow || sizes.size() == 1;
    }
    QVERIFY(someWithOneRow);
}

void TestDemoData::cookingMethods()
{
    const QStringList styles = m_db.texts(u"select distinct TasteCatStyle from TasteCatInfo order by 1"_s);
    QCOMPARE(styles, (QStringList{u"B"_s, u"P"_s}));
    QVERIFY(m_db.count(u"select count(*) from TasteInfo where AmtStyle = 'A' and TasteAmt > 0"_s) > 0);
    QVERIFY(m_db.count(u"select count(*) from TasteInfo where AmtStyle = 'P' and TasteAmt > 0"_s) > 0);
    QVERIFY(
        m_db.count(u"select count(*) from TasteInfo where AmtStyle is null or AmtStyle not in ('A', 'P')"_s) >
        0);
    QCOMPARE(
        m_db.count(
            u"select count(*) from TasteInfo where TasteCatNo not in (select TasteCatNo from TasteCatInfo)"_s),
        0);
    // Bound methods point at real dishes and methods, and appear under the "P" style only.
    QVERIFY(m_db.count(u"select count(distinct foodno) from FoodTasteInfo"_s) >= 2);
    QCOMPARE(
        m_db.count(u"select count(*) from FoodTasteInfo where foodno not in (select foodno from FoodInfo) "
                   "or tasteno not in (select TasteNo from TasteInfo)"_s),
        0);
}

void TestDemoData::roomsTablesReasonsAndStore()
{
    QVERIFY(m_db.count(u"select count(*) from RoomInfo"_s) >= 2);
    QVERIFY(m_db.count(u"select count(*) from DeskInfo"_s) >= 24);
    QCOMPARE(m_db.count(u"select count(distinct deskno) from DeskInfo"_s),
             m_db.count(u"select count(*) from DeskInfo"_s));
    QCOMPARE(m_db.count(u"select count(*) from DeskInfo where roomno not in (select roomno from RoomInfo)"_s),
             0);
    QVERIFY(m_db.count(u"select count(*) from RtnReasonInfo"_s) >= 3);

    const QString storeName =
        m_db.value(u"select pvalue from StoreInfo where pname = 'StoreName'"_s).toString();
    QVERIFY(storeName.contains(QRegularExpression(u"\\p{Han}"_s)));
    const QString version =
        m_db.value(u"select pvalue from StoreInfo where pname = 'BaseDataVer'"_s).toString();
    QVERIFY2(version.size() == 8 && version.toLongLong() > 20150411, qPrintable(version));
    QVERIFY(
        !m_db.value(u"select pvalue from StoreInfo where pname = 'BaseServerVer'"_s).toString().isEmpty());
}

void TestDemoData::cashiersWithAndWithoutGiftAuthority()
{
    int withGift = 0, refusedAtPosition20 = 0, tooShort = 0;
    for (const QString &auth : m_db.texts(u"select ifnull(userAuth, '') from CashierInfo"_s)) {
        if (auth.size() < 20)
            ++tooShort;
        else if (auth.at(19) == u'Y')
            ++withGift;
        else
            ++refusedAtPosition20;
    }
    QVERIFY(withGift > 0);
    QVERIFY(refusedAtPosition20 > 0);
    QVERIFY(tooShort > 0);
    QCOMPARE(m_db.value(u"select userPass from CashierInfo where cashierID = '001'"_s).toString(), u"123"_s);
    bool someNameNeedsGb18030 = false;
    for (const QString &name : m_db.texts(u"select cashierName from CashierInfo"_s)) {
        someNameNeedsGb18030 = someNameNeedsGb18030 || !fitsGb2312(name);
    }
    QVERIFY2(someNameNeedsGb18030, "an operator's name should lie outside GB2312");
}

// One capital letter or digit per character of the name: a character missing from the reading
// table would drop one.
static QString badMnemonic(const Catalogue &db)
{
    const QRegularExpression letters(u"^[A-Z0-9]+$"_s);
    const QRegularExpression counted(u"[\\p{Han}A-Za-z0-9]"_s);
    for (const QVariantList &row : db.rows(u"select foodName, spellName from FoodInfo"_s)) {
        const QString name = row.value(0).toString();
        const QString spell = row.value(1).toString();
        if (!letters.match(spell).hasMatch() || spell.size() != name.count(counted))
            return name + u' ' + spell;
    }
    return {};
}

void TestDemoData::mnemonicsAreCapitalInitials()
{
    const QString bad = badMnemonic(m_db);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    QCOMPARE(m_db.value(u"select spellName from FoodInfo where foodName = '宫保鸡丁'"_s).toString(),
             u"GBJD"_s);
}

void TestDemoData::everyDishHasAPicture()
{
    for (const QString &foodno : m_db.texts(u"select foodno from FoodInfo"_s)) {
        const QImage picture(m_folder + u"/foodPicBig/"_s + foodno + u".jpg"_s);
        QVERIFY2(!picture.isNull(), qPrintable(foodno));
    }
}

void TestDemoData::mediaFolders()
{
    QCOMPARE(QImage(m_folder + u"/MainBg.jpg"_s).size(), QSize(1024, 768));
    const QFileInfoList ads = QDir(m_folder + u"/AdPicture"_s).entryInfoList(QDir::Files);
    QCOMPARE(ads.size(), 3);
    for (const QFileInfo &ad : ads)
        QVERIFY2(!QImage(ad.filePath()).isNull(), qPrintable(ad.fileName()));
    QVERIFY(QFileInfo(m_folder + u"/AdVideo"_s).isDir());

    const QFileInfoList music = QDir(m_folder + u"/BgMusic"_s).entryInfoList(QDir::Files);
    QCOMPARE(music.size(), 2);
    for (const QFileInfo &file : music) {
        const QByteArray wav = fileBytes(file.filePath());
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
        QCOMPARE(u16(20), 1); // PCM
        QCOMPARE(u16(22), 1); // mono
        QCOMPARE(u32(24), 22050u);
        QCOMPARE(u16(34), 16); // bits
        QCOMPARE(u32(40), quint32(wav.size() - 44));
        const double seconds = double(u32(40)) / (22050 * 2);
        QVERIFY2(seconds > 2 && seconds < 15, qPrintable(QString::number(seconds)));
        // Not silence: the samples reach a fair loudness.
        qint16 peak = 0;
        for (qsizetype at = 44; at + 1 < wav.size(); at += 2)
            peak = std::max<qint16>(peak, qAbs(qFromLittleEndian<qint16>(wav.constData() + at)));
        QVERIFY(peak > 8000);
    }
}

void TestDemoData::packageNamesAreGb18030()
{
    const auto entries = readPackage(m_package);
    QVERIFY(entries.has_value());
    QStringList names;
    bool someNameIsChinese = false;
    for (const PackageEntry &entry : *entries) {
        QVERIFY2(!entry.name.isEmpty(), entry.rawName.constData());
        QVERIFY(!entry.utf8Flag);
        QCOMPARE(entry.modified, entries->first().modified);
        if (entry.rawName != entry.name.toUtf8()) {
            someNameIsChinese = true;
            QVERIFY(!entry.name.contains(QChar::ReplacementCharacter));
        }
        if (!entry.name.endsWith(u'/'))
            QCOMPARE(entry.contents, fileBytes(m_folder + u'/' + entry.name));
        else
            QVERIFY(entry.contents.isEmpty());
        names.append(entry.name);
    }
    QVERIFY2(someNameIsChinese, "the package should hold names that GB18030 and UTF-8 write differently");
    QStringList sorted = names;
    sorted.sort();
    QCOMPARE(names, sorted);
    QCOMPARE(names, relativePathsUnder(m_folder));
    QVERIFY(names.contains(u"AdVideo/"_s));
    QVERIFY(names.contains(u"PadBaseData.db"_s));
}

void TestDemoData::sameArgumentsGiveSameBytes()
{
    const QString again = m_dir.filePath(u"again/update"_s);
    const QString againPackage = m_dir.filePath(u"again/base.zip"_s);
    const RunResult run = runGenerator(
        {u"--out"_s, again, u"--package"_s, againPackage, u"--dishes"_s, QString::number(kFixtureDishes)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QByteArray database = fileBytes(m_folder + u"/PadBaseData.db"_s);
    QVERIFY(!database.isEmpty());
    QVERIFY(database == fileBytes(again + u"/PadBaseData.db"_s));
    QVERIFY(fileBytes(m_package) == fileBytes(againPackage));
}

void TestDemoData::badArgumentsFailClearly_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString out = u"--out"_s;
    QTest::newRow("no --out") << QStringList{u"--dishes"_s, u"50"_s} << u"--out DIR is required"_s;
    QTest::newRow("--out without a folder") << QStringList{out} << u"Missing value after '--out'"_s;
    QTest::newRow("dishes not a number")
        << QStringList{out, u"x"_s, u"--dishes"_s, u"many"_s} << u"--dishes must be"_s;
    QTest::newRow("too few dishes") << QStringList{out, u"x"_s, u"--dishes"_s, u"5"_s}
                                    << u"--dishes must be"_s;
    QTest::newRow("negative dishes") << QStringList{out, u"x"_s, u"--dishes"_s, u"-50"_s}
                                     << u"--dishes must be"_s;
    QTest::newRow("too many dishes") << QStringList{out, u"x"_s, u"--dishes"_s, u"99999999"_s}
                                     << u"--dishes must be"_s;
    QTest::newRow("unknown option") << QStringList{out, u"x"_s, u"--colour"_s}
                                    << u"Unknown option 'colour'"_s;
    QTest::newRow("stray argument") << QStringList{out, u"x"_s, u"extra"_s}
                                    << u"unexpected argument: extra"_s;
}

void TestDemoData::badArgumentsFailClearly()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    // Relative folders resolve against the generator's working folder: run it in the temporary one.
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(kGenerator, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QVERIFY2(!QFileInfo::exists(m_dir.filePath(u"x"_s)), "nothing is written after a refused argument");
}

void TestDemoData::shippedDemoRestaurant()
{
    const QString resources = qEnvironmentVariable("DIANCAI_RESOURCES");
    QVERIFY2(!resources.isEmpty(), "DIANCAI_RESOURCES is not set");
    const QString folder = resources + u"/update"_s;
    Catalogue demo;
    QVERIFY(QFileInfo::exists(folder + u"/PadBaseData.db"_s));
    QVERIFY(demo.open(folder + u"/PadBaseData.db"_s));
    QVERIFY(demo.count(u"select count(*) from FoodInfo"_s) >= 120);
    QVERIFY(demo.count(u"select count(*) from FoodBigCatInfo"_s) >= 6);
    QVERIFY(demo.count(u"select count(*) from FoodSmallCatInfo"_s) >= 18);
    QCOMPARE(demo.count(u"select count(*) from FoodInfo where FoodType = 'T'"_s), 3);
    QCOMPARE(demo.count(u"select count(distinct foodno) from FoodItemsize"_s), 5);
    QCOMPARE(demo.value(u"select spellName from FoodInfo where foodName = '宫保鸡丁'"_s).toString(),
             u"GBJD"_s);
    QCOMPARE(demo.value(u"select spellName from FoodInfo where foodName = 'XO酱炒带子'"_s).toString(),
             u"XOJCDZ"_s);
    const QString bad = badMnemonic(demo);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    const QStringList units = demo.texts(u"select distinct unitname from FoodInfo"_s);
    for (const QString &unit : {u"份"_s, u"盘"_s, u"例"_s, u"斤"_s, u"只"_s, u"瓶"_s})
        QVERIFY2(units.contains(unit), qPrintable(unit));
    // Every dish has a picture of its own, full size.
    QSet<QByteArray> pictures;
    const QStringList foodnos = demo.texts(u"select foodno from FoodInfo"_s);
    for (const QString &foodno : foodnos) {
        const QString path = folder + u"/foodPicBig/"_s + foodno + u".jpg"_s;
        QCOMPARE(QImage(path).size(), QSize(480, 360));
        pictures.insert(fileBytes(path));
    }
    QCOMPARE(pictures.size(), foodnos.size());
    const auto package = readPackage(resources + u"/demo/diancai-demo.zip"_s);
    QVERIFY(package.has_value());
    QCOMPARE(package->size(), relativePathsUnder(folder).size());
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
