#include "order/OrderKeeper.h"

#include <QDateTime>

#include <algorithm>

OrderKeeper::OrderKeeper(const QString &databasePath) : store_(databasePath)
{
    writer_ = std::thread([this] { run(); });
}

OrderKeeper::~OrderKeeper()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    writer_.join();
}

OrderKeeper::Found OrderKeeper::load(std::optional<OrderSnapshot> &kept, QString *movedTo)
{
    std::lock_guard lock(storeMutex_);
    KeptOrderRow row;
    const KeptOrderStore::Read read = store_.read(row);
    nothingStored_ = read == KeptOrderStore::Read::Nothing;
    if (nothingStored_)
        return Found::Nothing;
    if (read == KeptOrderStore::Read::Found) {
        kept = OrderSnapshot::fromRow(row);
        if (kept)
            return Found::Order;
    }
    const QString aside = store_.moveAside();
    nothingStored_ = !aside.isEmpty();
    if (movedTo)
        *movedTo = aside;
    return Found::MovedAside;
}

void OrderKeeper::keep(OrderSnapshot snapshot, Durable durable)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = Pending{std::move(snapshot), ++handedOver_};
        if (durable)
            waiting_.push_back(std::move(durable));
    }
    wake_.notify_one();
}

void OrderKeeper::flush()
{
    std::unique_lock lock(mutex_);
    const quint64 target = handedOver_;
    settledChanged_.wait(lock, [&] { return settled_ >= target; });
}

void OrderKeeper::run()
{
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;
        Pending work = std::move(*pending_);
        pending_.reset();
        std::vector<Durable> waiting = std::exchange(waiting_, {});
        lock.unlock();

        // The text is made here, not on the thread that handed the snapshot over.
        std::optional<KeptOrderRow> row;
        if (!work.snapshot.isEmpty())
            row = work.snapshot.toRow();
        const bool written = apply(work.generation, [&] {
            // An order that never got a line costs no write.
            if (!row && nothingStored_)
                return true;
            const bool done = store_.write(row);
            nothingStored_ = done && !row;
            return done;
        });
        for (const Durable &durable : waiting)
            durable(written);
        settled(work.generation);
    }
}

template <typename Operation> bool OrderKeeper::apply(quint64 generation, Operation &&operation)
{
    std::lock_guard lock(storeMutex_);
    if (generation < applied_)
        return true;
    applied_ = generation;
    return operation();
}

template <typename Operation> bool OrderKeeper::supersede(Operation &&operation)
{
    quint64 generation;
    std::vector<Durable> waiting;
    {
        std::lock_guard lock(mutex_);
        generation = ++handedOver_;
        pending_.reset();
        waiting = std::exchange(waiting_, {});
    }
    const bool done = apply(generation, std::forward<Operation>(operation));
    for (const Durable &durable : waiting)
        durable(done);
    settled(generation);
    return done;
}

void OrderKeeper::settled(quint64 generation)
{
    {
        std::lock_guard lock(mutex_);
        settled_ = std::max(settled_, generation);
    }
    settledChanged_.notify_all();
}

bool OrderKeeper::hold(const QString &content)
{
    return supersede([&] {
        const bool done = store_.holdOrder(content, QDateTime::currentSecsSinceEpoch());
        nothingStored_ = nothingStored_ || done;
        return done;
    });
}

bool OrderKeeper::restore(const OrderSnapshot &snapshot, qint64 gid)
{
    const KeptOrderRow row = snapshot.toRow();
    return supersede([&] {
        const bool done = store_.restoreHeld(row, gid);
        nothingStored_ = nothingStored_ && !done;
        return done;
    });
}

bool OrderKeeper::forget()
{
    return supersede([&] {
        const bool done = store_.write(std::nullopt);
        nothingStored_ = nothingStored_ || done;
        return done;
    });
}

bool OrderKeeper::queue(const OutboxRow &row)
{
    return supersede([&] {
        const bool done = store_.queueKept(row);
        nothingStored_ = nothingStored_ || done;
        return done;
    });
}

QList<OutboxRow> OrderKeeper::outbox(int limit)
{
    std::lock_guard lock(storeMutex_);
    return store_.readOutbox(limit);
}

int OrderKeeper::queuedCount()
{
    std::lock_guard lock(storeMutex_);
    return store_.countQueued();
}

bool OrderKeeper::updateQueued(const OutboxRow &row)
{
    std::lock_guard lock(storeMutex_);
    return store_.updateQueued(row);
}

bool OrderKeeper::removeQueued(qint64 id)
{
    std::lock_guard lock(storeMutex_);
    return store_.removeQueued(id);
}

bool OrderKeeper::holdQueued(qint64 id)
{
    std::lock_guard lock(storeMutex_);
    return store_.holdQueued(id, QDateTime::currentSecsSinceEpoch());
}
