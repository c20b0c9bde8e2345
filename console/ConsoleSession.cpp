#include "ConsoleSession.h"

#include "CommandLine.h"
#include "ConsoleOutput.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/TaskManager.h"
#include "server/LoginManager.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"
#include "storage/FoodRows.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <climits>

ConsoleSession::ConsoleSession()
{
    registerCommands();
    observeOrderList();
    registerPopupAnswers();
    registerRepeatQuestion();
    if (!orders().orderPack())
        orders().genNewPack();
}

ConsoleSession::~ConsoleSession()
{
    // The factories answer from this session; nobody may reach them once it is gone.
    for (const QString &name : {PopName::FoodItemSizeViewController, PopName::TDetailsViewController,
                                PopName::QuickTasteSetViewController})
        PopViewManager::defaultManager().registerFactory(name, {});
}

void ConsoleSession::registerCommands()
{
    commands_ = {
        {QStringLiteral("server"), &ConsoleSession::server},
        {QStringLiteral("set"), &ConsoleSession::set},
        {QStringLiteral("save"), &ConsoleSession::save},
        {QStringLiteral("login"), &ConsoleSession::login},
        {QStringLiteral("logout"), &ConsoleSession::logout},
        {QStringLiteral("dishes"), &ConsoleSession::dishes},
        {QStringLiteral("pages"), &ConsoleSession::pages},
        {QStringLiteral("detail"), &ConsoleSession::detail},
        {QStringLiteral("search"), &ConsoleSession::search},
        {QStringLiteral("quick"), &ConsoleSession::quick},
        {QStringLiteral("add"), &ConsoleSession::add},
        {QStringLiteral("remove"), &ConsoleSession::remove},
        {QStringLiteral("qty"), &ConsoleSession::qty},
        {QStringLiteral("step"), &ConsoleSession::step},
        {QStringLiteral("delete"), &ConsoleSession::deleteLine},
        {QStringLiteral("taste"), &ConsoleSession::taste},
        {QStringLiteral("remark"), &ConsoleSession::remark},
        {QStringLiteral("price"), &ConsoleSession::price},
        {QStringLiteral("gift"), &ConsoleSession::gift},
        {QStringLiteral("ungift"), &ConsoleSession::ungift},
        {QStringLiteral("state"), &ConsoleSession::state},
        {QStringLiteral("table"), &ConsoleSession::table},
        {QStringLiteral("lines"), &ConsoleSession::lines},
        {QStringLiteral("totals"), &ConsoleSession::totals},
        {QStringLiteral("xml"), &ConsoleSession::xml},
        {QStringLiteral("send"), &ConsoleSession::send},
        {QStringLiteral("hold"), &ConsoleSession::hold},
        {QStringLiteral("held"), &ConsoleSession::held},
        {QStringLiteral("log"), &ConsoleSession::log},
        {QStringLiteral("restore"), &ConsoleSession::restore},
        {QStringLiteral("clear"), &ConsoleSession::clear},
        {QStringLiteral("queue"), &ConsoleSession::queue},
        {QStringLiteral("outbox"), &ConsoleSession::outbox},
        {QStringLiteral("wait-outbox"), &ConsoleSession::waitOutbox},
        {QStringLiteral("soldout"), &ConsoleSession::soldout},
        {QStringLiteral("update"), &ConsoleSession::update},
        {QStringLiteral("deletedata"), &ConsoleSession::deletedata},
        {QStringLiteral("tables"), &ConsoleSession::tables},
        {QStringLiteral("open"), &ConsoleSession::openTable},
        {QStringLiteral("edit"), &ConsoleSession::editTable},
        {QStringLiteral("move"), &ConsoleSession::moveTable},
        {QStringLiteral("merge"), &ConsoleSession::mergeTables},
        {QStringLiteral("cancel"), &ConsoleSession::cancelTable},
        {QStringLiteral("hurry"), &ConsoleSession::hurry},
        {QStringLiteral("release"), &ConsoleSession::release},
        {QStringLiteral("return"), &ConsoleSession::returnDish},
        {QStringLiteral("weigh"), &ConsoleSession::weigh},
        {QStringLiteral("bill"), &ConsoleSession::bill},
        {QStringLiteral("print"), &ConsoleSession::print},
    };
}

