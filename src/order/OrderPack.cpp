#include "order/OrderPack.h"

#include "foundation/CommonUtils.h"
#include "order/OrderLinesSource.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LoginState.h"

#include <QDateTime>
#include <QMutex>

#include <atomic>

namespace {
constexpr qint64 kFirstCounter = 10000;
constexpr qint64 kLastCounter = 99999;

QMutex counterMutex;
qint64 counter = kFirstCounter;

std::atomic<OrderLinesSource *> registeredSource{nullptr};

const QString kDeclaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>");

void appendElement(QString &out, const QString &name, const QString &value, CommonUtils::XmlWhitespace ws)
{
    out += u'<' + name + u'>';
    out += CommonUtils::xmlEscape(value, ws);
    out += QStringLiteral("</") + name + u'>';
}

void appendIfPresent(QString &out, const QString &name, const std::optional<QString> &value,
                     CommonUtils::XmlWhitespace ws)
{
    if (value)
        appendElement(out, name, *value, ws);
}
} // namespace

std::shared_ptr<OrderPack> OrderPack::genNewPack()
{
    auto pack = std::make_shared<OrderPack>();
    pack->UniqueFlowNo = uniqueNo();
    pack->PosNo = ConfigManager::defaultManager().posNum();
    return pack;
}

QString OrderPack::uniqueNo()
{
    qint64 number;
    {
        QMutexLocker lock(&counterMutex);
        counter = counter < kLastCounter ? counter + 1 : kFirstCounter;
        number = counter;
    }
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) + QString::number(number);
}

void OrderPack::resetFlowCounter(qint64 last)
{
    QMutexLocker lock(&counterMutex);
    counter = last;
}

void OrderPack::setLinesSource(OrderLinesSource *source)
{
    registeredSource.store(source);
}

OrderLinesSource *OrderPack::linesSource()
{
    return registeredSource.load();
}

QString OrderPack::toStringWithDetails(const QString &detail, bool withGuadanTaste) const
{
    const auto ws =
        withGuadanTaste ? CommonUtils::XmlWhitespace::AsReferences : CommonUtils::XmlWhitespace::AsIs;
    QString out;
    out.reserve(detail.size() + 1024);
    out += kDeclaration;
    out += QStringLiteral("<ClientCommand>");
    out += DeviceIdentity::devSerialElement();
    appendIfPresent(out, QStringLiteral("PosNo"), PosNo, ws);
    if (LoginState::isLogin())
        appendElement(out, QStringLiteral("CashierID"), LoginState::accountId(), ws);
    else
        out += QStringLiteral("<CashierID />");
    out += QStringLiteral("<Command>OrderPack</Command>");
    appendIfPresent(out, QStringLiteral("DeskNo"), DeskNo, ws);
    appendIfPresent(out, QStringLiteral("WaiterMan"), WaiterMan, ws);
    appendIfPresent(out, QStringLiteral("CustCount"), CustCount, ws);
    appendElement(out, QStringLiteral("OrdRemarkDef"), TasteInfo::sendTasteDefString(arrTaste), ws);
    appendElement(out, QStringLiteral("OrdRemarkManual"), TasteInfo::sendTasteManualString(arrTaste), ws);
    appendIfPresent(out, QStringLiteral("UniqueFlowNo"), UniqueFlowNo, ws);
    // The detail is made of line elements that escaped their own values.
    out += QStringLiteral("<OrderDetail>") + detail + QStringLiteral("</OrderDetail>");
    if (withGuadanTaste)
        appendElement(out, QStringLiteral("PackTasteString"), TasteInfo::guaDanTasteString(arrTaste), ws);
    out += QStringLiteral("</ClientCommand>");
    return out;
}

QString OrderPack::toSendString() const
{
    OrderLinesSource *source = linesSource();
    return toStringWithDetails(source ? source->sendData() : QString(), false);
}

QString OrderPack::toGuadanString() const
{
    OrderLinesSource *source = linesSource();
    return toStringWithDetails(source ? source->guaDanData() : QString(), true);
}
