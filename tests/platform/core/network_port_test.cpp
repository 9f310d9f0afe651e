// The network port against a server played by the test on the loopback
// interface, and with a fake of the system's sockets for what a real
// network does only now and then: a name server that does not answer, a
// connection that stops taking bytes.
#include "platform/core/network_port.h"

#include <gtest/gtest.h>

#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/core/posix_sockets.h"
#include "platform/core/telnet_codec.h"

namespace voxpan {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (const int value : values) text += static_cast<char>(value);
    return text;
}

// A listening socket on 127.0.0.1 at a port the system chose.
class LoopbackServer {
public:
    LoopbackServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        ::listen(listener_, 1);
    }
    ~LoopbackServer() {
        hangUp();
        ::close(listener_);
    }
    std::string device(const char* kind) const { return std::string(kind) + ":127.0.0.1:" + std::to_string(port_); }
    void accept() { peer_ = ::accept(listener_, nullptr, nullptr); }
    void send(const std::string& data) const { ::send(peer_, data.data(), data.size(), MSG_NOSIGNAL); }
    // What the panel sent, once `count` bytes have come (or 5 s passed).
    std::string receive(std::size_t count) {
        const auto giveUp = Clock::now() + 5s;
        while (received_.size() < count && Clock::now() < giveUp) {
            char buffer[256];
            const ssize_t got = ::recv(peer_, buffer, sizeof buffer, MSG_DONTWAIT);
            if (got > 0) received_.append(buffer, static_cast<std::size_t>(got));
            else std::this_thread::sleep_for(5ms);
        }
        std::string taken = received_.substr(0, count);
        received_.erase(0, taken.size());
        return taken;
    }
    void hangUp() {
        if (peer_ >= 0) ::close(peer_);
        peer_ = -1;
    }

private:
    int listener_ = -1;
    int peer_ = -1;
    int port_ = 0;
    std::string received_;
};

// The lines the port told, for stderr.
struct Told {
    std::vector<std::string> lines;
    std::function<void(const std::string&)> sink() {
        return [this](const std::string& line) { lines.push_back(line); };
    }
};

std::string readWhenThere(NetworkPort& port, std::size_t count) {
    std::string got;
    for (const auto giveUp = Clock::now() + 5s; got.size() < count && Clock::now() < giveUp;) {
        if (port.bytesWaiting() > 0) got += port.read(255);
        else std::this_thread::sleep_for(5ms);
    }
    return got;
}

TEST(NetworkPort, ARawConnectionCarriesTheBytesAsTheyAreUntilTheServerGoes) {
    LoopbackServer server;
    Told told;
    NetworkPort port(posixSockets(), told.sink());
    ASSERT_TRUE(port.open(server.device("tcp"), 9600));
    server.accept();
    const std::string command = "MXA00 RF0145500000 TM" + bytes({255, 0x1e}) + "\r";
    EXPECT_EQ(port.write(command), static_cast<int>(command.size()));
    EXPECT_EQ(server.receive(command.size()), command);
    server.send("LM%000\r\n" + bytes({255}));
    EXPECT_EQ(readWhenThere(port, 9), "LM%000\r\n" + bytes({255}));
    EXPECT_FALSE(port.lost());

    server.hangUp();
    for (const auto giveUp = Clock::now() + 5s; !port.lost() && Clock::now() < giveUp;) port.bytesWaiting();
    EXPECT_TRUE(port.lost());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(told.lines, std::vector<std::string>{"voxpan: network port " + server.device("tcp") +
                                                   " was lost: the server closed the connection"});
}

