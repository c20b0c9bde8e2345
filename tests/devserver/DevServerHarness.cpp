#include "DevServerHarness.h"

#include "BaseDataFixture.h"
#include "ServerOptions.h"
#include "TextCodec.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpServer>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

ServerReply exchange(int port, const std::function<httplib::Result(httplib::Client &)> &request)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(20, 0);
    client.set_connection_timeout(5, 0);
    const httplib::Result result = request(client);
    if (result)
        return ServerReply::fromBody(result->status, QByteArray::fromStdString(result->body));
    return {};
}

QString clientCommandHead(const QString &devSerial, const QString &cashier)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><DevSerial>") +
           devSerial + QStringLiteral("</DevSerial><PosNo>1</PosNo>") +
           (cashier.isEmpty() ? QStringLiteral("<CashierID/>")
                              : QStringLiteral("<CashierID>") + cashier + QStringLiteral("</CashierID>"));
}

} // namespace

ServerReply ServerReply::fromBody(int status, const QByteArray &body)
{
    ServerReply reply;
    reply.answered = true;
    reply.status = status;
    reply.body = body;
    const auto utf8 = TextCodec::toUtf8(body.toStdString(), "GB18030");
    if (!utf8)
        return reply;
    QXmlStreamReader xml(QString::fromStdString(*utf8));
    const auto attributes = [&xml] {
        Row row;
        for (const auto &attribute : xml.attributes())
            row[attribute.name().toString()] = attribute.value().toString();
        return row;
    };
    int depth = 0;
    QString section; // the child of the root being read
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (++depth == 2)
            section = xml.name().toString();
        if (depth == 2 && section.startsWith(u"Return") && section != u"ReturnList") {
            const QString text = xml.readElementText();
            --depth;
            if (section == u"ReturnCode")
                reply.code = text;
            else if (section == u"ReturnMsg")
                reply.msg = text;
            else if (section == u"ReturnValue")
                reply.value = text;
        } else if (depth == 2 && section == u"ParaList") {
            reply.para = attributes();
        } else if (depth == 4 && section == u"ReturnList") {
            reply.rows.append(attributes());
        }
    }
    reply.parsed = !xml.hasError();
    return reply;
}

QString OrderLine::toData(int itemSeq) const
{
    const auto a = [](const char *name, const QString &value) {
        return u' ' + QLatin1String(name) + QStringLiteral("=\"") + value.toHtmlEscaped() + u'"';
    };
    return QStringLiteral("<Data") + a("ItemSeq", QString::number(itemSeq)) + a("foodNo", foodNo) +
           a("foodName", name) + a("FoodType", type) + a("ItemSize", {}) + a("SaleQty", qty) +
           a("SalePrice", price) + a("SuitNo", suitNo) + a("OrgFoodNo", foodNo) +
           a("SuitIndex", QStringLiteral("0")) + a("TasteDef", tasteDef) + a("TasteManual", tasteManual) +
           a("PrintState", printState) + a("TempFoodFlag", QStringLiteral("N")) +
           a("CurrpriceFlag", QStringLiteral("N")) + a("SellWay", sellWay) +
           a("AuthID", sellWay == u"C" ? QStringLiteral("1001") : QString()) + QStringLiteral(" />");
}

QString DevServerHarness::demoPackage()
{
    return qEnvironmentVariable("DIANCAI_RESOURCES") + QStringLiteral("/demo/diancai-demo.zip");
}

int DevServerHarness::closedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed when the probe goes
}

QString DevServerHarness::packagePath() const
{
    if (catalogue_ == Catalogue::Demo)
        return demoPackage();
    return dir_.path() + QStringLiteral("/dcpackage-001.zip");
}

QString DevServerHarness::baseDataFolder() const
{
    if (catalogue_ == Catalogue::Demo)
        return qEnvironmentVariable("DIANCAI_RESOURCES") + QStringLiteral("/update");
    return dir_.path() + QStringLiteral("/basedata");
}

bool DevServerHarness::start(const QString &stock, bool fresh)
{
    const QString baseData = baseDataFolder();
    if (catalogue_ == Catalogue::Fixture && !fixtureWritten_ &&
        (!BaseDataFixture::write(baseData) ||
         !BaseDataFixture::writePackage(packagePath(), 3 * 1024 * 1024 + 17))) {
        error_ = QStringLiteral("cannot write the fixture");
        return false;
    }
    fixtureWritten_ = true;
    std::vector<std::string> argv = {"--port",     "0",
                                     "--basedata", baseData.toStdString(),
                                     "--package",  packagePath().toStdString(),
                                     "--state",    stateFolder().toStdString()};
    if (!stock.isEmpty())
        argv.insert(argv.end(), {"--stock", stock.toStdString()});
    if (fresh)
        argv.push_back("--fresh");
    std::string error;
    const auto options = ServerOptions::parse(argv, error);
    server_ = std::make_unique<DevServer>();
    if (!options || !server_->start(*options, error)) {
        error_ = QString::fromStdString(error);
        server_.reset();
        return false;
    }
    return true;
}

