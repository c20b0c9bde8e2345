#include "DevServerHarness.h"

#include "../server/LoopbackServer.h"
#include "BaseDataFixture.h"
#include "ServerOptions.h"
#include "TextCodec.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

DevReply exchange(int port, const std::function<httplib::Result(httplib::Client &)> &request)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(20, 0);
    client.set_connection_timeout(5, 0);
    const httplib::Result result = request(client);
    if (result)
        return DevReply::fromBody(result->status, QByteArray::fromStdString(result->body));
    return {};
}

QString clientCommandHead(const QString &devSerial, const QString &cashier)
{
    return u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><DevSerial>"_s + devSerial +
           u"</DevSerial><PosNo>1</PosNo>"_s +
           (cashier.isEmpty() ? u"<CashierID/>"_s : u"<CashierID>"_s + cashier + u"</CashierID>"_s);
}

} // namespace

DevReply DevReply::fromBody(int status, const QByteArray &body)
{
    DevReply reply;
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
        return u' ' + QLatin1String(name) + u"=\""_s + value.toHtmlEscaped() + u'"';
    };
    return u"<Data"_s + a("ItemSeq", QString::number(itemSeq)) + a("foodNo", foodNo) + a("foodName", name) +
           a("FoodType", type) + a("ItemSize", {}) + a("SaleQty", qty) + a("SalePrice", price) +
           a("SuitNo", suitNo) + a("OrgFoodNo", foodNo) + a("SuitIndex", u"0"_s) + a("TasteDef", tasteDef) +
           a("TasteManual", tasteManual) + a("PrintState", printState) + a("TempFoodFlag", u"N"_s) +
           a("CurrpriceFlag", u"N"_s) + a("SellWay", sellWay) +
           a("AuthID", sellWay == u"C" ? u"1001"_s : QString()) + u" />"_s;
}

QString DevServerHarness::demoPackage()
{
    return qEnvironmentVariable("DIANCAI_RESOURCES") + u"/demo/diancai-demo.zip"_s;
}

int DevServerHarness::closedLoopbackPort()
{
    return ::closedLoopbackPort();
}

QString DevServerHarness::packagePath() const
{
    return catalogue_ == Catalogue::Demo ? demoPackage() : dir_.path() + u"/dcpackage-001.zip"_s;
}

QString DevServerHarness::baseDataFolder() const
{
    return catalogue_ == Catalogue::Demo ? qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update"_s
                                         : dir_.path() + u"/basedata"_s;
}

bool DevServerHarness::start(const QString &stock, bool fresh)
{
    const QString baseData = baseDataFolder();
    if (catalogue_ == Catalogue::Fixture && !fixtureWritten_ &&
        (!BaseDataFixture::write(baseData) ||
         !BaseDataFixture::writePackage(packagePath(), 3 * 1024 * 1024 + 17))) {
        error_ = u"cannot write the fixture"_s;
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
    const QString baseData = qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update"_s;
    process_.start(QStringLiteral(DEVSERVER_EXE),
                   QStringList{u"--port"_s, u"0"_s, u"--basedata"_s, baseData, u"--package"_s,
                               package.isEmpty() ? demoPackage() : package, u"--state"_s, stateFolder()} +
                       extraArguments);
    while (process_.waitForStarted(10000) && !process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    banner_ = QString::fromUtf8(process_.readLine());
    const auto match = QRegularExpression(u"listening on http://127\\.0\\.0\\.1:(\\d+)"_s).match(banner_);
    processPort_ = match.captured(1).toInt();
    error_ = u"no port named: "_s + banner_ + QString::fromUtf8(process_.readAllStandardError());
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

DevReply DevServerHarness::post(const QString &xml)
{
    return postRaw("xmlFile=" + xml.toUtf8().toPercentEncoding("-_.", "~"),
                   "application/x-www-form-urlencoded");
}

DevReply DevServerHarness::postRaw(const QByteArray &body, const QByteArray &contentType)
{
    return exchange(port(), [&](httplib::Client &client) {
        return client.Post("/", body.toStdString(), contentType.toStdString());
    });
}

DevReply DevServerHarness::get(const QString &path)
{
    return exchange(port(), [&](httplib::Client &client) { return client.Get(path.toStdString()); });
}

DevReply DevServerHarness::command(const QString &name, const QString &fields, const QString &cashier)
{
    QString xml =
        clientCommandHead(QLatin1String(kDevSerial), cashier) + u"<Command>"_s + name + u"</Command>"_s;
    for (const QString &field : fields.split(u'&', Qt::SkipEmptyParts)) {
        const QString key = field.section(u'=', 0, 0);
        xml += u'<' + key + u'>' + field.section(u'=', 1) + u"</"_s + key + u'>';
    }
    return post(xml + u"</ClientCommand>"_s);
}

DevReply DevServerHarness::login(const QString &id, const QString &password)
{
    return command(u"LogIn"_s, u"UserID="_s + id + u"&UserPassword="_s + password, QString());
}

QString DevServerHarness::orderXml(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                                   const QString &custCount, const QString &cashier, const QString &devSerial)
{
    QString xml = clientCommandHead(devSerial, cashier) + u"<Command>OrderPack</Command><DeskNo>"_s + desk +
                  u"</DeskNo><WaiterMan>"_s + cashier + u"</WaiterMan>"_s;
    if (!custCount.isEmpty())
        xml += u"<CustCount>"_s + custCount + u"</CustCount>"_s;
    xml += u"<OrdRemarkDef></OrdRemarkDef><OrdRemarkManual></OrdRemarkManual>"_s;
    if (!flowNo.isEmpty())
        xml += u"<UniqueFlowNo>"_s + flowNo + u"</UniqueFlowNo>"_s;
    xml += u"<OrderDetail>"_s;
    for (int i = 0; i < lines.size(); ++i)
        xml += lines[i].toData(i + 1);
    return xml + u"</OrderDetail></ClientCommand>"_s;
}

DevReply DevServerHarness::order(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                                    const QString &custCount, const QString &cashier,
                                    const QString &devSerial)
{
    return post(orderXml(desk, flowNo, lines, custCount, cashier, devSerial));
}

QList<Row> DevServerHarness::saleList(const QString &desk)
{
    return command(u"GetDeskSaleList"_s, u"DeskNo="_s + desk).rows;
}

Row DevServerHarness::deskState(const QString &desk)
{
    const auto rows = command(u"GetRoomDeskState"_s, u"DeskNo="_s + desk).rows;
    return rows.size() == 1 ? rows.first() : Row();
}

QJsonObject DevServerHarness::controlGet(const QString &pathAndQuery)
{
    return QJsonDocument::fromJson(get(pathAndQuery).body).object();
}

bool DevServerHarness::injectFault(const QString &key, const QString &kindAndMore)
{
    return controlPost(u"/__control/faults?command="_s + QString::fromLatin1(QUrl::toPercentEncoding(key)) +
                       u"&kind="_s + kindAndMore) == 200;
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