TEST(NetworkPort, AnRfc2217ServerIsAskedForTheLineAndItsAnswersChecked) {
    LoopbackServer server;
    Told told;
    NetworkPort port(posixSockets(), told.sink());
    std::string opening;
    std::thread serving([&] {
        server.accept();
        opening = server.receive(3 + 10 + 4 * 7);
        // ser2net's greeting, and its answers: 9600 where 4800 was asked.
        server.send(bytes({255, 251, 3, 255, 251, 1, 255, 254, 1, 255, 253, 0, 255, 251, 0, 255, 253, 44}));
        for (const std::string& answer : {bytes({101, 0, 0, 0x25, 0x80}), bytes({102, 8}), bytes({103, 1}),
                                          bytes({104, 1}), bytes({105, 2})}) {
            server.send(telnet::subnegotiation(44, answer));
        }
    });
    ASSERT_TRUE(port.open(server.device("rfc2217"), 4800));
    serving.join();
    EXPECT_EQ(opening, bytes({255, 251, 44}) + telnet::subnegotiation(44, bytes({1, 0, 0, 0x12, 0xc0})) +
                           telnet::subnegotiation(44, bytes({2, 8})) + telnet::subnegotiation(44, bytes({3, 1})) +
                           telnet::subnegotiation(44, bytes({4, 1})) + telnet::subnegotiation(44, bytes({5, 2})));
    port.setLineFormat(8, 0, 2);
    EXPECT_EQ(server.receive(12 + 7), bytes({255, 253, 3, 255, 254, 1, 255, 251, 0, 255, 253, 0}) +
                                          telnet::subnegotiation(44, bytes({4, 2})))
        << "the greeting answered, then the two stop bits asked for";
    EXPECT_EQ(port.write("A" + bytes({255}) + "\r"), 3);
    EXPECT_EQ(server.receive(4), "A" + bytes({255, 255}) + "\r");
    // A reply cut inside a command and inside an escaped 255.
    server.send("LM " + bytes({255}));
    std::this_thread::sleep_for(20ms);
    server.send(bytes({250, 44, 104, 2, 255, 240}) + "12" + bytes({255}));
    std::this_thread::sleep_for(20ms);
    server.send(bytes({255}) + "\r\n");
    EXPECT_EQ(readWhenThere(port, 8), "LM 12" + bytes({255}) + "\r\n");
    EXPECT_EQ(told.lines, std::vector<std::string>{"voxpan: network port " + server.device("rfc2217") +
                                                   ": the server did not set 4800 bits per second but 9600 bits per "
                                                   "second; the panel goes on with it"});
}

TEST(NetworkPort, AServerThatRefusesIsOnePortThatDidNotOpen) {
    std::string device;
    {
        LoopbackServer gone;  // its port, with nobody listening there any more
        device = gone.device("tcp");
    }
    Told told;
    NetworkPort port(posixSockets(), told.sink());
    EXPECT_FALSE(port.open(device, 9600));
    EXPECT_FALSE(port.openQuietly(device, 9600));
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(told.lines.size(), 1u) << "the quiet try tells nothing";
    EXPECT_EQ(told.lines[0], "voxpan: cannot open network port " + device + ": no connection to 127.0.0.1 port " +
                                 device.substr(device.rfind(':') + 1) + " (Connection refused)");
    EXPECT_FALSE(port.open("rfc2217:shed-pi", 9600));
    EXPECT_EQ(told.lines.back(), "voxpan: cannot open network port rfc2217:shed-pi: no port number after the host: "
                                 "write HOST:PORT, e.g. tcp:shed-pi:4001");
}

// Switches the loopback interface of the thread's network namespace on or off.
bool switchLoopback(bool on) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    bool done = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(on ? request.ifr_flags | IFF_UP : request.ifr_flags & ~IFF_UP);
    done = done && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    ::close(fd);
    return done;
}

// A server that stops answering, as when its computer is switched off or a
// cable is pulled somewhere on the way: the loopback interface of a network
// namespace of the test's own (on a thread of its own, so that the other
// tests keep the machine's) switched off under the connection, while the
// port is polled as the panel polls it.
TEST(NetworkPort, AServerThatStopsAnsweringIsFoundLostWithinAboutTenSeconds) {
    std::string skipped;
    std::vector<std::string> lines;
    Clock::duration tookToFind{};
    std::thread([&] {
        if (::unshare(CLONE_NEWNET) != 0 || !switchLoopback(true)) {
            skipped = std::string("no network namespace of its own: ") + std::strerror(errno);
            return;
        }
        LoopbackServer server;
        Told told;
        NetworkPort port(posixSockets(), told.sink());
        if (!port.open(server.device("tcp"), 9600)) return;
        server.accept();
        switchLoopback(false);
        const auto started = Clock::now();
        while (!port.lost() && Clock::now() - started < 30s) {
            port.write("LM\r");
            port.bytesWaiting();
            std::this_thread::sleep_for(200ms);
        }
        tookToFind = Clock::now() - started;
        lines = told.lines;
    }).join();
    if (!skipped.empty()) GTEST_SKIP() << skipped;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" was lost: Connection timed out"), std::string::npos) << lines[0];
    EXPECT_LT(tookToFind, 13s);
}

