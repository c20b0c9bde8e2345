// Runs diancai-demodata as the build does; reads the catalogue with SQLite, the package with minizip.

#include "PackageReader.h"
#include "TestRows.h"

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

// The fixture's catalogue folder and package, made as the build makes the shipped ones: the exit
// code (-1 when it crashed or hung) and standard error.
std::pair<int, QString> generate(const QString &folder, const QString &package)
{
    QProcess process;
    process.start(kGenerator, {u"--out"_s, folder, u"--package"_s, package, u"--dishes"_s,
                               QString::number(kFixtureDishes)});
    if (!process.waitForFinished(240000))
        return {-1, u"no finish"_s};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A read-only connection giving every value as text.
class Catalogue {
public:
    bool open(const QString &path)
    {
        return sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    }
    ~Catalogue() { sqlite3_close(m_db); }

    QList<QStringList> rows(const QString &sql) const
    {
        QList<QStringList> result;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
            qWarning("cannot prepare %s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
            return result;
        }
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row.append(
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, c))));
            result.append(row);
        }
        sqlite3_finalize(statement);
        return result;
    }
    QString value(const QString &sql) const { return rows(sql).value(0).value(0); }
    qint64 count(const QString &where) const
    {
        return value(u"select count(*) from "_s + where).toLongLong();
    }
    QStringList texts(const QString &sql) const
    {
        QStringList result;
        for (const QStringList &row : rows(sql))
            result.append(row.value(0));
        return result;
    }

private:
    sqlite3 *m_db = nullptr;
};

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

