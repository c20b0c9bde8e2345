#pragma once

#include <QList>
#include <QString>

// The terminal's own IPv4 address, as the help screen shows it beside the configured server
// address. Keeps nothing between calls.
class GetIpAddress {
public:
    // At most this many interfaces are recorded.
    static constexpr int kMaxInterfaces = 32;

    // One address of an interface, as the system lists them.
    struct InterfaceEntry {
        QString name;
        bool isIPv4 = false;
        bool isUp = false;
        QString address; // dotted, for IPv4
    };

    static GetIpAddress &helper();

    // The address of the second interface recorded (the first is normally the loopback), or the
    // empty string when fewer than two were recorded or the system cannot be asked.
    QString deviceIPAdress() const;

    // The walk over the listed entries: IPv4 only, names cut at the first ":" (an alias), an entry
    // named like the IPv4 entry just before it skipped, interfaces that are down left out.
    static QString secondRecordedAddress(const QList<InterfaceEntry> &entries);
    // The system's list (getifaddrs), in its order; empty when it cannot be read.
    static QList<InterfaceEntry> listInterfaces();
};