// The system's sockets as a test plays them: a name server that answers
// only when released, and a connection that takes `room` bytes.
class FakeSockets final : public Sockets {
public:
    std::vector<SocketAddress> resolve(const std::string& host, const std::string&, bool numericOnly,
                                       std::string&) override {
        if (host == "10.0.0.1") return {SocketAddress{AF_INET, "", "10.0.0.1 port 4001"}};
        if (numericOnly) return {};
        std::unique_lock<std::mutex> lock(mutex_);
        released_.wait(lock, [this] { return release_; });
        return {};
    }
    SocketHandle startConnect(const SocketAddress&, std::string&) override { return 7; }
    ConnectState finishConnect(SocketHandle, int, std::string&) override { return ConnectState::Connected; }
    void watchConnection(SocketHandle) override {}
    IoResult send(SocketHandle, std::string_view data) override {
        const std::size_t count = std::min(room, data.size());
        sent.append(data.substr(0, count));
        room -= count;
        return count == 0 ? IoResult{IoStatus::WouldBlock, 0, {}} : IoResult{IoStatus::Done, count, {}};
    }
    IoResult receive(SocketHandle, char*, std::size_t) override { return {IoStatus::WouldBlock, 0, {}}; }
    void waitUntilReady(SocketHandle, bool, int waitMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    }
    void close(SocketHandle) override {}
    void releaseNameServer() {
        const std::lock_guard<std::mutex> lock(mutex_);
        release_ = true;
        released_.notify_all();
    }

    std::size_t room = 1000;
    std::string sent;

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
};

// A lookup given up may still run after its test: the fake outlives them.
FakeSockets& fakeSockets() {
    static FakeSockets sockets;
    return sockets;
}

TEST(NetworkPort, ANameServerThatDoesNotAnswerHoldsTheOpenAFewSecondsAndTheQuietTryNotAtAll) {
    Told told;
    NetworkPort port(fakeSockets(), told.sink());
    auto started = Clock::now();
    EXPECT_FALSE(port.open("tcp:shed-pi:4001", 9600));
    const auto waited = Clock::now() - started;
    EXPECT_GE(waited, kNetworkConnectGiveUp - 50ms);
    EXPECT_LT(waited, kNetworkConnectGiveUp + 2s);
    EXPECT_EQ(told.lines, std::vector<std::string>{
                              "voxpan: cannot open network port tcp:shed-pi:4001: the name shed-pi was not found "
                              "within 3 s"});
    for (int attempt = 0; attempt < 3; ++attempt) {
        started = Clock::now();
        EXPECT_FALSE(port.openQuietly("tcp:shed-pi:4001", 9600));
        EXPECT_LT(Clock::now() - started, 200ms) << "the panel's keys and ticks go on";
    }
    fakeSockets().releaseNameServer();
    EXPECT_EQ(told.lines.size(), 1u);
}

TEST(NetworkPort, ACommandBegunIsFinishedAndTheOnesWrittenDuringTheStallAreDroppedWhole) {
    FakeSockets& sockets = fakeSockets();
    Told told;
    NetworkPort port(sockets, told.sink());
    ASSERT_TRUE(port.openQuietly("tcp:10.0.0.1:4001", 9600));
    sockets.sent.clear();
    sockets.room = 5;
    EXPECT_EQ(port.write("MXA00 RF0145500000\r"), 19) << "its first five bytes are out: the rest must follow";
    EXPECT_EQ(port.write("LM\r"), 0);
    EXPECT_EQ(port.write("AT1\r"), 0);
    ASSERT_EQ(told.lines.size(), 1u) << "told once per stall";
    EXPECT_NE(told.lines[0].find("tcp:10.0.0.1:4001 stopped taking bytes"), std::string::npos) << told.lines[0];
    sockets.room = 1000;
    EXPECT_EQ(port.write("MD1\r"), 4);
    EXPECT_EQ(sockets.sent, "MXA00 RF0145500000\rMD1\r");
    // ser2net drops what it has not passed on to the serial line when the
    // connection closes: the last command gets a moment first.
    const auto closing = Clock::now();
    port.close();
    EXPECT_GE(Clock::now() - closing, 250ms);
}

}  // namespace
}  // namespace voxpan
