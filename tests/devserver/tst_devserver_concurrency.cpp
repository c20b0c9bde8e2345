// Many terminals at once: 20 clients send 50 orders each at the same time, some of them twice;
// every line must be recorded exactly once.
#include "DevServerHarness.h"

#include <QSet>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

class TestDevServerConcurrency : public QObject {
    Q_OBJECT

private slots:
    void twentyClientsFiftyOrdersEach()
    {
        constexpr int kClients = 20, kOrders = 50;
        DevServerHarness server;
        QVERIFY2(server.startLoggedIn(), qPrintable(server.lastError()));

        std::atomic<int> accepted{0}, failures{0};
        std::vector<std::thread> clients;
        for (int client = 0; client < kClients; ++client) {
            clients.emplace_back([&, client] {
                // Each terminal has its own serial; five tables are shared by four terminals each.
                const QString serial = u"%1"_s.arg(client, 32, 10, QLatin1Char('0'));
                const QString desk = u"C%1"_s.arg(client % 5 + 1, 2, 10, QLatin1Char('0'));
                for (int order = 0; order < kOrders; ++order) {
                    const QString tag = u"c%1-o%2"_s.arg(client).arg(order);
                    const QList<OrderLine> lines = {
                        OrderLine::of(u"900"_s, tag + u"-a"_s, u"1.000000"_s, u"1.000000"_s),
                        OrderLine::of(u"900"_s, tag + u"-b"_s, u"2.000000"_s, u"1.000000"_s)};
                    const auto send = [&, desk, serial, order, lines] {
                        const ServerReply reply = server.order(desk, u"flow-"_s + QString::number(order),
                                                               lines, u"2"_s, u"1001"_s, serial);
                        ++(reply.code == u"0"_s ? accepted : failures);
                    };
                    // Every fifth order is sent twice at the same moment, as by a terminal that
                    // timed out and sent again while the first post was still being handled.
                    std::thread twin;
                    if (order % 5 == 0)
                        twin = std::thread(send);
                    send();
                    if (twin.joinable())
                        twin.join();
                }
            });
        }
        for (std::thread &client : clients)
            client.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(accepted.load(), kClients * (kOrders + kOrders / 5));

        QMap<QString, int> seen;
        QSet<QString> itemseqs;
        double quantity = 0;
        for (int desk = 1; desk <= 5; ++desk) {
            for (const Row &line : server.saleList(u"C%1"_s.arg(desk, 2, 10, QLatin1Char('0')))) {
                ++seen[line.value(u"pluName"_s)];
                itemseqs.insert(line.value(u"itemseq"_s));
                quantity += line.value(u"saleQty"_s).toDouble();
            }
        }
        QCOMPARE(seen.size(), kClients * kOrders * 2);
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(it.key()));
        QCOMPARE(itemseqs.size(), kClients * kOrders * 2);
        QCOMPARE(quantity, double(kClients * kOrders * 3));
        QCOMPARE(server.deskState(u"C01"_s).value(u"TotalAmt"_s), u"600.00"_s); // 4 terminals × 50 × 3
    }
};

QTEST_GUILESS_MAIN(TestDevServerConcurrency)
#include "tst_devserver_concurrency.moc"
