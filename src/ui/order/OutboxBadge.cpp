#include "OutboxBadge.h"

#include "OutboxViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/Outbox.h"
#include "services/Services.h"

OutboxBadge::OutboxBadge(QObject *parent) : QObject(parent)
{
    NotificationCenter::defaultCenter().addObserver(this, Notify::OutboxChanged,
                                                    [this](const Notification &) { update(); });
    update();
}

void OutboxBadge::update()
{
    const Outbox *outbox = Services::installed().outbox;
    const int count = outbox ? outbox->count() : 0;
    if (count == count_)
        return;
    count_ = count;
    emit countChanged();
}

void OutboxBadge::openList()
{
    OutboxViewController::open();
}
