#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <optional>

class QTimer;

// Watches whether the ordering server's address can be reached at all, so that screens refuse to
// send before trying. "Reachable" means the system has a route to the configured IPv4 address
// (checked with a connected UDP socket, which sends nothing); it does not prove that the server
// program answers. The check is repeated when the platform reports a network change and on a
// slow timer.
class NetworkChecker : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecheckIntervalMs = 5000;
    // When the platform's network changes start to be watched, after check().
    static constexpr int kPlatformWatchDelayMs = 1000;

    static NetworkChecker &sharedInstance();

    // (Re)starts watching the configured ip and port. Call on the main thread.
    void check();
    void stop();
    bool isWatching() const;
    // False until the first check; readable from any thread.
    bool canConnect() const { return canConnect_.load(); }

    // Whether a route to the address exists. Uses nothing but system calls, so it may also run in
    // a forked child.
    static bool routeExists(quint32 ipv4NetworkOrder, quint16 port);
    // Dotted-quad text to an address in network byte order; absent for anything else.
    static std::optional<quint32> parseIpv4(const QString &text);

signals:
    void canConnectChanged(bool canConnect);

private:
    void recheck();
    void watchPlatform();

    std::atomic<bool> canConnect_{false};
    std::optional<quint32> address_;
    quint16 port_ = 0;
    QPointer<QTimer> timer_;
    QMetaObject::Connection platformWatch_;
};
