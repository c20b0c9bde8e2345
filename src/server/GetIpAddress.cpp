#include "server/GetIpAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

GetIpAddress &GetIpAddress::helper()
{
    static GetIpAddress instance;
    return instance;
}

QString GetIpAddress::deviceIPAdress() const
{
    return secondRecordedAddress(listInterfaces());
}

QString GetIpAddress::secondRecordedAddress(const QList<InterfaceEntry> &entries)
{
    QStringList recorded;
    QString lastName;
    bool hasLast = false;
    for (const InterfaceEntry &entry : entries) {
        if (recorded.size() >= kMaxInterfaces)
            break;
        if (!entry.isIPv4)
            continue;
        const QString name = entry.name.section(u':', 0, 0);
        if (hasLast && name == lastName)
            continue;
        lastName = name;
        hasLast = true;
        if (entry.isUp)
            recorded.append(entry.address);
    }
    return recorded.size() >= 2 ? recorded.at(1) : QString();
}

QList<GetIpAddress::InterfaceEntry> GetIpAddress::listInterfaces()
{
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    QList<InterfaceEntry> entries;
    for (const ifaddrs *it = list; it; it = it->ifa_next) {
        InterfaceEntry entry;
        entry.name = QString::fromLocal8Bit(it->ifa_name ? it->ifa_name : "");
        entry.isUp = it->ifa_flags & IFF_UP;
        entry.isIPv4 = it->ifa_addr && it->ifa_addr->sa_family == AF_INET;
        if (entry.isIPv4) {
            char dotted[INET_ADDRSTRLEN] = {};
            const auto *address = reinterpret_cast<const sockaddr_in *>(it->ifa_addr);
            if (::inet_ntop(AF_INET, &address->sin_addr, dotted, sizeof dotted))
                entry.address = QString::fromLatin1(dotted);
        }
        entries.append(entry);
    }
    ::freeifaddrs(list);
    return entries;
}
