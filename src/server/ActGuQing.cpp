#include "server/ActGuQing.h"

#include "catalogue/SoldOutList.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "server/CommandMaker.h"
#include "server/ResponseParser.h"
#include "server/ServerExchange.h"
#include "settings/ConfigManager.h"

#include <QCoreApplication>
#include <QSet>
#include <QTimer>

ActGuQing &ActGuQing::sharedInstance()
{
    static ActGuQing instance;
    return instance;
}

void ActGuQing::start()
{
    ConfigManager &config = ConfigManager::defaultManager();
    const qint64 seconds = config.autoRefreshSoldOutIntervalTime();
    if (!config.isAutoRefreshSoldOut() || seconds <= 0)
        return;
    stop();
    timer_ = new QTimer(QCoreApplication::instance());
    timer_->setInterval(int(qMin<qint64>(seconds, 24 * 3600) * 1000));
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { loadGuQingList(); });
    timer_->start();
}

void ActGuQing::stop()
{
    if (timer_) {
        timer_->stop();
        delete timer_;
    }
}

bool ActGuQing::isPolling() const
{
    return timer_ && timer_->isActive();
}

int ActGuQing::pollIntervalMs() const
{
    return isPolling() ? timer_->interval() : 0;
}

void ActGuQing::publish(std::shared_ptr<const SoldOutMap> map)
{
    QSet<QString> foodnos;
    for (auto it = map->cbegin(); it != map->cend(); ++it)
        foodnos.insert(it.key());
    {
        QMutexLocker lock(&mutex_);
        dictGuqing_ = std::move(map);
    }
    SoldOutList::shared().publish(std::move(foodnos));
}

void ActGuQing::loadGuQingList(PollDone done)
{
    {
        QMutexLocker lock(&mutex_);
        if (done)
            waiting_.push_back(std::move(done));
        if (polling_)
            return;
        polling_ = true;
    }
    // The exchange ends exactly once, whichever way it goes; only a duplicate still on its way (a
    // console poll beside the timer's) is told nothing, so it ends here.
    const bool sent = ServerExchange::sendQuietly(
        nullptr, CommandMaker::getGqFoodList(),
        [this](const ServerReply &reply) { endPoll(handleReply(reply)); },
        [this](const ServerError &) { endPoll(false); }, ServerExchange::Indicator::None);
    if (!sent)
        endPoll(false);
}

void ActGuQing::endPoll(bool listRead)
{
    std::vector<PollDone> waiting;
    {
        QMutexLocker lock(&mutex_);
        polling_ = false;
        waiting.swap(waiting_);
    }
    for (const PollDone &done : waiting)
        done(listRead);
}

bool ActGuQing::handleReply(const ServerReply &reply)
{
    if (!reply.isAccepted())
        return false;

    auto soldOut = std::make_shared<SoldOutMap>();
    QStringList announced;
    for (const Row3 &row : ResponseParser::parseGqFoodList(*reply.xml).value_or(QList<Row3>())) {
        if (row.leftQty == QStringLiteral("0") && row.foodno) {
            soldOut->insert(*row.foodno, row);
            announced.append(*row.foodno);
        }
    }
    publish(std::move(soldOut));
    for (const QString &foodno : announced)
        PostNotificationInMainThread(Notify::FoodIsSoldOut, foodno);

    std::function<void()> task;
    {
        QMutexLocker lock(&mutex_);
        task = soldOutTask_;
    }
    if (task)
        task();
    return true;
}

bool ActGuQing::isFoodInGuQingList(const QString &foodno) const
{
    const std::shared_ptr<const SoldOutMap> map = dictGuqing();
    return map && map->contains(foodno);
}

std::shared_ptr<const ActGuQing::SoldOutMap> ActGuQing::dictGuqing() const
{
    QMutexLocker lock(&mutex_);
    return dictGuqing_;
}

void ActGuQing::setSoldOutTask(std::function<void()> task)
{
    QMutexLocker lock(&mutex_);
    soldOutTask_ = std::move(task);
}
