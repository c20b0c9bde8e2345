#include "Services.h"

#include "Catalogue.h"
#include "Staff.h"
#include "dining/DiningRoom.h"
#include "order/OrderManager.h"
#include "order/Outbox.h"

namespace {
Services &current()
{
    static Services services;
    return services;
}
} // namespace

const Services &Services::installed()
{
    if (!current().catalogue)
        return startForThisProcess();
    return current();
}

void Services::install(const Services &services)
{
    current() = services;
}

const Services &Services::startForThisProcess()
{
    static Catalogue catalogue;
    static DiningRoom dining;
    static Staff staff(catalogue);
    Services services;
    services.catalogue = &catalogue;
    services.dining = &dining;
    services.staff = &staff;
    services.order = &OrderManager::defaultManager();
    services.outbox = &Outbox::defaultOutbox();
    install(services);
    return installed();
}
