#include "catalogue/SoldOutList.h"

SoldOutList &SoldOutList::shared()
{
    static SoldOutList list;
    return list;
}

std::shared_ptr<const QSet<QString>> SoldOutList::current() const
{
    QMutexLocker lock(&mutex_);
    return foodnos_;
}

bool SoldOutList::contains(const QString &foodno) const
{
    return current()->contains(foodno);
}

QSet<QString> SoldOutList::snapshot() const
{
    return *current();
}

void SoldOutList::publish(QSet<QString> foodnos)
{
    auto next = std::make_shared<const QSet<QString>>(std::move(foodnos));
    QMutexLocker lock(&mutex_);
    foodnos_.swap(next);
}

void SoldOutList::clear()
{
    publish({});
}
