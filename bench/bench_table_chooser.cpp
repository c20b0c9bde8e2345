// The table chooser on a base data of 500 tables in 10 rooms, in an offscreen window on the
// software renderer: from opening (the controller reads rooms and tables, "所有" shows every tile)
// to the pop-up's first rendered frame. Goal: within 100 ms.
#include "SilentNotices.h"
#include "UiTestSupport.h"

#include "foundation/AppPaths.h"
#include "order/OrderPack.h"
#include "storage/DBManager.h"
#include "ui/order/TableChooseViewController.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
constexpr int kTables = 500;
constexpr int kRooms = 10;

// A copy of the demo base data whose rooms and tables are replaced by 500 tables in 10 rooms.
bool writeBaseData(const QString &path)
{
    const QString demo = AppPaths::resourcesDir() + QStringLiteral("/update/PadBaseData.db");
    if (!QFile::copy(demo, path) || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner))
        return false;
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    QByteArray sql = "begin; delete from RoomInfo; delete from DeskInfo;";
    for (int room = 1; room <= kRooms; ++room)
        sql += QString::asprintf("insert into RoomInfo values('%02d', '厅%d');", room, room).toUtf8();
    for (int i = 0; i < kTables; ++i)
        sql += QString::asprintf("insert into DeskInfo values('T%03d', '%d号台', '%02d');", i, i, i % kRooms + 1)
                   .toUtf8();
    sql += "commit;";
    const bool written = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return written;
}

void BM_OpenChooser500(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("PadBaseData.db"));
    if (!writeBaseData(path)) {
        state.SkipWithError("the base data was not written");
        return;
    }
    DBManager::defaultManager().setupDBPath(path);
    const std::unique_ptr<QQmlEngine> engine = UiTest::makeEngine();
    const std::unique_ptr<QQuickWindow> window = UiTest::makeWindow();
    const auto pack = std::make_shared<OrderPack>();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        TableChooseViewController chooser(pack);
        QQuickItem *item = UiTest::createItem(*engine, *window, QStringLiteral("TableChooseView.qml"),
                                              {{QStringLiteral("controller"), QVariant::fromValue(&chooser)}});
        const QImage frame = window->grabWindow();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (!item || frame.isNull() || chooser.tables()->rowCount() != kTables) {
            state.SkipWithError("the chooser was not built with every table");
            delete item;
            break;
        }
        delete item;
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenChooser500)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char *argv[])
{
    UiTest::prepareProcess();
    QGuiApplication app(argc, argv);
    UiTest::prepareApplication();
    UserNotice::setSink(std::make_shared<SilentNotices>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UiTest::releaseSound();
    return 0;
}