// What the order list does when the order changes under it. A sent order is cleared by the order
// manager itself, and "restore" hands the held order over directly, so that it leaves the
// held-order store in the same step.
void ConsoleSession::observeOrderList()
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::UpdateOrderList, [](const Notification &) {
        TaskManager::defaultManager().runOrderPackTask();
    });
}

bool ConsoleSession::execute(const QString &input)
{
    const std::optional<QStringList> words = CommandLine::split(input);
    if (!words) {
        ConsoleOutput::error(QStringLiteral("a quote is not closed"));
        return true;
    }
    if (words->isEmpty())
        return true;
    const QString name = words->first();
    if (name == u"quit")
        return false;
    const auto command = commands_.constFind(name);
    if (command == commands_.cend()) {
        ConsoleOutput::error(QStringLiteral("unknown command: ") + name);
        return true;
    }
    (this->*command.value())(words->mid(1));
    settle();
    return true;
}

void ConsoleSession::finish()
{
    ServerRequest::sharedQueue().waitForDone(int(qMin<qint64>(exchangeWaitMs(2), INT_MAX)));
    TaskManager::defaultManager().waitForDone();
    settle();
    orders().waitUntilKept();
}

void ConsoleSession::settle() const
{
    // Each round delivers what the previous one queued: a pop-up built after the command, the
    // pop-up it leads to, the task results and messages after them.
    for (int round = 0; round < 8; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool ConsoleSession::waitFor(const std::function<bool()> &finished, qint64 msecs) const
{
    // Wakes the loop regularly even when nothing arrives, so the deadline is noticed.
    QTimer tick;
    tick.start(20);
    QElapsedTimer elapsed;
    elapsed.start();
    while (!finished()) {
        if (elapsed.elapsed() > msecs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

qint64 ConsoleSession::exchangeWaitMs(int exchanges) const
{
    // Reading a reply of the largest size accepted takes about a second (bench_server); the rest
    // is room for a busy machine.
    constexpr qint64 kReplyReadingMs = 10000;
    const qint64 timeoutMs =
        qBound(qint64(0), ConfigManager::defaultManager().timeout(), qint64(24 * 3600)) * 1000;
    return exchanges * (timeoutMs + kReplyReadingMs);
}

std::optional<Food> ConsoleSession::findFood(const QString &foodno) const
{
    QList<Food> found;
    DBManager::defaultManager().queryFoodInfosWithSql(
        FoodRows::columns() + FoodRows::joins() + QStringLiteral(" where A.foodno = ?"),
        [&found](const QList<Food> &foods) { found = foods; }, {foodno});
    if (found.isEmpty()) {
        ConsoleOutput::error(QStringLiteral("no such dish: ") + foodno);
        return std::nullopt;
    }
    return found.first();
}

ConsoleSession::Line ConsoleSession::lineAt(const QString &position) const
{
    bool ok = false;
    const qsizetype at = position.toLongLong(&ok);
    const QList<Line> lines = orders().arrOrders();
    if (!ok || at < 1 || at > lines.size()) {
        ConsoleOutput::error(QStringLiteral("no line ") + position);
        return {};
    }
    return lines.at(at - 1);
}

bool ConsoleSession::requireLogin() const
{
    if (LoginManager::isLogin())
        return true;
    ConsoleOutput::error(LanguageManager::defaultManager().readString(QStringLiteral("未登录")));
    return false;
}

bool ConsoleSession::requireArgs(const QStringList &args, qsizetype least, qsizetype most,
                                 const char *usage) const
{
    if (args.size() >= least && (most < 0 || args.size() <= most))
        return true;
    ConsoleOutput::error(QStringLiteral("usage: ") + QString::fromUtf8(usage));
    return false;
}

void ConsoleSession::orderListChanged() const
{
    PostNotificationInMainThread(Notify::UpdateOrderList);
}
