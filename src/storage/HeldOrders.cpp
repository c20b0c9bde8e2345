#include "storage/DBManager.h"

#include "foundation/UserNotice.h"
#include "settings/LanguageManager.h"
#include "storage/HeldOrderStoreRepair.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

#include <QDateTime>

namespace {
// Runs `operation` (true on success) on the held-order store, and once more when it failed because
// the store was damaged and has just been replaced.
template <typename Operation> bool withHealing(DBManager &manager, Operation operation)
{
    return operation() || (manager.healMainDB() && operation());
}
} // namespace

bool DBManager::healMainDB()
{
    const std::shared_ptr<SerialDatabase> database = mainData();
    bool healed = false;
    runOn(database, [&](sqlite3 *db) {
        if (!HeldOrderStoreRepair::damage(db))
            return;
        // The connection still reads the old file once it is renamed; it is closed right after.
        if (HeldOrderStoreRepair::setAside(database->path()).isEmpty())
            return;
        healed = createMainDBIfNotExists();
    });
    if (healed)
        UserNotice::error(LanguageManager::defaultManager().readString(
            QStringLiteral("挂单数据已损坏，已另存备份并重新建立")));
    return healed;
}

void DBManager::saveOrderPack(const QString &content, const Callback<bool> &result)
{
    const bool inserted = withHealing(*this, [&] {
        bool done = false;
        runOn(mainData(), [&](sqlite3 *db) {
            SqlStatement insert(db, "insert into guadan(content, create_time) values(?, ?)");
            insert.bind(1, content).bind(2, QDateTime::currentSecsSinceEpoch());
            done = insert.exec();
        });
        return done;
    });
    if (result)
        result(inserted);
}

void DBManager::getOrderPacks(const Callback<const QList<Guadan> &> &callback)
{
    QList<Guadan> orders;
    withHealing(*this, [&] {
        bool read = false;
        runOn(mainData(), [&](sqlite3 *db) {
            SqlStatement query(db, "select gid, content, create_time from guadan order by gid desc");
            orders = readAllRows(query, [](const SqlStatement &row) {
                Guadan order;
                order.gid = row.integer(0);
                order.content = row.text(1);
                order.createDate = QDateTime::fromSecsSinceEpoch(row.integer(2), Qt::UTC);
                return order;
            });
            read = !query.failed();
        });
        return read;
    });
    if (callback)
        callback(orders);
}

void DBManager::deleteGuadanById(qint64 gid, const Callback<bool> &result)
{
    const bool deleted = withHealing(*this, [&] {
        bool done = false;
        runOn(mainData(), [&](sqlite3 *db) {
            SqlStatement remove(db, "delete from guadan where gid = ?");
            remove.bind(1, gid);
            done = remove.exec();
        });
        return done;
    });
    if (result)
        result(deleted);
}
