#include "SocketControl.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

bool endpointMatches(const sockaddr_storage &address, const std::string &host, int port)
{
    char text[INET6_ADDRSTRLEN] = {};
    int actualPort = -1;
    if (address.ss_family == AF_INET) {
        const auto *v4 = reinterpret_cast<const sockaddr_in *>(&address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        actualPort = ntohs(v4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto *v6 = reinterpret_cast<const sockaddr_in6 *>(&address);
        inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
        actualPort = ntohs(v6->sin6_port);
    } else {
        return false;
    }
    return actualPort == port && (host.empty() || host == text);
}

// Calls found(fd) for each socket of the process until it returns true.
template <class Found> bool forEachSocket(Found &&found)
{
    DIR *fds = opendir("/proc/self/fd");
    if (!fds)
        return false;
    bool done = false;
    while (const dirent *entry = readdir(fds)) {
        char *end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == dirfd(fds))
            continue;
        if (found(static_cast<int>(fd))) {
            done = true;
            break;
        }
    }
    closedir(fds);
    return done;
}

} // namespace

bool dropConnection(int localPort, const std::string &remoteAddress, int remotePort)
{
    return forEachSocket([&](int fd) {
        sockaddr_storage local{}, peer{};
        socklen_t localLength = sizeof local, peerLength = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &localLength) != 0 ||
            getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0)
            return false;
        if (!endpointMatches(local, {}, localPort) || !endpointMatches(peer, remoteAddress, remotePort))
            return false;
        shutdown(fd, SHUT_RDWR);
        return true;
    });
}

bool widenListenBacklog(int localPort)
{
    return forEachSocket([&](int fd) {
        sockaddr_storage local{};
        socklen_t length = sizeof local;
        int listening = 0;
        socklen_t flagLength = sizeof listening;
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length) != 0 ||
            getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &flagLength) != 0 || !listening ||
            !endpointMatches(local, {}, localPort))
            return false;
        // Listening again on a listening socket only changes its backlog.
        return listen(fd, SOMAXCONN) == 0;
    });
}
