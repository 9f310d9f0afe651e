#include "platform/win32/win32_network_port.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
#include <windows.h>

#include <algorithm>

#include "platform/win32/win32_serial_port.h"

namespace voxpan {
namespace {

// A server that stops answering is found gone in about 10 s: the
// connection idle for 4 s, then Windows' 10 probes 0.6 s apart; while
// commands wait unacknowledged, after 10 s of retransmissions.
constexpr ULONG kKeepIdleMs = 4000;
constexpr ULONG kKeepIntervalMs = 600;
constexpr DWORD kUnacknowledgedGiveUpSeconds = 10;
// TCP_MAXRT of Windows Vista and later, which mingw-w64's headers lack.
constexpr int kTcpMaxRetransmitTime = 5;

SOCKET asSocket(SocketHandle handle) { return static_cast<SOCKET>(handle); }

std::string addressText(const sockaddr* address, int length) {
    char host[NI_MAXHOST] = "?";
    char port[NI_MAXSERV] = "?";
    getnameinfo(address, length, host, sizeof host, port, sizeof port, NI_NUMERICHOST | NI_NUMERICSERV);
    return std::string(host) + " port " + port;
}

bool wouldBlock(int error) { return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS || error == WSAEINTR; }

// Waits for the socket with select, which, unlike WSAPoll before Windows
// 10, reports a connection refused. True when it became ready.
bool waitFor(SOCKET socket, bool forWriting, bool orFailing, int waitMs) {
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(socket, &ready);
    FD_SET(socket, &failed);
    timeval wait{waitMs / 1000, (waitMs % 1000) * 1000};
    const int count = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr,
                             orFailing ? &failed : nullptr, &wait);
    return count > 0;
}

class Win32Sockets final : public Sockets {
public:
    Win32Sockets() {
        WSADATA data{};
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }

    std::vector<SocketAddress> resolve(const std::string& host, const std::string& port, bool numericOnly,
                                       std::string& why) override {
        std::vector<SocketAddress> addresses;
        if (!started_) {
            why = "Winsock did not start";
            return addresses;
        }
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        hints.ai_flags = numericOnly ? AI_NUMERICHOST : 0;
        addrinfo* found = nullptr;
        const int status = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
        if (status != 0) {
            if (!(numericOnly && status == WSAHOST_NOT_FOUND)) why = win32ErrorText(static_cast<unsigned long>(status));
            return addresses;
        }
        for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
            addresses.push_back({entry->ai_family,
                                 std::string(reinterpret_cast<const char*>(entry->ai_addr), entry->ai_addrlen),
                                 addressText(entry->ai_addr, static_cast<int>(entry->ai_addrlen))});
        }
        freeaddrinfo(found);
        return addresses;
    }

    SocketHandle startConnect(const SocketAddress& address, std::string& why) override {
        const SOCKET socket = ::socket(address.family, SOCK_STREAM, IPPROTO_TCP);
        if (socket == INVALID_SOCKET) {
            why = win32ErrorText(static_cast<unsigned long>(WSAGetLastError()));
            return kNoSocket;
        }
        u_long nonBlocking = 1;
        ioctlsocket(socket, FIONBIO, &nonBlocking);
        const auto* target = reinterpret_cast<const sockaddr*>(address.bytes.data());
        if (::connect(socket, target, static_cast<int>(address.bytes.size())) != 0) {
            const int error = WSAGetLastError();
            if (!wouldBlock(error)) {
                why = win32ErrorText(static_cast<unsigned long>(error));
                closesocket(socket);
                return kNoSocket;
            }
        }
        return static_cast<SocketHandle>(socket);
    }

    ConnectState finishConnect(SocketHandle handle, int waitMs, std::string& why) override {
        const SOCKET socket = asSocket(handle);
        if (!waitFor(socket, true, true, waitMs)) return ConnectState::Pending;
        int error = 0;
        int length = sizeof error;
        if (getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0)
            error = WSAGetLastError();
        if (error == 0) return ConnectState::Connected;
        why = win32ErrorText(static_cast<unsigned long>(error));
        return ConnectState::Failed;
    }

    void watchConnection(SocketHandle handle) override {
        const SOCKET socket = asSocket(handle);
        const BOOL on = TRUE;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
        setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
        tcp_keepalive keepalive{1, kKeepIdleMs, kKeepIntervalMs};
        DWORD returned = 0;
        WSAIoctl(socket, SIO_KEEPALIVE_VALS, &keepalive, sizeof keepalive, nullptr, 0, &returned, nullptr, nullptr);
        const DWORD giveUp = kUnacknowledgedGiveUpSeconds;
        setsockopt(socket, IPPROTO_TCP, kTcpMaxRetransmitTime, reinterpret_cast<const char*>(&giveUp), sizeof giveUp);
    }

    IoResult send(SocketHandle handle, std::string_view bytes) override {
        const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), 65536));
        const int sent = ::send(asSocket(handle), bytes.data(), size, 0);
        if (sent >= 0) return {IoStatus::Done, static_cast<std::size_t>(sent), {}};
        const int error = WSAGetLastError();
        if (wouldBlock(error)) return {IoStatus::WouldBlock, 0, {}};
        return {IoStatus::Lost, 0, win32ErrorText(static_cast<unsigned long>(error))};
    }

    IoResult receive(SocketHandle handle, char* buffer, std::size_t size) override {
        const int got = ::recv(asSocket(handle), buffer, static_cast<int>(std::min<std::size_t>(size, 65536)), 0);
        if (got > 0) return {IoStatus::Done, static_cast<std::size_t>(got), {}};
        if (got == 0) return {IoStatus::Lost, 0, "the server closed the connection"};
        const int error = WSAGetLastError();
        if (wouldBlock(error)) return {IoStatus::WouldBlock, 0, {}};
        return {IoStatus::Lost, 0, win32ErrorText(static_cast<unsigned long>(error))};
    }

    void waitUntilReady(SocketHandle handle, bool forWriting, int waitMs) override {
        waitFor(asSocket(handle), forWriting, false, waitMs);
    }

    void close(SocketHandle handle) override {
        const SOCKET socket = asSocket(handle);
        if (shutdown(socket, SD_SEND) == 0) {
            const ULONGLONG giveUp = GetTickCount64() + kClosingWaitMs;
            char dropped[512];
            for (ULONGLONG now = GetTickCount64(); now < giveUp; now = GetTickCount64()) {
                if (!waitFor(socket, false, false, static_cast<int>(giveUp - now))) break;
                const int got = recv(socket, dropped, sizeof dropped, 0);
                if (got == 0 || (got < 0 && !wouldBlock(WSAGetLastError()))) break;
            }
        }
        closesocket(socket);
    }

private:
    bool started_ = false;
};

}  // namespace

Sockets& win32Sockets() {
    static Win32Sockets sockets;
    return sockets;
}

}  // namespace voxpan
