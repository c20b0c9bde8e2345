#include "DevServerHarness.h"

#include "BaseDataFixture.h"
#include "ServerOptions.h"
#include "TextCodec.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QXmlStreamReader>

namespace {

QString xmlEscapedAttribute(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'<', QStringLiteral("&lt;"));
}

ServerReply exchange(int port, const std::function<httplib::Result(httplib::Client &)> &request)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(20, 0);
    client.set_connection_timeout(5, 0);
    const httplib::Result result = request(client);
    if (!result) {
        ServerReply none;
        none.transportError = QString::fromStdString(httplib::to_string(result.error()));
        return none;
    }
    return ServerReply::fromBody(result->status, QByteArray::fromStdString(result->body));
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
    bool inList = false;
    int depth = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == 1)
                inList = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QString name = xml.name().toString();
        if (depth == 2 && name == u"ReturnCode") {
            reply.code = xml.readElementText();
            --depth;
        } else if (depth == 2 && name == u"ReturnMsg") {
            reply.msg = xml.readElementText();
            --depth;
        } else if (depth == 2 && name == u"ReturnValue") {
            reply.value = xml.readElementText();
            --depth;
        } else if (depth == 2 && name == u"ReturnList") {
            inList = true;
        } else if (depth == 2 && name == u"ParaList") {
            for (const auto &attribute : xml.attributes())
                reply.para[attribute.name().toString()] = attribute.value().toString();
        } else if (inList && depth == 4) {
            Row row;
            for (const auto &attribute : xml.attributes())
                row[attribute.name().toString()] = attribute.value().toString();
            reply.rows.append(row);
        }
    }
    reply.parsed = !xml.hasError();
    return reply;
}

OrderLine OrderLine::of(const QString &foodNo, const QString &name, const QString &qty, const QString &price)
{
    OrderLine line;
    line.foodNo = foodNo;
    line.name = name;
    line.qty = qty;
    line.price = price;
    return line;
}

QString OrderLine::toData(int itemSeq) const
{
    const auto attribute = [](const char *name, const QString &value) {
        return QStringLiteral(" ") + QLatin1String(name) + QStringLiteral("=\"") +
               xmlEscapedAttribute(value) + QStringLiteral("\"");
    };
    return QStringLiteral("<Data") + attribute("ItemSeq", QString::number(itemSeq)) +
           attribute("foodNo", foodNo) + attribute("foodName", name) + attribute("FoodType", type) +
           attribute("ItemSize", {}) + attribute("SaleQty", qty) + attribute("SalePrice", price) +
           attribute("SuitNo", suitNo) + attribute("OrgFoodNo", foodNo) +
           attribute("SuitIndex", QStringLiteral("0")) + attribute("TasteDef", tasteDef) +
           attribute("TasteManual", tasteManual) + attribute("PrintState", printState) +
           attribute("TempFoodFlag", QStringLiteral("N")) + attribute("CurrpriceFlag", QStringLiteral("N")) +
           attribute("SellWay", sellWay) +
           attribute("AuthID", sellWay == u"C" ? QStringLiteral("1001") : QString()) + QStringLiteral(" />");
}

DevServerHarness::DevServerHarness() = default;

DevServerHarness::~DevServerHarness()
{
    stop();
}

bool DevServerHarness::start(const QString &stock, bool fresh)
{
    if (!fixtureWritten_) {
        if (!BaseDataFixture::write(dir_.path() + QStringLiteral("/basedata")) ||
            !BaseDataFixture::writePackage(packagePath(), 3 * 1024 * 1024 + 17)) {
            error_ = QStringLiteral("cannot write the fixture");
            return false;
        }
        fixtureWritten_ = true;
    }
    std::string error;
    QStringList arguments = {QStringLiteral("--port"),     QStringLiteral("0"),
                             QStringLiteral("--basedata"), dir_.path() + QStringLiteral("/basedata"),
                             QStringLiteral("--package"),  packagePath(),
                             QStringLiteral("--state"),    stateFolder()};
    if (!stock.isEmpty())
        arguments << QStringLiteral("--stock") << stock;
    if (fresh)
        arguments << QStringLiteral("--fresh");
    std::vector<std::string> argv;
    for (const QString &argument : arguments)
        argv.push_back(argument.toStdString());
    auto options = ServerOptions::parse(argv, error);
    server_ = std::make_unique<DevServer>();
    if (!options || !server_->start(*options, error)) {
        error_ = QString::fromStdString(error);
        server_.reset();
        return false;
    }
    return true;
}

void DevServerHarness::stop()
{
    if (server_)
        server_->stop();
    server_.reset();
}

ServerReply DevServerHarness::post(const QString &xml)
{
    const QByteArray body = "xmlFile=" + xml.toUtf8().toPercentEncoding("-_.", "~");
    return postRaw(body, "application/x-www-form-urlencoded");
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

ServerReply DevServerHarness::command(const QString &name, const Fields &fields, const QString &cashier)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><DevSerial>") +
                  QLatin1String(kDevSerial) + QStringLiteral("</DevSerial><PosNo>1</PosNo>");
    xml += cashier.isEmpty() ? QStringLiteral("<CashierID/>")
                             : QStringLiteral("<CashierID>") + cashier + QStringLiteral("</CashierID>");
    xml += QStringLiteral("<Command>") + name + QStringLiteral("</Command>");
    for (const auto &[field, value] : fields)
        xml += u'<' + field + u'>' + value + QStringLiteral("</") + field + u'>';
    return post(xml + QStringLiteral("</ClientCommand>"));
}

ServerReply DevServerHarness::login(const QString &id, const QString &password)
{
    return command(QStringLiteral("LogIn"),
                   {{QStringLiteral("UserID"), id}, {QStringLiteral("UserPassword"), password}}, QString());
}

QString DevServerHarness::orderXml(const QString &desk, const QString &flowNo, const QList<OrderLine> &lines,
                                   const QString &custCount, const QString &cashier, const QString &devSerial)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><DevSerial>") +
                  devSerial + QStringLiteral("</DevSerial><PosNo>1</PosNo>");
    xml += cashier.isEmpty() ? QStringLiteral("<CashierID />")
                             : QStringLiteral("<CashierID>") + cashier + QStringLiteral("</CashierID>");
    xml += QStringLiteral("<Command>OrderPack</Command><DeskNo>") + desk +
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
    return command(QStringLiteral("GetDeskSaleList"), {{QStringLiteral("DeskNo"), desk}}).rows;
}

Row DevServerHarness::deskState(const QString &desk)
{
    const auto rows = command(QStringLiteral("GetRoomDeskState"), {{QStringLiteral("DeskNo"), desk}}).rows;
    return rows.size() == 1 ? rows.first() : Row();
}

QJsonObject DevServerHarness::controlGet(const QString &pathAndQuery)
{
    return QJsonDocument::fromJson(get(pathAndQuery).body).object();
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
