#include "platform/core/posix_sockets.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace voxpan {
namespace {

// A server that stops answering (its power gone, a cable out somewhere on
// the way) is found gone in about 10 s: the connection idle for 4 s, then
// 3 probes 2 s apart; while commands wait unacknowledged, after 10 s.
constexpr int kKeepIdleSeconds = 4;
constexpr int kKeepIntervalSeconds = 2;
constexpr int kKeepProbes = 3;
constexpr unsigned kUnacknowledgedGiveUpMs = 10000;

std::string errorText(int error) { return std::strerror(error); }

std::string addressText(const sockaddr* address, socklen_t length) {
    char host[NI_MAXHOST] = "?";
    char port[NI_MAXSERV] = "?";
    getnameinfo(address, length, host, sizeof host, port, sizeof port, NI_NUMERICHOST | NI_NUMERICSERV);
    return std::string(host) + " port " + port;
}

void setOption(int fd, int level, int name, int value) { setsockopt(fd, level, name, &value, sizeof value); }

// Waits for the socket; the revents, or 0 when the wait ran out.
short waitFor(int fd, short events, int waitMs) {
    pollfd watch{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&watch, 1, waitMs);
        if (ready > 0) return watch.revents;
        if (ready == 0 || errno != EINTR) return 0;
    }
}

class PosixSockets final : public Sockets {
public:
    std::vector<SocketAddress> resolve(const std::string& host, const std::string& port, bool numericOnly,
                                       std::string& why) override {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV | (numericOnly ? AI_NUMERICHOST : 0);
        addrinfo* found = nullptr;
        const int status = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
        std::vector<SocketAddress> addresses;
        if (status != 0) {
            if (!(numericOnly && status == EAI_NONAME)) {
                why = status == EAI_SYSTEM ? errorText(errno) : gai_strerror(status);
            }
            return addresses;
        }
        for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
            addresses.push_back({entry->ai_family,
                                 std::string(reinterpret_cast<const char*>(entry->ai_addr), entry->ai_addrlen),
                                 addressText(entry->ai_addr, entry->ai_addrlen)});
        }
        freeaddrinfo(found);
        return addresses;
    }

    SocketHandle startConnect(const SocketAddress& address, std::string& why) override {
        const int fd = ::socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            why = errorText(errno);
            return kNoSocket;
        }
        const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
        if (::connect(fd, target, static_cast<socklen_t>(address.bytes.size())) != 0 && errno != EINPROGRESS &&
            errno != EINTR) {
            why = errorText(errno);
            ::close(fd);
            return kNoSocket;
        }
        return fd;
    }

    ConnectState finishConnect(SocketHandle socket, int waitMs, std::string& why) override {
        const int fd = static_cast<int>(socket);
        if (waitFor(fd, POLLOUT, waitMs) == 0) return ConnectState::Pending;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
        if (error == 0) return ConnectState::Connected;
        why = errorText(error);
        return ConnectState::Failed;
    }

    void watchConnection(SocketHandle socket) override {
        const int fd = static_cast<int>(socket);
        setOption(fd, IPPROTO_TCP, TCP_NODELAY, 1);
        setOption(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
        setOption(fd, IPPROTO_TCP, TCP_KEEPIDLE, kKeepIdleSeconds);
        setOption(fd, IPPROTO_TCP, TCP_KEEPINTVL, kKeepIntervalSeconds);
        setOption(fd, IPPROTO_TCP, TCP_KEEPCNT, kKeepProbes);
        setOption(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, static_cast<int>(kUnacknowledgedGiveUpMs));
    }

    IoResult send(SocketHandle socket, std::string_view bytes) override {
        // MSG_NOSIGNAL: a connection closed by the server is an error here,
        // not a SIGPIPE that ends the panel.
        const ssize_t sent = ::send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent >= 0) return {IoStatus::Done, static_cast<std::size_t>(sent), {}};
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return {IoStatus::WouldBlock, 0, {}};
        return {IoStatus::Lost, 0, errorText(errno)};
    }

    IoResult receive(SocketHandle socket, char* buffer, std::size_t size) override {
        const ssize_t got = ::recv(static_cast<int>(socket), buffer, size, MSG_DONTWAIT);
        if (got > 0) return {IoStatus::Done, static_cast<std::size_t>(got), {}};
        if (got == 0) return {IoStatus::Lost, 0, "the server closed the connection"};
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return {IoStatus::WouldBlock, 0, {}};
        return {IoStatus::Lost, 0, errorText(errno)};
    }

    void waitUntilReady(SocketHandle socket, bool forWriting, int waitMs) override {
        waitFor(static_cast<int>(socket), forWriting ? POLLOUT : POLLIN, waitMs);
    }

    void close(SocketHandle socket) override {
        const int fd = static_cast<int>(socket);
        if (::shutdown(fd, SHUT_WR) == 0) {
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kClosingWaitMs);
            char dropped[512];
            for (;;) {
                const auto left = std::chrono::ceil<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
                if (left.count() <= 0 || waitFor(fd, POLLIN, static_cast<int>(left.count())) == 0) break;
                const ssize_t got = ::recv(fd, dropped, sizeof dropped, MSG_DONTWAIT);
                if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR)) break;
            }
        }
        ::close(fd);
    }
};

}  // namespace

Sockets& posixSockets() {
    static PosixSockets sockets;
    return sockets;
}

}  // namespace voxpan
