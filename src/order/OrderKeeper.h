#pragma once

#include "order/OrderSnapshot.h"
#include "storage/KeptOrder.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Writes the order being taken to its store off the main thread. The main thread hands over a
// snapshot and goes on; one writer thread writes the newest snapshot it has, so a burst of changes
// costs one write, and each write is one transaction: a crash leaves the state before or after it.
// Holding, restoring a held order and forgetting the order after a send are transactions of their
// own, run at once on the calling thread; they supersede whatever was handed over before them.
class OrderKeeper {
public:
    // Runs on the writer thread once the snapshot, or a later state, is on disk (false when the
    // write failed).
    using Durable = std::function<void(bool written)>;

    enum class Found { Nothing, Order, MovedAside };

    explicit OrderKeeper(const QString &databasePath);
    // Writes what was handed over, then stops the writer.
    ~OrderKeeper();
    OrderKeeper(const OrderKeeper &) = delete;
    OrderKeeper &operator=(const OrderKeeper &) = delete;

    // The order kept by an earlier run. One that cannot be read is moved aside (`movedTo` names
    // where) and counts as none.
    Found load(std::optional<OrderSnapshot> &kept, QString *movedTo = nullptr);

    // Any thread. An empty snapshot removes the kept order.
    void keep(OrderSnapshot snapshot, Durable durable = {});
    // Blocks until everything handed over so far is on disk.
    void flush();

    // Stores a held order and removes the kept order in one transaction.
    bool hold(const QString &content);
    // Keeps `snapshot` and deletes held order `gid` in one transaction.
    bool restore(const OrderSnapshot &snapshot, qint64 gid);
    // Removes the kept order now.
    bool forget();

    // The outbox beside the kept order; each call one transaction, run at once.
    // Queues `row` and removes the kept order together, superseding what was handed over.
    bool queue(const OutboxRow &row);
    // Oldest first; at most `limit` rows, all when it is negative.
    QList<OutboxRow> outbox(int limit = -1);
    int queuedCount();
    bool updateQueued(const OutboxRow &row);
    bool removeQueued(qint64 id);
    // Moves queued order `id` to the held orders.
    bool holdQueued(qint64 id);

private:
    struct Pending {
        OrderSnapshot snapshot;
        quint64 generation = 0;
    };

    void run();
    // Applies one store operation unless a later state is already on disk.
    template <typename Operation> bool apply(quint64 generation, Operation &&operation);
    template <typename Operation> bool supersede(Operation &&operation);
    void settled(quint64 generation);

    KeptOrderStore store_;
    std::mutex storeMutex_;
    quint64 applied_ = 0;        // under storeMutex_
    bool nothingStored_ = false; // under storeMutex_: a removal would change nothing

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable settledChanged_;
    std::optional<Pending> pending_;
    std::vector<Durable> waiting_;
    quint64 handedOver_ = 0;
    quint64 settled_ = 0;
    bool stopping_ = false;

    std::thread writer_;
};
