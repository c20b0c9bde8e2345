#include "storage/DBManager.h"

#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

#include <QDateTime>

void DBManager::saveOrderPack(const QString &content, const Callback<bool> &result)
{
    bool inserted = false;
    runOn(mainData(), [&](sqlite3 *db) {
        SqlStatement insert(db, "insert into guadan(content, create_time) values(?, ?)");
        insert.bind(1, content).bind(2, QDateTime::currentSecsSinceEpoch());
        inserted = insert.exec();
    });
    if (result)
        result(inserted);
}

void DBManager::getOrderPacks(const Callback<const QList<Guadan> &> &callback)
{
    QList<Guadan> orders;
    runOn(mainData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select gid, content, create_time from guadan order by gid desc");
        orders = readAllRows(query, [](const SqlStatement &row) {
            Guadan order;
            order.gid = qint32(row.integer(0));
            order.content = row.text(1);
            order.createDate = QDateTime::fromSecsSinceEpoch(row.integer(2), Qt::UTC);
            return order;
        });
    });
    if (callback)
        callback(orders);
}

void DBManager::deleteGuadanById(qint32 gid, const Callback<bool> &result)
{
    bool deleted = false;
    runOn(mainData(), [&](sqlite3 *db) {
        SqlStatement remove(db, "delete from guadan where gid = ?");
        remove.bind(1, qint64(gid));
        deleted = remove.exec();
    });
    if (result)
        result(deleted);
}
