// The sockets of one system as a network port uses them: POSIX sockets on
// Linux, Winsock on Windows, a fake in the tests. Every call but resolve
// returns at once or within the wait it is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace voxpan {

// An address to connect to, as the system's resolver gave it.
struct SocketAddress {
    int family = 0;
    std::string bytes;  // the system's socket address structure
    std::string text;   // for messages: "127.0.0.1 port 4001"
};

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;
inline constexpr int kClosingWaitMs = 500;

enum class IoStatus {
    Done,        // `count` bytes went (or came)
    WouldBlock,  // nothing now; later perhaps
    Lost,        // the connection is gone: `why`
};

struct IoResult {
    IoStatus status = IoStatus::Done;
    std::size_t count = 0;
    std::string why;
};

enum class ConnectState { Connected, Pending, Failed };

class Sockets {
public:
    virtual ~Sockets() = default;
    // The addresses of the host to try, in order; empty with `why` when
    // there are none. `numericOnly`: only when the host is written as an
    // address (never waits); a name then gives nothing and no `why`.
    // Without it the system's resolver may take its time: call it where a
    // wait does no harm.
    virtual std::vector<SocketAddress> resolve(const std::string& host, const std::string& port, bool numericOnly,
                                               std::string& why) = 0;
    // A socket that does not block, its connection to the address begun;
    // kNoSocket with `why` when it failed at once.
    virtual SocketHandle startConnect(const SocketAddress& address, std::string& why) = 0;
    // Waits up to waitMs for the connection to be made or refused.
    virtual ConnectState finishConnect(SocketHandle socket, int waitMs, std::string& why) = 0;
    // On a connection made: commands go at once (no gathering of small
    // writes), and a server that stops answering is found gone within
    // about 10 s, also while bytes wait unacknowledged.
    virtual void watchConnection(SocketHandle socket) = 0;
    virtual IoResult send(SocketHandle socket, std::string_view bytes) = 0;
    // A server that closed the connection is Lost.
    virtual IoResult receive(SocketHandle socket, char* buffer, std::size_t size) = 0;
    // Waits up to waitMs until the socket can be written (or read).
    virtual void waitUntilReady(SocketHandle socket, bool forWriting, int waitMs) = 0;
    // Closes without losing the last bytes sent (the receiver's "EX"): the
    // end of the stream is sent after them, and what the server still sends
    // is read and dropped until it closes too, for half a second at most. A
    // socket closed with bytes unread would reset the connection, and the
    // server could drop what it had not yet passed on.
    virtual void close(SocketHandle socket) = 0;
};

}  // namespace voxpan
