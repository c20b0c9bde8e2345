#pragma once

#include "DevServer.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

using Row = QMap<QString, QString>;

// The row's values under `keys`, joined by "/".
inline QString valuesOf(const Row &row, const QStringList &keys)
{
    QStringList values;
    for (const QString &key : keys)
        values << row.value(key);
    return values.join(u'/');
}
// A row written "key=value|key=value".
inline Row rowOf(const QString &pairs)
{
    Row row;
    for (const QString &pair : pairs.split(u'|'))
        row.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return row;
}

// One answer as the test sees it: the raw exchange and, when the body is a reply document, its
// parts (read from the GB18030 bytes).
struct DevReply {
    bool answered = false; // false: no HTTP answer at all (connection dropped, refused)
    int status = 0;
    QByteArray body;
    bool parsed = false;
    QString code;
    QString msg;
    std::optional<QString> value;
    QList<Row> rows;
    Row para;

    static DevReply fromBody(int status, const QByteArray &body);
};

// A line of an order pack as the terminal writes it.
struct OrderLine {
    QString foodNo, name, qty, price;
    QString type = QStringLiteral("D");
    QString printState = QStringLiteral("0");
    QString sellWay = QStringLiteral("A");
    QString tasteDef{}, tasteManual{}, suitNo{};

    static OrderLine of(const QString &foodNo, const QString &name, const QString &qty, const QString &price)
    {
        return {.foodNo = foodNo, .name = name, .qty = qty, .price = price};
    }
    QString toData(int itemSeq) const;
};

// A development server on a free loopback port, talked to over real HTTP: in this process over a
// fresh fixture folder, or over the shipped demo data and package (`Catalogue::Demo`: tables
// A01-A16, V01-V08, C01-C06; operators 001-005); `startProcess` runs the diancai-devserver program.
class DevServerHarness {
public:
    static constexpr const char *kDevSerial = "0123456789ABCDEF0123456789ABCDEF";
    enum class Catalogue { Fixture, Demo };

    explicit DevServerHarness(Catalogue catalogue = Catalogue::Fixture) : catalogue_(catalogue) {}
    ~DevServerHarness() { stop(); }

    // Writes the fixture (once) and starts the server; stock is "FOODNO=QTY,...".
    bool start(const QString &stock = {}, bool fresh = false);
    // The child process's exit code (-1 when it crashed or would not stop); 0 in this process.
    int stop();
    bool restart(const QString &stock = {}, bool fresh = false) { return stop(), start(stock, fresh); }
    // Starts and logs operator 1001 in.
    bool startLoggedIn(const QString &stock = {}) { return start(stock) && login().code == u"0"; }
    QString lastError() const { return error_; }

    int port() const { return server_ ? server_->port() : processPort_; }
    QString folder() const { return dir_.path(); }
    QString packagePath() const;
    QString baseDataFolder() const;
    QString stateFolder() const { return dir_.path() + QStringLiteral("/state"); }

    // Posts the text as the terminal does: form field "xmlFile", percent-encoded UTF-8.
    DevReply post(const QString &xml);
    DevReply postRaw(const QByteArray &body, const QByteArray &contentType);
    DevReply get(const QString &path);
    // A ClientCommand like the terminal's; fields are "Name=value&Name=value", an empty cashier
    // renders "<CashierID/>".
    DevReply command(const QString &name, const QString &fields = {},
                        const QString &cashier = QStringLiteral("1001"));
    DevReply login(const QString &id = QStringLiteral("1001"),
                      const QString &password = QStringLiteral("123"));
    DevReply order(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                      const QString &custCount = QStringLiteral("4"),
                      const QString &cashier = QStringLiteral("1001"),
                      const QString &devSerial = QString::fromLatin1(kDevSerial));
    static QString orderXml(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                            const QString &custCount = QStringLiteral("4"),
                            const QString &cashier = QStringLiteral("1001"),
                            const QString &devSerial = QString::fromLatin1(kDevSerial));
    QList<Row> saleList(const QString &desk);
    Row deskState(const QString &desk);

    QJsonObject controlGet(const QString &pathAndQuery);
    int controlPost(const QString &pathAndQuery);
    // "POST /__control/faults?command=KEY&kind=KIND..." in one call; true when it was taken.
    bool injectFault(const QString &key, const QString &kindAndMore);

    // Serves `package` (the demo package when empty) over the demo base data with a fresh state;
    // the server names the port it took on its first line, `banner()`.
    bool startProcess(const QString &package = {}, const QStringList &extraArguments = {});
    QString banner() const { return banner_; }
    // The complete lines the server has printed since its banner: one per command and download.
    QStringList logLines();
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:") + QString::number(port()); }

    static QString demoPackage();
    // A loopback port that nothing listens on (it was free a moment ago).
    static int closedLoopbackPort();

private:
    Catalogue catalogue_;
    QTemporaryDir dir_;
    bool fixtureWritten_ = false;
    std::unique_ptr<DevServer> server_;
    QString error_;
    QProcess process_;
    int processPort_ = 0;
    QString banner_;
    QByteArray log_;
};
