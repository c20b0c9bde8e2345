#include "order/OrderPack.h"

#include "foundation/CommonUtils.h"
#include "foundation/SettingsKeys.h"
#include "order/OrderLinesSource.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LoginState.h"
#include "settings/SettingsStore.h"

#include <QDateTime>
#include <QMutex>

#include <atomic>

namespace {
constexpr qint64 kFirstCounter = 10000;
constexpr qint64 kLastCounter = 99999;

QMutex counterMutex;
qint64 counter = kFirstCounter;
// The store the counter was read from; another store (another home) is read afresh.
const SettingsStore *counterStore = nullptr;

// The counter of a flow number this program made; none for any other text.
std::optional<qint64> counterOf(const QString &flowNo)
{
    bool ok = false;
    const qint64 value = flowNo.right(5).toLongLong(&ok);
    if (flowNo.size() != 19 || !ok || value < kFirstCounter || value > kLastCounter)
        return std::nullopt;
    return value;
}

// The counter continues after the last flow number made on this terminal, in this run or before it:
// two runs within one second must not make the same number.
void loadCounterLocked(const SettingsStore &store)
{
    if (counterStore == &store)
        return;
    counterStore = &store;
    counter = counterOf(store.string(Key::LastFlowNo).value_or(QString())).value_or(kFirstCounter);
}

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
    SettingsStore &store = SettingsStore::shared();
    QMutexLocker lock(&counterMutex);
    loadCounterLocked(store);
    counter = counter < kLastCounter ? counter + 1 : kFirstCounter;
    const QString flowNo =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) + QString::number(counter);
    // Written to disk before the number leaves the terminal (see OrderSender::sendOrderPackStep2),
    // not here: a number never sent may be made again without harm.
    store.setValue(Key::LastFlowNo, flowNo);
    return flowNo;
}

void OrderPack::noteFlowNo(const QString &flowNo)
{
    SettingsStore &store = SettingsStore::shared();
    QMutexLocker lock(&counterMutex);
    loadCounterLocked(store);
    const std::optional<qint64> adopted = counterOf(flowNo);
    // Flow numbers of equal length order as their texts: time first, then the counter.
    if (adopted && flowNo > store.string(Key::LastFlowNo).value_or(QString())) {
        store.setValue(Key::LastFlowNo, flowNo);
        counter = *adopted;
    }
}

void OrderPack::resetFlowCounter(qint64 last)
{
    QMutexLocker lock(&counterMutex);
    counterStore = &SettingsStore::shared();
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

QString OrderPack::toSendString(const QList<std::shared_ptr<FoodOrder>> &lines) const
{
    QString detail;
    detail.reserve(lines.size() * 400);
    for (const auto &line : lines)
        detail += line->toDataString();
    return toStringWithDetails(detail, false);
}

QString OrderPack::toGuadanString() const
{
    OrderLinesSource *source = linesSource();
    return toStringWithDetails(source ? source->guaDanData() : QString(), true);
}
