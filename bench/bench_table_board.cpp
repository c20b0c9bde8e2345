// The table board with 500 tables in 10 rooms: opening it (rooms, tables, tiles), applying the
// server's state reply for all of them, and switching rooms. The GUI thread's part: the reply is
// read once on the request's worker, timed apart.
#include "dining/TableBoard.h"
#include "server/ResponseParser.h"
#include "server/XmlReply.h"
#include "ui/tables/RoomView.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {
constexpr int kTables = 500;
constexpr int kRooms = 10;

QList<RoomInfo> rooms()
{
    QList<RoomInfo> made{{QStringLiteral("all"), QStringLiteral("所有")}};
    for (int room = 1; room <= kRooms; ++room)
        made.append({QString::asprintf("%02d", room), QStringLiteral("厅%1").arg(room)});
    return made;
}

QList<DeskInfo> tables()
{
    QList<DeskInfo> made;
    for (int i = 0; i < kTables; ++i)
        made.append({QString::asprintf("T%03d", i), QStringLiteral("%1号台").arg(i),
                     QString::asprintf("%02d", i % kRooms + 1)});
    return made;
}

// A reply as the server sends it: every table, every other one in use.
QByteArray stateReply()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"gb2312\"?><Response><ReturnCode>0</ReturnCode>"
                     "<ReturnMsg>OK</ReturnMsg><ReturnList><Rows>";
    for (int i = 0; i < kTables; ++i) {
        xml += QString::asprintf("<Row deskNo=\"T%03d\" deskName=\"T%03d\" useIndex=\"%d\" custNumber=\"%d\" "
                                 "TotalAmt=\"%d.50\"/>",
                                 i, i, i % 2, i % 2 * 4, i)
                   .toUtf8();
    }
    return xml + "</Rows></ReturnList></Response>";
}

void BM_OpenBoard500(benchmark::State &state)
{
    const QList<RoomInfo> roomList = rooms();
    const QList<DeskInfo> tableList = tables();
    for (auto _ : state) {
        RoomView board;
        board.showTables(roomList, tableList);
        benchmark::DoNotOptimize(board.tables()->count());
    }
}
BENCHMARK(BM_OpenBoard500)->Unit(benchmark::kMillisecond);

void BM_ReadStateReply500(benchmark::State &state)
{
    const QByteArray body = stateReply();
    for (auto _ : state) {
        const XmlReply reply(body);
        benchmark::DoNotOptimize(ResponseParser::parseGetRoomDeskState(reply));
    }
}
BENCHMARK(BM_ReadStateReply500)->Unit(benchmark::kMillisecond);

void BM_ApplyStates500(benchmark::State &state)
{
    RoomView board;
    board.showTables(rooms(), tables());
    const QList<Row> rows =
        ResponseParser::parseGetRoomDeskState(XmlReply(stateReply())).value_or(QList<Row>());
    if (rows.size() != kTables)
        state.SkipWithError("the reply was not read");
    for (auto _ : state)
        board.applyStates(rows);
}
BENCHMARK(BM_ApplyStates500)->Unit(benchmark::kMillisecond);

void BM_OpenAndApply500(benchmark::State &state)
{
    const QList<RoomInfo> roomList = rooms();
    const QList<DeskInfo> tableList = tables();
    const QList<Row> rows =
        ResponseParser::parseGetRoomDeskState(XmlReply(stateReply())).value_or(QList<Row>());
    for (auto _ : state) {
        RoomView board;
        board.showTables(roomList, tableList);
        board.applyStates(rows);
    }
}
BENCHMARK(BM_OpenAndApply500)->Unit(benchmark::kMillisecond);

void BM_RoomSwitch500(benchmark::State &state)
{
    RoomView board;
    board.showTables(rooms(), tables());
    board.applyStates(ResponseParser::parseGetRoomDeskState(XmlReply(stateReply())).value_or(QList<Row>()));
    int room = 0;
    for (auto _ : state) {
        // "所有" (500 tiles) and one room (50) in turn.
        room = room == 0 ? 1 + (room + 1) % kRooms : 0;
        board.selectRoom(room);
    }
}
BENCHMARK(BM_RoomSwitch500)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
