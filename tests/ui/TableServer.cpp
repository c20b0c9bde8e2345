#include "TableServer.h"

#include "DevServerHarness.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>

TableServer::TableServer(bool demoCatalogue)
    : harness_(std::make_unique<DevServerHarness>(demoCatalogue ? DevServerHarness::Catalogue::Demo
                                                                : DevServerHarness::Catalogue::Fixture))
{
}

TableServer::~TableServer() = default;

bool TableServer::start()
{
    return harness_->start({}, true);
}

QString TableServer::lastError() const
{
    return harness_->lastError();
}

int TableServer::port() const
{
    return harness_->port();
}

int TableServer::controlPost(const QString &pathAndQuery)
{
    return harness_->controlPost(pathAndQuery);
}

bool TableServer::restartFresh()
{
    return harness_->restart({}, true);
}

QString TableServer::login(const QString &id, const QString &password)
{
    return harness_->login(id, password).code;
}

QString TableServer::order(const QString &deskNo, const QStringList &lines, const QString &guests,
                           const QString &cashier)
{
    QList<OrderLine> made;
    for (const QString &line : lines) {
        const QStringList parts = line.split(u'|');
        made.append(OrderLine::of(parts.value(0), parts.value(1), parts.value(2), parts.value(3)));
    }
    static int flow = 0;
    const DevReply reply =
        harness_->order(deskNo, QStringLiteral("F%1").arg(++flow), made, guests, cashier);
    return reply.code == QStringLiteral("0") ? reply.code : reply.code + u' ' + reply.msg;
}

QStringList TableServer::received(const QString &command)
{
    QStringList documents;
    const QString path = QStringLiteral("/__control/commands?command=") + command;
    for (const auto &entry : harness_->controlGet(path)[QStringLiteral("commands")].toArray())
        documents.append(entry.toObject()[QStringLiteral("xml")].toString());
    return documents;
}

QString TableServer::fields(const QString &xml, const QStringList &names)
{
    QStringList shown;
    for (const QString &name : names) {
        const bool present =
            xml.contains(u'<' + name + u'>') || xml.contains(u'<' + name + QStringLiteral("/>"));
        const QRegularExpression element(QStringLiteral("<%1>([^<]*)</%1>").arg(name));
        shown.append(name + u'=' + (present ? element.match(xml).captured(1) : QStringLiteral("-")));
    }
    return shown.join(u';');
}

QStringList TableServer::saleLines(const QString &deskNo)
{
    QStringList lines;
    for (const Row &row : harness_->saleList(deskNo))
        lines.append(QStringList{row.value(QStringLiteral("pluno")), row.value(QStringLiteral("itemseq")),
                                 row.value(QStringLiteral("saleQty")),
                                 row.value(QStringLiteral("havePrtFlag"))}
                         .join(u'|'));
    return lines;
}

QStringList TableServer::printedFiles() const
{
    return QDir(harness_->stateFolder() + QStringLiteral("/print")).entryList(QDir::Files, QDir::Name);
}

QString TableServer::command(const QString &name, const QString &fields, const QString &cashier)
{
    return harness_->command(name, fields, cashier).code;
}
