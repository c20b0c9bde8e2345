#include "server/NetworkChecker.h"

#include "settings/ConfigManager.h"

#include <QCoreApplication>
#include <QNetworkInformation>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

NetworkChecker &NetworkChecker::sharedInstance()
{
    static NetworkChecker *instance = [] {
        auto *checker = new NetworkChecker;
        // Lives as long as the event loop it watches from.
        if (QCoreApplication *app = QCoreApplication::instance())
            checker->setParent(app);
        return checker;
    }();
    return *instance;
}

std::optional<quint32> NetworkChecker::parseIpv4(const QString &text)
{
    in_addr address{};
    if (inet_pton(AF_INET, text.toLatin1().constData(), &address) != 1)
        return std::nullopt;
    return address.s_addr;
}

bool NetworkChecker::routeExists(quint32 ipv4NetworkOrder, quint16 port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = ipv4NetworkOrder;
    const bool routed = ::connect(fd, reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0;
    close(fd);
    return routed;
}

void NetworkChecker::check()
{
    stop();
    ConfigManager &config = ConfigManager::defaultManager();
    address_ = parseIpv4(config.ip().value_or(QString()));
    const int port = config.port().value_or(QString()).trimmed().toInt();
    port_ = quint16(port > 0 && port <= 0xFFFF ? port : 0);

    timer_ = new QTimer(this);
    timer_->setInterval(kRecheckIntervalMs);
    connect(timer_, &QTimer::timeout, this, &NetworkChecker::recheck);
    timer_->start();
    // Loading the platform's network plugin (GLib, D-Bus) takes milliseconds that the start-up
    // does not wait for: the timer's rechecks cover the moment until it is there. Going with the
    // timer, a stop cancels it.
    QTimer::singleShot(kPlatformWatchDelayMs, timer_, [this] { watchPlatform(); });
    recheck();
}

void NetworkChecker::watchPlatform()
{
    if (platformWatch_ || !QNetworkInformation::loadDefaultBackend())
        return;
    if (QNetworkInformation *platform = QNetworkInformation::instance())
        platformWatch_ =
            connect(platform, &QNetworkInformation::reachabilityChanged, this, &NetworkChecker::recheck);
    recheck();
}

void NetworkChecker::stop()
{
    disconnect(platformWatch_);
    if (timer_)
        delete timer_;
}

bool NetworkChecker::isWatching() const
{
    return timer_ && timer_->isActive();
}

void NetworkChecker::recheck()
{
    const bool now = address_ && routeExists(*address_, port_);
    if (canConnect_.exchange(now) != now)
        emit canConnectChanged(now);
}