bool DevServerHarness::startProcess(const QString &package, const QStringList &extraArguments)
{
    const QString baseData = qEnvironmentVariable("DIANCAI_RESOURCES") + QStringLiteral("/update");
    process_.start(QStringLiteral(DEVSERVER_EXE),
                   QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--basedata"),
                               baseData, QStringLiteral("--package"),
                               package.isEmpty() ? demoPackage() : package, QStringLiteral("--state"),
                               stateFolder()} +
                       extraArguments);
    while (process_.waitForStarted(10000) && !process_.canReadLine()) {
        if (!process_.waitForReadyRead(10000))
            break;
    }
    banner_ = QString::fromUtf8(process_.readLine());
    const auto match =
        QRegularExpression(QStringLiteral("listening on http://127\\.0\\.0\\.1:(\\d+)")).match(banner_);
    processPort_ = match.captured(1).toInt();
    error_ = QStringLiteral("no port named: ") + banner_ + QString::fromUtf8(process_.readAllStandardError());
    return match.hasMatch();
}

QStringList DevServerHarness::logLines()
{
    log_ += process_.readAllStandardOutput();
    QStringList lines = QString::fromUtf8(log_.left(log_.lastIndexOf('\n') + 1)).split(u'\n');
    lines.removeLast(); // what follows the last line break
    return lines;
}

int DevServerHarness::stop()
{
    if (server_)
        server_->stop();
    server_.reset();
    if (process_.state() == QProcess::NotRunning)
        return 0;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

ServerReply DevServerHarness::post(const QString &xml)
{
    return postRaw("xmlFile=" + xml.toUtf8().toPercentEncoding("-_.", "~"),
                   "application/x-www-form-urlencoded");
}

ServerReply DevServerHarness::postRaw(const QByteArray &body, const QByteArray &contentType)
{
    return exchange(port(), [&](httplib::Client &client) {
        return client.Post("/", body.toStdString(), contentType.toStdString());
    });
}

ServerReply DevServerHarness::get(const QString &path)
{
    return exchange(port(), [&](httplib::Client &client) { return client.Get(path.toStdString()); });
}

ServerReply DevServerHarness::command(const QString &name, const QString &fields, const QString &cashier)
{
    QString xml = clientCommandHead(QLatin1String(kDevSerial), cashier) + QStringLiteral("<Command>") + name +
                  QStringLiteral("</Command>");
    for (const QString &field : fields.split(u'&', Qt::SkipEmptyParts)) {
        const QString key = field.section(u'=', 0, 0);
        xml += u'<' + key + u'>' + field.section(u'=', 1) + QStringLiteral("</") + key + u'>';
    }
    return post(xml + QStringLiteral("</ClientCommand>"));
}

ServerReply DevServerHarness::login(const QString &id, const QString &password)
{
    return command(QStringLiteral("LogIn"),
                   QStringLiteral("UserID=") + id + QStringLiteral("&UserPassword=") + password, QString());
}

QString DevServerHarness::orderXml(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                                   const QString &custCount, const QString &cashier, const QString &devSerial)
{
    QString xml = clientCommandHead(devSerial, cashier) +
                  QStringLiteral("<Command>OrderPack</Command><DeskNo>") + desk +
                  QStringLiteral("</DeskNo><WaiterMan>") + cashier + QStringLiteral("</WaiterMan>");
    if (!custCount.isEmpty())
        xml += QStringLiteral("<CustCount>") + custCount + QStringLiteral("</CustCount>");
    xml += QStringLiteral("<OrdRemarkDef></OrdRemarkDef><OrdRemarkManual></OrdRemarkManual>");
    if (!flowNo.isEmpty())
        xml += QStringLiteral("<UniqueFlowNo>") + flowNo + QStringLiteral("</UniqueFlowNo>");
    xml += QStringLiteral("<OrderDetail>");
    for (int i = 0; i < lines.size(); ++i)
        xml += lines[i].toData(i + 1);
    return xml + QStringLiteral("</OrderDetail></ClientCommand>");
}

ServerReply DevServerHarness::order(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                                    const QString &custCount, const QString &cashier,
                                    const QString &devSerial)
{
    return post(orderXml(desk, flowNo, lines, custCount, cashier, devSerial));
}

QList<Row> DevServerHarness::saleList(const QString &desk)
{
    return command(QStringLiteral("GetDeskSaleList"), QStringLiteral("DeskNo=") + desk).rows;
}

Row DevServerHarness::deskState(const QString &desk)
{
    const auto rows = command(QStringLiteral("GetRoomDeskState"), QStringLiteral("DeskNo=") + desk).rows;
    return rows.size() == 1 ? rows.first() : Row();
}

QJsonObject DevServerHarness::controlGet(const QString &pathAndQuery)
{
    return QJsonDocument::fromJson(get(pathAndQuery).body).object();
}

bool DevServerHarness::injectFault(const QString &key, const QString &kindAndMore)
{
    return controlPost(QStringLiteral("/__control/faults?command=") +
                       QString::fromLatin1(QUrl::toPercentEncoding(key)) + QStringLiteral("&kind=") +
                       kindAndMore) == 200;
}

int DevServerHarness::controlPost(const QString &pathAndQuery)
{
    return exchange(port(),
                    [&](httplib::Client &client) {
                        return client.Post(pathAndQuery.toStdString(), std::string(),
                                           "application/x-www-form-urlencoded");
                    })
        .status;
}