// A dish whose mnemonic is not one capital letter or digit per character of its name.
QString badMnemonic(const Catalogue &db)
{
    const QRegularExpression letters(u"^[A-Z0-9]+$"_s);
    const QRegularExpression counted(u"[\\p{Han}A-Za-z0-9]"_s);
    for (const QStringList &row : db.rows(u"select foodName, spellName from FoodInfo"_s)) {
        if (!letters.match(row.value(1)).hasMatch() || row.value(1).size() != row.value(0).count(counted))
            return row.join(u' ');
    }
    return {};
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_package;
    Catalogue m_db;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(kGenerator).isExecutable(), qPrintable(kGenerator));
        m_folder = m_dir.filePath(u"fixture/update"_s);
        m_package = m_dir.filePath(u"fixture/base.zip"_s);
        const auto [exitCode, errors] = generate(m_folder, m_package);
        QVERIFY2(exitCode == 0, qPrintable(errors));
        QVERIFY(m_db.open(m_folder + u"/PadBaseData.db"_s));
    }

    // Each row counts rows matching a condition: the terminal needs every kind of dish at least
    // once, and set meals and their exchanges must hold together.
    void kindsPresent_data()
    {
        columns<QString, int, int>("from", "atLeast", "atMost");
        const auto kind = [](const char *from, int atLeast = 1, int atMost = 1 << 30) {
            QTest::newRow(from) << QString::fromUtf8(from) << atLeast << atMost;
        };
        kind("FoodInfo", kFixtureDishes, kFixtureDishes);
        kind("(select distinct foodno from FoodInfo)", kFixtureDishes, kFixtureDishes);
        // Some categories bring their own grid, others leave it to the menu.
        kind("FoodSmallCatInfo where cpViewRow > 0 and cpViewCol > 0");
        kind("FoodSmallCatInfo where cpViewRow is null");
        kind("FoodSmallCatInfo where cpViewRow = 0");
        kind("FoodInfo where TempFoodFlag is null and FoodType <> 'D'", 0, 0);
        kind("FoodInfo where unitname is null or unitname = ''", 0, 0);
        kind("(select 1 from FoodItemsize group by foodno having count(*) = 1)");
        // Set meals: no component index twice, some stored out of index order, some doubled.
        kind("(select 1 from SuitFoodInfo group by suitno, fIndex having count(*) > 1)", 0, 0);
        kind("SuitFoodInfo A join SuitFoodInfo B on A.suitno = B.suitno and A.rowid < B.rowid "
             "and A.fIndex > B.fIndex");
        kind("SuitFoodInfo where foodQty = 1");
        kind("SuitFoodInfo where foodQty = 2");
        kind("SuitFoodChange where changeAmt = 0");
        kind("SuitFoodChange where changeAmt < 0");
        // Each exchange belongs to a component of its set meal and offers a dish that exists.
        kind("SuitFoodChange SC where not exists (select 1 from SuitFoodInfo S where S.suitno = SC.suitno "
             "and S.foodno = SC.foodno) or changeFoodno not in (select foodno from FoodInfo)",
             0, 0);
        kind("(select 1 from SuitFoodChange group by suitno, foodno having count(*) >= 2)");
    }
    void kindsPresent()
    {
        auto [from, atLeast, atMost] = row<QString, int, int>("from", "atLeast", "atMost");
        const qint64 found = m_db.count(from);
        QVERIFY2(found >= atLeast && found <= atMost, qPrintable(QString::number(found)));
    }

    // Each set meal has 3 to 5 components; five sized dishes each name their own size, and their
    // sizes all differ in name and in price.
    void setMealsAndSizes()
    {
        QCOMPARE(m_db.rows(u"select min(n), max(n), count(*) from (select count(S.suitno) n from FoodInfo F "
                           "left join SuitFoodInfo S on S.suitno = F.foodno where F.FoodType = 'T' "
                           "group by F.foodno)"_s),
                 (QList<QStringList>{{u"3"_s, u"5"_s, u"3"_s}}));
        QCOMPARE(
            m_db.rows(u"select count(*), sum(n = names and n = prices and owned = 1 and ownNamed = 1) "
                      "from (select count(*) n, count(distinct itemsize) names, count(distinct salePrice1) "
                      "prices, sum(own) owned, sum(own and itemsize <> '') ownNamed from (select foodno, "
                      "itemsize, salePrice1, 0 own from FoodItemsize union all select foodno, itemsize, "
                      "salePrice1, 1 from FoodInfo where foodno in (select foodno from FoodItemsize)) "
                      "group by foodno)"_s),
            (QList<QStringList>{{u"5"_s, u"5"_s}}));
    }

    void packageNamesAreGb18030()
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
        QCOMPARE(names, relativePathsUnder(m_folder)); // sorted, folders included
        QVERIFY(names.contains(u"AdVideo/"_s) && names.contains(u"PadBaseData.db"_s));
    }

    void sameArgumentsGiveSameBytes()
    {
        const QString again = m_dir.filePath(u"again/update"_s);
        const QString againPackage = m_dir.filePath(u"again/base.zip"_s);
        const auto [exitCode, errors] = generate(again, againPackage);
        QVERIFY2(exitCode == 0, qPrintable(errors));
        const QByteArray database = fileBytes(m_folder + u"/PadBaseData.db"_s);
        QVERIFY(!database.isEmpty() && database == fileBytes(again + u"/PadBaseData.db"_s));
        QVERIFY(fileBytes(m_package) == fileBytes(againPackage));
    }

    void shippedDemoRestaurant()
    {
        const QString resources = qEnvironmentVariable("DIANCAI_RESOURCES");
        QVERIFY2(!resources.isEmpty(), "DIANCAI_RESOURCES is not set");
        const QString folder = resources + u"/update"_s;
        Catalogue demo;
        QVERIFY(QFileInfo::exists(folder + u"/PadBaseData.db"_s) && demo.open(folder + u"/PadBaseData.db"_s));
        QVERIFY(demo.count(u"FoodInfo"_s) >= 120);
        QCOMPARE(demo.count(u"FoodInfo where FoodType = 'T'"_s), 3);
        QCOMPARE(demo.value(u"select spellName from FoodInfo where foodName = '宫保鸡丁'"_s), u"GBJD"_s);
        QCOMPARE(demo.value(u"select spellName from FoodInfo where foodName = 'XO酱炒带子'"_s), u"XOJCDZ"_s);
        const QString bad = badMnemonic(demo);
        QVERIFY2(bad.isEmpty(), qPrintable(bad));
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
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
